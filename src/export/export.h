#pragma once

// The spreadsheet export of a table view: the settings of one export (title lines, page, the
// columns to export in their order) as the export dialog edits them, their storage in an INI
// section, and the workbook written from them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fileio.h"
#include "core/ini.h"

namespace korvane {

enum class ExportAlign { Left = 0, Right = 1, Center = 2 };
const char* ExportAlignText(int align);

// One column of the source view.
struct ExportField {
  int columnId = 0;     // the source column (0 = first)
  int align = 0;        // ExportAlign
  std::string caption;  // the header written to the sheet
  bool checked = true;
  std::string width;         // the sheet's column width with two decimals
  std::string physicalName;  // the source column's own header
  bool operator==(const ExportField&) const = default;
};

struct ExportSettings {
  std::string title;
  std::string notes;
  bool showCreateTime = true;
  std::string sheetName;
  int pageOrientation = 0;  // 0 not set, 1 portrait, 2 landscape
  int baseFontSize = 8;
  int sendMode = 0;  // 0 every row, 1 the selected rows
  bool restore = true;
  std::vector<ExportField> fields;
  bool operator==(const ExportSettings&) const = default;
};

// The width text of a source column of `pixels` (a 100-pixel column gives "12.50").
std::string ExportWidthText(double width);
// The width of a field: its text read as a decimal number (10 when unreadable), 0..255.
double ExportFieldWidth(const ExportField& field);

// The checked fields move up to the leading block, each kept in its relative order.
void NormalizeExportFields(std::vector<ExportField>& fields);

// The sheet name without the characters a sheet name cannot have, at most 31 characters.
std::string CleanSheetName(std::string_view name);

// The INI section of a view: EXPORT_EXCEL_<OWNER>.<VIEW>.
std::string ExportSectionName(std::string_view owner, std::string_view view);

// Writes the settings into the section (erased first); the restore flag only with `withRestore`.
void SaveExportParams(IniFile& ini, const std::string& section, const ExportSettings& s,
                      bool withRestore);
// Reads the section into the settings when the file has it. From the settings file
// (`fromSettings`) the restore flag comes first and, when it is off, nothing else; the title and
// notes are taken only into empty fields. Items whose column and physical name match a field
// move that field to their place. A failing item is told through `error` and skipped.
void LoadExportParams(const IniFile& ini, const std::string& section, ExportSettings& s,
                      bool fromSettings, const std::function<void(const std::string&)>& error);

// A table to export: the source rows' cell texts, by source column.
struct ExportRows {
  std::vector<std::vector<std::string>> rows;
};

// Writes a workbook of one sheet: the title lines, the header of the checked fields and the rows,
// formatted as the settings say. `createdAt` is the text of the creation time line. Texts that
// are plain numbers are written as numbers, everything else as text (never as a formula).
// Throws Error.
void WriteExportWorkbook(const fs::path& file, const ExportSettings& s, const ExportRows& data,
                         const std::string& createdAt);

// The largest number of rows a sheet holds.
inline constexpr int SheetRowLimit = 1048576;

}  // namespace korvane
