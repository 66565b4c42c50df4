#pragma once

// What the program computes from an archive right after reading or importing draws: the list
// rows, the number look-ups, the status-bar texts and the offset.

#include <cstdint>

#include "core/archive.h"
#include "core/csv.h"
#include "fuzz_support.h"

namespace korvane::fuzz {

inline void ExerciseArchive(DrawArchive& archive) {
  const int count = archive.Count();
  for (int i = 0; i < count; ++i) {
    (void)archive.RowTexts(i, false);
    (void)archive.RowTexts(i, true);
    (void)archive.DrawDateIntAt(i, 1);
    (void)archive.DrawDateIntAt(i, -1);
    // Draw numbers need not be ordered nor unique: the look-up still finds one of them.
    const int32_t number = archive.AtList(i).number;
    const int at = archive.IndexOfDrawNumber(number);
    KORVANE_FUZZ_CHECK(at >= 0 && at < count);
    KORVANE_FUZZ_CHECK(archive.Draws()[static_cast<size_t>(at)].number == number);
  }
  if (count > 0) (void)archive.IndexOfDrawDate(archive.AtList(count - 1).DateText(), 10);
  for (int offset : {0, 1, count / 2, count - 1}) {
    archive.SetDrawsOffset(offset);
    const int o = archive.DrawsOffset();
    KORVANE_FUZZ_CHECK(o >= 0 && (o < count || o == 0));
    (void)archive.NextDrawNumber(o);
    if (o == 0) (void)NewDrawProposal(archive);
    (void)archive.NextDrawNumbersText(o);
    (void)archive.DrawNumbersAt(o);
  }
}

}  // namespace korvane::fuzz
