#include "core/demo.h"

#include <random>

#include "core/dates.h"

namespace korvane {

TDrawsArray MakeDemoDraws(int count, uint64_t seed, int lastDate) {
  TDrawsArray draws;
  if (count <= 0) return draws;
  draws.reserve(static_cast<size_t>(count));
  std::mt19937_64 rng(seed);
  const int64_t lastDay = IntToDate(lastDate).seconds / SecondsPerDay;
  // Draw i (from 0) falls on day first + (i + offset) / 2, midday when (i + offset) is even.
  const int offset = count % 2 == 0 ? 0 : 1;
  const int64_t firstDay = lastDay - (count + offset - 1) / 2;
  for (int i = 0; i < count; ++i) {
    TDrawRec d;
    d.number = i + 1;
    for (auto& n : d.nums) n = static_cast<uint8_t>(rng() % ValuesCount);
    const int slot = i + offset;
    const int64_t day = firstDay + slot / 2;
    const int64_t time = slot % 2 == 0 ? 13 * 3600 : 19 * 3600 + 57 * 60;
    d.SetDateText(DrawDateToText(DateTime{day * SecondsPerDay + time}));
    draws.push_back(d);
  }
  return draws;
}

}  // namespace korvane

namespace korvane {

int DemoDrawCount(int firstDate, int lastDate) {
  const int64_t days =
      (IntToDate(lastDate).seconds - IntToDate(firstDate).seconds) / SecondsPerDay + 1;
  return days > 0 ? static_cast<int>(2 * days) : 0;
}

}  // namespace korvane
