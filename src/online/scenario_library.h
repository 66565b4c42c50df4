#pragma once

// The online scenario catalogue: its list with ratings, the scenario texts, ratings, the title
// check, publishing, changing and deleting.

#include <cstdint>
#include <string>
#include <vector>

#include "core/dates.h"
#include "online/library.h"

namespace korvane {

// The filter choices of the catalogue ("Фильтр сценариев"); the request sends index - 1.
inline constexpr const char* ScriptLibraryFilters[8] = {"Скрытые",
                                                        "Все, включая скрытые",
                                                        "Все, кроме скрытых (по умолчанию)",
                                                        "Только мои",
                                                        "Только публичные",
                                                        "С моими оценками",
                                                        "Без моих оценок",
                                                        "Новые (24 часа с момента публикации)"};
inline constexpr int ScriptLibraryDefaultFilter = 2;

// One row of the catalogue.
struct TScriptInfo {
  int32_t id = 0;
  std::string author;
  std::string mail;
  int language = 0;
  std::string appName;
  std::string appVersion;
  bool universal = false;
  bool isPublic = false;
  DateTime created;
  double ratingAverage = 0;
  int32_t ratingCount = 0;
  int32_t ratingYours = 0;  // -1 hidden, 0 none, 1..5
  int32_t downloads = 0;
  DateTime lastDownload;
  std::string title;
  std::string description;
  std::string appGuid;
  bool own = false;
  bool usable = false;
  bool Editable() const { return own && usable; }
};

// What is sent when a scenario is published or changed.
struct TScriptData {
  int32_t id = -1;
  std::string author;
  int language = 1049;
  bool universal = false;
  bool isPublic = true;
  std::string title;
  std::string description;
};

struct TScriptRate {
  std::string author;
  int rate = 0;
  DateTime created;
  std::string appName;
  std::string appVersion;
  std::string notes;
};

class ScenarioLibrary {
 public:
  ScenarioLibrary(HttpClient& client, LibraryContext context, KeepGoing keepGoing = {})
      : client_(client), context_(std::move(context)), keepGoing_(std::move(keepGoing)) {}
  // `filter` is the choice's index (0..7).
  std::vector<TScriptInfo> List(int filter);
  // The scenario's text (UTF-8; may be empty).
  std::string Script(int32_t id);
  // -1 hides, 0 removes the rating, 1..5 rates. A negative return code fails.
  void Rate(int32_t id, int value, const std::string& notes);
  // True when no other scenario has the title.
  bool TitleFree(int32_t id, const std::string& title);
  // Saves (id -1: a new one) or deletes; the id the service answers with.
  int32_t Put(const TScriptData& data, const std::string& script, bool remove);
  std::vector<TScriptRate> Rates(int32_t id);

 private:
  HttpClient& client_;
  LibraryContext context_;
  KeepGoing keepGoing_;
};

// The three-letter abbreviation of a language identifier ("RUS" for 1049); the number as text
// for others.
std::string LanguageAbbreviation(int language);

}  // namespace korvane
