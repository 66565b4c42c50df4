// Filter descriptors ("TSD1#NUMS:10#LMV:3#SF:1"), as typed in the filter dialog or found in a
// scenario line: read, written back, and checked as the dialog does on OK.

#include <cstddef>
#include <cstdint>

#include "filters/filter_item.h"
#include "fuzz_registry.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvane;
  const std::string_view text = fuzz::AsText(data, size);
  const TStatList& registry = fuzz::Registry();
  try {
    const TFilterItem item = TextToFilterItem(text, registry);
    KORVANE_FUZZ_CHECK(item.used == !text.empty());
    KORVANE_FUZZ_CHECK(item.levelMode < LevelModeCount && item.stopMode < StopModeCount);
    const std::string written = FilterItemToText(item);
    (void)LevelModeText(item.levelMode);
    (void)StopModeText(item.stopMode);
    // The written form of a descriptor with a known method is its own normal form.
    if (!item.methodCode.empty()) {
      KORVANE_FUZZ_CHECK(registry.IndexOfCode(item.methodCode) >= 0);
      const TFilterItem again = TextToFilterItem(written, registry);
      KORVANE_FUZZ_CHECK(again.methodCode == item.methodCode);
      KORVANE_FUZZ_CHECK(FilterItemToText(again) == written);
    }
    const bool accepts = fuzz::AcceptsValueText(registry, item.methodCode);
    (void)ValidateFilterItem(item, accepts);
    (void)ValidateFilterItem(item, !accepts);
  } catch (const Error&) {
  }
  return 0;
}
