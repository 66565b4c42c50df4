#include "online/markup.h"

#include <algorithm>

namespace korvane {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const auto it =
      std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                  what.end(), [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
  return it == text.end() && !what.empty() ? std::string_view::npos
                                           : static_cast<size_t>(it - text.begin());
}

MarkedPiece FindBetween(std::string_view text, std::string_view open, std::string_view close,
                        size_t from) {
  MarkedPiece piece;
  const size_t a = FindNoCase(text, open, from);
  if (a == std::string_view::npos) return piece;
  piece.opened = true;
  const size_t start = a + open.size();
  const size_t b = FindNoCase(text, close, start);
  if (b == std::string_view::npos) return piece;
  piece.closed = true;
  piece.inner = text.substr(start, b - start);
  piece.end = b + close.size();
  return piece;
}

std::optional<std::string_view> Between(std::string_view text, std::string_view open,
                                        std::string_view close) {
  const MarkedPiece p = FindBetween(text, open, close);
  if (!p.closed) return std::nullopt;
  return p.inner;
}

}  // namespace korvane
