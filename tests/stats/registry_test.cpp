#include <gtest/gtest.h>

#include <algorithm>

#include "core/demo.h"
#include "stats/class_table.h"
#include "stats/stat_fixture.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(ClassTable, HoldsEveryClassInRegistrationOrder) {
  const auto& classes = StatClasses();
  ASSERT_EQ(classes.size(), 143u);
  for (size_t i = 0; i < classes.size(); ++i) EXPECT_EQ(classes[i].number, static_cast<int>(i));
  EXPECT_STREQ(classes[0].codeFormat, "NUMS");
  EXPECT_STREQ(classes[45].codeFormat, "PRV2O1");
  EXPECT_STREQ(classes[142].codeFormat, "SHR%d");
  EXPECT_STREQ(classes[101].helpCodeFormat, "POSx");
  EXPECT_FALSE(classes[24].available);  // COLS
  EXPECT_EQ(classes[2].Features(), FeatureN | FeatureG);
  EXPECT_EQ(classes[2].BaseFeatures(), FeatureN);
  int available = 0;
  for (const auto& c : classes) available += c.available;
  EXPECT_EQ(available, 115);
}

// Codes are stored in favourites, filter names and scenario files, so the order and
// spelling of the entries are pinned here.
TEST(Registry, EntriesOfAllFamiliesInRegistrationOrder) {
  test::StatFixture f;
  auto codes = [&f] {
    std::string out;
    for (int i = 0; i < f.registry.Count(); ++i)
      out += (i ? " " : "") + f.registry.Items(i).MethodCode();
    return out;
  };
  EXPECT_EQ(codes(),
            "NUMS DIGS EVEN EVNV SMAL SMLV PRIM PRMV SUMS SUM1 SUM2 SUM3 SUMC SUMV SUMT SUME SUMP "
            "S2T3 DIFA DIFM DIFD DIFO DIFK CHAN CHNV CHNC SGMS SGMV SGMC SEQL SEQS LENS RPV2 RPV3 "
            "PRL2 PRV2O1 PRV2O2 PRV2O3 PRV+1 PRV-1 PRV+2 PRV-2 RPC2 RPC3 PRB2 RPO1 PRC2O2 PRC2O3 "
            "PRC+1 PRC-1 PRC+2 PRC-2 KNM2 KNM3 KNS2 KNS3 KNP21 KNP22 KNP31 KNO2 KNO3 KDS2 KCM2 "
            "KCM3 KCS2 KCS3 KFM2 KFM3 KFS2 KFS3 KRM2 KRM3 KRS2 KRS3 KGM2 KGM3 KGS2 KGS3 POS1 POS2 "
            "POS3 CHN1 CHN2 CHN3 CHN4 CHN5 SGM1 GRPV GRPP GRCV GRCP GRSV GRSP PRDV PRDC PRDG SDV2 "
            "SDP2 SDN1 SDN2 SDN3 SDP3 SDM1 SDM2 SDM3 SCV2 SCP2 SCN1 SCN2 SCN3 SCP3 SCM1 SCM2 SCM3 "
            "SC2C1 SC2C2 SC2C3 SC2C4 SC2C5 SC3C1 SC3C2 SC3C3 SC3C4 SC3C5 SDA2 SDG2 SDZ2 SDC2 SSV2 "
            "SSP2 SSN1 SSN2 SSN3 SSP3 SSM1 SSM2 SSM3 SS2C1 SS3C1 HCO1 HCO2 HCO3 SHR1 SHR2 SHR3");
  EXPECT_EQ(f.registry.Items(f.Entry("POS2")).DisplayName(), "Число в 2 позиции тиража");
  EXPECT_EQ(f.registry.IndexOfCode("pos3"), 80);
  EXPECT_EQ(f.registry.IndexOfCode("COLS"), -1);  // unavailable class: no entry
  EXPECT_EQ(f.registry.IndexOfCode("POE1"), -1);  // empty parameter range: no entry

  // Channel parameters follow the channel size: size 1 gives ten channels, size 0 none.
  f.settings.config.channelSize = 1;
  f.registry.Build();
  EXPECT_GE(f.registry.IndexOfCode("CHN10"), 0);
  EXPECT_GE(f.registry.IndexOfCode("SC2C10"), 0);
  EXPECT_GE(f.registry.IndexOfCode("SC3C10"), 0);
  EXPECT_EQ(f.registry.IndexOfCode("CHN11"), -1);
  f.settings.config.channelSize = 0;
  f.registry.Build();
  EXPECT_EQ(f.registry.IndexOfCode("CHN1"), -1);
  EXPECT_EQ(f.registry.IndexOfCode("SC2C1"), -1);
  EXPECT_GE(f.registry.IndexOfCode("CHAN"), 0);
}

