#include "stats/registry.h"

#include "core/strutil.h"
#include "stats/class_table.h"
#include "stats/texts.h"

namespace korvane {

namespace {

struct GroupText {
  const char* shortId;
  const char* name;
};
constexpr GroupText kGroups[StatGroupCount] = {
    {"num", "Числа тиража"},
    {"sum", "Сумма чисел тиража"},
    {"dif", "Разности между числами тиража"},
    {"grp", "Каналы (группы чисел)"},
    {"mtx", "Матрица тиража"},
    {"sgm", "Сегменты матрицы тиража"},
    {"seq", "Последовательности чисел в одном тираже"},
    {"rep", "Повторяющиеся числа в нескольких тиражах"},
    {"ser", "Серии (цепочки) значений"},
    {"per", "Периоды повторения значений"},
    {"mov", "Переходы (изменения) значений между тиражами"},
    {"ogn", "Характеристическое число Огнева"},
    {"shr", "Методы шинковки"},
};

}  // namespace

std::string TStatMethod::DisplayName() const {
  std::string name = customName.empty() ? DefaultName() : customName;
  if (statClass->group == 12) {
    const size_t at = name.find("%s");
    if (at != std::string::npos) name.replace(at, 2, formula);
  }
  return name;
}

TStatList::TStatList(const TDrawsArray& draws, GameSettings& settings)
    : settings_(settings), context_{&draws, &settings} {}

void TStatList::Build() {
  ordered = false;
  showGroupName = true;
  showMethodFlags = true;
  allEnabled = true;
  entries_.clear();
  for (const StatClassInfo& c : StatClasses()) {
    if (!c.IsAvailable() || c.create == nullptr) continue;  // unavailable, or not built
    auto add = [&](int param) {
      TStatMethod m;
      m.statClass = &c;
      m.param = param;
      if (c.group == 12 && param >= 1 && param <= 3)
        m.formula = settings_.shredding[static_cast<size_t>(param - 1)].formula;
      entries_.push_back(std::move(m));
    };
    if (c.IsParameterised()) {
      const auto [low, high] = c.GetParamRange(settings_.config);
      for (int p = low; p <= high; ++p) add(p);
    } else {
      add(0);
    }
  }
}

int TStatList::IndexOfCode(std::string_view code) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i).MethodCode(), code)) return i;
  return -1;
}

std::string TStatList::ListText(int i, bool withFeatures) const {
  const TStatMethod& m = Items(i);
  std::string t = m.DisplayName();
  if (showGroupName) t = "{ " + GroupShortId(m.statClass->group) + " } " + t;
  if (withFeatures && showMethodFlags) {
    const std::string letters = FeatureLetters(m.statClass->Features());
    if (!letters.empty()) t += " [ " + letters + " ]";
  }
  return t;
}

std::unique_ptr<TCustomStat> TStatList::CreateStat(int i) const {
  const TStatMethod& m = Items(i);
  return m.statClass->create(context_, *m.statClass, m.param);
}

void TStatList::EnableAll() {
  allEnabled = true;
  for (TStatMethod& m : entries_) m.enabled = true;
}

void TStatList::NormalizeEnabled() {
  allEnabled = true;
  if (entries_.empty()) return;
  const bool first = entries_.front().enabled;
  bool allEqual = true;
  for (const TStatMethod& m : entries_) allEqual = allEqual && m.enabled == first;
  if (!allEqual) {
    allEnabled = false;
  } else if (!first) {
    for (TStatMethod& m : entries_) m.enabled = true;
  }
}

std::string TStatList::GetEnabledCodes() const {
  if (allEnabled) return {};
  std::vector<std::string> codes;
  for (const TStatMethod& m : entries_)
    if (m.enabled) codes.push_back(m.MethodCode());
  return Join(codes, ",");
}

void TStatList::SetEnabledCodes(std::string_view text) {
  if (Trim(text).empty()) {
    EnableAll();
    return;
  }
  allEnabled = false;
  const auto words = SplitAny(text, ",");
  for (TStatMethod& m : entries_) {
    const std::string code = m.MethodCode();
    m.enabled = false;
    for (std::string_view w : words)
      if (SameText(w, code)) m.enabled = true;
  }
}

std::string TStatList::GroupShortId(int group) {
  return group >= 0 && group < StatGroupCount ? kGroups[group].shortId : "";
}

std::string TStatList::GroupName(int group) {
  return group >= 0 && group < StatGroupCount ? kGroups[group].name : "";
}

std::string TStatList::GroupCaption(int group) {
  if (group < 0 || group >= StatGroupCount) return texts::GroupError;
  return Format("{ %s } %s", kGroups[group].shortId, kGroups[group].name);
}

void TStatList::ApplyWeightCoefs(const std::optional<TWeightCoefs>& stepCoefs) {
  settings_.config.weights = stepCoefs ? *stepCoefs : savedWeightCoefs_;
}

}  // namespace korvane
