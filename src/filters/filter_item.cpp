#include "filters/filter_item.h"

#include <charconv>

#include "core/intlist.h"
#include "core/strutil.h"
#include "filters/texts.h"
#include "stats/registry.h"

namespace korvane {

namespace {

struct ModeText {
  const char* code;
  const char* text;
};

constexpr ModeText kLevelModes[LevelModeCount] = {
    {"LNO", "Весь список (без условий)"},
    {"LMV", "\"Глубина\": не менее заданного значения"},
    {"LMP", "\"Глубина\": не менее заданного процента"},
    {"LLV", "\"Глубина\": не более заданного значения"},
    {"LLP", "\"Глубина\": не более заданного процента"},
    {"LDV", "\"Глубина\": из заданного списка значений"},
    {"LDP", "\"Глубина\": из заданного списка процентов"},
    {"DMV", "\"Отклонение\": не менее заданного значения"},
    {"DMP", "\"Отклонение\": не менее заданного процента"},
    {"DLV", "\"Отклонение\": не более заданного значения"},
    {"DLP", "\"Отклонение\": не более заданного процента"},
    {"DDV", "\"Отклонение\": из заданного списка значений"},
    {"DDP", "\"Отклонение\": из заданного списка процентов"},
    {"CMV", "\"Количество\": не менее заданного значения"},
    {"CMP", "\"Количество\": не менее заданного процента"},
    {"CLV", "\"Количество\": не более заданного значения"},
    {"CLP", "\"Количество\": не более заданного процента"},
    {"CDV", "\"Количество\": из заданного списка значений"},
    {"CDP", "\"Количество\": из заданного списка процентов"},
    {"WMV", "\"Вес\": не менее заданного значения"},
    {"WLV", "\"Вес\": не более заданного значения"},
    {"WDV", "\"Вес\": из заданного списка значений"},
    {"PIM", "\"Период min\": не менее заданного значения"},
    {"PIL", "\"Период min\": не более заданного значения"},
    {"PIR", "\"Период min\": из заданного списка значений"},
    {"PAM", "\"Период\": не менее заданного значения"},
    {"PAL", "\"Период\": не более заданного значения"},
    {"PAR", "\"Период\": из заданного списка значений"},
    {"PXM", "\"Период max\": не менее заданного значения"},
    {"PXL", "\"Период max\": не более заданного значения"},
    {"PXR", "\"Период max\": из заданного списка значений"},
    {"LVA", "\"Значения\": из заданного списка значений"},
};

constexpr ModeText kStopModes[StopModeCount] = {
    {"SF", "Обработать все записи"},
    {"SC", "Количеству оставшихся комбинаций"},
    {"SZ", "Пока список не будет пуст и откатить на шаг"},
    {"ST", "Количеству шагов"},
    {"SV", "Значению в списке статистики"},
    {"SP", "Процентному соотношению в списке статистики"},
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// The trimmed part after the first ":" (empty when there is none).
std::string AfterColon(std::string_view field) {
  const size_t colon = field.find(':');
  if (colon == std::string_view::npos) return {};
  return std::string(Trim(field.substr(colon + 1)));
}

// A coefficient: "." and "," are decimal points, characters other than digits and "-" are
// ignored; 0 when nothing readable remains.
long double ReadCoefficient(std::string_view part) {
  std::string clean;
  for (char c : part) {
    if (c == ',') c = '.';
    if ((c >= '0' && c <= '9') || c == '-' || c == '.') clean += c;
  }
  double v = 0;
  const char* first = clean.data();
  const char* last = first + clean.size();
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr == first) return 0;
  return v;
}

// The shortest text that reads back as the same value, never with an exponent: ReadCoefficient
// would drop the "e" and misread "1e-05" as 1.
std::string CoefText(long double v) {
  char buf[512];
  const auto [ptr, ec] =
      std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed);
  return ec == std::errc() ? std::string(buf, ptr) : std::string("0");
}

std::string CoefsText(const TWeightCoefs& c) {
  return CoefText(c.count) + ":" + CoefText(c.deviation) + ":" + CoefText(c.level) + ":" +
         (c.usePercents ? "1" : "0") + ":" + (c.useAbsValues ? "1" : "0");
}

}  // namespace

const char* LevelModeCode(int mode) {
  return mode >= 0 && mode < LevelModeCount ? kLevelModes[mode].code : "";
}
const char* LevelModeText(int mode) {
  return mode >= 0 && mode < LevelModeCount ? kLevelModes[mode].text : "";
}
const char* StopModeCode(int mode) {
  return mode >= 0 && mode < StopModeCount ? kStopModes[mode].code : "";
}
const char* StopModeText(int mode) {
  return mode >= 0 && mode < StopModeCount ? kStopModes[mode].text : "";
}

bool IsThresholdMode(int mode) {
  return (mode >= 1 && mode <= 4) || (mode >= 7 && mode <= 10) || (mode >= 13 && mode <= 16) ||
         (mode >= 19 && mode <= 30);
}

