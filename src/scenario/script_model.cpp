#include "scenario/script_model.h"

#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "scenario/texts.h"

namespace korvane {

namespace {
constexpr const char* kStartCodes[3] = {"FULL", "EXCL", "CURR"};
constexpr const char* kStakeCodes[9] = {"RAND", "FIRST", "LAST", "ALL", "SYSA",
                                        "SYSC", "STOP",  "SKIP", "NONE"};

std::vector<std::string_view> Fields(std::string_view line) { return SplitWords(line, "|"); }
}  // namespace

const char* StartListCode(int list) { return list >= 0 && list < 3 ? kStartCodes[list] : ""; }
const char* StakeModeCode(int mode) { return mode >= 0 && mode < 9 ? kStakeCodes[mode] : ""; }
std::string StartListText(int list) {
  return list >= 0 && list < 3 ? texts::StartListTexts[list] : texts::OptionError;
}
std::string StakeModeText(int mode) {
  return mode >= 0 && mode < 9 ? texts::StakeModeTexts[mode] : texts::OptionError;
}

std::string OptionsToText(const TScriptOptions& o) {
  std::string t = std::string(StartListCode(o.startList)) + ":" + std::to_string(o.excludeDraws) +
                  "#" + StakeModeCode(o.stakeMode);
  if (o.clearStakes) t += "#CLR";
  if (o.newOnly) t += "#NEX";
  return t;
}

TScriptOptions TextToOptions(std::string_view text) {
  TScriptOptions o;
  const auto words = SplitWords(text, "#");
  if (!words.empty()) {
    const std::string_view w = words[0];
    for (int i = 0; i < 3; ++i) {
      const std::string_view code = kStartCodes[i];
      if (w.size() >= code.size() && SameTextAscii(w.substr(0, code.size()), code)) {
        o.startList = static_cast<uint8_t>(i);
        break;
      }
    }
    const size_t colon = w.find(':');
    if (colon != std::string_view::npos)
      o.excludeDraws = ParseInt32(Trim(w.substr(colon + 1))).value_or(0);
  }
  if (words.size() > 1) {
    const std::string_view w = Trim(words[1]);
    for (int i = 0; i < 9; ++i)
      if (SameTextAscii(w, kStakeCodes[i])) o.stakeMode = static_cast<uint8_t>(i);
  }
  for (size_t i = 2; i < words.size(); ++i) {
    const std::string_view w = Trim(words[i]);
    if (SameTextAscii(w, "CLR")) o.clearStakes = true;
    if (SameTextAscii(w, "NEX")) o.newOnly = true;
  }
  return o;
}

std::string OptionsToShortText(const TScriptOptions& o) {
  std::string t = StartListCode(o.startList);
  if (o.startList == StartExcl) t += ":" + std::to_string(o.excludeDraws);
  t += std::string("#") + StakeModeCode(o.stakeMode);
  if (o.newOnly) t += "#NEX";
  return t;
}

std::string OptionsToDisplayText(const TScriptOptions& o) {
  std::string t = o.startList < 3 ? Format(texts::StartListShort[o.startList], o.excludeDraws)
                                  : std::string(texts::OptionError);
  t += "; ";
  t += o.stakeMode < 9 ? texts::StakeModeShort[o.stakeMode] : texts::OptionError;
  if (o.clearStakes) t += std::string("; ") + texts::DeleteStakesShort;
  t += "; ";
  t += o.newOnly ? texts::NewStakesOnly : texts::AllStakes;
  return t;
}

std::string BuildLine(const std::string& options,
                      const std::array<std::string, FilterSlots>& filters,
                      const std::string& comment) {
  std::string line = options + "|";
  for (const std::string& f : filters) line += (Trim(f).empty() ? std::string(" ") : f) + "|";
  if (!Trim(comment).empty()) line += comment;
  return line;
}

std::string LineOptions(std::string_view line) {
  const auto f = Fields(line);
  return f.empty() ? std::string() : std::string(Trim(f[0]));
}

std::string LineFilter(std::string_view line, int i) {
  const auto f = Fields(line);
  return i >= 1 && static_cast<size_t>(i) < f.size() ? std::string(Trim(f[static_cast<size_t>(i)]))
                                                     : std::string();
}

std::string LineComment(std::string_view line) {
  const auto f = Fields(line);
  return f.size() > 8 ? std::string(Trim(f[8])) : std::string();
}

bool IsSeparatorLine(std::string_view line) { return Trim(line).empty(); }

std::string StakeComment(int line, int variant, const std::string& comment,
                         const std::string& text) {
  std::string c = Format("%.2d.%.3d: ", line, variant);
  if (!comment.empty()) c += comment + " ";
  return c + "@ " + text;
}

std::vector<std::string> ParseScenarioText(std::string_view text) { return SplitLines(text); }

std::vector<std::string> ParseForeignScenarioText(std::string_view text) {
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 && c != '\r' && c != '\n' && c != '\t') throw Error(texts::ScenarioControlChars);
  }
  std::vector<std::string> lines = ParseScenarioText(text);
  if (lines.size() > 10000) throw Error(Format(texts::ScenarioTooLong, 10000));
  for (const std::string& l : lines)
    if (l.size() > 4096) throw Error(Format(texts::ScenarioLineTooLong, 4096));
  return lines;
}

std::string ScenarioToText(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace korvane
