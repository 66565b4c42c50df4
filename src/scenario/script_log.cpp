#include "scenario/script_log.h"

#include <system_error>

#include "core/encoding.h"
#include "core/strutil.h"
#include "scenario/texts.h"

namespace korvane {

namespace {

std::string Stamped(DateTime t, const char* fmt) {
  int y, m, d;
  DecodeDate(t, y, m, d);
  const int64_t s = TimeOfDaySeconds(t);
  return Format(fmt, y, m, d, static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                static_cast<int>(s % 60));
}

}  // namespace

std::string ScriptLog::FileName(DateTime start) {
  return Stamped(start, "ScriptLog_%.4d-%.2d-%.2d-%.2d-%.2d-%.2d.txt");
}

std::string ScriptLog::Stamp(DateTime now) {
  return Stamped(now, "[%.4d-%.2d-%.2d %.2d:%.2d:%.2d]: ");
}

void ScriptLog::Start(DateTime now) { current_ = enabled ? dir_ / FileName(now) : fs::path(); }

void ScriptLog::Write(const std::string& text, bool stamped) {
  if (!enabled) return;
  if (current_.empty()) Start(Now());
  const std::string line = Utf8ToCp1251((stamped ? Stamp(Now()) : std::string()) + text) + "\r\n";
  if (const int err = AppendToFile(current_, line); err != 0 && onError)
    onError(
        Format(texts::LogWriteError, (current_.string() + ": " + SystemErrorText(err)).c_str()));
}

fs::path ScriptLog::Finish() {
  fs::path written;
  std::error_code ec;
  if (enabled && !current_.empty() && fs::exists(current_, ec)) written = current_;
  current_.clear();
  return written;
}

LogFiles ScriptLog::Files() const { return LogFiles(dir_, "ScriptLog_.*\\.txt"); }

}  // namespace korvane
