#include "views/grids.h"

#include <algorithm>
#include <cmath>

#include "core/dates.h"
#include "core/error.h"
#include "core/game.h"
#include "core/strutil.h"

namespace korvane {

namespace {

constexpr uint32_t kYellow = 0xFFFF00, kLime = 0x00FF00, kAqua = 0x00FFFF;
constexpr uint32_t kChequerOdd = 0xFFEAEA, kChequerEven = 0xEAFFEA;
constexpr uint16_t kAllNumbers = 0x3FF;

// Rounding as the views always rounded: halves to the even neighbour.
long RoundHalfEven(double v) { return std::lrint(v); }

uint32_t Rgb(long r, long g, long b) {
  return static_cast<uint32_t>(std::clamp(r, 0L, 255L) << 16 | std::clamp(g, 0L, 255L) << 8 |
                               std::clamp(b, 0L, 255L));
}

// The archive indexes (oldest, newest) of the window of `length` draws ending with list index
// `offset`. The archive is not empty.
std::pair<int, int> Window(const DrawArchive& archive, int offset, int length) {
  const int last = archive.ListToIndex(std::clamp(offset, 0, archive.Count() - 1));
  return {std::max(0, last - std::max(length, 1) + 1), last};
}

void AddShema(TShemaArray& items, uint8_t number, int32_t draw) {
  for (TShemaRec& r : items)
    if (r.number == number) {
      ++r.count;
      return;
    }
  items.push_back({number, 1, draw});
}

// The weekday of a draw date text, 1 Monday .. 7 Sunday; 0 when the text gives no date.
int WeekdayOf(const TDrawRec& d) {
  DateTime t;
  try {
    t = TextToDrawDate(d.DateText());
  } catch (const Error&) {
    return 0;  // a day that does not exist in its month
  }
  const int64_t days = DatePart(t).seconds / SecondsPerDay;
  if (days <= 0) return 0;  // no date, at most a time of day
  // Day 0, 30 December 1899, was a Saturday.
  return static_cast<int>((days + 5) % 7) + 1;
}

// A selection in walk order: column by column from the left, within a column from the top;
// each cell once.
std::vector<GridCell> WalkOrder(const std::vector<GridCell>& cells) {
  std::vector<GridCell> walk = cells;
  std::sort(walk.begin(), walk.end(), [](const GridCell& a, const GridCell& b) {
    return a.second != b.second ? a.second < b.second : a.first < b.first;
  });
  walk.erase(std::unique(walk.begin(), walk.end()), walk.end());
  return walk;
}

void AddNumber(GridNumbers& numbers, int n, std::string text) {
  for (const auto& e : numbers)
    if (e.first == n) return;
  numbers.emplace_back(n, std::move(text));
}

}  // namespace

// Card -----------------------------------------------------------------------------------------

CardGrid::CardGrid(const TDrawsArray& draws) {
  rows_.resize(draws.size());
  auto row = rows_.begin();
  for (auto d = draws.rbegin(); d != draws.rend(); ++d, ++row) {
    row->number = d->number;
    for (uint8_t n : d->nums)
      if (n <= 9) row->numbers = static_cast<uint16_t>(row->numbers | 1u << n);
  }
}

std::string CardGrid::Text(int row, int col) const {
  if (col < 0 || col >= Cols()) return {};
  if (row == 0) return col == 0 ? std::string() : NumToText(col - 1);
  if (row < 1 || row > static_cast<int>(rows_.size())) return {};
  if (col == 0) return std::to_string(rows_[static_cast<size_t>(row - 1)].number);
  return Numbers(row) >> (col - 1) & 1u ? NumToText(col - 1) : std::string();
}

uint32_t CardGrid::Colour(int row, int col, bool channels, bool runs, int channelSize) const {
  if (row < 1 || col < 1 || col > 10 || row >= Rows()) return GridNormal;
  const uint16_t own = Numbers(row);
  const auto bit = static_cast<uint16_t>(1u << (col - 1));
  if (runs && (own & bit)) {
    // The cells to the left and right: the numbers col - 2 and col (none beyond 0 and 9).
    const bool side = (own & (bit >> 1 | bit << 1) & kAllNumbers) != 0;
    // Above only from row 2: row 0 is the header.
    const bool run = ((row > 1 ? Numbers(row - 1) : 0) | Numbers(row + 1)) & bit;
    if (run) return side ? kYellow : kLime;
    if (side) return kAqua;
  }
  return channels ? ChannelColor(col - 1, channelSize) : GridNormal;
}

// Layout ---------------------------------------------------------------------------------------

TShemaArray ShemaItems(const DrawArchive& archive, int offset, int length) {
  TShemaArray items;
  if (archive.Empty()) return items;
  const auto [oldest, last] = Window(archive, offset, length);
  for (int i = last; i >= oldest; --i) {
    const TDrawRec& d = archive.Draws()[static_cast<size_t>(i)];
    for (uint8_t n : d.nums) AddShema(items, n, d.number);
  }
  return items;
}

LayoutGrid BuildLayout(const DrawArchive& archive, int offset, int length) {
  LayoutGrid g;
  g.texts.assign(4, std::string());
  const TShemaArray items = ShemaItems(archive, offset, length);
  if (items.empty()) return g;
  std::vector<int32_t> counts, draws;
  for (const TShemaRec& r : items) {
    counts.push_back(r.count);
    draws.push_back(r.lastDraw);
  }
  auto keys = [](std::vector<int32_t>& v) {
    std::sort(v.begin(), v.end(), std::greater<>());
    v.erase(std::unique(v.begin(), v.end()), v.end());
  };
  keys(counts);
  keys(draws);
  g.rows = static_cast<int>(counts.size()) + 1;
  g.cols = static_cast<int>(draws.size()) + 1;
  g.texts.assign(static_cast<size_t>(g.rows * g.cols), std::string());
  for (int r = 1; r < g.rows; ++r)
    g.texts[static_cast<size_t>(r * g.cols)] = std::to_string(counts[static_cast<size_t>(r - 1)]);
  for (int c = 1; c < g.cols; ++c)
    g.texts[static_cast<size_t>(c)] = std::to_string(draws[static_cast<size_t>(c - 1)]);
  // Looking back from an offset, the draw after the window is known: its numbers stand out.
  offset = std::clamp(offset, 0, archive.Count() - 1);
  std::bitset<256> next;
  if (offset > 0)
    for (uint8_t n : archive.AtList(offset - 1).nums) next.set(n);
  for (const TShemaRec& r : items) {
    const int row =
        static_cast<int>(std::find(counts.begin(), counts.end(), r.count) - counts.begin()) + 1;
    const int col =
        static_cast<int>(std::find(draws.begin(), draws.end(), r.lastDraw) - draws.begin()) + 1;
    std::string text = NumToText(r.number);
    if (next.test(static_cast<size_t>(r.number))) text = "[" + text + "]";
    std::string& cell = g.texts[static_cast<size_t>(row * g.cols + col)];
    cell += cell.empty() ? text : ", " + text;
  }
  return g;
}

const std::string& LayoutGrid::Text(int row, int col) const {
  static const std::string none;
  if (row < 0 || col < 0 || row >= rows || col >= cols) return none;
  const auto at = static_cast<size_t>(row * cols + col);
  return at < texts.size() ? texts[at] : none;
}

uint32_t LayoutGrid::Colour(int row, int col, bool gradient) const {
  if (row < 1 || col < 1 || row >= rows || col >= cols) return GridNormal;
  if (Text(row, col).find('[') != std::string::npos) return kLime;
  if (gradient)
    return Rgb(RoundHalfEven(255.0 - row * 155.0 / rows), RoundHalfEven(255.0 - col * 155.0 / cols),
               RoundHalfEven(100.0 + row * 155.0 / rows));
  // 5 x 5 blocks: 1..5, 11..15, ..., 91..95 are in, the rest out.
  auto in = [](int k) { return k >= 1 && k <= 95 && (k - 1) % 10 < 5; };
  return in(col) != in(row) ? kChequerOdd : kChequerEven;
}

CompareList BuildCompareList(const DrawArchive& archive, int offset, int length) {
  CompareList list;
  if (archive.Empty()) return list;
  const auto [oldest, last] = Window(archive, offset, length);
  list.caption = std::to_string(archive.Draws()[static_cast<size_t>(oldest)].number) + " - " +
                 std::to_string(archive.Draws()[static_cast<size_t>(last)].number);
  std::vector<std::pair<int32_t, std::string>> rows;
  for (const TShemaRec& r : ShemaItems(archive, offset, length)) {
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const auto& row) { return row.first == r.count; });
    if (it != rows.end())
      it->second += ", " + NumToText(r.number);
    else
      rows.emplace_back(r.count, NumToText(r.number));
  }
  // Each count has one row: the order is the counts' alone.
  std::sort(rows.begin(), rows.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  for (auto& [count, numbers] : rows) list.rows.emplace_back(std::to_string(count), numbers);
  return list;
}

