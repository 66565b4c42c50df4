#include "cli/cli_host.h"

namespace korvane {

void CliHost::showMessage(MessageKind kind, const std::string& text) {
  if (kind == MessageKind::Error) ++errors_;
  const char* prefix = kind == MessageKind::Error       ? "Ошибка: "
                       : kind == MessageKind::Warning   ? "Предупреждение: "
                       : kind == MessageKind::Attention ? "Внимание! "
                                                        : "";
  err_ << prefix << text << std::endl;
}

bool CliHost::ask(const std::string& question, bool /*defaultYes*/) {
  // Without --yes every question is answered No, so nothing is destroyed by accident.
  if (verbose_ || !answerYes_) err_ << question << (answerYes_ ? " -> Да" : " -> Нет") << std::endl;
  return answerYes_;
}

void CliHost::setStatus(const std::string& text) {
  if (verbose_ && !text.empty()) err_ << text << std::endl;
}

void CliHost::progress(int done, int total, const std::string& text) {
  if (verbose_) err_ << text << " " << done << "/" << total << std::endl;
}

}  // namespace korvane
