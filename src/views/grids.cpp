#include "views/grids.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/dates.h"
#include "core/game.h"
#include "core/strutil.h"

namespace korvane {

namespace {

constexpr uint32_t kYellow = 0xFFFF00, kLime = 0x00FF00, kAqua = 0x00FFFF;

uint32_t Rgb(long r, long g, long b) {
  return static_cast<uint32_t>(std::clamp(r, 0L, 255L) << 16 | std::clamp(g, 0L, 255L) << 8 |
                               std::clamp(b, 0L, 255L));
}

// The archive indexes of the window of `length` draws ending with list index `offset`.
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

}  // namespace

CardGrid::CardGrid(const TDrawsArray& draws) : draws_(draws.rbegin(), draws.rend()) {}

bool CardGrid::Has(int row, int col) const {
  if (row < 1 || row > static_cast<int>(draws_.size()) || col < 1 || col > 10) return false;
  const TComb& n = draws_[static_cast<size_t>(row - 1)].nums;
  return std::find(n.begin(), n.end(), static_cast<uint8_t>(col - 1)) != n.end();
}

std::string CardGrid::Text(int row, int col) const {
  if (row == 0) return col == 0 ? std::string() : std::to_string(col - 1);
  if (row > static_cast<int>(draws_.size())) return {};
  if (col == 0) return std::to_string(draws_[static_cast<size_t>(row - 1)].number);
  return Has(row, col) ? std::to_string(col - 1) : std::string();
}

uint32_t CardGrid::Colour(int row, int col, bool channels, bool runs, int channelSize) const {
  if (row < 1 || col < 1 || col > 10 || row >= Rows()) return GridNormal;
  if (runs && Has(row, col)) {
    const bool side = (col > 1 && Has(row, col - 1)) || (col < 10 && Has(row, col + 1));
    if ((row > 1 && Has(row - 1, col)) || Has(row + 1, col)) return side ? kYellow : kLime;
    if (side) return kAqua;
  }
  return channels ? ChannelColor(col - 1, channelSize) : GridNormal;
}

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
  std::bitset<256> next;
  const bool bracket = offset > 0 && offset < archive.Count();
  if (bracket)
    for (uint8_t n : archive.AtList(offset - 1).nums) next.set(n);
  for (const TShemaRec& r : items) {
    const int row =
        static_cast<int>(std::find(counts.begin(), counts.end(), r.count) - counts.begin()) + 1;
    const int col =
        static_cast<int>(std::find(draws.begin(), draws.end(), r.lastDraw) - draws.begin()) + 1;
    std::string text = std::to_string(r.number);
    if (bracket && next.test(static_cast<size_t>(r.number))) text = "[" + text + "]";
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
    return Rgb(std::lrint(255.0 - row * 155.0 / rows), std::lrint(255.0 - col * 155.0 / cols),
               std::lrint(100.0 + row * 155.0 / rows));
  // 5 x 5 blocks: 1..5, 11..15, ..., 91..95 are in, the rest out.
  auto in = [](int k) { return k >= 1 && k <= 95 && (k - 1) % 10 < 5; };
  return in(col) != in(row) ? 0xFFEAEA : 0xEAFFEA;
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
      it->second += ", " + std::to_string(r.number);
    else
      rows.emplace_back(r.count, std::to_string(r.number));
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (auto& [count, numbers] : rows) list.rows.emplace_back(std::to_string(count), numbers);
  return list;
}

const std::array<const char*, 7> WeekdayNames = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

WeekGrid BuildWeek(const DrawArchive& archive, int offset, int length) {
  WeekGrid w;
  if (archive.Empty()) return w;
  const auto [oldest, last] = Window(archive, offset, length);
  for (int i = oldest; i <= last; ++i) {
    const TDrawRec& d = archive.Draws()[static_cast<size_t>(i)];
    int weekday = 0;
    try {
      const DateTime t = TextToDrawDate(d.DateText());
      if (DatePart(t).seconds <= 0) continue;  // no date, only a time of day
      int y = 0, m = 0, day = 0;
      DecodeDate(t, y, m, day);
      // Sakamoto's rule: 0 = Sunday .. 6 = Saturday; then Monday = 1 .. Sunday = 7.
      static constexpr int kShift[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
      if (m < 3) --y;
      const int sunday0 = (y + y / 4 - y / 100 + y / 400 + kShift[m - 1] + day) % 7;
      weekday = sunday0 == 0 ? 7 : sunday0;
    } catch (const std::exception&) {
      continue;  // an impossible date skips the draw
    }
    for (uint8_t n : d.nums)
      if (n <= 9) ++w.counts[n][static_cast<size_t>(weekday)];
  }
  for (const auto& number : w.counts)
    for (int c : number) w.largest = std::max(w.largest, c);
  return w;
}

std::string WeekGrid::Text(int row, int col) const {
  if (row == 0) return col == 0 ? std::string() : std::to_string(col - 1);
  if (col == 0) return row <= 7 ? WeekdayNames[static_cast<size_t>(row - 1)] : "";
  const int c = counts[static_cast<size_t>(col - 1)][static_cast<size_t>(row)];
  return c == 0 ? std::string() : std::to_string(c);
}

uint32_t WeekGrid::Colour(int row, int col) const {
  if (row < 1 || col < 1 || row > 7 || col > 10 || largest <= 0) return GridNormal;
  const int c = counts[static_cast<size_t>(col - 1)][static_cast<size_t>(row)];
  if (c == 0) return GridNormal;
  const long g = std::lrint(255.0 - c * 255.0 / largest);  // halves to even
  return Rgb(255, g, g);
}

std::vector<std::pair<std::string, int>> WeekChart(const WeekGrid& week, int mode, int col,
                                                   int row) {
  std::vector<std::pair<std::string, int>> points;
  if (mode == 1) {
    const int n = std::clamp(col, 1, 10) - 1;
    for (int d = 1; d <= 7; ++d)
      points.emplace_back(WeekdayNames[static_cast<size_t>(d - 1)],
                          week.counts[static_cast<size_t>(n)][static_cast<size_t>(d)]);
  } else {
    const int d = std::clamp(row, 1, 7);
    for (int n = 0; n <= 9; ++n)
      points.emplace_back(std::to_string(n),
                          week.counts[static_cast<size_t>(n)][static_cast<size_t>(d)]);
  }
  return points;
}

bool GridFilterAllowed(const std::vector<GridCell>& cells) {
  if (cells.empty()) return false;
  int left = 11, right = -1;
  for (const auto& [r, c] : cells) {
    left = std::min(left, c);
    right = std::max(right, c);
  }
  return left >= 1 && right <= 10;
}

std::vector<std::string> CardCellTexts(const CardGrid& card, const std::vector<GridCell>& cells) {
  std::vector<std::string> texts;
  for (const auto& [r, c] : cells)
    if (r >= 0 && r < card.Rows() && c >= 1 && c <= 10) texts.push_back(card.Text(r, c));
  return texts;
}

std::vector<std::string> LayoutCellTexts(const LayoutGrid& layout,
                                         const std::vector<GridCell>& cells) {
  std::vector<std::string> texts;
  for (const auto& [r, c] : cells)
    if (r >= 1 && r < layout.rows && c >= 1 && c < layout.cols) texts.push_back(layout.Text(r, c));
  return texts;
}

}  // namespace korvane
