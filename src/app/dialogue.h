#pragma once

// The small pieces of dialogue every operation repeats: the delete question, a guarded call
// that turns a failure into the operation's message, and deleting a kind of log files.

#include <functional>
#include <string>
#include <utility>

#include "app/busy_scope.h"
#include "app/host.h"
#include "core/error.h"
#include "core/log_files.h"
#include "core/strutil.h"

namespace korvane {

// "Удалить выделенную запись?" for one record, "Удалить выделенные записи (%d)?" for more;
// a warning that defaults to No. False when n < 1 or the answer is No.
bool ConfirmDelete(Host& host, int n);

// Shows the error box with a message template ("...%s") filled with the failure text; a null
// template shows the text alone.
void ReportError(Host& host, const char* messageTemplate, const std::string& text);

// Runs the work; a korvane::Error it throws is shown through the template and gives false.
template <class Work>
bool Guarded(Host& host, const char* messageTemplate, Work&& work) {
  try {
    std::forward<Work>(work)();
    return true;
  } catch (const Error& e) {
    ReportError(host, messageTemplate, e.what());
    return false;
  }
}

// "Удалить журналы ...": says when there are none, deletes them under the search status and
// tells how many were deleted (a warning when some could not be).
void DeleteLogFiles(Host& host, BusyState& busy, const LogFiles& logs, const char* noneText);

}  // namespace korvane
