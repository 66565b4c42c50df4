// Channels: the numbers grouped into runs of consecutive numbers of the channel size (size 2:
// 0-1, 2-3, 4-5, 6-7, 8-9), numbered from 1.

#include <algorithm>

#include "core/strutil.h"
#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

namespace {

// The channel size of the game settings, copied when the instance is created.
template <class Base>
class ChannelsStatOf : public Base {
 public:
  ChannelsStatOf(const StatContext& ctx, const StatClassInfo& info, int param)
      : Base(ctx, info, param), size_(this->Config().channelSize) {}

 protected:
  int ChannelSize() const { return size_; }
  int16_t Channel(int number) const { return static_cast<int16_t>(ChannelOf(number, size_)); }
  int LastChannel() const { return Channel(MaxNum); }
  // The most numbers of one draw that one channel can hold.
  int MostInChannel() const { return std::min(size_, NumsCount); }
  PosCoords CoordsOf(const TComb& c) const { return {Channel(c[0]), Channel(c[1]), Channel(c[2])}; }
  // "03 [4-5]"; the upper bound is not clipped to the last number ("04 [9-11]" with size 3).
  std::string ChannelText(int channel) const {
    return Format("%.2d [%s-%s]", channel, NumToText(size_ * (channel - 1)).c_str(),
                  NumToText(channel * size_ - 1).c_str());
  }

 private:
  int size_;
};

using TCustomChannelsStat = ChannelsStatOf<TCustomNumbersStat>;
using TCustomChannelsGraphStat = ChannelsStatOf<TCustomGraphStat>;

// CHAN: the channel of each number.
class TstChannels : public CoordsStat<TCustomChannelsStat> {
 public:
  using CoordsStat::CoordsStat;
  std::string ValueToText(const TStatDrawRec& rec) const override {
    return ChannelText(rec.key.k[0] & 0xFF);
  }
  // The channel number before the first blank: "05 [8-9]" gives 5.
  int32_t TextToKey(std::string_view text) const override {
    return IntOrZero(text.substr(0, text.find(' ')));
  }
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int n = MinNum; n <= MaxNum; ++n) Add(list, false, Channel(n));
  }
  bool CombMatches(const TStatDrawArray& selected, int, const TComb& comb, bool, bool) override {
    for (int16_t c : CoordsOf(comb))
      if (HasKeyByte(selected, 1, static_cast<uint8_t>(c))) return true;
    return false;
  }
};

// CHNV: for every channel, how many of the numbers lie in it, also none.
class TstChanValues : public CoordTallyStat<TCustomChannelsStat> {
 public:
  TstChanValues(const StatContext& ctx, const StatClassInfo& info, int param)
      : CoordTallyStat(ctx, info, param) {
    for (int c = 1; c <= LastChannel(); ++c) EnterCoord(c);
  }
  std::string ValueToText(const TStatDrawRec& rec) const override {
    return Format("%s x %d", ChannelText(rec.key.k[0]).c_str(), rec.key.k[1]);
  }
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int c = 1; c <= LastChannel(); ++c)
      for (int k = 0; k <= MostInChannel(); ++k)
        Add(list, false, static_cast<int16_t>(c), static_cast<int16_t>(k));
  }
};

// CHNC: how many different channels the numbers touch.
class TstChanCount : public CoordValueStat<TCustomChannelsGraphStat, DistinctCoords> {
 public:
  using CoordValueStat::CoordValueStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int k = 1; k <= MostInChannel(); ++k) Add(list, false, static_cast<int16_t>(k));
  }
};

// CHN1..CHNk: how many of the numbers lie in channel Param; 1 up to the channel size are
// listed in advance, 0 once it occurs.
class TstChnValCnt : public CoordValueStat<TCustomChannelsGraphStat, PositionsWithCoord> {
 public:
  using CoordValueStat::CoordValueStat;
  void PrepareValues(int, TStatDrawArray& list) override {
    BasePrepare();
    for (int k = 1; k <= ChannelSize(); ++k) Add(list, false, static_cast<int16_t>(k));
  }
};

// KCM2, KCM3, KCS2, KCS3: pairs and triples of the channels of the positions.
template <PosGroups Groups>
using TstCombChn = CoordGroupsStat<TCustomChannelsStat, Groups>;

std::pair<int, int> ChannelParamRange(const TConfigData& config) {
  return ChannelRange(config.channelSize);
}

}  // namespace

const std::vector<FamilyMember>& ChannelFamily() {
  static const std::vector<FamilyMember> members = {
      {"TstChannels", "Каналы", &CreateStatOf<TstChannels>},
      {"TstChanValues", "Количество чисел в канале", &CreateStatOf<TstChanValues>},
      {"TstChanCount", "Количество каналов в тираже", &CreateStatOf<TstChanCount>},
      {"TstCombChnMix2", "Сочетания из 2 каналов по всем числам тиража",
       &CreateStatOf<TstCombChn<PosGroups::AllPairs>>},
      {"TstCombChnMix3", "Сочетания из 3 каналов по всем числам тиража",
       &CreateStatOf<TstCombChn<PosGroups::Triple>>},
      {"TstCombChnSeq2", "Сочетания из 2 каналов по соседним числам",
       &CreateStatOf<TstCombChn<PosGroups::NeighbourPairs>>},
      {"TstCombChnSeq3", "Сочетания из 3 каналов по соседним числам",
       &CreateStatOf<TstCombChn<PosGroups::Triple>>},
      {"TstChnValCnt", "Количество чисел в %d канале", &CreateStatOf<TstChnValCnt>,
       &ChannelParamRange},
  };
  return members;
}

}  // namespace korvane