TEST(Registry, ListText) {
  test::StatFixture f;
  TStatList& r = f.registry;
  const int nums = f.Entry("NUMS");
  EXPECT_EQ(r.ListText(nums, true), "{ num } Числа тиража [ N ]");
  EXPECT_EQ(r.ListText(nums, false), "{ num } Числа тиража");
  EXPECT_EQ(r.ListText(f.Entry("EVEN"), true),
            "{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]");
  EXPECT_EQ(r.ListText(f.Entry("SUM2"), true), "{ sum } Сумма тиража: диапазон 2 (1/2) [ NG ]");
  r.showGroupName = false;
  EXPECT_EQ(r.ListText(nums, true), "Числа тиража [ N ]");
  r.showMethodFlags = false;
  EXPECT_EQ(r.ListText(nums, true), "Числа тиража");
  // A custom name is shown as typed, percent signs included.
  r.Items(nums).customName = "Мои 50% чисел";
  EXPECT_EQ(r.ListText(nums, true), "Мои 50% чисел");
}

TEST(Registry, GroupCaptionAndDisplayNameOfGroup12) {
  EXPECT_EQ(TStatList::GroupCaption(1), "{ sum } Сумма чисел тиража");
  EXPECT_EQ(TStatList::GroupCaption(12), "{ shr } Методы шинковки");
  EXPECT_EQ(TStatList::GroupCaption(13), "#ERROR#");
  EXPECT_EQ(TStatList::GroupCaption(-1), "#ERROR#");
  StatClassInfo shr;
  shr.group = 12;
  shr.nameFormat = "Метод шинковки %d: %%s";
  TStatMethod m;
  m.statClass = &shr;
  m.param = 1;
  m.formula = "(n1+n2)/n3";
  EXPECT_EQ(m.DisplayName(), "Метод шинковки 1: (n1+n2)/n3");
  m.customName = "100% шинковка %s";
  EXPECT_EQ(m.DisplayName(), "100% шинковка (n1+n2)/n3");
}

TEST(Registry, EnabledCodes) {
  test::StatFixture f;
  TStatList& r = f.registry;
  EXPECT_EQ(r.GetEnabledCodes(), "");
  r.SetEnabledCodes("NUMS,SUMS");
  EXPECT_EQ(r.GetEnabledCodes(), "NUMS,SUMS");
  EXPECT_FALSE(r.IsEnabled(f.Entry("EVEN")));
  r.SetEnabledCodes("nums");
  EXPECT_EQ(r.GetEnabledCodes(), "NUMS");
  r.SetEnabledCodes("NUMS, SUMS");  // the second word is " SUMS"
  EXPECT_EQ(r.GetEnabledCodes(), "NUMS");
  r.SetEnabledCodes("  ");
  EXPECT_TRUE(r.allEnabled);

  for (int i = 0; i < r.Count(); ++i) r.Items(i).enabled = false;
  r.NormalizeEnabled();
  EXPECT_TRUE(r.allEnabled);
  EXPECT_TRUE(r.Items(3).enabled);
  r.Items(3).enabled = false;
  r.NormalizeEnabled();
  EXPECT_FALSE(r.allEnabled);
  EXPECT_FALSE(r.IsEnabled(3));
  r.EnableAll();
  EXPECT_TRUE(r.IsEnabled(3));
}

TEST(Registry, HelpLink) {
  test::StatFixture f;
  const TStatMethod& pos2 = f.registry.Items(f.Entry("POS2"));
  EXPECT_EQ(pos2.HelpLink(""), "");
  EXPECT_EQ(pos2.HelpLink("/nonexistent/help.chm"), "");
  test::TempDir dir;
  test::WriteBytes(dir / "help.chm", "x");
  const std::string help = (dir / "help.chm").string();
  EXPECT_EQ(pos2.HelpLink(help), "ms-its:" + help + "::/Filters_1049_POSx.htm");
  EXPECT_EQ(f.registry.Items(0).HelpLink(help), "ms-its:" + help + "::/Filters_1049_NUMS.htm");
}

TEST(Registry, WeightCoefsSaveApplyRestore) {
  test::StatFixture f;
  TStatList& r = f.registry;
  r.SaveWeightCoefs();
  const TWeightCoefs step{1, 2, 3, true, false};
  r.ApplyWeightCoefs(step);
  EXPECT_EQ(r.WeightCoefs(), step);
  r.ApplyWeightCoefs(std::nullopt);
  EXPECT_EQ(r.WeightCoefs(), TWeightCoefs());
  r.ApplyWeightCoefs(step);
  r.RestoreWeightCoefs();
  EXPECT_EQ(r.WeightCoefs(), TWeightCoefs());
}

