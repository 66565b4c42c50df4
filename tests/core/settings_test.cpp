#include "core/settings.h"

#include <gtest/gtest.h>

#include "core/encoding.h"
#include "support/test_support.h"

namespace korvane {
namespace {

IniFile IniOf(const std::string& text) {
  IniFile ini;
  ini.Parse(text);
  return ini;
}

TEST(Ini, ParseReadWriteAndKeepOrder) {
  IniFile ini =
      IniOf("; comment\r\n[GLOBAL]\r\nChannelSize = 3\r\nname=Текст\r\n\r\n[other]\r\nX=1\r\n");
  EXPECT_EQ(ini.ReadInt("global", "channelsize", 0), 3);
  EXPECT_EQ(ini.ReadString("GLOBAL", "Name", ""), "Текст");
  EXPECT_EQ(ini.ReadString("GLOBAL", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadInt("other", "X", 0), 1);
  ini.WriteInt("GLOBAL", "ChannelSize", 4);
  ini.WriteString("NEW", "Key", "v");
  EXPECT_EQ(
      ini.ToText(),
      "[GLOBAL]\r\nChannelSize=4\r\nname=Текст\r\n\r\n[other]\r\nX=1\r\n\r\n[NEW]\r\nKey=v\r\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"GLOBAL", "other", "NEW"}));
}

TEST(Ini, FileIsWindows1251AndRewrittenAtomically) {
  test::TempDir dir;
  IniFile ini(dir / "Korvane.ini");
  ini.Load();  // missing file: empty
  ini.WriteString("SHREDDING", "Formula1", "(n1+n2)/n3");
  ini.WriteString("X", "Имя", "Значение");
  ini.Save();
  const std::string bytes = test::ReadBytes(dir / "Korvane.ini");
  EXPECT_EQ(bytes,
            Utf8ToCp1251("[SHREDDING]\r\nFormula1=(n1+n2)/n3\r\n\r\n[X]\r\nИмя=Значение\r\n"));
  IniFile back(dir / "Korvane.ini");
  back.Load();
  EXPECT_EQ(back.ReadString("X", "Имя", ""), "Значение");
}

TEST(Ini, FloatsReadWithEitherSeparator) {
  IniFile ini = IniOf("[S]\r\nA=1.5\r\nB=1,5\r\nC=abc\r\nD=\r\n");
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "A", 0), 1.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "B", 0), 1.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "C", 7), 7);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "D", 7), 7);
  ini.WriteFloat("S", "E", 0.1);
  EXPECT_EQ(ini.ReadString("S", "E", ""), "0.1");
}

TEST(GameSettings, DefaultsFromAnEmptyFile) {
  GameSettings s;
  s.config.channelSize = 7;
  LoadGameSettings(IniFile(), s);
  EXPECT_EQ(s, GameSettings());
  EXPECT_EQ(s.config.matrixCols, 3);
  EXPECT_EQ(s.config.channelSize, 2);
  EXPECT_EQ(s.config.cost.units, 10000);  // the game's straight play: 1.00 a ticket
  EXPECT_EQ(s.config.profits, (ProfitRuleArray{{3, Money{5000000}}}));  // 500.00 for 3 matches
  EXPECT_EQ(s.config.weights.deviation, -1);
  EXPECT_EQ(s.config.weights.level, 1);
  EXPECT_EQ(s.shredding[1].formula, "(n1+n3)/n2");
  EXPECT_EQ(s.shredding[2].digits, 2);
  EXPECT_EQ(s.config.segments, DefaultSegmentTable());
}

