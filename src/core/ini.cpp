#include "core/ini.h"

#include <algorithm>
#include <system_error>

#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"

namespace korvane {

void IniFile::Load() {
  sections_.clear();
  dirty_ = false;
  std::error_code ec;
  if (!fs::exists(path_, ec)) return;
  Parse(Cp1251ToUtf8(ReadFile(path_)));
  dirty_ = false;
}

void IniFile::Save() {
  if (!dirty_) return;
  WriteFileAtomic(path_, Utf8ToCp1251(ToText()), ownerOnly_);
  dirty_ = false;
}

void IniFile::Parse(std::string_view text) {
  sections_.clear();
  Section* current = nullptr;
  for (const std::string& raw : SplitLines(text)) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      current = &GetSection(name);
      continue;
    }
    if (current == nullptr) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key.empty()) continue;
    auto it = std::find_if(current->entries.begin(), current->entries.end(),
                           [&](const Entry& e) { return SameTextAscii(e.key, key); });
    if (it == current->entries.end())
      current->entries.push_back({std::string(key), std::string(value)});
  }
  dirty_ = true;
}

std::string IniFile::ToText() const {
  std::string out;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += "[" + sections_[i].name + "]\r\n";
    for (const Entry& e : sections_[i].entries) out += e.key + "=" + e.value + "\r\n";
  }
  return out;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& s : sections_)
    if (SameTextAscii(s.name, name)) return &s;
  return nullptr;
}

IniFile::Section& IniFile::GetSection(std::string_view name) {
  for (Section& s : sections_)
    if (SameTextAscii(s.name, name)) return s;
  sections_.push_back({std::string(name), {}});
  return sections_.back();
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return Find(section, key).has_value();
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->entries) keys.push_back(e.key);
  return keys;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  for (const Entry& e : s->entries)
    if (SameTextAscii(e.key, key)) return e.value;
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  auto v = Find(section, key);
  return v ? *v : std::string(def);
}

int32_t IniFile::ReadInt(std::string_view section, std::string_view key, int32_t def) const {
  auto v = Find(section, key);
  if (!v) return def;
  return ParseInt32(Trim(*v)).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInt(section, key, def ? 1 : 0) != 0;
}

double IniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
  auto v = Find(section, key);
  if (!v) return def;
  return ParseFloat(*v).value_or(def);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // Line breaks would split the entry on the next read.
  std::string clean(value);
  std::replace(clean.begin(), clean.end(), '\r', ' ');
  std::replace(clean.begin(), clean.end(), '\n', ' ');
  Section& s = GetSection(section);
  for (Entry& e : s.entries) {
    if (SameTextAscii(e.key, key)) {
      if (e.value != clean) {
        e.value = std::move(clean);
        dirty_ = true;
      }
      return;
    }
  }
  s.entries.push_back({std::string(key), std::move(clean)});
  dirty_ = true;
}

void IniFile::WriteInt(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  WriteString(section, key, FloatToText(value));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  for (Section& s : sections_) {
    if (!SameTextAscii(s.name, section)) continue;
    const auto before = s.entries.size();
    std::erase_if(s.entries, [&](const Entry& e) { return SameTextAscii(e.key, key); });
    if (s.entries.size() != before) dirty_ = true;
  }
}

void IniFile::EraseSection(std::string_view section) {
  const auto before = sections_.size();
  std::erase_if(sections_, [&](const Section& s) { return SameTextAscii(s.name, section); });
  if (sections_.size() != before) dirty_ = true;
}

}  // namespace korvane
