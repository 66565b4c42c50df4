#include "stakes/stake_log.h"

#include <system_error>

#include "core/datadir.h"
#include "core/encoding.h"
#include "core/strutil.h"
#include "stakes/texts.h"

namespace korvane {

fs::path StakeLog::PathFor(int matches) const {
  return dir_ / Format("%s-%d.log", FileBaseName, matches);
}

std::string StakeLog::Line(const TStakeData& s, DateTime now) {
  int y, m, d;
  DecodeDate(now, y, m, d);
  const int64_t t = TimeOfDaySeconds(now);
  return Format("%.4d.%.2d.%.2d %.2d:%.2d:%.2d: ", y, m, d, static_cast<int>(t / 3600),
                static_cast<int>(t / 60 % 60), static_cast<int>(t % 60)) +
         Format(texts::StakeLogLine, std::to_string(s.draw).c_str(), s.comment.c_str(),
                CountedToText(s.numbers, ";").c_str(), s.sample, CombToText(s.result).c_str(),
                s.matched.count, s.profit.Text().c_str());
}

void StakeLog::Write(const TStakeData& s, const std::function<void(const std::string&)>& onError) {
  const fs::path path = PathFor(s.matched.count);
  std::error_code ec;
  if (fs::exists(path, ec) && static_cast<int64_t>(fs::file_size(path, ec)) > sizeLimit) {
    if (const int err = RemoveFile(path); err != 0 && onError)
      onError(Format(texts::FileDeleteError, path.string().c_str(), SystemErrorText(err).c_str()));
  }
  const std::string line = Utf8ToCp1251(Line(s, Now())) + "\r\n";
  if (const int err = AppendToFile(path, line); err != 0 && onError)
    onError(Format(texts::FileWriteError, path.string().c_str(), SystemErrorText(err).c_str()));
}

LogFiles StakeLog::Files() const { return LogFiles(dir_, std::string(FileBaseName) + "-.*\\.log"); }

}  // namespace korvane
