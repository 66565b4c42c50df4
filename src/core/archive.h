#pragma once

// The draw archive: every past draw, oldest first, mirrored in the archive file.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/fileio.h"
#include "core/game.h"

namespace korvane {

// The archive index of the draw with this number, or -1: an estimate from the first and last
// numbers, a walk from there, and a full scan when the walk fails.
int IndexOfDrawNumber(const TDrawsArray& draws, int32_t number);

// Columns of the archive list.
inline constexpr int ArchiveColumnCount = 6;
const std::array<std::string, ArchiveColumnCount>& ArchiveColumnCaptions();

class DrawArchive {
 public:
  const TDrawsArray& Draws() const { return draws_; }
  int Count() const { return static_cast<int>(draws_.size()); }
  bool Empty() const { return draws_.empty(); }
  // The draw at a list index (0 = newest).
  const TDrawRec& AtList(int listIndex) const {
    return draws_[static_cast<size_t>(ListToIndex(listIndex))];
  }
  int ListToIndex(int listIndex) const { return Count() - 1 - listIndex; }

  // The file ----------------------------------------------------------------------------
  void SetPath(fs::path path) { path_ = std::move(path); }
  const fs::path& Path() const { return path_; }
  // Reads the file (a missing file gives an empty archive). A read error or an invalid
  // record keeps the records read before it, throws Error, and marks the archive as not
  // loaded: from then on Save refuses to touch the file.
  void Load();
  // Rewrites the file completely (through a temporary file). Throws Error.
  void Save() const;
  bool LoadFailed() const { return loadFailed_; }
  // Reading and writing the record form of the file.
  static std::string Serialize(const TDrawsArray& draws);
  // Decodes the records of a file image; stops at the first invalid record with an Error
  // (the records before it are in `out`). Trailing bytes that do not fill a record are ignored.
  static void Deserialize(std::string_view bytes, TDrawsArray& out);

  // Changes (the caller saves) ------------------------------------------------------------
  void Append(const TDrawRec& draw);
  void AppendAll(const TDrawsArray& draws);
  void Replace(int index, const TDrawRec& draw);  // archive index
  // Throws Error "Запись со индексом %d в файле данных не найдена!" for a bad index.
  void DeleteDrawAt(int index);
  // Deletes the draws shown at the given list rows: rows are turned into archive indexes
  // first (draw numbers may repeat) and removed from the highest index down. Returns how many
  // were removed.
  int DeleteListRows(const std::vector<int>& listRows);
  void ClearDraws();

  // Look-ups ----------------------------------------------------------------------------
  int IndexOfDrawNumber(int32_t number) const { return korvane::IndexOfDrawNumber(draws_, number); }
  // Archive index of the newest of the last n draws (all when n <= 0) with that date text
  // (case-insensitive), or -1.
  int IndexOfDrawDate(std::string_view dateText, int lastN) const;
  // The number after the draw at the list index (1 for an empty archive, -1 for an index
  // outside the list); after the largest number, that number itself.
  int NextDrawNumber(int listIndex) const;
  TComb DrawNumbersAt(int listIndex) const;
  std::string NextDrawNumbersText(int offset) const;
  int DrawDateIntAt(int listIndex, int days) const;

  // Grows with every change of the draws (load, append, edit, delete, clear).
  uint64_t Revision() const { return revision_; }

  // The offset: the number of newest draws every analysis treats as not yet drawn ---------
  int DrawsOffset() const { return offset_; }
  // Clamps into 0..count - 1; returns true when the offset changed.
  bool SetDrawsOffset(int offset);
  // The numbers of the draw to be predicted when it is known (0 < offset < count).
  const std::bitset<256>& KnownNextDraw() const { return knownNext_; }
  // Rebuilds the known next draw and clamps the offset after the archive changed.
  void Refresh();

  // The archive list row at a list index: texts of the six columns.
  std::array<std::string, ArchiveColumnCount> RowTexts(int listIndex, bool sorted) const;

 private:
  void ClampOffset();
  void Changed() { ++revision_; }

  fs::path path_;
  TDrawsArray draws_;
  bool loadFailed_ = false;
  int offset_ = 0;
  uint64_t revision_ = 0;
  std::bitset<256> knownNext_;
};

}  // namespace korvane