TEST(Framework, GetDrawAndFindNextDraw) {
  test::StatFixture f({{5, 1, 3}, {2, 2, 2}, {7, 1, 0}});
  auto stat = f.registry.CreateStat(f.Entry("NUMS"));
  EXPECT_EQ(stat->GetDraw(-1, false).number, 0);
  EXPECT_EQ(stat->GetDraw(3, false).nums, (TComb{0, 0, 0}));
  EXPECT_EQ(stat->GetDraw(0, true).nums, (TComb{1, 3, 5}));
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(1), 1, 2, false), 102);
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(2), 0, 2, false), 101);
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(9), 0, 2, false), -1);
  EXPECT_EQ(stat->FindNextDraw(test::KeyRec(1), 3, 2, false), -1);  // start = archive length
  test::StatFixture empty;
  auto s2 = empty.registry.CreateStat(0);
  EXPECT_EQ(s2->GetDraw(0, false).number, 0);
}

// A method that adds whatever keys it is given, to compare the indexed search of long lists
// with the plain accumulator.
class KeyAdder : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec&) const override { return {}; }
  bool CombMatches(const TStatDrawArray&, int, const TComb&, bool, bool) override { return false; }
  void AddKey(TStatDrawArray& list, int16_t k, int32_t draw) {
    Work = TStatDrawRec{};
    Work.count = 1;
    Work.lastDraw = Work.prevDraw = draw;
    Work.depth = 5000 - draw;
    Add(list, true, k, static_cast<int16_t>(k % 7));
  }
};

TEST(Framework, LongListsAccumulateAsThePlainSearchDoes) {
  TDrawsArray draws;
  GameSettings settings;
  const StatContext ctx{&draws, &settings};
  KeyAdder adder(ctx, StatClasses()[0], 0);
  TStatDrawArray indexed;
  TStatDrawArray plain;
  TStatDrawArray other;
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int32_t draw = 1; draw <= 4000; ++draw) {
    const auto k = static_cast<int16_t>(next() % 600);
    adder.AddKey(indexed, k, draw);
    TStatDrawRec item;
    item.count = 1;
    item.lastDraw = item.prevDraw = draw;
    item.depth = 5000 - draw;
    item.key.k = {k, static_cast<int16_t>(k % 7), 0, 0};
    AddStatValue(plain, item, true);
    if (draw == 1700) {  // the caller rearranges its list between two adds
      std::reverse(indexed.begin(), indexed.end());
      std::reverse(plain.begin(), plain.end());
    }
    if (draw % 500 == 0) adder.AddKey(other, k, draw);  // another list in between
    if (draw == 1200) {                                 // the caller empties and refills its list
      indexed.clear();
      plain.clear();
    }
  }
  EXPECT_EQ(indexed, plain);
  EXPECT_EQ(other.size(), 8u);
}

// The scan as written: every key on its own, scratch zeroed once, fresh lists per draw.
int32_t ScanOneKey(TCustomStat& stat, const TStatKey& key, int start, int last, int count) {
  StatScratch scratch(std::max<size_t>(stat.ScratchSize(), 120), 0);
  TStatDrawArray list;
  TLastValueArray lastValues;
  for (int i = std::max(start, 0); i < count; ++i) {
    list.clear();
    lastValues.clear();
    stat.EvaluateDraw(i, last, false, list, scratch, lastValues);
    for (const TStatDrawRec& e : list)
      if (e.key == key) return e.lastDraw;
  }
  return -1;
}

// The batched scan must agree with the per-key scan for every method, the series included,
// whose run state depends on where each scan began.
TEST(Framework, FindNextDrawsAgreesWithOneScanPerKey) {
  test::StatFixture f;
  f.draws = MakeDemoDraws(400, 7);
  f.settings.config.channelSize = 3;
  f.registry.Build();
  const int count = static_cast<int>(f.draws.size());
  const int last = count - 41;
  for (int entry = 0; entry < f.registry.Count(); ++entry) {
    auto stat = f.registry.CreateStat(entry);
    // Keys of the values seen in the range plus one that never occurs; starts spread out.
    TStatDrawArray list;
    StatScratch scratch(std::max<size_t>(stat->ScratchSize(), 120), 0);
    TLastValueArray lastValues;
    stat->PrepareValues(last, list);
    for (int i = last - 199; i <= last; ++i)
      stat->EvaluateDraw(i, last, false, list, scratch, lastValues);
    std::vector<TStatKey> keys;
    std::vector<int> starts;
    for (size_t k = 0; k < list.size(); ++k) {
      keys.push_back(list[k].key);
      starts.push_back(static_cast<int>((k * 37) % 420) - 10);
    }
    keys.push_back(test::KeyRec(9999, 9999).key);
    starts.push_back(0);
    const std::vector<int32_t> batch = stat->FindNextDraws(keys, starts, last, false);
    ASSERT_EQ(batch.size(), keys.size());
    for (size_t k = 0; k < keys.size(); ++k) {
      ASSERT_EQ(batch[k], ScanOneKey(*stat, keys[k], starts[k], last, count))
          << f.registry.Items(entry).MethodCode() << " key " << k << " start " << starts[k];
    }
  }
}

}  // namespace
}  // namespace korvane
