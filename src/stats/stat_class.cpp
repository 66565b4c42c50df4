#include "stats/stat_class.h"

#include <system_error>

#include "core/fileio.h"
#include "stats/stat_base.h"

namespace korvane {

std::string FormatParam(const char* pattern, int param) {
  std::string out;
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 'd') {
      out += std::to_string(param);
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      out += '%';
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string FeatureLetters(uint8_t features) {
  static const char* kLetters[5] = {"S", "N", "D", "P", "G"};
  std::string s;
  for (int bit = 0; bit < 5; ++bit)
    if (features & (1u << bit)) s += kLetters[bit];
  return s;
}

uint8_t StatClassInfo::BaseFeatures() const { return static_cast<uint8_t>(features & ~FeatureG); }
bool StatClassInfo::HasGraph() const { return (features & FeatureG) != 0; }
bool StatClassInfo::HasNorm() const { return (features & FeatureN) != 0; }

std::pair<int, int> StatClassInfo::GetParamRange(const TConfigData& config) const {
  switch (paramKind) {
    case ParamKind::Fixed:
      return {paramLow, paramHigh};
    case ParamKind::Game:
      return gameRange != nullptr ? gameRange(config) : std::pair<int, int>{0, -1};
    case ParamKind::Empty:
      return {0, -1};
    case ParamKind::None:
      break;
  }
  return {0, 0};
}

std::string StatClassInfo::CodeOf(int param) const { return FormatParam(codeFormat, param); }

std::string StatClassInfo::NameOf(int param) const {
  if (nameOf != nullptr) return nameOf(param);
  return FormatParam(nameFormat, param);
}

std::string StatClassInfo::HelpCode(int param) const { return FormatParam(helpCodeFormat, param); }

std::string StatClassInfo::HelpLink(int param, const std::string& helpFile) const {
  std::error_code ec;
  if (helpFile.empty() || !fs::exists(helpFile, ec)) return {};
  return "ms-its:" + helpFile + "::/Filters_1049_" + FormatParam(helpCodeFormat, param) + ".htm";
}

}  // namespace korvane
