#pragma once

// The game settings record and the records it holds.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/money.h"

namespace korvane {

struct TProfitRule {
  uint8_t matches = 0;
  Money prize;
  bool operator==(const TProfitRule&) const = default;
};
using ProfitRuleArray = std::vector<TProfitRule>;
inline constexpr int MaxProfitRules = 4;

struct TWeightCoefs {
  long double count = 0;
  long double deviation = -1;
  long double level = 1;
  bool usePercents = false;
  bool useAbsValues = false;
  bool operator==(const TWeightCoefs&) const = default;
};

// The defaults are those of a new data folder; the prices are the game's straight play: a
// ticket costs 1.00 and three matches win 500.00.
struct TConfigData {
  int32_t matrixCols = 3;
  int32_t channelSize = 2;
  Money cost{1 * Money::Scale};
  int32_t maxStake = 3;
  ProfitRuleArray profits{TProfitRule{NumsCount, Money{500 * Money::Scale}}};
  TWeightCoefs weights;
  TSegmentTable segments = DefaultSegmentTable();
  bool operator==(const TConfigData&) const = default;
};

// The prize of a stake with the given number of matches (0 when no rule names it).
Money PrizeForMatches(const TConfigData& config, int matches);

// One shredding formula with the number of decimals it yields.
struct ShreddingFormula {
  std::string formula;
  int digits = 2;
  bool operator==(const ShreddingFormula&) const = default;
};

// Everything the settings file holds for the game: the record, the generation mode of the
// combination list and the shredding formulas.
struct GameSettings {
  TConfigData config;
  int32_t combsGenerateMode = 0;
  std::string combsGenerateParameters;
  // The workers of a scenario run; 0: one per core.
  int32_t scriptJobs = 0;
  std::array<ShreddingFormula, 3> shredding{
      {{"(n1+n2)/n3", 2}, {"(n1+n3)/n2", 2}, {"(n2+n3)/n1", 2}}};
  bool operator==(const GameSettings&) const = default;
};

enum class ProxyMode { None = 0, Automatic = 1, Manual = 2 };

struct ProxySettings {
  ProxyMode mode = ProxyMode::None;
  std::string server;
  int32_t port = 80;
  std::string username;
  std::string password;
  bool operator==(const ProxySettings&) const = default;
};

// The addresses of the online services (section ONLINE of Korvane.ini, read only).
struct OnlineSettings {
  // Scheme and host of the operator's results service.
  std::string resultsUrl = "https://www.flalottery.com";
  // The game's page on the operator's site ("Сайт лотереи").
  std::string lotterySiteUrl = "https://www.flalottery.com/pick3";
  // The public proxy list of the automatic proxy choice; none by default.
  std::string proxyListUrl;
  // Scheme and host of the update service; empty: the one the program was built with.
  std::string updateHost;
  // Scheme and host of the online libraries (systems, scenarios); none by default.
  std::string libraryUrl;
  // Who the user is to the libraries: own systems and scenarios are those of this e-mail.
  std::string userName;
  std::string userMail;
  // The project's pages the Справка menu opens (section LINKS, key = the action's id:
  // urlMainSite, urlAuthSite, urlBlog, urlYT, urlVK, urlOK, urlAuthText, urlTG, and
  // urlManuals for the first-run window, urlContact for the about box); an item without an
  // address is disabled.
  std::map<std::string, std::string> links;
  bool operator==(const OnlineSettings&) const = default;
};

}  // namespace korvane
