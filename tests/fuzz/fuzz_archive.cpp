// The draw archive Korvane.ldr: 20-byte records, read through a file as at start-up.
//
// A bad record is an Error that keeps the records before it; whatever was read must then
// serve the list and the look-ups, and a good file must be written back byte for byte.

#include <cstddef>
#include <cstdint>

#include "archive_views.h"
#include "core/archive.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvane;
  const std::string_view bytes = fuzz::AsText(data, size);
  DrawArchive archive;
  archive.SetPath(fuzz::Scratch().Put("Korvane.ldr", bytes));
  bool loaded = false;
  try {
    archive.Load();
    loaded = true;
  } catch (const Error&) {
    KORVANE_FUZZ_CHECK(archive.LoadFailed());
  }
  KORVANE_FUZZ_CHECK(static_cast<size_t>(archive.Count()) <= size / DrawRecSize);
  if (loaded) {
    // Trailing bytes that do not fill a record are dropped, the rest is kept as it was.
    const size_t whole = size / DrawRecSize * DrawRecSize;
    KORVANE_FUZZ_CHECK(DrawArchive::Serialize(archive.Draws()) == bytes.substr(0, whole));
  }
  try {
    fuzz::ExerciseArchive(archive);
  } catch (const Error&) {
  }
  return 0;
}
