#include "export/export.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/strutil.h"
#include "export/texts.h"
#include "support/test_support.h"

namespace korvane {
namespace {

ExportField Field(int id, const std::string& name, bool checked = true) {
  return {id, 0, name, checked, "10.00", name};
}

std::vector<int> Ids(const std::vector<ExportField>& fields) {
  std::vector<int> ids;
  for (const ExportField& f : fields) ids.push_back(f.columnId);
  return ids;
}

TEST(ExportFields, CheckedFieldsLead) {
  std::vector<ExportField> f = {Field(0, "a", false), Field(1, "b"), Field(2, "c", false),
                                Field(3, "d")};
  NormalizeExportFields(f);
  EXPECT_EQ(Ids(f), (std::vector<int>{1, 3, 0, 2}));
  EXPECT_EQ(ExportWidthText(100 / 8.0), "12.50");
  ExportField w = Field(0, "a");
  for (const auto& [text, want] : std::vector<std::pair<std::string, double>>{
           {"12.50", 12.5}, {"12,5", 12.5}, {"x", 10}, {"900", 255}, {"-3", 0}})
    EXPECT_EQ((w.width = text, ExportFieldWidth(w)), want) << text;
}

TEST(ExportFields, SheetNames) {
  EXPECT_EQ(CleanSheetName("Итоги: 1/2 [x]?"), "Итоги 1-2 (x)");
  EXPECT_EQ(CleanSheetName("a\"b'c*d\\e"), "abcd-e");
  // 31 characters, counted as letters, not bytes.
  const std::string longName = "Ставки и рейтинги за весь период игры";
  EXPECT_EQ(CleanSheetName(longName), "Ставки и рейтинги за весь перио");
  EXPECT_EQ(ExportSectionName("FormMain", "sgStakes"), "EXPORT_EXCEL_FORMMAIN.SGSTAKES");
}

TEST(ExportParams, SavedAndRestored) {
  ExportSettings s;
  s.title = "Ставки";
  s.notes = "за март";
  s.showCreateTime = false;
  s.sheetName = "Лист";
  s.pageOrientation = 2;
  s.baseFontSize = 11;
  s.fields = {Field(0, "№"), Field(1, "Дата"), Field(2, "Сумма", false)};
  s.fields[1].caption = "Дата тиража";
  s.fields[1].align = 2;
  std::swap(s.fields[0], s.fields[1]);
  IniFile ini;
  SaveExportParams(ini, "EXPORT_EXCEL_FORMMAIN.SGSTAKES", s, true);
  EXPECT_EQ(ini.ReadString("EXPORT_EXCEL_FORMMAIN.SGSTAKES", "Item_0", ""),
            "1;Дата;Дата тиража;-1;2;10.00");
  EXPECT_EQ(ini.ReadString("EXPORT_EXCEL_FORMMAIN.SGSTAKES", "Item_2", ""),
            "2;Сумма;Сумма;0;0;10.00");

  // A view with one more column: the stored ones come back in their order, the new one after.
  ExportSettings fresh;
  fresh.title = "Ставки";
  fresh.fields = {Field(0, "№"), Field(1, "Дата"), Field(2, "Сумма"), Field(3, "Новый")};
  std::vector<std::string> errors;
  LoadExportParams(ini, "EXPORT_EXCEL_FORMMAIN.SGSTAKES", fresh, true,
                   [&](const std::string& e) { errors.push_back(e); });
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Ids(fresh.fields), (std::vector<int>{1, 0, 2, 3}));
  EXPECT_EQ(fresh.fields[0].caption, "Дата тиража");
  EXPECT_FALSE(fresh.fields[2].checked);
  EXPECT_EQ(fresh.notes, "за март");
  EXPECT_EQ(fresh.pageOrientation, 2);
  EXPECT_EQ(fresh.baseFontSize, 11);
  EXPECT_FALSE(fresh.showCreateTime);

