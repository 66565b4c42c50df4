#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Removes blanks and control characters (bytes <= 0x20) from both ends.
std::string_view Trim(std::string_view s);

// Strict integer parsing: an optional sign and decimal digits only, nothing else, within
// the range of the result type.
std::optional<int32_t> ParseInt32(std::string_view s);
std::optional<int64_t> ParseInt64(std::string_view s);

// A number read from text the lenient way of the number fields: the trimmed text as an
// integer, 0 when it is not one.
int32_t IntOrZero(std::string_view s);

// Parses a decimal fraction written with "." or "," as the decimal separator.
std::optional<double> ParseFloat(std::string_view s);

// The shortest text that reads back as the same double, with "." as the separator.
std::string FloatToText(double v);

// The text of Format("%.*f", digits, v) (and "%.*Lf" for long double), made without printf.
std::string FixedText(double v, int digits);
std::string FixedText(long double v, int digits);

// Splits at every occurrence of any of the separator characters; empty words are kept.
std::vector<std::string_view> SplitAny(std::string_view s, std::string_view separators);

// Splits at runs of separator characters; empty words are dropped.
std::vector<std::string_view> SplitWords(std::string_view s, std::string_view separators);

std::string Join(const std::vector<std::string>& parts, std::string_view separator);

// Lower case of a UTF-8 text for the Latin and Cyrillic alphabets (everything else is kept).
std::string LowerUtf8(std::string_view s);

// Case-insensitive comparison of UTF-8 texts (Latin and Cyrillic letters).
bool SameText(std::string_view a, std::string_view b);

// ASCII-only case-insensitive comparison, for keys, switches and codes.
bool SameTextAscii(std::string_view a, std::string_view b);

}  // namespace korvane