std::array<CompareList, 5> BuildCompareLists(const DrawArchive& archive, int offset,
                                             const std::array<int, 5>& lengths) {
  std::array<CompareList, 5> lists;
  for (size_t i = 0; i < lists.size(); ++i)
    lists[i] = BuildCompareList(archive, offset, lengths[i]);
  return lists;
}

// Week -----------------------------------------------------------------------------------------

const std::array<const char*, 7> WeekdayNames = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

WeekGrid BuildWeek(const DrawArchive& archive, int offset, int length) {
  WeekGrid w;
  if (archive.Empty()) return w;
  const auto [oldest, last] = Window(archive, offset, length);
  for (int i = oldest; i <= last; ++i) {
    const TDrawRec& d = archive.Draws()[static_cast<size_t>(i)];
    const int weekday = WeekdayOf(d);
    if (weekday == 0) continue;
    for (uint8_t n : d.nums)
      if (n <= 9) ++w.counts[n][static_cast<size_t>(weekday)];
  }
  for (const auto& number : w.counts)
    for (int c : number) w.largest = std::max(w.largest, c);
  return w;
}

std::string WeekGrid::Text(int row, int col) const {
  if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return {};
  if (row == 0) return col == 0 ? std::string() : NumToText(col - 1);
  if (col == 0) return WeekdayNames[static_cast<size_t>(row - 1)];
  const int c = counts[static_cast<size_t>(col - 1)][static_cast<size_t>(row)];
  return c == 0 ? std::string() : std::to_string(c);
}

