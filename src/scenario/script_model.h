#pragma once

// Scenarios: lines of nine "|"-separated fields (options, seven filters, comment), the options
// of a line, and the scenario files.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

enum StartList : uint8_t { StartFull, StartExcl, StartCurr };
enum StakeMode : uint8_t {
  ModeRand,
  ModeFirst,
  ModeLast,
  ModeAll,
  ModeSysA,
  ModeSysC,
  ModeStop,
  ModeSkip,
  ModeNone
};

struct TScriptOptions {
  int32_t excludeDraws = 0;
  uint8_t startList = StartFull;
  uint8_t stakeMode = ModeRand;
  bool clearStakes = false;
  bool newOnly = false;
  bool operator==(const TScriptOptions&) const = default;
};

const char* StartListCode(int list);
const char* StakeModeCode(int mode);
// The dialog texts; "# ERROR #" outside the tables.
std::string StartListText(int list);
std::string StakeModeText(int mode);

std::string OptionsToText(const TScriptOptions& o);
TScriptOptions TextToOptions(std::string_view text);
std::string OptionsToShortText(const TScriptOptions& o);
std::string OptionsToDisplayText(const TScriptOptions& o);

inline constexpr int FilterSlots = 7;
std::string BuildLine(const std::string& options,
                      const std::array<std::string, FilterSlots>& filters,
                      const std::string& comment);
std::string LineOptions(std::string_view line);
std::string LineFilter(std::string_view line, int i);  // i = 1..7
std::string LineComment(std::string_view line);
bool IsSeparatorLine(std::string_view line);

// The stake comment of a scenario stake: "03.012: comment @ text".
std::string StakeComment(int line, int variant, const std::string& comment,
                         const std::string& text);

// Scenario file text (UTF-8 in memory): one line per text line.
std::vector<std::string> ParseScenarioText(std::string_view text);
// The lines of a scenario from elsewhere (the online catalogue): as ParseScenarioText, but
// refused (Error) when the text holds control characters, more than 10,000 lines or a line
// longer than 4,096 bytes. The filters themselves are checked when they run, as for files.
std::vector<std::string> ParseForeignScenarioText(std::string_view text);
std::string ScenarioToText(const std::vector<std::string>& lines);  // CR LF

}  // namespace korvane
