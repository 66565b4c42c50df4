#include "core/encoding.h"

#include <iconv.h>

#include <cerrno>

#include "core/error.h"

namespace korvane {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw Error(std::string("Кодировка недоступна: ") + from + " -> " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input; an input sequence that cannot be converted is replaced by
  // "?" and skipped (one byte, or one UTF-8 character when the input is UTF-8).
  std::string Run(std::string_view in, bool inputIsUtf8) {
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[4096];
    while (srcLeft > 0) {
      char* dst = buf;
      size_t dstLeft = sizeof buf;
      const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: skip the offending character.
        size_t skip = 1;
        if (inputIsUtf8) {
          const auto lead = static_cast<unsigned char>(*src);
          skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
          if (skip > srcLeft) skip = srcLeft;
        }
        out += '?';
        src += skip;
        srcLeft -= skip;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  Converter conv("UTF-8", "WINDOWS-1251");
  return conv.Run(bytes, false);
}

std::string Utf8ToCp1251(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  Converter conv("WINDOWS-1251", "UTF-8");
  return conv.Run(text, true);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace korvane
