#include "core/intlist.h"

#include "core/strutil.h"

namespace korvane {

TIntArray ParseIntList(std::string_view text) {
  TIntArray list;
  const auto words = SplitAny(text, ",;");
  bool allInts = !words.empty();
  for (std::string_view w : words) {
    const auto v = ParseInt32(Trim(w));
    if (!v) {
      allInts = false;
      break;
    }
    list.push_back(*v);
  }
  if (allInts) return list;
  list.clear();

  // A range: from up to the first minus that is not the first character, to up to the first
  // semicolon or comma after it, the rest is the step.
  const size_t minus = text.size() > 1 ? text.find('-', 1) : std::string_view::npos;
  if (minus == std::string_view::npos) return list;
  const std::string_view fromText = text.substr(0, minus);
  const std::string_view rest = text.substr(minus + 1);
  const size_t sep = rest.find_first_of(",;");
  if (sep == std::string_view::npos) return list;
  const auto from = ParseInt32(Trim(fromText));
  const auto to = ParseInt32(Trim(rest.substr(0, sep)));
  const auto step = ParseInt32(Trim(rest.substr(sep + 1)));
  if (!from || !to || !step || *step == 0) return list;
  const int64_t count = (int64_t{*to} - *from) / *step + 1;
  if (count < 0 || count > MaxIntListSize) return list;
  list.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) list.push_back(static_cast<int>(*from + i * *step));
  return list;
}

std::string IntListToText(const TIntArray& list, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out += separator;
    out += std::to_string(list[i]);
  }
  return out;
}

}  // namespace korvane
