// The spreadsheet export of the main window's views.

#include "app/dialogue.h"
#include "app/export_views.h"
#include "app/workspace.h"
#include "core/dates.h"
#include "core/strutil.h"
#include "export/texts.h"
#include "filters/texts.h"
#include "stakes/texts.h"
#include "views/grids.h"

namespace korvane {

const std::array<ExportViewInfo, 7>& ExportViews() {
  static const std::array<ExportViewInfo, 7> views = {{
      {ExportView::Draws, "draws", "lvDraws", "Архив тиражей"},
      {ExportView::Stats, "stats", "lvDrawsStat", "Статистика"},
      {ExportView::Combs, "combs", "lvCombs", "Комбинации"},
      {ExportView::Stakes, "stakes", "sgStakes", "Ставки"},
      {ExportView::Ratings, "ratings", "lvRatings", "Рейтинг"},
      {ExportView::Card, "card", "sgCard", "Карта"},
      {ExportView::Layout, "layout", "sgLayout", "Схема"},
  }};
  return views;
}

const ExportViewInfo& ExportViewOf(ExportView view) {
  return ExportViews()[static_cast<size_t>(view)];
}

namespace {

// The creation time line's date and time: dd.mm.yyyy hh:mm:ss.
std::string DateTimeText(DateTime t) {
  int y = 0, m = 0, d = 0;
  DecodeDate(t, y, m, d);
  const int64_t s = TimeOfDaySeconds(t);
  return Format("%02d.%02d.%04d %02d:%02d:%02d", d, m, y, static_cast<int>(s / 3600),
                static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
}

// A text grid: row 0 is the header.
template <class Text>
ExportTable GridTable(int rows, int cols, Text text) {
  ExportTable t;
  for (int c = 0; c < cols; ++c) {
    t.captions.push_back(text(0, c));
    t.aligns.push_back(0);
  }
  for (int r = 1; r < rows; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < cols; ++c) row.push_back(text(r, c));
    t.rows.push_back(std::move(row));
  }
  return t;
}

}  // namespace

ExportTable Workspace::ExportTableOf(ExportView view) const {
  ExportTable t;
  switch (view) {
    case ExportView::Draws: {
      for (const std::string& c : ArchiveColumnCaptions()) t.captions.push_back(c);
      t.aligns = {1, 2, 2, 2, 2, 0};
      for (int i = 0; i < archive_.Count(); ++i) {
        const auto cells = archive_.RowTexts(i, View().sortedDraws);
        t.rows.emplace_back(cells.begin(), cells.end());
      }
      break;
    }
    case ExportView::Stats: {
      for (const char* c : StatColumnCaptions()) {
        t.captions.emplace_back(c);
        t.aligns.push_back(t.aligns.empty() ? 0 : 1);
      }
      for (const StatRow& row : Stats().Rows())
        t.rows.emplace_back(row.texts.begin(), row.texts.end());
      break;
    }
    case ExportView::Combs: {
      t.captions = {texts::ColCombNo, "1", "2", "3", "S"};
      t.aligns = {1, 2, 2, 2, 2};
      const CombList& combs = Combs();
      for (int i = 0; i < combs.Count(); ++i) {
        const TComb& c = combs.At(i);
        t.rows.push_back({std::to_string(i + 1), std::to_string(c[0]), std::to_string(c[1]),
                          std::to_string(c[2]), std::to_string(SumOf(c))});
      }
      break;
    }
    case ExportView::Stakes: {
      for (const char* c : texts::StakeColumns) {
        t.captions.emplace_back(c);
        t.aligns.push_back(0);
      }
      for (int i = 0; i < Stakes().Count(); ++i) t.rows.push_back(StakeRowTexts(Stakes().Read(i)));
      break;
    }
    case ExportView::Ratings: {
      for (const char* c : texts::RatingColumns) {
        t.captions.emplace_back(c);
        t.aligns.push_back(t.aligns.empty() ? 0 : 1);
      }
      for (const TRatingRec& row : RatingRows().Rows()) {
        std::vector<std::string> cells;
        for (int c = 0; c < RatingColumnCount; ++c)
          cells.push_back(RatingCellText(row, static_cast<RatingColumn>(c), ratings_.Mode()));
        t.rows.push_back(std::move(cells));
      }
      break;
    }
    case ExportView::Card: {
      const CardGrid card(archive_.Draws());
      t = GridTable(card.Rows(), CardGrid::Cols(), [&](int r, int c) { return card.Text(r, c); });
      break;
    }
    case ExportView::Layout: {
      const LayoutGrid g = BuildLayout(archive_, DrawsOffset(), View().layoutLen);
      t = GridTable(g.rows, g.cols, [&](int r, int c) { return g.Text(r, c); });
      break;
    }
  }
  return t;
}

ExportSettings Workspace::ExportDefaults(ExportView view, const ExportTable& table,
                                         const std::vector<int>& pixelWidths, bool selected) {
  const ExportViewInfo& info = ExportViewOf(view);
  ExportSettings s;
  s.title = info.title;
  s.sheetName = info.title;
  s.sendMode = selected ? 1 : 0;
  for (size_t c = 0; c < table.captions.size(); ++c) {
    ExportField f;
    f.columnId = static_cast<int>(c);
    f.align = c < table.aligns.size() ? table.aligns[c] : 0;
    f.caption = table.captions[c];
    f.physicalName = table.captions[c];
    const int px = c < pixelWidths.size() ? pixelWidths[c] : 80;
    f.width = ExportWidthText(px / 8.0);
    s.fields.push_back(std::move(f));
  }
  settings_.LoadExportParams(
      ExportSectionName("FormMain", info.control), s,
      [this](const std::string& e) { host_.showMessage(MessageKind::Error, e); });
  NormalizeExportFields(s.fields);
  return s;
}

bool Workspace::ExportWorkbook(ExportView view, const ExportSettings& settings,
                               const std::vector<int>& rows, const fs::path& file,
                               bool storeSettings) {
  BusyScope busy(busy_, texts::ExportCaption);
  const ExportViewInfo& info = ExportViewOf(view);
  // The settings are always kept; the restore flag decides whether they come back next time.
  if (storeSettings)
    settings_.StoreExportParams(ExportSectionName("FormMain", info.control), settings);
  return Guarded(host_, texts::ExportError, [&] {
    ExportTable table = ExportTableOf(view);
    ExportRows data;
    if (settings.sendMode == 1) {
      for (int r : rows)
        if (r >= 0 && r < static_cast<int>(table.rows.size()))
          data.rows.push_back(std::move(table.rows[static_cast<size_t>(r)]));
    } else {
      data.rows = std::move(table.rows);
    }
    WriteExportWorkbook(file, settings, data, DateTimeText(Now()));
  });
}

}  // namespace korvane
