#include "core/strutil.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace korvane {

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n));
    std::vsnprintf(out.data(), out.size() + 1, fmt, args);
  }
  va_end(args);
  return out;
}

std::string_view Trim(std::string_view s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

namespace {

template <typename T>
std::optional<T> ParseIntT(std::string_view s) {
  if (s.empty()) return std::nullopt;
  size_t i = 0;
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    i = 1;
  }
  if (i == s.size()) return std::nullopt;
  // Accumulate as a negative number so that the smallest value fits.
  T value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c < '0' || c > '9') return std::nullopt;
    const T digit = c - '0';
    if (value < (std::numeric_limits<T>::min() + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == std::numeric_limits<T>::min()) return std::nullopt;
    value = -value;
  }
  return value;
}

}  // namespace

std::optional<int32_t> ParseInt32(std::string_view s) { return ParseIntT<int32_t>(s); }
std::optional<int64_t> ParseInt64(std::string_view s) { return ParseIntT<int64_t>(s); }

int32_t IntOrZero(std::string_view s) { return ParseInt32(Trim(s)).value_or(0); }

std::optional<double> ParseFloat(std::string_view s) {
  s = Trim(s);
  if (s.empty()) return std::nullopt;
  std::string text(s);
  int separators = 0;
  for (char& c : text) {
    if (c == ',') c = '.';
    if (c == '.') ++separators;
    const bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
    if (!allowed) return std::nullopt;
  }
  if (separators > 1) return std::nullopt;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (*first == '+') ++first;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

std::string FloatToText(double v) {
  char buf[64];
  const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
  if (ec != std::errc()) return "0";
  return std::string(buf, ptr);
}

namespace {
template <typename T>
std::string FixedTextOf(T v, int digits) {
  char buf[128];
  const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, digits);
  if (ec != std::errc()) return Format("%.*Lf", digits, static_cast<long double>(v));
  return std::string(buf, ptr);
}
}  // namespace

std::string FixedText(double v, int digits) { return FixedTextOf(v, digits); }
std::string FixedText(long double v, int digits) { return FixedTextOf(v, digits); }

std::vector<std::string_view> SplitAny(std::string_view s, std::string_view separators) {
  std::vector<std::string_view> words;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || separators.find(s[i]) != std::string_view::npos) {
      words.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return words;
}

std::vector<std::string_view> SplitWords(std::string_view s, std::string_view separators) {
  std::vector<std::string_view> words;
  for (std::string_view w : SplitAny(s, separators))
    if (!w.empty()) words.push_back(w);
  return words;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

std::string LowerUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c + 32);
    } else if ((c == 0xD0) && i + 1 < s.size()) {
      const auto d = static_cast<unsigned char>(s[i + 1]);
      if (d >= 0x90 && d <= 0x9F) {  // А..П -> а..п
        out += '\xD0';
        out += static_cast<char>(d + 0x20);
      } else if (d >= 0xA0 && d <= 0xAF) {  // Р..Я -> р..я
        out += '\xD1';
        out += static_cast<char>(d - 0x20);
      } else if (d >= 0x80 && d <= 0x8F) {  // Ѐ..Џ (Ё among them) -> ѐ..џ
        out += '\xD1';
        out += static_cast<char>(d + 0x10);
      } else {
        out += static_cast<char>(c);
        out += static_cast<char>(d);
      }
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool SameText(std::string_view a, std::string_view b) { return LowerUtf8(a) == LowerUtf8(b); }

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace korvane
