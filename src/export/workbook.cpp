// The workbook of an export, written with libxlsxwriter.

#include <xlsxwriter.h>

#include <map>
#include <tuple>

#include "core/error.h"
#include "core/strutil.h"
#include "export/export.h"
#include "export/texts.h"

namespace korvane {

namespace {

// The decimals of a text that is a plain number ("12", "-3.25"), or -1 for any other text.
// Numbers with a leading zero ("007") or more than 15 digits stay text.
int NumberDecimals(std::string_view t) {
  size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  const size_t intStart = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  const size_t intDigits = i - intStart;
  if (intDigits == 0 || intDigits > 15 || (intDigits > 1 && t[intStart] == '0')) return -1;
  if (i == t.size()) return 0;
  if (t[i] != '.') return -1;
  const size_t fracStart = ++i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  const size_t decimals = i - fracStart;
  if (i != t.size() || decimals == 0 || decimals > 10 || intDigits + decimals > 15) return -1;
  return static_cast<int>(decimals);
}

uint8_t Align(int align) {
  return align == 1 ? LXW_ALIGN_RIGHT : align == 2 ? LXW_ALIGN_CENTER : LXW_ALIGN_LEFT;
}

class Book {
 public:
  explicit Book(const fs::path& file) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    book_ = workbook_new_opt(file.c_str(), &options);
    if (book_ == nullptr)
      throw Error(Format(texts::ExportWriteError, file.c_str(), "libxlsxwriter"));
  }
  ~Book() {
    if (book_ != nullptr) workbook_close(book_);
  }
  Book(const Book&) = delete;
  Book& operator=(const Book&) = delete;
  lxw_workbook* get() const { return book_; }
  void Close(const fs::path& file) {
    const lxw_error e = workbook_close(book_);
    book_ = nullptr;
    if (e != LXW_NO_ERROR)
      throw Error(Format(texts::ExportWriteError, file.c_str(), lxw_strerror(e)));
  }
  // A format of the data and header cells, made once.
  lxw_format* Cell(int size, int align, int decimals, bool header) {
    const auto key = std::make_tuple(size, align, decimals, header);
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    lxw_format* f = workbook_add_format(book_);
    format_set_font_size(f, size);
    format_set_align(f, header ? static_cast<uint8_t>(LXW_ALIGN_CENTER) : Align(align));
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    format_set_border(f, header ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN);
    if (header) format_set_text_wrap(f);
    if (decimals > 0)
      format_set_num_format(f, ("0." + std::string(static_cast<size_t>(decimals), '0')).c_str());
    else if (decimals == 0)
      format_set_num_format(f, "0");
    return formats_[key] = f;
  }
  // A column's own format: size and alignment, no borders (the title rows share the columns).
  lxw_format* Column(int size, int align) {
    const auto key = std::make_tuple(size, align, -2, false);
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    lxw_format* f = workbook_add_format(book_);
    format_set_font_size(f, size);
    format_set_align(f, Align(align));
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    return formats_[key] = f;
  }
  lxw_format* Title(int size, bool bold, bool italic) {
    lxw_format* f = workbook_add_format(book_);
    format_set_font_size(f, size);
    if (bold) format_set_bold(f);
    if (italic) format_set_italic(f);
    format_set_align(f, LXW_ALIGN_LEFT);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    return f;
  }

 private:
  lxw_workbook* book_ = nullptr;
  std::map<std::tuple<int, int, int, bool>, lxw_format*> formats_;
};

void Check(lxw_error e) {
  if (e != LXW_NO_ERROR) throw Error(lxw_strerror(e));
}

}  // namespace

void WriteExportWorkbook(const fs::path& file, const ExportSettings& s, const ExportRows& data,
                         const std::string& createdAt) {
  std::vector<const ExportField*> fields;
  for (const ExportField& f : s.fields)
    if (f.checked) fields.push_back(&f);
  const bool notes = !Trim(s.notes).empty();
  const int r = (notes ? 1 : 0) + (s.showCreateTime ? 1 : 0);
  const int header = r + 2;  // row index from 0: the sheet's row r + 3
  const int64_t rows = static_cast<int64_t>(data.rows.size());
  if (header + 1 + rows > SheetRowLimit)
    throw Error(
        Format(texts::ExportTooManyRows, static_cast<int>(rows), SheetRowLimit - header - 1));
  const int size = std::clamp(s.baseFontSize, 1, 100);

  // Written beside the file and put in its place when complete.
  const fs::path tmp = file.parent_path() / ("." + file.filename().string() + ".tmp");
  try {
    Book book(tmp);
    const std::string name = CleanSheetName(s.sheetName);
    lxw_worksheet* sheet =
        workbook_add_worksheet(book.get(), name.empty() ? nullptr : name.c_str());
    if (sheet == nullptr) throw Error(Format(texts::ExportWriteError, file.c_str(), name.c_str()));
    if (s.pageOrientation == 1) worksheet_set_portrait(sheet);
    if (s.pageOrientation == 2) worksheet_set_landscape(sheet);
    for (size_t k = 0; k < fields.size(); ++k)
      Check(worksheet_set_column(sheet, static_cast<lxw_col_t>(k), static_cast<lxw_col_t>(k),
                                 ExportFieldWidth(*fields[k]),
                                 book.Column(size, fields[k]->align)));
    Check(worksheet_write_string(sheet, 0, 0, s.title.c_str(), book.Title(size + 4, true, false)));
    if (notes)
      Check(worksheet_write_string(sheet, 1, 0, s.notes.c_str(), book.Title(size, true, false)));
    if (s.showCreateTime)
      Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(r), 0,
                                   Format(texts::ExportCreatedAt, createdAt.c_str()).c_str(),
                                   book.Title(size, false, true)));
    for (size_t k = 0; k < fields.size(); ++k)
      Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(header), static_cast<lxw_col_t>(k),
                                   fields[k]->caption.c_str(), book.Cell(size, 0, -1, true)));
    for (int64_t i = 0; i < rows; ++i) {
      const auto& row = data.rows[static_cast<size_t>(i)];
      const auto at = static_cast<lxw_row_t>(header + 1 + i);
      for (size_t k = 0; k < fields.size(); ++k) {
        const auto id = static_cast<size_t>(fields[k]->columnId);
        const std::string& text = id < row.size() ? row[id] : std::string();
        const int decimals = NumberDecimals(text);
        lxw_format* f = book.Cell(size, fields[k]->align, decimals, false);
        if (decimals >= 0)
          Check(worksheet_write_number(sheet, at, static_cast<lxw_col_t>(k),
                                       ParseFloat(text).value_or(0), f));
        else
          Check(worksheet_write_string(sheet, at, static_cast<lxw_col_t>(k), text.c_str(), f));
      }
    }
    book.Close(tmp);
  } catch (...) {
    (void)RemoveFile(tmp);  // the book's end wrote what it had
    throw;
  }
  if (const int err = RenameFile(tmp, file); err != 0) {
    (void)RemoveFile(tmp);
    throw Error(Format(texts::ExportWriteError, file.c_str(), SystemErrorText(err).c_str()));
  }
}

}  // namespace korvane
