#pragma once

// The card, layout and week views of the archive as grids of texts and colours, and the
// numbers of a selection of their cells for the grid filters.
//
// Every grid answers Text(row, col) and Colour(row, col) with row 0 the header row and
// column 0 the header column, as the window shows them.
//
// Colours are 0xRRGGBB, what the window paints as the cell's background (with dark text) and
// korvane-cli prints as #RRGGBB. GridNormal (not a colour: it has bits above 0xFFFFFF) leaves
// the grid's own colours: headers, empty cells, and number cells with colouring off.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/archive.h"

namespace korvane {

inline constexpr uint32_t GridNormal = 0xFFFFFFFFu;

using GridCell = std::pair<int, int>;  // row, column

// "Карта": row 0 the numbers "0".."9" over columns 1..10, then one row per draw of the whole
// archive, newest first (the offset does not apply): the draw number, and each drawn number
// in its column, once however often it was drawn. An empty archive gives two rows, the second
// empty. Each row keeps only its draw number and the set of its numbers; texts and colours
// are made when asked for.
class CardGrid {
 public:
  CardGrid() = default;
  explicit CardGrid(const TDrawsArray& draws);
  int Rows() const { return rows_.empty() ? 2 : static_cast<int>(rows_.size()) + 1; }
  static constexpr int Cols() { return 11; }
  std::string Text(int row, int col) const;
  // The colour of a number cell (row >= 1, column 1..10), GridNormal elsewhere:
  // with `runs` on, a number also drawn in the draw above or below is yellow when its draw
  // has a number in a neighbouring column, lime otherwise; a number with such a neighbour but
  // no run is aqua; then, with `channels` on, the channel colour of the number; else
  // GridNormal.
  uint32_t Colour(int row, int col, bool channels, bool runs, int channelSize) const;
  // The numbers of the draw in a row as bits 0..9; 0 for the header row and rows outside.
  uint16_t Numbers(int row) const {
    return row >= 1 && row <= static_cast<int>(rows_.size())
               ? rows_[static_cast<size_t>(row - 1)].numbers
               : uint16_t{0};
  }

 private:
  struct Row {
    int32_t number = 0;
    uint16_t numbers = 0;
  };
  std::vector<Row> rows_;  // newest first
};

// One number of the layout window: how often it was drawn and the newest draw that had it.
struct TShemaRec {
  int32_t number = 0;
  int32_t count = 0;
  int32_t lastDraw = 0;
  bool operator==(const TShemaRec&) const = default;
};
using TShemaArray = std::vector<TShemaRec>;

// The numbers of the `length` draws ending with list index `offset` (a length below 1 counts
// as 1, a window reaching past the oldest draw stops there; the offset is held within the
// archive), in the order of their first appearance, the newest draw first and each draw's
// numbers in draw order. A number drawn twice in a draw counts twice.
TShemaArray ShemaItems(const DrawArchive& archive, int offset, int length);

// "Схема": column 0 the counts (descending), row 0 the last draws (newest first); each number
// in the cell of its count and last draw, joined with ", " in the order of the items, "[n]"
// when the offset is above 0 and n is in the draw at list index offset - 1 (the known next
// draw). One draw 1;2;3 gives 2 x 2 cells: "1" (count), "<draw>", "1, 2, 3".
struct LayoutGrid {
  int rows = 2, cols = 2;
  std::vector<std::string> texts = std::vector<std::string>(4);  // row-major
  // The text of a cell; empty outside the grid.
  const std::string& Text(int row, int col) const;
  // Cells of row >= 1 and column >= 1: lime when the text holds "[", else with `gradient`
  // RGB(round(255 - row*155/rows), round(255 - col*155/cols), round(100 + row*155/rows)),
  // else a chequer of 5 x 5 blocks in #FFEAEA and #EAFFEA. GridNormal elsewhere.
  uint32_t Colour(int row, int col, bool gradient) const;
};
LayoutGrid BuildLayout(const DrawArchive& archive, int offset, int length);

// One of the five compare lists: rows of "Кол-во" and the numbers with that count (in the
// order of the items), counts descending by value.
struct CompareList {
  std::string caption;  // "<oldest> - <newest>" draw numbers of the window; empty archive: ""
  std::vector<std::pair<std::string, std::string>> rows;
};
CompareList BuildCompareList(const DrawArchive& archive, int offset, int length);
std::array<CompareList, 5> BuildCompareLists(const DrawArchive& archive, int offset,
                                             const std::array<int, 5>& lengths);

// "Неделя": how often each number was drawn on each weekday (1 Monday .. 7 Sunday) over the
// `length` draws ending with list index `offset`; a draw whose date text gives no date is
// skipped. Row 0 "0".."9", column 0 the weekday names; a count of 0 shows as an empty cell.
struct WeekGrid {
  std::array<std::array<int, 8>, 10> counts{};  // [number][weekday], weekday 0 unused
  int largest = 0;
  static constexpr int Rows() { return 8; }
  static constexpr int Cols() { return 11; }
  std::string Text(int row, int col) const;
  // Cells with a count: RGB(255, g, g), g = round(255 - count*255/largest); else GridNormal.
  uint32_t Colour(int row, int col) const;
};
WeekGrid BuildWeek(const DrawArchive& archive, int offset, int length);
extern const std::array<const char*, 7> WeekdayNames;  // "Пн" .. "Вс"

// The week chart: mode 1 the seven weekdays of the number in `col` (labelled with the weekday
// names), otherwise the ten numbers on the weekday in `row` (labelled "0".."9"); label and
// value of each point, 0 for an empty cell. A header column or row counts as the first.
std::vector<std::pair<std::string, int>> WeekChart(const WeekGrid& week, int mode, int col,
                                                   int row);

// Grid filters ---------------------------------------------------------------------------
// A selection is the list of its cells (row, column) in any order; a cell listed twice counts
// once. The filters walk it column by column from the left, within a column from the top.

// The card and layout filters take a selection whose left column is >= 1 and right column
// <= 10 (not the draw numbers or counts); an empty selection takes no filter.
bool GridFilterAllowed(const std::vector<GridCell>& cells);

// A number a grid filter keeps or removes, and its text in the applied-filters list; the
// numbers in walk order, each once. No number: the filter fails with
// "В выделенном диапазоне нет значений для фильтра!".
using GridNumbers = std::vector<std::pair<int, std::string>>;
// The distinct numbers written in the non-empty selected number cells of the card.
GridNumbers CardNumbers(const CardGrid& card, const std::vector<GridCell>& cells);
// Every number in the selected cells of the layout (row, column >= 1): each cell split at ","
// with "[" and "]" removed and blanks trimmed.
GridNumbers LayoutNumbers(const LayoutGrid& layout, const std::vector<GridCell>& cells);
// The numbers of the selected week columns 1..10 (column - 1), left to right.
GridNumbers WeekNumbers(const std::vector<int>& columns);

// The texts of the selected cells in walk order (card: number cells; layout: cells of row and
// column >= 1), empty ones included, as the card and layout filters read them.
std::vector<std::string> CardCellTexts(const CardGrid& card, const std::vector<GridCell>& cells);
std::vector<std::string> LayoutCellTexts(const LayoutGrid& layout,
                                         const std::vector<GridCell>& cells);

}  // namespace korvane
