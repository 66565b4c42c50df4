// Scenario files (*.lsc, Korvane.lss): Windows-1251 lines of nine "|"-separated fields. Every
// line is read as the scenario view and a run read it: the options, each filter descriptor
// against the registry, the comment, and the plan of its variants.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/encoding.h"
#include "filters/filter_item.h"
#include "fuzz_registry.h"
#include "fuzz_support.h"
#include "scenario/script_model.h"
#include "scenario/variants.h"

namespace {

using namespace korvane;

void ReadLine(int index, const std::string& line, const TStatList& registry) {
  (void)IsSeparatorLine(line);
  const TScriptOptions options = TextToOptions(LineOptions(line));
  KORVANE_FUZZ_CHECK(options.startList < 3 && options.stakeMode < 9);
  // The written options read back the same.
  KORVANE_FUZZ_CHECK(TextToOptions(OptionsToText(options)) == options);
  (void)OptionsToDisplayText(options);
  const std::string shortText = OptionsToShortText(options);

  std::vector<TFilterItem> items;
  std::array<std::string, FilterSlots> fields;
  for (int f = 1; f <= FilterSlots; ++f) {
    const std::string field = LineFilter(line, f);
    fields[static_cast<size_t>(f - 1)] = field;
    if (field.empty()) continue;
    items.push_back(TextToFilterItem(field, registry));
    (void)FilterItemToText(items.back());
  }
  const std::string comment = LineComment(line);
  (void)BuildLine(OptionsToText(options), fields, comment);

  if (items.empty()) {
    (void)StakeComment(index + 1, 0, comment, shortText);
    return;
  }
  try {
    const VariantPlan plan(items);
    KORVANE_FUZZ_CHECK(plan.Count() >= 1 && plan.Count() <= MaxVariants);
    for (uint64_t k : {uint64_t{0}, plan.Count() / 2, plan.Count() - 1}) {
      const TFilterVar var = plan.At(k);
      const std::string text = FilterVarToText(var);
      (void)StakeComment(index + 1, static_cast<int>(k + 1), comment, shortText + " + " + text);
    }
  } catch (const Error&) {
    // A descriptor without draws or values, or too many variants: the run reports it.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TStatList& registry = fuzz::Registry();
  try {
    const std::vector<std::string> lines =
        ParseScenarioText(Cp1251ToUtf8(fuzz::AsText(data, size)));
    for (size_t i = 0; i < lines.size(); ++i) ReadLine(static_cast<int>(i), lines[i], registry);
    // Saved again (Korvane.lss after every change) the lines come back unchanged.
    KORVANE_FUZZ_CHECK(ParseScenarioText(ScenarioToText(lines)) == lines);
    (void)Utf8ToCp1251(ScenarioToText(lines));
  } catch (const Error&) {
  }
  return 0;
}
