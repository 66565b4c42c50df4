#include "app/dialogue.h"

#include "core/texts.h"
#include "stakes/texts.h"

namespace korvane {

bool ConfirmDelete(Host& host, int n) {
  if (n < 1) return false;
  const std::string question =
      n == 1 ? std::string(texts::AskDeleteOne) : Format(texts::AskDeleteMany, n);
  return host.askWarning(question, false);
}

void ReportError(Host& host, const char* messageTemplate, const std::string& text) {
  host.showMessage(MessageKind::Error,
                   messageTemplate == nullptr ? text : Format(messageTemplate, text.c_str()));
}

void DeleteLogFiles(Host& host, BusyState& busy, const LogFiles& logs, const char* noneText) {
  if (logs.Count() == 0) {
    host.showMessage(MessageKind::Information, noneText);
    return;
  }
  std::pair<int, int> r;
  {
    BusyScope scope(busy, texts::SearchingLogs);
    r = logs.DeleteAll();
  }
  if (r.second == 0)
    host.showMessage(MessageKind::Information, Format(texts::LogsDeleted, r.first));
  else
    host.showMessage(MessageKind::Warning, Format(texts::LogsNotDeleted, r.first, r.second));
}

}  // namespace korvane
