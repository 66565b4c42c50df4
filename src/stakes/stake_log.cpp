#include "stakes/stake_log.h"

#include <regex>
#include <system_error>

#include "core/datadir.h"
#include "core/encoding.h"
#include "core/strutil.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

bool IsLogName(const std::string& name) {
  static const std::regex pattern(std::string(FileBaseName) + "-.*\\.log");
  return std::regex_match(name, pattern);
}

}  // namespace

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

int StakeLog::CountFiles() const {
  int n = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir_, ec))
    if (e.is_regular_file(ec) && IsLogName(e.path().filename().string())) ++n;
  return n;
}

std::pair<int, int> StakeLog::DeleteAll() const {
  int deleted = 0;
  int failed = 0;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir_, ec))
    if (e.is_regular_file(ec) && IsLogName(e.path().filename().string())) files.push_back(e.path());
  for (const fs::path& p : files) {
    if (RemoveFile(p) == 0)
      ++deleted;
    else
      ++failed;
  }
  return {deleted, failed};
}

}  // namespace korvane
