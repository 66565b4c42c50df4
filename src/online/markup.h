#pragma once

// Finding marked pieces in the text of a web page.

#include <cstddef>
#include <optional>
#include <string_view>

namespace korvane {

// The position of `what` in `text` from `from`, ASCII letters compared without case; npos
// when absent.
size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0);

// The text between the first `open` and the next `close` after it.
struct MarkedPiece {
  bool opened = false;  // `open` was found
  bool closed = false;  // and `close` after it
  std::string_view inner;
  size_t end = 0;  // just after `close`
};
MarkedPiece FindBetween(std::string_view text, std::string_view open, std::string_view close,
                        size_t from = 0);
// The inner text when both markers are there.
std::optional<std::string_view> Between(std::string_view text, std::string_view open,
                                        std::string_view close);

}  // namespace korvane
