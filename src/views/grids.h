#pragma once

// The card, layout and week views of the archive as grids of texts and colours, and the
// numbers of a selection of their cells for the grid filters.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/archive.h"

namespace korvane {

// Cell colours are 0xRRGGBB; GridNormal leaves the grid's own colour (headers, empty cells).
inline constexpr uint32_t GridNormal = 0xFFFFFFFFu;

using GridCell = std::pair<int, int>;  // row, column

// "Карта": row 0 the numbers "0".."9" over columns 1..10, then one row per draw of the whole
// archive, newest first: the draw number, and each drawn number in its column. The draws are
// copied; texts and colours are made when asked for.
class CardGrid {
 public:
  CardGrid() = default;
  explicit CardGrid(const TDrawsArray& draws);
  int Rows() const { return draws_.empty() ? 2 : static_cast<int>(draws_.size()) + 1; }
  static constexpr int Cols() { return 11; }
  std::string Text(int row, int col) const;
  // The colour of a number cell (row >= 1, column 1..10) with the channel and run colours on
  // or off; GridNormal elsewhere.
  uint32_t Colour(int row, int col, bool channels, bool runs, int channelSize) const;

 private:
  bool Has(int row, int col) const;  // the cell holds a number
  std::vector<TDrawRec> draws_;      // newest first
};

// One number of the layout window: how often it was drawn and the newest draw that had it.
struct TShemaRec {
  int32_t number = 0;
  int32_t count = 0;
  int32_t lastDraw = 0;
  bool operator==(const TShemaRec&) const = default;
};
using TShemaArray = std::vector<TShemaRec>;

// The numbers of the `length` draws ending with list index `offset`, newest first, in the
// order of their first appearance.
TShemaArray ShemaItems(const DrawArchive& archive, int offset, int length);

// "Схема": column 0 the counts (descending), row 0 the last draws (newest first); each number
// in the cell of its count and last draw, "[n]" when it is in the known next draw.
struct LayoutGrid {
  int rows = 2, cols = 2;
  std::vector<std::string> texts = std::vector<std::string>(4);  // row-major
  // The text of a cell; empty outside the grid.
  const std::string& Text(int row, int col) const;
  uint32_t Colour(int row, int col, bool gradient) const;
};
LayoutGrid BuildLayout(const DrawArchive& archive, int offset, int length);

// One of the five compare lists: "Кол-во" and the numbers with that count, counts descending.
struct CompareList {
  std::string caption;  // "<oldest> - <newest>" draw numbers of the window
  std::vector<std::pair<std::string, std::string>> rows;
};
CompareList BuildCompareList(const DrawArchive& archive, int offset, int length);

// "Неделя": how often each number was drawn on each weekday (1 Monday .. 7 Sunday).
struct WeekGrid {
  std::array<std::array<int, 8>, 10> counts{};  // [number][weekday]
  int largest = 0;
  static constexpr int Rows() { return 8; }
  static constexpr int Cols() { return 11; }
  std::string Text(int row, int col) const;
  uint32_t Colour(int row, int col) const;
};
WeekGrid BuildWeek(const DrawArchive& archive, int offset, int length);
extern const std::array<const char*, 7> WeekdayNames;  // "Пн" .. "Вс"

// The week chart: mode 1 the seven weekdays of the number in `col`, mode 0 the ten numbers
// on the weekday in `row`; label and value of each point.
std::vector<std::pair<std::string, int>> WeekChart(const WeekGrid& week, int mode, int col,
                                                   int row);

// The card and layout filters take cells of columns 1..10 only.
bool GridFilterAllowed(const std::vector<GridCell>& cells);
// The texts of the selected cells in walk order, as the grid filters read them.
std::vector<std::string> CardCellTexts(const CardGrid& card, const std::vector<GridCell>& cells);
std::vector<std::string> LayoutCellTexts(const LayoutGrid& layout,
                                         const std::vector<GridCell>& cells);

}  // namespace korvane