TEST(GameSettings, NonsenseValuesAreClamped) {
  const IniFile ini = IniOf(
      "[GLOBAL]\r\nMatrixCols=7\r\nChannelSize=0\r\nMatrixSegments=12a45\r\n"
      "[STAKES]\r\nCost=1,25\r\nMaxStake=9\r\nProfits=999999999\r\n"
      "Profit_0_Overlap=5\r\nProfit_0_Profit=1\r\n"  // matches outside 0..3: ignored
      "Profit_1_Overlap=3\r\nProfit_1_Profit=500\r\n"
      "Profit_2_Overlap=3\r\nProfit_2_Profit=600\r\n"  // repeated count: ignored
      "Profit_3_Overlap=-1\r\nProfit_3_Profit=2\r\n"
      "Profit_4_Overlap=2\r\nProfit_4_Profit=80.5\r\n"
      "Profit_5_Overlap=0\r\nProfit_5_Profit=1\r\n"
      "Profit_6_Overlap=1\r\nProfit_6_Profit=x\r\n"
      "Profit_7_Overlap=2\r\nProfit_7_Profit=99\r\n"
      "[CDL]\r\nCount=oops\r\nDeviation=2,5\r\nUsePercents=3\r\nUseAbsValues=-1\r\n"
      "[SHREDDING]\r\nFormula1Digits=0\r\nFormula2Digits=55\r\nFormula3=n1*n2\r\n");
  GameSettings s;
  LoadGameSettings(ini, s);
  EXPECT_EQ(s.config.matrixCols, 3);
  EXPECT_EQ(s.config.maxStake, 3);
  EXPECT_EQ(s.config.channelSize, 2);
  EXPECT_EQ(s.config.segments[0], 1);
  EXPECT_EQ(s.config.segments[1], 2);
  EXPECT_EQ(s.config.segments[2], 1);  // a letter gives 1
  EXPECT_EQ(s.config.segments[4], 5);
  EXPECT_EQ(s.config.segments[29], 1);  // missing characters give 1
  EXPECT_EQ(s.config.cost.units, 12500);
  const ProfitRuleArray expected = {
      {3, Money{5000000}}, {2, Money{805000}}, {0, Money{10000}}, {1, Money{0}}};
  EXPECT_EQ(s.config.profits, expected);
  EXPECT_EQ(PrizeForMatches(s.config, 3).units, 5000000);
  EXPECT_EQ(PrizeForMatches(s.config, 1).units, 0);
  EXPECT_EQ(s.config.weights.count, 0);
  EXPECT_EQ(s.config.weights.deviation, 2.5);
  EXPECT_TRUE(s.config.weights.usePercents);
  EXPECT_FALSE(s.config.weights.useAbsValues);
  EXPECT_EQ(s.shredding[0].digits, 1);
  EXPECT_EQ(s.shredding[1].digits, 9);
  EXPECT_EQ(s.shredding[2].formula, "n1*n2");
}

TEST(GameSettings, PricesDefaultOnlyWhenTheirKeysAreAbsent) {
  const ProfitRuleArray straight = {{3, Money{5000000}}};
  struct Case {
    const char* stakes;  // the STAKES section
    int64_t cost;
    ProfitRuleArray profits;
  } cases[] = {
      {"", 10000, straight},
      {"MaxStake=3\r\n", 10000, straight},
      {"Cost=0\r\n", 0, straight},
      {"Profits=0\r\n", 10000, {}},
      {"Cost=0\r\nProfits=0\r\n", 0, {}},
      {"Cost=2,5\r\n", 25000, straight},
      {"Cost=\r\nProfits=\r\n", 0, {}},  // there but unreadable: 0 as before
      {"Cost=abc\r\nProfits=x\r\n", 0, {}},
      {"Profit_0_Overlap=2\r\nProfit_0_Profit=80\r\n", 10000, straight},  // no count
      {"Profits=1\r\n", 10000, {{0, Money{0}}}},
      {"Profits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=600\r\n"
       "Profit_1_Overlap=1\r\nProfit_1_Profit=2\r\n",
       10000,
       {{3, Money{6000000}}, {1, Money{20000}}}},
  };
  for (const Case& c : cases) {
    GameSettings s;
    LoadGameSettings(IniOf(std::string("[STAKES]\r\n") + c.stakes), s);
    EXPECT_EQ(s.config.cost.units, c.cost) << c.stakes;
    EXPECT_EQ(s.config.profits, c.profits) << c.stakes;
    // What is loaded is written back and read again unchanged.
    IniFile ini;
    SaveGameSettings(ini, s);
    GameSettings back;
    LoadGameSettings(ini, back);
    EXPECT_EQ(back.config, s.config) << c.stakes;
  }
}