TFilterItem TextToFilterItem(std::string_view text, const TStatList& registry) {
  TFilterItem item;
  if (text.empty()) return item;
  item.used = true;
  const auto fields = SplitWords(text, "#");
  if (fields.empty()) return item;

  const std::string_view flags = fields[0];
  item.sortColumn = flags.size() < 4 ? 1 : ParseInt32(flags.substr(3)).value_or(1);
  item.bottomUp = flags.find('B') != std::string_view::npos;
  item.multiSelect = flags.find('M') != std::string_view::npos;
  item.keep = flags.find('F') != std::string_view::npos;

  if (fields.size() > 1) {
    const std::string_view field = fields[1];
    item.methodText = std::string(field);
    // The longest code that starts the field (CHN10 before CHN1).
    size_t best = 0;
    for (int i = 0; i < registry.Count(); ++i) {
      const std::string code = registry.Items(i).MethodCode();
      if (code.size() > best && StartsWithNoCase(field, code)) {
        best = code.size();
        item.methodCode = code;
      }
    }
    if (!item.methodCode.empty()) item.drawsText = AfterColon(field);
  }
  if (fields.size() > 2) {
    for (int m = 0; m < LevelModeCount; ++m)
      if (StartsWithNoCase(fields[2], kLevelModes[m].code)) {
        item.levelMode = static_cast<uint8_t>(m);
        item.levelText = AfterColon(fields[2]);
        break;
      }
  }
  if (fields.size() > 3) {
    for (int m = 0; m < StopModeCount; ++m)
      if (StartsWithNoCase(fields[3], kStopModes[m].code)) {
        item.stopMode = static_cast<uint8_t>(m);
        item.stopValue = ParseInt32(AfterColon(fields[3])).value_or(1);
        break;
      }
  }
  if (fields.size() > 4) {
    item.coefsOverride = true;
    const auto parts = SplitAny(fields[4], ":");
    auto part = [&](size_t i) { return i < parts.size() ? parts[i] : std::string_view(); };
    item.coefs.count = ReadCoefficient(part(0));
    item.coefs.deviation = ReadCoefficient(part(1));
    item.coefs.level = ReadCoefficient(part(2));
    item.coefs.usePercents = part(3) == "1";
    item.coefs.useAbsValues = part(4) == "1";
  }
  return item;
}

std::string FilterItemToText(const TFilterItem& item) {
  if (!item.used) return {};
  std::string t;
  t += item.bottomUp ? 'B' : 'T';
  t += item.multiSelect ? 'M' : 'S';
  t += item.keep ? 'F' : 'D';
  t += std::to_string(item.sortColumn);
  t += '#';
  t += item.methodCode.empty() ? item.methodText : item.methodCode + ":" + item.drawsText;
  t += '#';
  t += std::string(LevelModeCode(item.levelMode)) + ":" + item.levelText;
  t += '#';
  t += std::string(StopModeCode(item.stopMode)) + ":" + std::to_string(item.stopValue);
  if (item.coefsOverride) t += "#" + CoefsText(item.coefs);
  return t;
}

std::string FilterPartToText(const TFilterPart& part) {
  if (!part.used) return {};
  std::string t;
  t += part.bottomUp ? 'B' : 'T';
  t += part.multiSelect ? 'M' : 'S';
  t += part.keep ? 'F' : 'D';
  t += '#';
  t += part.methodCode + ":" + std::to_string(part.drawsLen);
  t += '#';
  t += std::string(LevelModeCode(part.levelMode)) + ":" + part.levelText;
  t += '#';
  t += std::string(StopModeCode(part.stopMode)) + ":" + std::to_string(part.stopValue);
  if (part.coefsOverride) t += "#" + CoefsText(part.coefs);
  return t;
}

std::string FilterVarToText(const TFilterVar& var) {
  std::string t;
  for (const TFilterPart& p : var.parts) {
    if (!p.used) continue;
    if (!t.empty()) t += " + ";
    t += FilterPartToText(p);
  }
  return t;
}

std::optional<FilterItemError> ValidateFilterItem(const TFilterItem& item, bool acceptsValueText) {
  const TIntArray draws = ParseIntList(item.drawsText);
  if (draws.empty() || (draws.size() == 1 && draws[0] == 0))
    return FilterItemError{texts::BadRange, FilterField::Draws};
  if (item.levelMode != LNO) {
    if (item.levelMode == LVA && !acceptsValueText)
      return FilterItemError{texts::NoValueListMode, FilterField::Mode};
    if (ParseIntList(item.levelText).empty())
      return FilterItemError{texts::BadRange, FilterField::Values};
  }
  if (item.multiSelect && item.stopMode == SC)
    return FilterItemError{texts::MultiSelectStop, FilterField::Stop};
  return std::nullopt;
}

}  // namespace korvane