uint32_t WeekGrid::Colour(int row, int col) const {
  if (row < 1 || col < 1 || row >= Rows() || col >= Cols() || largest <= 0) return GridNormal;
  const int c = counts[static_cast<size_t>(col - 1)][static_cast<size_t>(row)];
  if (c == 0) return GridNormal;
  const long g = RoundHalfEven(255.0 - c * 255.0 / largest);
  return Rgb(255, g, g);
}

std::vector<std::pair<std::string, int>> WeekChart(const WeekGrid& week, int mode, int col,
                                                   int row) {
  std::vector<std::pair<std::string, int>> points;
  if (mode == 1) {
    const auto n = static_cast<size_t>(std::clamp(col, 1, 10) - 1);
    for (int d = 1; d <= 7; ++d)
      points.emplace_back(WeekdayNames[static_cast<size_t>(d - 1)],
                          week.counts[n][static_cast<size_t>(d)]);
  } else {
    const auto d = static_cast<size_t>(std::clamp(row, 1, 7));
    for (int n = 0; n <= 9; ++n)
      points.emplace_back(NumToText(n), week.counts[static_cast<size_t>(n)][d]);
  }
  return points;
}

// Grid filters ---------------------------------------------------------------------------------

bool GridFilterAllowed(const std::vector<GridCell>& cells) {
  if (cells.empty()) return false;
  int left = cells.front().second, right = left;
  for (const auto& [r, c] : cells) {
    left = std::min(left, c);
    right = std::max(right, c);
  }
  return left >= 1 && right <= 10;
}

std::vector<std::string> CardCellTexts(const CardGrid& card, const std::vector<GridCell>& cells) {
  std::vector<std::string> texts;
  for (const auto& [r, c] : WalkOrder(cells))
    if (r >= 1 && r < card.Rows() && c >= 1 && c <= 10) texts.push_back(card.Text(r, c));
  return texts;
}

std::vector<std::string> LayoutCellTexts(const LayoutGrid& layout,
                                         const std::vector<GridCell>& cells) {
  std::vector<std::string> texts;
  for (const auto& [r, c] : WalkOrder(cells))
    if (r >= 1 && r < layout.rows && c >= 1 && c < layout.cols) texts.push_back(layout.Text(r, c));
  return texts;
}

GridNumbers CardNumbers(const CardGrid& card, const std::vector<GridCell>& cells) {
  GridNumbers numbers;
  for (const std::string& text : CardCellTexts(card, cells))
    if (!text.empty()) AddNumber(numbers, IntOrZero(text), text);
  return numbers;
}

GridNumbers LayoutNumbers(const LayoutGrid& layout, const std::vector<GridCell>& cells) {
  GridNumbers numbers;
  for (const std::string& text : LayoutCellTexts(layout, cells)) {
    if (text.empty()) continue;
    for (std::string_view word : SplitAny(text, ",")) {
      std::string clean;
      for (char c : word)
        if (c != '[' && c != ']') clean += c;
      clean = std::string(Trim(clean));
      AddNumber(numbers, IntOrZero(clean), clean);
    }
  }
  return numbers;
}

GridNumbers WeekNumbers(const std::vector<int>& columns) {
  std::vector<int> sorted = columns;
  std::sort(sorted.begin(), sorted.end());
  GridNumbers numbers;
  for (int k : sorted)
    if (k >= 1 && k <= 10) AddNumber(numbers, k - 1, NumToText(k - 1));
  return numbers;
}

}  // namespace korvane
