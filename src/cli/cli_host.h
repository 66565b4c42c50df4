#pragma once

#include <iostream>
#include <string>

#include "app/host.h"

namespace korvane {

// The command line's face: messages go to stderr, questions are answered by a flag.
class CliHost : public Host {
 public:
  explicit CliHost(std::ostream& err = std::cerr) : err_(err) {}
  void setAnswerYes(bool yes) { answerYes_ = yes; }
  void setVerbose(bool verbose) { verbose_ = verbose; }
  int errors() const { return errors_; }

  void showMessage(MessageKind kind, const std::string& text) override;
  bool ask(const std::string& question, bool defaultYes) override;
  void setStatus(const std::string& text) override;
  void progress(int done, int total, const std::string& text) override;
  bool poll() override { return false; }

 private:
  std::ostream& err_;
  bool answerYes_ = false;
  bool verbose_ = false;
  int errors_ = 0;
};

}  // namespace korvane