TEST(GameSettings, AmountsAreHeldToPlusMinusOneBillion) {
  constexpr int64_t kBillion = int64_t{1000000000} * Money::Scale;
  struct Case {
    const char* text;  // the value of Cost and of the prize for 3 matches
    int64_t units;
  } cases[] = {
      {"1e300", kBillion},
      {"-1e300", -kBillion},
      {"1000000000", kBillion},
      {"1000000000.0001", kBillion},
      {"999999999.9999", kBillion - 1},
      {"-1000000000.5", -kBillion},
      {"92233720368547.7", kBillion},
      {"2,5", 25000},
      {"-3", -30000},
  };
  for (const Case& c : cases) {
    GameSettings s;
    LoadGameSettings(
        IniOf(std::string("[STAKES]\r\nCost=") + c.text +
              "\r\nProfits=1\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=" + c.text + "\r\n"),
        s);
    EXPECT_EQ(s.config.cost.units, c.units) << c.text;
    ASSERT_EQ(s.config.profits.size(), 1u);
    EXPECT_EQ(s.config.profits[0].prize.units, c.units) << c.text;
  }
}

TEST(GameSettings, ChannelSizeRange) {
  for (int size : {1, 5, 10}) {
    GameSettings s;
    LoadGameSettings(IniOf("[GLOBAL]\r\nChannelSize=" + std::to_string(size) + "\r\n"), s);
    EXPECT_EQ(s.config.channelSize, size);
  }
  GameSettings s;
  LoadGameSettings(IniOf("[GLOBAL]\r\nChannelSize=11\r\n"), s);
  EXPECT_EQ(s.config.channelSize, 2);
}

TEST(GameSettings, SaveAndLoadRoundTrip) {
  GameSettings s;
  s.config.channelSize = 3;
  s.config.cost = Money{15000};
  s.config.profits = {{0, Money{0}}, {1, Money{0}}, {2, Money{100000}}, {3, Money{5000000}}};
  s.config.weights = {0.5, -1.25, 2, true, true};
  s.config.segments = ParseSegments("123456789912345678123456789123");
  IniFile ini;
  SaveGameSettings(ini, s);
  EXPECT_EQ(ini.ReadString("GLOBAL", "MatrixSegments", ""), "123456789912345678123456789123");
  EXPECT_EQ(ini.ReadString("STAKES", "Cost", ""), "1.5");
  EXPECT_EQ(ini.ReadInt("STAKES", "Profits", 0), 4);
  EXPECT_EQ(ini.ReadString("STAKES", "Profit_3_Profit", ""), "500");
  EXPECT_EQ(ini.ReadString("CDL", "UseAbsValues", ""), "1");
  GameSettings back;
  LoadGameSettings(ini, back);
  EXPECT_EQ(back, s);
  // The generation mode and the shredding formulas are written by their own operations.
  EXPECT_FALSE(ini.ValueExists("GLOBAL", "CombsGenerateMode"));
  EXPECT_FALSE(ini.SectionExists("SHREDDING"));
  s.combsGenerateMode = 4;
  s.shredding[0] = {"n1/7", 5};
  SaveGenerateMode(ini, s);
  SaveShreddingSettings(ini, s);
  LoadGameSettings(ini, back);
  EXPECT_EQ(back, s);
}

TEST(ProxySettings, ModeDerivedWhenAbsent) {
  ProxySettings p;
  LoadProxySettings(IniOf("[PROXY]\r\nProxyServer=proxy.local\r\n"), p);
  EXPECT_EQ(p.mode, ProxyMode::Manual);
  EXPECT_EQ(p.port, 80);
  LoadProxySettings(IniOf(""), p);
  EXPECT_EQ(p.mode, ProxyMode::None);
  LoadProxySettings(IniOf("[PROXY]\r\nProxyServer=p\r\nProxyMode=1\r\nProxyPort=3128\r\n"), p);
  EXPECT_EQ(p.mode, ProxyMode::Automatic);
  EXPECT_EQ(p.port, 3128);
  IniFile ini;
  SaveProxySettings(ini, p);
  EXPECT_EQ(ini.Keys("PROXY").size(), 5u);
}

