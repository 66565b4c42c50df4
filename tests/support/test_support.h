#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/host.h"
#include "core/fileio.h"

namespace korvane::test {

// A fresh folder under the system's temporary directory, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

void WriteBytes(const fs::path& path, const std::string& bytes);
std::string ReadBytes(const fs::path& path);
// The XML of the first sheet of an .xlsx workbook (read with Python's zipfile).
std::string WorkbookSheetXml(const fs::path& book);
// Any part of the workbook ("xl/styles.xml").
std::string WorkbookPartXml(const fs::path& book, const std::string& part);

// A Host that records what the engine said and answers questions from a queue.
class RecordingHost : public Host {
 public:
  std::vector<std::pair<MessageKind, std::string>> messages;
  std::vector<std::string> questions;
  std::vector<std::string> statuses;
  std::vector<bool> answers;  // consumed front to back; when empty the default answer is given
  bool stopRequested = false;
  int busyChanges = 0;
  unsigned changedAspects = 0;

  void showMessage(MessageKind kind, const std::string& text) override {
    messages.emplace_back(kind, text);
  }
  bool ask(const std::string& question, bool defaultYes) override {
    questions.push_back(question);
    if (answers.empty()) return defaultYes;
    const bool a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  void setStatus(const std::string& text) override { statuses.push_back(text); }
  void progress(int, int, const std::string&) override {}
  bool poll() override { return stopRequested; }
  void busyChanged(bool) override { ++busyChanges; }
  void changed(unsigned aspects) override { changedAspects |= aspects; }

  int errorCount() const;
  std::string lastMessage() const { return messages.empty() ? "" : messages.back().second; }
};

}  // namespace korvane::test
