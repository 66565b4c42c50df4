#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Text files of the program are single-byte Windows-1251 on disk; memory holds UTF-8.
// Characters that have no Windows-1251 form are written as "?".
std::string Cp1251ToUtf8(std::string_view bytes);
std::string Utf8ToCp1251(std::string_view text);

// Splits a text file into lines at CR LF, LF or a lone CR; the line ends are dropped.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace korvane
