#include "filters/comb_files.h"

#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"

namespace korvane {

TCombsArray ParseCombFile(std::string_view bytes) {
  TCombsArray combs;
  for (const std::string& line : SplitLines(bytes)) {
    const auto words = SplitWords(line, ",;");
    if (words.size() != NumsCount) continue;
    TComb c{};
    bool ok = true;
    for (size_t p = 0; p < words.size() && ok; ++p) {
      const auto v = ParseInt32(Trim(words[p]));
      ok = v && *v >= MinNum && *v <= MaxNum;
      if (ok) c[p] = static_cast<uint8_t>(*v);
    }
    if (ok) combs.push_back(c);
  }
  return combs;
}

std::string CombsToFileText(const TComb* combs, int count) {
  std::string out;
  out.reserve(static_cast<size_t>(count) * 7);
  for (int i = 0; i < count; ++i) {
    out += CombToText(combs[i]);
    out += "\r\n";
  }
  return out;
}

std::string CombsToClipText(const std::vector<TComb>& combs) {
  std::string out;
  for (const TComb& c : combs) {
    out += CombToClipText(c);
    out += "\r\n";
  }
  return out;
}

TCombsArray ParseClipText(std::string_view text) {
  TCombsArray combs;
  // Line ends: a final one makes no empty last line, an empty line inside is an error.
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
      if (i == text.size() && start == i) break;
      lines.emplace_back(text.substr(start, i - start));
      if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  for (const std::string& line : lines) {
    const TComb c = TextToComb(line);  // throws on a word count other than 3
    // Every word must be a number of the game.
    for (std::string_view w : SplitWords(line, "\t ,-.:;|")) {
      const auto v = ParseInt32(Trim(w));
      if (!v || *v < MinNum || *v > MaxNum) throw Error(Format(texts::BadComb, line.c_str()));
    }
    combs.push_back(c);
  }
  return combs;
}

}  // namespace korvane
