// Draw files in CSV form (import-csv, Архив тиражей → Импорт из CSV-файла).
//
// The bytes are read against an empty archive and against a small one (4-field lines are
// numbered after it, known numbers are duplicates). What an import accepts must survive the
// archive file and an export: the draws are written as records and as CSV and read back. Then
// the archive with the new draws serves the list and the look-ups.

#include <cstddef>
#include <cstdint>

#include "archive_views.h"
#include "core/archive.h"
#include "core/csv.h"
#include "fuzz_support.h"

namespace {

using namespace korvane;

const DrawArchive& SmallArchive() {
  static const DrawArchive archive = [] {
    DrawArchive a;
    for (int32_t n = 1; n <= 5; ++n) {
      TDrawRec d;
      d.number = n * 2;
      d.nums = {static_cast<uint8_t>(n), 0, 9};
      d.SetDateText(n % 2 ? "03/07/2021 M" : "03/07/2021 E");
      a.Append(d);
    }
    return a;
  }();
  return archive;
}

void Import(std::string_view bytes, const DrawArchive& archive) {
  const CsvImport imp = ParseDrawsCsv(bytes, archive);
  (void)RejectedLinesText(imp.rejected);
  for (const TDrawRec& d : imp.draws) {
    KORVANE_FUZZ_CHECK(d.number > 0);
    KORVANE_FUZZ_CHECK(archive.IndexOfDrawNumber(d.number) < 0);
  }

  // The archive file keeps every accepted draw.
  TDrawsArray reloaded;
  DrawArchive::Deserialize(DrawArchive::Serialize(imp.draws), reloaded);
  KORVANE_FUZZ_CHECK(reloaded == imp.draws);

  // An export of them reads back as the same draws.
  const DrawArchive empty;
  const CsvImport again = ParseDrawsCsv(DrawsToCsv(imp.draws), empty);
  KORVANE_FUZZ_CHECK(again.rejected.empty());
  KORVANE_FUZZ_CHECK(again.duplicates == 0);
  KORVANE_FUZZ_CHECK(again.draws == imp.draws);

  // The archive after the import, as the window and the command line then use it.
  DrawArchive after = archive;
  after.AppendAll(imp.draws);
  fuzz::ExerciseArchive(after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  try {
    Import(bytes, DrawArchive());
    Import(bytes, SmallArchive());
  } catch (const Error&) {
  }
  return 0;
}
