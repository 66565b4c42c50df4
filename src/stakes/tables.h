#pragma once

// Regular stakes: named rules that make one stake per draw by shifting a combination (every
// position by the same step, wrapping within 0..9), and their file Korvane.ltb.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/archive.h"
#include "core/fileio.h"
#include "core/game.h"

namespace korvane {

struct TTableData {
  std::string name;  // UTF-8; at most 255 single-byte characters on disk
  // 0: the step is applied to the regular's own current combination (a running sequence from
  // start); 1: to the numbers of the draw before the stake's draw.
  uint8_t fromDraw = 0;
  TComb start{};       // draw order
  TComb current{};     // the combination of the last stake made; start after creation
  int32_t step = 1;    // -9..9
  int32_t stakes = 0;  // stakes made from it
  bool operator==(const TTableData&) const = default;
};
using TTablesArray = std::vector<TTableData>;

inline constexpr int TableMinStep = -9;
inline constexpr int TableMaxStep = 9;
// The longest comment (name) the regular's dialog takes, in characters.
inline constexpr int TableNameMaxChars = 64;

// The record: 256 name (length byte, Windows-1251 bytes, zeros), 256 fromDraw, 257 start,
// 260 current, 263 reserved 0, 264 int32 step, 268 int32 stakes; little-endian.
inline constexpr size_t TableRecSize = 272;
void EncodeTableRec(const TTableData& r, uint8_t* out);  // writes TableRecSize bytes
TTableData DecodeTableRec(const uint8_t* in);            // reads TableRecSize bytes, as they are

// What is out of range in a regular (a text for messages), or nullptr when nothing is.
const char* TableDataProblem(const TTableData& r);

// The regulars of the file Korvane.ltb: records one after another, no header.
class Tables {
 public:
  const TTablesArray& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }

  // Reads every record (a missing file gives no regulars). A record out of range, or a size
  // that is not a whole number of records, throws Error naming the record; the regulars read
  // before it stay, and the next Save keeps a copy of the file as it was (Backup()) before it
  // writes over it.
  void Load(const fs::path& path);
  // Writes all records through a temporary file renamed over the old one. Throws Error.
  void Save(const fs::path& path);
  bool LoadFailed() const { return loadFailed_; }
  // The copy of a file that failed to load, made by the Save after it (empty when none).
  const fs::path& Backup() const { return backup_; }

  // Add and Replace throw Error for a regular out of range; Delete and Replace for an index
  // outside the list.
  void Add(TTableData r);
  void Delete(int index);
  void Replace(int index, TTableData r);
  void Clear();

  // The file image of regulars, and back (stops with Error at the first bad record, the
  // records before it are in `out`).
  static std::string Serialize(const TTablesArray& rows);
  static void Deserialize(std::string_view bytes, TTablesArray& out);

 private:
  TTablesArray rows_;
  bool loadFailed_ = false;
  fs::path loadedPath_;
  fs::path backup_;
};

// Makes the regular's next stake: the step applied to the numbers of the draw at list index
// `offset` (0 = newest; 0,0,0 when there is none) for a regular from draws, otherwise to its
// current combination; the result becomes current and the stake count grows by one
// (saturating).
void TablesAdvance(TTableData& r, const DrawArchive& archive, int offset);

// The selected combinations: the position in the combination list (from 1) and the combination.
using TSelectedCombs = std::vector<std::pair<int, TComb>>;

// The record the regular's dialog opens with: the default name, step 1, a fixed start, the
// number of selected combinations in `stakes`, and the combination as start when exactly one
// is selected.
TTableData PrepareRegular(const TSelectedCombs& selected);

// The regular's dialog on OK.
struct TableDialogInput {
  std::string comment;
  bool fixedStart = true;  // the first radio: a fixed start combination
  std::string startText;
  int step = 1;
};
enum class TableDialogField { None, Start, Comment };
struct TableDialogResult {
  std::string error;  // empty: accepted, `record` holds the regular
  TableDialogField field = TableDialogField::None;
  TTableData record;
  bool Ok() const { return error.empty(); }
};
// Checks the input in the dialog's order (the start combination when a fixed start is chosen
// for a single prepared combination; a comment; a comment no regular has, ignoring letter case)
// and fills the record: the trimmed comment cut to TableNameMaxChars characters as its name,
// fromDraw, the step (clamped to -9..9), and start read from the text when prepared.stakes is
// 1 (otherwise prepared.start). The prepared stake count stays in `stakes`.
TableDialogResult AcceptTableDialog(const TTableData& prepared, const TableDialogInput& in,
                                    const std::vector<std::string>& existingNames);

// The regulars the dialog's record makes: one (stakes 0, current = start) for a regular from
// draws or a single selection; otherwise one per selected combination in list order, named
// "<name> (<position>)", starting from that combination; none without a selection.
std::vector<TTableData> MakeRegulars(const TTableData& fromDialog, const TSelectedCombs& selected);

}  // namespace korvane
