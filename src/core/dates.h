#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// A date and time of day, counted in seconds from 30 December 1899 00:00 (the day the draw
// date texts call date 0). Values <= 0 mean "no date".
struct DateTime {
  int64_t seconds = 0;
  auto operator<=>(const DateTime&) const = default;
};

inline constexpr int64_t SecondsPerDay = 86400;

// Throws Error when the day does not exist.
DateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
bool IsValidDate(int year, int month, int day);
void DecodeDate(DateTime d, int& year, int& month, int& day);
int HourOf(DateTime d);
inline DateTime DatePart(DateTime d) {
  const int64_t days = d.seconds >= 0 ? d.seconds / SecondsPerDay
                                      : -((-d.seconds + SecondsPerDay - 1) / SecondsPerDay);
  return DateTime{days * SecondsPerDay};
}
inline int64_t TimeOfDaySeconds(DateTime d) { return d.seconds - DatePart(d).seconds; }
DateTime Now();

// yyyy*10000 + mm*100 + dd and back; IntToDate throws Error on an impossible date.
int DateToInt(DateTime d);
DateTime IntToDate(int yyyymmdd);
int IncDateInt(int yyyymmdd, int days);

// Draw date texts: "mm/dd/yyyy M" for hours 1..13, "mm/dd/yyyy E" otherwise; empty for d <= 0.
std::string DrawDateToText(DateTime d);
// The reverse: a valid mm/dd/yyyy gives that date (an impossible day throws Error), anything
// else date 0; character 12 "M" adds 13:00 and "E" adds 19:57. Empty text gives 0.
DateTime TextToDrawDate(std::string_view text);

}  // namespace korvane
