// The settings files Korvane.ini and Korvane.frm (Windows-1251 INI text), read through a file
// as at start-up: game, proxy and view settings, list states and the window placement. Then
// what the program derives from them: the shredding formulas, the price of stakes, the texts
// of the settings dialog, and the settings written back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/config.h"
#include "core/ini.h"
#include "core/settings.h"
#include "core/shredding.h"
#include "fuzz_support.h"
#include "stakes/stake_data.h"

namespace {

using namespace korvane;

void ReadSettings(IniFile& ini) {
  GameSettings game;
  LoadGameSettings(ini, game);
  const TConfigData& c = game.config;
  KORVANE_FUZZ_CHECK(c.channelSize >= 1 && c.channelSize <= 10);
  KORVANE_FUZZ_CHECK(c.profits.size() <= static_cast<size_t>(MaxProfitRules));
  for (const TProfitRule& r : c.profits) KORVANE_FUZZ_CHECK(r.matches <= NumsCount);
  KORVANE_FUZZ_CHECK(ParseSegments(SegmentsToText(c.segments)) == c.segments);

  ProxySettings proxy;
  LoadProxySettings(ini, proxy);
  KORVANE_FUZZ_CHECK(proxy.port >= 0 && proxy.port <= 65535);
  ViewSettings view;
  LoadViewSettings(ini, view);
  (void)ReadListState(ini, MainFormSection, "DrawsList", 6);
  (void)ReadPlacement(ini, MainFormSection, 1920, 1080);

  // The shredding methods: the prepared formula gives what the plain text gives.
  const TComb t{1, 2, 3}, p{0, 0, 9}, n{7, 7, 0};
  for (const ShreddingFormula& f : game.shredding) {
    KORVANE_FUZZ_CHECK(f.digits >= 1 && f.digits <= 9);
    const ShreddingFormulaProgram program(f.formula, f.digits);
    const int64_t value = program.Value(t, p, n);
    KORVANE_FUZZ_CHECK(value == ShreddingValue(f.formula, f.digits, t, p, n));
  }

  // Prices of stakes and the dialog's amounts.
  (void)c.cost.Text();
  for (const TProfitRule& r : c.profits) (void)r.prize.Text();
  for (int numbers : {3, 4, 10, 1000000})
    for (int matches = -1; matches <= NumsCount; ++matches)
      (void)StakeProfit(c, numbers, matches).Text();

  // Written back and read again.
  SaveGameSettings(ini, game);
  SaveGenerateMode(ini, game);
  SaveShreddingSettings(ini, game);
  SaveProxySettings(ini, proxy);
  SaveViewSettings(ini, view, true);
  IniFile again;
  again.Parse(ini.ToText());
  GameSettings reread;
  LoadGameSettings(again, reread);
  KORVANE_FUZZ_CHECK(reread.shredding == game.shredding);
  KORVANE_FUZZ_CHECK(reread.config.channelSize == c.channelSize);
  ProxySettings proxyAgain;
  LoadProxySettings(again, proxyAgain);
  KORVANE_FUZZ_CHECK(proxyAgain == proxy);
  ViewSettings viewAgain;
  LoadViewSettings(again, viewAgain);
  KORVANE_FUZZ_CHECK(viewAgain == view);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    IniFile ini(fuzz::Scratch().Put("Korvane.ini", fuzz::AsText(data, size)));
    ini.Load();
    ReadSettings(ini);
  } catch (const Error&) {
  }
  return 0;
}
