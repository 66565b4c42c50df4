#include "export/export.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/error.h"
#include "core/strutil.h"
#include "export/texts.h"

namespace korvane {

const char* ExportAlignText(int align) {
  switch (align) {
    case 1:
      return texts::ExportAlignRight;
    case 2:
      return texts::ExportAlignCenter;
    default:
      return texts::ExportAlignLeft;
  }
}

std::string ExportWidthText(double width) { return FixedText(width, 2); }

double ExportFieldWidth(const ExportField& field) {
  std::string text(Trim(field.width));
  std::replace(text.begin(), text.end(), ',', '.');
  const auto v = ParseFloat(text);
  const double w = v && std::isfinite(*v) ? *v : 10.0;
  return std::clamp(w, 0.0, 255.0);
}

void NormalizeExportFields(std::vector<ExportField>& fields) {
  std::stable_partition(fields.begin(), fields.end(),
                        [](const ExportField& f) { return f.checked; });
}

std::string CleanSheetName(std::string_view name) {
  std::string out;
  for (char c : name) {
    switch (c) {
      case '"':
      case '\'':
      case '*':
      case '?':
      case ':':
        break;
      case '/':
      case '\\':
        out += '-';
        break;
      case '[':
        out += '(';
        break;
      case ']':
        out += ')';
        break;
      default:
        out += c;
    }
  }
  // At most 31 characters (not bytes: the texts are UTF-8).
  size_t chars = 0;
  size_t i = 0;
  for (; i < out.size(); ++i) {
    if ((static_cast<unsigned char>(out[i]) & 0xC0) == 0x80) continue;
    if (chars == 31) break;
    ++chars;
  }
  out.resize(i);
  return std::string(Trim(out));
}

std::string ExportSectionName(std::string_view owner, std::string_view view) {
  std::string o(owner), v(view);
  for (char& c : o) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : v) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return "EXPORT_EXCEL_" + o + "." + v;
}

void SaveExportParams(IniFile& ini, const std::string& section, const ExportSettings& s,
                      bool withRestore) {
  ini.EraseSection(section);
  if (withRestore) ini.WriteBool(section, "RestoreParameters", s.restore);
  ini.WriteString(section, "Title", s.title);
  ini.WriteString(section, "Notes", s.notes);
  ini.WriteBool(section, "ShowCreateTime", s.showCreateTime);
  ini.WriteString(section, "SheetName", s.sheetName);
  ini.WriteInt(section, "PageOrientation", s.pageOrientation);
  ini.WriteInt(section, "BaseFontSize", s.baseFontSize);
  for (size_t i = 0; i < s.fields.size(); ++i) {
    const ExportField& f = s.fields[i];
    ini.WriteString(
        section, Format("Item_%d", static_cast<int>(i)),
        Format("%d;%s;%s;%s;%d;%s", f.columnId, std::string(Trim(f.physicalName)).c_str(),
               f.caption.c_str(), f.checked ? "-1" : "0", f.align, f.width.c_str()));
  }
}

namespace {

std::optional<bool> ReadBoolWord(std::string_view w) {
  const auto v = ParseInt32(Trim(w));
  if (v) return *v != 0;
  if (SameTextAscii(Trim(w), "true")) return true;
  if (SameTextAscii(Trim(w), "false")) return false;
  return std::nullopt;
}

// The words of an item: runs of ";" count as one separator.
std::vector<std::string> ItemWords(std::string_view value) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find(';', start);
    if (end == std::string_view::npos) end = value.size();
    if (end > start) words.emplace_back(value.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

}  // namespace

void LoadExportParams(const IniFile& ini, const std::string& section, ExportSettings& s,
                      bool fromSettings, const std::function<void(const std::string&)>& error) {
  if (!ini.SectionExists(section)) return;
  if (fromSettings) {
    s.restore = ini.ReadBool(section, "RestoreParameters", s.restore);
    if (!s.restore) return;
  }
  if (!fromSettings || Trim(s.title).empty()) s.title = ini.ReadString(section, "Title", s.title);
  if (Trim(s.notes).empty()) s.notes = ini.ReadString(section, "Notes", s.notes);
  s.showCreateTime = ini.ReadBool(section, "ShowCreateTime", s.showCreateTime);
  s.sheetName = ini.ReadString(section, "SheetName", s.sheetName).substr(0, 128);
  s.pageOrientation = std::clamp(ini.ReadInt(section, "PageOrientation", s.pageOrientation), 0, 2);
  s.baseFontSize = std::clamp(ini.ReadInt(section, "BaseFontSize", s.baseFontSize), 1, 100);
  for (size_t i = 0; i < s.fields.size(); ++i) {
    const std::string value = ini.ReadString(section, Format("Item_%d", static_cast<int>(i)), "");
    if (value.empty()) continue;
    try {
      const std::vector<std::string> w = ItemWords(value);
      if (w.size() != 6) continue;
      const int id = ParseInt32(Trim(w[0])).value_or(-1);
      const auto it = std::find_if(s.fields.begin(), s.fields.end(),
                                   [id](const ExportField& f) { return f.columnId == id; });
      if (it == s.fields.end() || !SameText(Trim(it->physicalName), Trim(w[1]))) continue;
      ExportField f = *it;
      s.fields.erase(it);
      f.caption = w[2];
      f.checked = ReadBoolWord(w[3]).value_or(f.checked);
      f.align = std::clamp(ParseInt32(Trim(w[4])).value_or(f.align), 0, 2);
      f.width = std::string(Trim(w[5]));
      s.fields.insert(s.fields.begin() + static_cast<std::ptrdiff_t>(std::min(i, s.fields.size())),
                      f);
    } catch (const std::exception&) {
      if (error) error(Format(texts::ExportFieldLoadError, static_cast<int>(i)));
    }
  }
}

}  // namespace korvane
