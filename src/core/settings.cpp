#include "core/settings.h"

#include <algorithm>

#include "core/strutil.h"

namespace korvane {

namespace {

constexpr const char* kGlobal = "GLOBAL";
constexpr const char* kStakes = "STAKES";
constexpr const char* kCdl = "CDL";
constexpr const char* kShredding = "SHREDDING";
constexpr const char* kProxy = "PROXY";

// The settings keep at most this many rules; a larger Profits count is not scanned further.
constexpr int kMaxProfitsScanned = 1000;

// An amount of money (0 when unreadable), held to the range of the settings.
Money ReadAmount(const IniFile& ini, std::string_view section, std::string_view key) {
  return ClampSettingsAmount(Money::FromDouble(ini.ReadFloat(section, key, 0)));
}

}  // namespace

Money PrizeForMatches(const TConfigData& config, int matches) {
  for (const TProfitRule& r : config.profits)
    if (r.matches == matches) return r.prize;
  return Money{};
}

TSegmentTable ParseSegments(std::string_view text) {
  TSegmentTable t = DefaultSegmentTable();
  for (size_t i = 0; i < t.size() && i < text.size(); ++i)
    if (text[i] >= '1' && text[i] <= '9') t[i] = static_cast<uint8_t>(text[i] - '0');
  return t;
}

std::string SegmentsToText(const TSegmentTable& table) {
  std::string s;
  for (uint8_t v : table) s += static_cast<char>('0' + std::clamp<int>(v, 1, 9));
  return s;
}

ProfitRuleArray NormalizeProfitRules(const ProfitRuleArray& rules) {
  ProfitRuleArray out;
  for (const TProfitRule& r : rules) {
    if (r.matches > NumsCount) continue;
    if (std::any_of(out.begin(), out.end(),
                    [&](const TProfitRule& o) { return o.matches == r.matches; }))
      continue;
    out.push_back(r);
    if (static_cast<int>(out.size()) == MaxProfitRules) break;
  }
  return out;
}

void LoadGameSettings(const IniFile& ini, GameSettings& s) {
  s.combsGenerateMode = ini.ReadInt(kGlobal, "CombsGenerateMode", 0);
  s.combsGenerateParameters = ini.ReadString(kGlobal, "CombsGenerateParameters", "");
  // Set by hand only: it is never written back.
  s.scriptJobs = std::clamp(ini.ReadInt(kGlobal, "ScriptJobs", 0), 0, 256);
  if (s.combsGenerateParameters.size() > 255) s.combsGenerateParameters.resize(255);

  TConfigData& c = s.config;
  // The matrix has three columns in this game whatever the file says.
  c.matrixCols = 3;
  c.segments = ParseSegments(ini.ReadString(kGlobal, "MatrixSegments", ""));
  c.channelSize = ini.ReadInt(kGlobal, "ChannelSize", 2);
  if (c.channelSize < 1 || c.channelSize > 10) c.channelSize = 2;

  // The prices of a new data folder until the file names its own; a key that is there keeps
  // its value, whatever it is (an unreadable one reads as 0).
  const TConfigData defaults;
  c.cost = ini.ValueExists(kStakes, "Cost") ? ReadAmount(ini, kStakes, "Cost") : defaults.cost;
  c.maxStake = 3;
  if (ini.ValueExists(kStakes, "Profits")) {
    const int profits = std::clamp(ini.ReadInt(kStakes, "Profits", 0), 0, kMaxProfitsScanned);
    ProfitRuleArray rules;
    for (int i = 0; i < profits; ++i) {
      const int matches = ini.ReadInt(kStakes, Format("Profit_%d_Overlap", i), 0);
      if (matches < 0 || matches > NumsCount) continue;
      rules.push_back(
          {static_cast<uint8_t>(matches), ReadAmount(ini, kStakes, Format("Profit_%d_Profit", i))});
    }
    c.profits = NormalizeProfitRules(rules);
  } else {
    c.profits = defaults.profits;
  }

  c.weights.count = ini.ReadFloat(kCdl, "Count", 0);
  c.weights.deviation = ini.ReadFloat(kCdl, "Deviation", -1);
  c.weights.level = ini.ReadFloat(kCdl, "Level", 1);
  c.weights.usePercents = ini.ReadInt(kCdl, "UsePercents", 0) > 0;
  c.weights.useAbsValues = ini.ReadInt(kCdl, "UseAbsValues", 0) > 0;

  static const char* kDefaults[3] = {"(n1+n2)/n3", "(n1+n3)/n2", "(n2+n3)/n1"};
  for (int i = 0; i < 3; ++i) {
    s.shredding[i].formula = ini.ReadString(kShredding, Format("Formula%d", i + 1), kDefaults[i]);
    s.shredding[i].digits =
        std::clamp(ini.ReadInt(kShredding, Format("Formula%dDigits", i + 1), 2), 1, 9);
  }
}

void SaveGameSettings(IniFile& ini, const GameSettings& s) {
  const TConfigData& c = s.config;
  ini.WriteInt(kGlobal, "MatrixCols", c.matrixCols);
  ini.WriteString(kGlobal, "MatrixSegments", SegmentsToText(c.segments));
  ini.WriteInt(kGlobal, "ChannelSize", c.channelSize);
  ini.WriteFloat(kStakes, "Cost", c.cost.ToDouble());
  ini.WriteInt(kStakes, "MaxStake", c.maxStake);
  ini.WriteInt(kStakes, "Profits", static_cast<int64_t>(c.profits.size()));
  for (size_t i = 0; i < c.profits.size(); ++i) {
    ini.WriteInt(kStakes, Format("Profit_%zu_Overlap", i), c.profits[i].matches);
    ini.WriteFloat(kStakes, Format("Profit_%zu_Profit", i), c.profits[i].prize.ToDouble());
  }
  ini.WriteFloat(kCdl, "Count", static_cast<double>(c.weights.count));
  ini.WriteFloat(kCdl, "Deviation", static_cast<double>(c.weights.deviation));
  ini.WriteFloat(kCdl, "Level", static_cast<double>(c.weights.level));
  ini.WriteInt(kCdl, "UsePercents", c.weights.usePercents ? 1 : 0);
  ini.WriteInt(kCdl, "UseAbsValues", c.weights.useAbsValues ? 1 : 0);
}

void SaveGenerateMode(IniFile& ini, const GameSettings& s) {
  ini.WriteInt(kGlobal, "CombsGenerateMode", s.combsGenerateMode);
  ini.WriteString(kGlobal, "CombsGenerateParameters", s.combsGenerateParameters);
}

void SaveShreddingSettings(IniFile& ini, const GameSettings& s) {
  for (int i = 0; i < 3; ++i) {
    ini.WriteString(kShredding, Format("Formula%d", i + 1), s.shredding[i].formula);
    ini.WriteInt(kShredding, Format("Formula%dDigits", i + 1), s.shredding[i].digits);
  }
}

void LoadProxySettings(const IniFile& ini, ProxySettings& p) {
  p.server = ini.ReadString(kProxy, "ProxyServer", "");
  p.port = ini.ReadInt(kProxy, "ProxyPort", 80);
  if (p.port < 0 || p.port > 65535) p.port = 80;
  p.username = ini.ReadString(kProxy, "ProxyUsername", "");
  p.password = ini.ReadString(kProxy, "ProxyPassword", "");
  const int defMode = p.server.empty() ? 0 : 2;
  int mode = ini.ReadInt(kProxy, "ProxyMode", defMode);
  if (mode < 0 || mode > 2) mode = defMode;
  p.mode = static_cast<ProxyMode>(mode);
}

void SaveProxySettings(IniFile& ini, const ProxySettings& p) {
  ini.WriteInt(kProxy, "ProxyMode", static_cast<int>(p.mode));
  ini.WriteString(kProxy, "ProxyServer", p.server);
  ini.WriteInt(kProxy, "ProxyPort", p.port);
  ini.WriteString(kProxy, "ProxyUsername", p.username);
  ini.WriteString(kProxy, "ProxyPassword", p.password);
}

void LoadOnlineSettings(const IniFile& ini, OnlineSettings& o) {
  const OnlineSettings defaults;
  o.resultsUrl = ini.ReadString("ONLINE", "ResultsUrl", defaults.resultsUrl);
  o.lotterySiteUrl = ini.ReadString("ONLINE", "LotterySiteUrl", defaults.lotterySiteUrl);
  o.proxyListUrl = ini.ReadString("ONLINE", "ProxyListUrl", defaults.proxyListUrl);
  o.updateHost = ini.ReadString("ONLINE", "UpdateHost", defaults.updateHost);
  o.libraryUrl = ini.ReadString("ONLINE", "LibraryUrl", defaults.libraryUrl);
  o.userName = ini.ReadString("ONLINE", "UserName", defaults.userName);
  o.userMail = ini.ReadString("ONLINE", "UserMail", defaults.userMail);
  o.links.clear();
  for (const char* id : {"urlMainSite", "urlAuthSite", "urlBlog", "urlYT", "urlVK", "urlOK",
                         "urlAuthText", "urlTG", "urlManuals", "urlContact"}) {
    const std::string url(Trim(ini.ReadString("LINKS", id, "")));
    if (!url.empty()) o.links[id] = url;
  }
}

// Korvane.frm ---------------------------------------------------------------------------

const std::vector<ViewKey>& ViewKeys() {
  using V = ViewSettings;
  using W = ViewWrite;
  auto i = [](const char* n, int V::*f, W w, int idx = -1) {
    return ViewKey{n, f, nullptr, idx, w};
  };
  auto b = [](const char* n, bool V::*f, W w) { return ViewKey{n, nullptr, f, -1, w}; };
  static const std::vector<ViewKey> keys = {
      i("LeftPanelWidth", &V::leftPanelWidth, W::AtShutdown),
      i("DrawsExclude", &V::drawsExclude, W::AtShutdown),
      i("DrawsStatLen", &V::drawsStatLen, W::AtShutdown),
      i("DrawsStatHeight", &V::drawsStatHeight, W::AtShutdown),
      i("DrawsGraphLen", &V::drawsGraphLen, W::AtShutdown),
      i("FiltersHeight", &V::filtersHeight, W::AtShutdown),
      i("LayoutLen", &V::layoutLen, W::AtShutdown),
      i("LayoutCompareLen1", nullptr, W::AtShutdown, 0),
      i("LayoutCompareLen2", nullptr, W::AtShutdown, 1),
      i("LayoutCompareLen3", nullptr, W::AtShutdown, 2),
      i("LayoutCompareLen4", nullptr, W::AtShutdown, 3),
      i("LayoutCompareLen5", nullptr, W::AtShutdown, 4),
      i("LayoutCompareHeight", &V::layoutCompareHeight, W::AtShutdown),
      i("WeekLen", &V::weekLen, W::AtShutdown),
      i("WeekHeight", &V::weekHeight, W::AtShutdown),
      i("WeekChartMode", &V::weekChartMode, W::WhenChanged),
      b("WeekChartType", &V::weekChartType, W::WhenChanged),
      b("AutoUpdates", &V::autoUpdates, W::WhenChanged),
      i("DownloadDrawsOnStart", &V::downloadDrawsOnStart, W::WhenChanged),
      b("ScriptLogEnabled", &V::scriptLogEnabled, W::WhenChanged),
      b("StakesLogEnabled", &V::stakesLogEnabled, W::WhenChanged),
      b("StakesScrollEnabled", &V::stakesScrollEnabled, W::WhenChanged),
      b("StakesCheckOnLine", &V::stakesCheckOnLine, W::WhenChanged),
      b("ColorDraws", &V::colorDraws, W::WhenChanged),
      b("ColorCombs", &V::colorCombs, W::WhenChanged),
      b("ColorCard", &V::colorCard, W::WhenChanged),
      b("ColorCardSequences", &V::colorCardSequences, W::WhenChanged),
      b("LayoutGradient", &V::layoutGradient, W::WhenChanged),
      b("SortedDraws", &V::sortedDraws, W::WhenChanged),
      b("PrefetchsEnabled", &V::prefetchsEnabled, W::WhenChanged),
      b("PrefetchsInit", &V::prefetchsInit, W::Once),
      b("ShowTotalLine", &V::showTotalLine, W::WhenChanged),
      i("RatingsEffMode", &V::ratingsEffMode, W::WhenChanged),
      b("ScriptLibraryOn", &V::scriptLibraryOn, W::WhenChanged),
      i("ScriptLibraryHeight", &V::scriptLibraryHeight, W::AtShutdown),
      i("ScriptLibraryFilter", &V::scriptLibraryFilter, W::AtShutdown),
      b("TabGraphs", &V::tabGraphs, W::WhenChanged),
      b("TabCard", &V::tabCard, W::WhenChanged),
      b("TabLayout", &V::tabLayout, W::WhenChanged),
      b("TabWeek", &V::tabWeek, W::WhenChanged),
      b("TabTables", &V::tabTables, W::WhenChanged),
      i("Language", &V::language, W::WhenChanged),
      b("FirstRun", &V::firstRun, W::WhenChanged),
  };
  return keys;
}

namespace {

int& IntRef(ViewSettings& v, const ViewKey& k) {
  return k.arrayIndex >= 0 ? v.layoutCompareLen[static_cast<size_t>(k.arrayIndex)]
                           : v.*(k.intField);
}
int IntVal(const ViewSettings& v, const ViewKey& k) {
  return k.arrayIndex >= 0 ? v.layoutCompareLen[static_cast<size_t>(k.arrayIndex)]
                           : v.*(k.intField);
}

void WriteKey(IniFile& frm, const ViewSettings& v, const ViewKey& k) {
  if (k.boolField != nullptr)
    frm.WriteBool(MainFormSection, k.name, v.*(k.boolField));
  else
    frm.WriteInt(MainFormSection, k.name, IntVal(v, k));
}

}  // namespace

void LoadViewSettings(const IniFile& frm, ViewSettings& v) {
  const ViewSettings defaults;
  for (const ViewKey& k : ViewKeys()) {
    if (k.boolField != nullptr)
      v.*(k.boolField) = frm.ReadBool(MainFormSection, k.name, defaults.*(k.boolField));
    else
      IntRef(v, k) = frm.ReadInt(MainFormSection, k.name, IntVal(defaults, k));
  }
  // The windows of the analysis views hold at least one draw (a window longer than the
  // archive takes the whole archive); the week chart has two modes.
  for (int* len : {&v.drawsGraphLen, &v.layoutLen, &v.weekLen}) *len = std::max(*len, 1);
  for (int& len : v.layoutCompareLen) len = std::max(len, 1);
  v.weekChartMode = std::clamp(v.weekChartMode, 0, 1);
}

void SaveViewSettings(IniFile& frm, const ViewSettings& v, bool all) {
  for (const ViewKey& k : ViewKeys())
    if (all || k.written == ViewWrite::AtShutdown) WriteKey(frm, v, k);
}

void WriteViewKey(IniFile& frm, const ViewSettings& v, std::string_view key) {
  for (const ViewKey& k : ViewKeys())
    if (SameTextAscii(k.name, key)) WriteKey(frm, v, k);
}

ListState ReadListState(const IniFile& frm, std::string_view section, std::string_view list,
                        int columns) {
  ListState st;
  const std::string name(list);
  for (int c = 0; c < columns; ++c)
    st.columnWidths.push_back(frm.ReadInt(section, Format("%s.Column%d", name.c_str(), c), -1));
  if (auto sort = frm.Find(section, name + ".SortType")) {
    const auto parts = SplitAny(*sort, ",");
    if (parts.size() == 2) {
      const auto col = ParseInt32(Trim(parts[0]));
      const auto dir = ParseInt32(Trim(parts[1]));
      if (col && dir) st.sort = std::make_pair(*col, *dir);
    }
  }
  return st;
}

void WriteListState(IniFile& frm, std::string_view section, std::string_view list,
                    const ListState& state) {
  const std::string name(list);
  for (size_t c = 0; c < state.columnWidths.size(); ++c)
    if (state.columnWidths[c] >= 0)
      frm.WriteInt(section, Format("%s.Column%zu", name.c_str(), c), state.columnWidths[c]);
  if (state.sort)
    frm.WriteString(section, name + ".SortType",
                    Format("%d,%d", state.sort->first, state.sort->second));
}

namespace {

std::optional<Rect> ParseRect(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const auto parts = SplitAny(*text, ",");
  if (parts.size() != 4) return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    const auto x = ParseInt32(Trim(parts[static_cast<size_t>(i)]));
    if (!x) return std::nullopt;
    v[i] = *x;
  }
  return Rect{v[0], v[1], v[2], v[3]};
}

std::string RectText(const Rect& r) {
  return Format("%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
}

}  // namespace

std::optional<WindowPlacement> ReadPlacement(const IniFile& frm, std::string_view section,
                                             int screenWidth, int screenHeight) {
  const std::string sized = Format("_%dx%d", screenWidth, screenHeight);
  auto norm = ParseRect(frm.Find(section, "NormPos" + sized));
  if (!norm) norm = ParseRect(frm.Find(section, "NormPos"));
  if (!norm) return std::nullopt;
  auto minMax = ParseRect(frm.Find(section, "MinMaxPos" + sized));
  if (!minMax) minMax = ParseRect(frm.Find(section, "MinMaxPos"));
  WindowPlacement p;
  p.flags = frm.ReadInt(section, "Flags", 0);
  p.showCmd = frm.ReadInt(section, "ShowCmd", 1);
  p.pixelsPerInch = frm.ReadInt(section, "PixelsPerInch", 96);
  p.normPos = *norm;
  p.minMaxPos = minMax.value_or(Rect{});
  return p;
}

void WritePlacement(IniFile& frm, std::string_view section, const WindowPlacement& p,
                    int screenWidth, int screenHeight) {
  const std::string sized = Format("_%dx%d", screenWidth, screenHeight);
  frm.WriteInt(section, "Flags", p.flags);
  frm.WriteInt(section, "ShowCmd", p.showCmd);
  frm.WriteInt(section, "PixelsPerInch", p.pixelsPerInch);
  frm.WriteString(section, "MinMaxPos", RectText(p.minMaxPos));
  frm.WriteString(section, "MinMaxPos" + sized, RectText(p.minMaxPos));
  frm.WriteString(section, "NormPos", RectText(p.normPos));
  frm.WriteString(section, "NormPos" + sized, RectText(p.normPos));
}

}  // namespace korvane
