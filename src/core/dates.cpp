#include "core/dates.h"

#include <chrono>
#include <ctime>

#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"

namespace korvane {

namespace {

namespace chr = std::chrono;

// Day count of 30 December 1899 relative to the system clock's epoch.
constexpr int64_t kEpochOffsetDays =
    chr::sys_days(chr::year(1899) / chr::December / 30).time_since_epoch().count();

int64_t DaysOf(DateTime d) { return DatePart(d).seconds / SecondsPerDay; }

}  // namespace

bool IsValidDate(int year, int month, int day) {
  return chr::year_month_day(chr::year(year), chr::month(static_cast<unsigned>(month)),
                             chr::day(static_cast<unsigned>(day)))
             .ok() &&
         month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

DateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (!IsValidDate(year, month, day))
    throw Error(Format(texts::BadDrawDate, Format("%.2d/%.2d/%.4d", month, day, year).c_str()));
  const chr::sys_days sd{chr::year(year) / chr::month(static_cast<unsigned>(month)) /
                         chr::day(static_cast<unsigned>(day))};
  const int64_t days = sd.time_since_epoch().count() - kEpochOffsetDays;
  return DateTime{days * SecondsPerDay + hour * 3600 + minute * 60 + second};
}

void DecodeDate(DateTime d, int& year, int& month, int& day) {
  const chr::sys_days sd{chr::days(DaysOf(d) + kEpochOffsetDays)};
  const chr::year_month_day ymd(sd);
  year = static_cast<int>(ymd.year());
  month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  day = static_cast<int>(static_cast<unsigned>(ymd.day()));
}

int HourOf(DateTime d) { return static_cast<int>(TimeOfDaySeconds(d) / 3600); }

DateTime Now() {
  const time_t t = chr::system_clock::to_time_t(chr::system_clock::now());
  struct tm lt {};
  localtime_r(&t, &lt);
  return EncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                        lt.tm_sec);
}

int DateToInt(DateTime d) {
  int y, m, dd;
  DecodeDate(d, y, m, dd);
  return y * 10000 + m * 100 + dd;
}

DateTime IntToDate(int yyyymmdd) {
  return EncodeDateTime(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

int IncDateInt(int yyyymmdd, int days) {
  if (days == 0) return yyyymmdd;
  return DateToInt(DateTime{IntToDate(yyyymmdd).seconds + int64_t{days} * SecondsPerDay});
}

std::string DrawDateToText(DateTime d) {
  if (d.seconds <= 0) return {};
  int y, m, dd;
  DecodeDate(d, y, m, dd);
  const int hour = HourOf(d);
  return Format("%.2d/%.2d/%.4d %s", m, dd, y, (hour >= 1 && hour <= 13) ? "M" : "E");
}

DateTime TextToDrawDate(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return DateTime{};
  auto part = [&](size_t pos, size_t len) -> int {
    if (pos >= text.size()) return 0;
    return IntOrZero(text.substr(pos, len));
  };
  const int month = part(0, 2);
  const int day = part(3, 2);
  const int year = part(6, 4);
  DateTime d{};
  if (day >= 1 && day <= 31 && month >= 1 && month <= 12 && year > 1900 && year < 2999) {
    if (!IsValidDate(year, month, day))
      throw Error(Format(texts::BadDrawDate, std::string(text).c_str()));
    d = EncodeDateTime(year, month, day);
  }
  if (text.size() >= 12) {
    const char c = text[11];
    if (c == 'M' || c == 'm') d.seconds += 13 * 3600;
    if (c == 'E' || c == 'e') d.seconds += 19 * 3600 + 57 * 60;
  }
  return d;
}

}  // namespace korvane