// The project's pages are configuration: none built in, blank ones left out.
TEST(OnlineSettings, LinksComeFromTheFileOnly) {
  OnlineSettings o;
  LoadOnlineSettings(IniOf(""), o);
  EXPECT_TRUE(o.links.empty());
  LoadOnlineSettings(
      IniOf("[LINKS]\r\nurlBlog= https://blog.example/ \r\nurlVK=\r\nurlOther=x\r\n"), o);
  EXPECT_EQ(o.links, (std::map<std::string, std::string>{{"urlBlog", "https://blog.example/"}}));
}

TEST(ViewSettings, DefaultsAndRoundTrip) {
  ViewSettings v;
  LoadViewSettings(IniFile(), v);
  EXPECT_EQ(v, ViewSettings());
  EXPECT_EQ(v.drawsStatLen, 1000);
  EXPECT_EQ(v.layoutCompareLen[4], 400);
  EXPECT_TRUE(v.colorDraws);
  EXPECT_EQ(v.language, 1033);

  v.drawsStatLen = 250;
  v.layoutCompareLen[2] = 77;
  v.sortedDraws = true;
  IniFile frm;
  SaveViewSettings(frm, v);  // only the keys kept at shut-down
  EXPECT_EQ(frm.ReadInt(MainFormSection, "DrawsStatLen", 0), 250);
  EXPECT_EQ(frm.ReadInt(MainFormSection, "LayoutCompareLen3", 0), 77);
  EXPECT_FALSE(frm.ValueExists(MainFormSection, "SortedDraws"));
  WriteViewKey(frm, v, "SortedDraws");
  ViewSettings back;
  LoadViewSettings(frm, back);
  EXPECT_EQ(back, v);
}

TEST(ViewSettings, ViewWindowsHoldAtLeastOneDraw) {
  IniFile frm;
  frm.WriteInt(MainFormSection, "DrawsGraphLen", 0);
  frm.WriteInt(MainFormSection, "LayoutLen", -5);
  frm.WriteInt(MainFormSection, "LayoutCompareLen2", -2147483647);
  frm.WriteInt(MainFormSection, "WeekLen", 2000000000);
  frm.WriteInt(MainFormSection, "WeekChartMode", 7);
  ViewSettings v;
  LoadViewSettings(frm, v);
  EXPECT_EQ(v.drawsGraphLen, 1);
  EXPECT_EQ(v.layoutLen, 1);
  EXPECT_EQ(v.layoutCompareLen[1], 1);
  EXPECT_EQ(v.layoutCompareLen[0], 50);
  EXPECT_EQ(v.weekLen, 2000000000);  // longer than any archive: the whole archive
  EXPECT_EQ(v.weekChartMode, 1);
}

TEST(ViewSettings, ListStateAndPlacement) {
  IniFile frm;
  WriteListState(frm, MainFormSection, "lvDraws", {{60, -1, 30}, std::make_pair(2, 1)});
  EXPECT_EQ(frm.ReadString(MainFormSection, "lvDraws.Column0", ""), "60");
  EXPECT_FALSE(frm.ValueExists(MainFormSection, "lvDraws.Column1"));
  EXPECT_EQ(frm.ReadString(MainFormSection, "lvDraws.SortType", ""), "2,1");
  const ListState st = ReadListState(frm, MainFormSection, "lvDraws", 4);
  EXPECT_EQ(st.columnWidths, (std::vector<int>{60, -1, 30, -1}));
  ASSERT_TRUE(st.sort);
  EXPECT_EQ(st.sort->first, 2);

  WindowPlacement p{0, 1, 96, {0, 0, 10, 10}, {5, 6, 805, 606}};
  WritePlacement(frm, "TFormMain", p, 1920, 1080);
  EXPECT_EQ(frm.ReadString("TFormMain", "NormPos_1920x1080", ""), "5,6,805,606");
  frm.WriteString("TFormMain", "NormPos", "1,1,2,2");  // the plain key loses
  EXPECT_EQ(ReadPlacement(frm, "TFormMain", 1920, 1080), p);
  EXPECT_EQ(ReadPlacement(frm, "TFormMain", 800, 600)->normPos, (Rect{1, 1, 2, 2}));
  EXPECT_FALSE(ReadPlacement(IniFile(), "TFormMain", 800, 600));
}

}  // namespace
}  // namespace korvane
