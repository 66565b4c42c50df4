#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fileio.h"

namespace korvane {

// An INI file held in memory (UTF-8) and stored as Windows-1251 with CR LF. Section and key
// names are compared case-insensitively; the order of sections and keys is kept. Changes stay
// in memory until Save, which replaces the file atomically.
class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(fs::path path) : path_(std::move(path)) {}

  const fs::path& Path() const { return path_; }
  void SetPath(fs::path path) { path_ = std::move(path); }

  // Reads the file; a missing file gives an empty one. Throws Error when it cannot be read
  // (the content then stays empty).
  void Load();
  // Writes the file when anything changed since the last load or save.
  void Save();
  bool Dirty() const { return dirty_; }
  // The file is readable by its owner only (it holds a password).
  void SetOwnerOnly(bool on) { ownerOnly_ = on; }

  void Parse(std::string_view utf8Text);
  std::string ToText() const;  // UTF-8, CR LF

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  int32_t ReadInt(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // Accepts "." and "," as the decimal separator; anything unreadable gives the default.
  double ReadFloat(std::string_view section, std::string_view key, double def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteFloat(std::string_view section, std::string_view key, double value);
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* FindSection(std::string_view name) const;
  Section& GetSection(std::string_view name);

  fs::path path_;
  std::vector<Section> sections_;
  bool dirty_ = false;
  bool ownerOnly_ = false;
};

}  // namespace korvane