  // Items that do not fit: an empty caption (five words), a renamed column, a bad id.
  IniFile odd;
  const std::string sec = "EXPORT_EXCEL_FORMMAIN.LVDRAWS";
  odd.WriteString(sec, "Title", "Старое");
  odd.WriteString(sec, "BaseFontSize", "500");
  odd.WriteString(sec, "Item_0", "2;Сумма;;0;1;5");
  odd.WriteString(sec, "Item_1", "0;Другое имя;X;0;1;5");
  odd.WriteString(sec, "Item_2", "x;Дата;X;0;1;5");
  ExportSettings v;
  v.title = "Архив тиражей";
  v.fields = {Field(0, "№"), Field(1, "Дата"), Field(2, "Сумма")};
  const auto before = v.fields;
  LoadExportParams(odd, sec, v, true, nullptr);
  EXPECT_EQ(v.fields, before);
  EXPECT_EQ(v.title, "Архив тиражей");  // the tab caption stays
  EXPECT_EQ(v.baseFontSize, 100);
  // From an .exp file the title is taken.
  LoadExportParams(odd, sec, v, false, nullptr);
  EXPECT_EQ(v.title, "Старое");
  // With the restore flag off nothing else is read.
  odd.WriteBool(sec, "RestoreParameters", false);
  ExportSettings off;
  LoadExportParams(odd, sec, off, true, nullptr);
  EXPECT_FALSE(off.restore);
  EXPECT_EQ(off.baseFontSize, 8);
}

TEST(ExportWorkbook, TitleLinesHeaderAndCells) {
  test::TempDir dir;
  ExportSettings s;
  s.title = "Ставки";
  s.sheetName = "Итоги: 1/2 [x]?";
  s.fields = {Field(0, "№"), Field(1, "Комментарий"), Field(2, "Сумма", false)};
  s.fields[0].width = "900";
  const ExportRows rows{{{"1", "=HYPERLINK(\"http://x\")", "5"}, {"007", "-2.50", "x"}}};
  struct Case {
    std::string notes;
    bool time;
    int headerRow;
  };
  for (const Case& c : {Case{"", true, 4}, Case{"март", true, 5}, Case{"", false, 3}}) {
    s.notes = c.notes;
    s.showCreateTime = c.time;
    const fs::path book = dir / "book.xlsx";
    WriteExportWorkbook(book, s, rows, "11.12.2026 10:00:00");
    const std::string xml = test::WorkbookSheetXml(book);
    const std::string header = Format("<row r=\"%d\">", c.headerRow);
    EXPECT_NE(xml.find(header + "<c r=\"A" + std::to_string(c.headerRow)), std::string::npos)
        << c.notes << c.time << xml;
    EXPECT_EQ(xml.find("Отчет построен: 11.12.2026 10:00:00.") != std::string::npos, c.time);
  }
  const std::string xml = test::WorkbookSheetXml(dir / "book.xlsx");
  // A formula-looking text stays text; plain numbers are numbers; "007" stays text.
  EXPECT_EQ(xml.find("<f>"), std::string::npos);
  EXPECT_NE(xml.find("<t>=HYPERLINK("), std::string::npos) << xml;
  EXPECT_NE(xml.find("<v>-2.5</v>"), std::string::npos);
  EXPECT_NE(xml.find("<t>007</t>"), std::string::npos);
  EXPECT_EQ(xml.find("Сумма"), std::string::npos);          // the unchecked column is left out
  EXPECT_NE(xml.find("width=\"255.7"), std::string::npos);  // widths held to 255
  EXPECT_FALSE(fs::exists(dir / ".book.xlsx.tmp"));

  // The columns' own format has no borders: only the header and data cells are framed, not
  // the title rows above them.
  const std::string styles = test::WorkbookPartXml(dir / "book.xlsx", "xl/styles.xml");
  const size_t xfs = styles.find("<cellXfs");
  ASSERT_NE(xfs, std::string::npos);
  std::vector<std::string> xf;
  for (size_t at = styles.find("<xf ", xfs);
       at != std::string::npos && at < styles.find("</cellXfs>"); at = styles.find("<xf ", at + 1))
    xf.push_back(styles.substr(at, styles.find('>', at) - at));
  size_t col = xml.find("<col ");
  ASSERT_NE(col, std::string::npos);
  for (; col != std::string::npos; col = xml.find("<col ", col + 1)) {
    const size_t st = xml.find("style=\"", col);
    const size_t index = std::stoul(xml.substr(st + 7));
    ASSERT_LT(index, xf.size());
    EXPECT_NE(xf[index].find("borderId=\"0\""), std::string::npos) << xf[index];
  }
}

TEST(ExportWorkbook, MoreRowsThanASheetHoldsAreRefused) {
  test::TempDir dir;
  ExportSettings s;
  s.fields = {Field(0, "a")};
  ExportRows rows;
  rows.rows.resize(SheetRowLimit);
  try {
    WriteExportWorkbook(dir / "big.xlsx", s, rows, "");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Строк для экспорта больше", 0), 0u);
  }
  EXPECT_FALSE(fs::exists(dir / "big.xlsx"));
}

}  // namespace
}  // namespace korvane
