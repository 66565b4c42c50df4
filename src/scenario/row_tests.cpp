#include "scenario/row_tests.h"

#include <optional>

#include "core/error.h"
#include "core/strutil.h"
#include "scenario/texts.h"

namespace korvane {

namespace {

std::optional<double> Dec(const std::string& text) { return ParseFloat(text); }
std::optional<double> Int(const std::string& text) {
  const auto v = ParseInt64(Trim(text));
  return v ? std::optional<double>(static_cast<double>(*v)) : std::nullopt;
}

// A cell: which text, integer or decimal.
struct Cell {
  const std::string* text;
  bool decimal;
};

Cell CellOf(const TStatValues& r, int mode) {
  switch (mode) {
    case LMV:
    case LLV:
    case LDV:
      return {&r.depth, false};
    case LMP:
    case LLP:
    case LDP:
      return {&r.depthPercent, true};
    case DMV:
    case DLV:
    case DDV:
      return {&r.deviation, false};
    case DMP:
    case DLP:
    case DDP:
      return {&r.deviationPercent, true};
    case CMV:
    case CLV:
    case CDV:
      return {&r.count, false};
    case CMP:
    case CLP:
    case CDP:
      return {&r.countPercent, true};
    case WMV:
    case WLV:
    case WDV:
      return {&r.weight, true};
    case PIM:
    case PIL:
    case PIR:
      return {&r.periodMin, false};
    case PAM:
    case PAL:
    case PAR:
      return {&r.period, true};
    case PXM:
    case PXL:
    case PXR:
      return {&r.periodMax, false};
    default:
      return {nullptr, false};
  }
}

enum class Test { Always, AtLeast, AtMost, InList };

Test TestOf(int mode) {
  switch (mode) {
    case LNO:
      return Test::Always;
    case LMV:
    case LMP:
    case DMV:
    case DMP:
    case CMV:
    case CMP:
    case WMV:
    case PIM:
    case PAM:
    case PXM:
      return Test::AtLeast;
    case LLV:
    case LLP:
    case DLV:
    case DLP:
    case CLV:
    case CLP:
    case WLV:
    case PIL:
    case PAL:
    case PXL:
      return Test::AtMost;
    default:
      return Test::InList;
  }
}

// The default of a cell that cannot be read: 0 for "at least" and for the weight and "Период"
// bounds, 65535 for the other "at most" tests.
double DefaultFor(int mode) {
  switch (mode) {
    case LLV:
    case LLP:
    case DLV:
    case DLP:
    case CLV:
    case CLP:
    case PIL:
    case PXL:
      return 65535;
    default:
      return 0;
  }
}

double NumberOrFail(const std::string& text, bool decimal) {
  const auto v = decimal ? Dec(text) : Int(text);
  if (!v) throw Error(Format(texts::NotANumber, text.c_str()));
  return *v;
}

}  // namespace

bool RowQualifies(const TFilterPart& part, const TStatValues& row, int32_t value) {
  const int mode = part.levelMode;
  const Test test = TestOf(mode);
  if (test == Test::Always) return true;
  if (test == Test::InList) {
    const auto words = SplitAny(part.levelValue, ",;");
    if (mode == LVA) {
      for (std::string_view w : words)
        if (NumberOrFail(std::string(Trim(w)), false) == value) return true;
      return false;
    }
    const Cell cell = CellOf(row, mode);
    const double v = NumberOrFail(*cell.text, cell.decimal);
    for (std::string_view w : words)
      if (NumberOrFail(std::string(Trim(w)), cell.decimal) == v) return true;
    return false;
  }
  const Cell cell = CellOf(row, mode);
  const double threshold = IntOrZero(part.levelValue);
  const auto read = cell.decimal ? Dec(*cell.text) : Int(*cell.text);
  const double v = read ? *read : DefaultFor(mode);
  return test == Test::AtLeast ? v >= threshold : v <= threshold;
}

bool StopBeforeRow(const TFilterPart& part, const TStatValues& row, int listCount, int steps) {
  const double c = Int(row.count).value_or(0);
  const double p = Dec(row.countPercent).value_or(0);
  const double v = part.stopValue;
  switch (part.stopMode) {
    case SC:
      return !part.multiSelect && listCount <= part.stopValue;
    case ST:
      return steps >= part.stopValue;
    case SV:
      return part.bottomUp ? c >= v : c <= v;
    case SP:
      return part.bottomUp ? p >= v : p <= v;
    default:
      return false;
  }
}

}  // namespace korvane
