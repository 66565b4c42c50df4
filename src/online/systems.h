#pragma once

// Wheel systems: the online systems library, the combination text of a system and the local
// store of downloaded systems (the folder "Systems"), from which system play takes them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "core/fileio.h"
#include "core/game.h"
#include "online/library.h"

namespace korvane {

inline constexpr const char* SystemsFolder = "Systems";
inline constexpr int SystemMinNumbers = 4;
inline constexpr int SystemMaxNumbers = 10;

// One system of the library (the list rows leave `combinations` empty).
struct TSystemData {
  int32_t id = 0;  // <= 0: the placeholder row
  int nums = 0;    // numbers used, 4..10
  int block = 0;   // 0..2
  int32_t count = 0;
  std::string title;
  std::string author;
  std::string mail;
  std::string description;
  DateTime created;  // local time
  int32_t downloads = 0;
  DateTime lastDownload;
  std::string link;
  std::string combinations;  // one "01 04 05" line per triple
};

using SystemTriple = std::array<int, 3>;

// The triples of a combination text; any of " *+,-./:;=\_|~" separates the indexes. Empty
// lines are skipped. With `n` > 0 every line must hold exactly three integers in 1..n. Throws
// Error naming the first line that does not.
std::vector<SystemTriple> ParseSystemText(std::string_view text, int n);
// The text of triples, "%.2d %.2d %.2d" a line, CR LF between lines.
std::string SystemText(const std::vector<SystemTriple>& triples);
// The dialog's normalisation: lines of exactly three numbers in the two-digit form, every
// other line left out; `numbers` = largest - smallest index + 1 (0 for none), `lines` the count.
std::string NormaliseSystemText(std::string_view text, int& numbers, int& lines);

// True when the system belongs to the user (e-mail addresses equal without case).
bool IsOwnSystem(const TSystemData& s, const std::string& userMail);

// The local store.
class SystemsStore {
 public:
  explicit SystemsStore(fs::path folder) : folder_(std::move(folder)) {}
  const fs::path& Folder() const { return folder_; }
  // "3-05-1_0012.dat" from (3, N, block, id).
  static std::string FileName(const TSystemData& s);
  fs::path PathOf(const TSystemData& s) const { return folder_ / FileName(s); }
  bool Has(const TSystemData& s) const;
  // The local file exists and its time is the system's created date.
  bool Current(const TSystemData& s) const;
  // Checks the text (exactly `count` lines of three indexes in 1..N), writes it, dates the
  // file with the created date and removes the other systems of the same N. Throws Error and
  // writes nothing when the text does not fit.
  void Save(const TSystemData& s, std::string_view text);
  void Remove(const TSystemData& s);
  // The first stored system for n numbers.
  std::optional<fs::path> Find(int n) const;

 private:
  fs::path folder_;
};

// The system for the numbers written with them: index j stands for numbers[j - 1].
struct LocalSystem {
  bool ok = false;
  TCombsArray combs;
  std::string text;   // the file used, or the failure's short text
  std::string error;  // the error box's text on a failure
};
LocalSystem LoadLocalSystem(const SystemsStore& store, const TByteArray& numbers);

// The library's requests.
class SystemsLibrary {
 public:
  SystemsLibrary(HttpClient& client, LibraryContext context, KeepGoing keepGoing = {})
      : client_(client), context_(std::move(context)), keepGoing_(std::move(keepGoing)) {}
  std::vector<TSystemData> List();
  // The decoded combination text of a system.
  std::string Combinations(int32_t id);
  // Saves (id 0: a new system) or deletes; the id the service answers with.
  int32_t Put(const TSystemData& s, bool remove);

 private:
  HttpClient& client_;
  LibraryContext context_;
  KeepGoing keepGoing_;
};

// "yyyy-mm-dd hh:mm:ss" in UTC to local time and back to the list's text (local); 0 when
// unreadable.
DateTime UtcTextToLocal(std::string_view text);
std::string LocalDateTimeText(DateTime d);

}  // namespace korvane
