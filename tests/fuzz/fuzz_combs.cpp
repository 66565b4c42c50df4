// Combination files (*.lcv) and pasted clipboard text.
//
// A file is read leniently (bad lines are skipped), a paste all or nothing (a bad line is an
// Error). Whatever either accepts must be written and read back unchanged.

#include <cstddef>
#include <cstdint>

#include "core/game.h"
#include "filters/comb_files.h"
#include "filters/comb_list.h"
#include "fuzz_support.h"

namespace {

using namespace korvane;

void CheckCombs(const TCombsArray& combs) {
  for (const TComb& c : combs)
    for (uint8_t n : c) KORVANE_FUZZ_CHECK(n >= MinNum && n <= MaxNum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);

  try {
    const TCombsArray file = ParseCombFile(bytes);
    CheckCombs(file);
    const std::string written = CombsToFileText(file.data(), static_cast<int>(file.size()));
    KORVANE_FUZZ_CHECK(ParseCombFile(written) == file);
    CombList list;
    list.Assign(file);
    KORVANE_FUZZ_CHECK(list.Count() == static_cast<int>(file.size()));
  } catch (const Error&) {
  }

  try {
    const TCombsArray pasted = ParseClipText(bytes);
    CheckCombs(pasted);
    KORVANE_FUZZ_CHECK(ParseClipText(CombsToClipText(pasted)) == pasted);
  } catch (const Error&) {
  }
  return 0;
}
