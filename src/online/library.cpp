#include "online/library.h"

#include <openssl/evp.h>

#include "core/strutil.h"
#include "online/markup.h"
#include "online/texts.h"

namespace korvane {

std::string EncodeBase64(std::string_view bytes) {
  std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  const int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                reinterpret_cast<const unsigned char*>(bytes.data()),
                                static_cast<int>(bytes.size()));
  out.resize(static_cast<size_t>(std::max(n, 0)));
  return out;
}

std::string DecodeBase64(std::string_view clean) {
  if (clean.empty() || clean.size() % 4 != 0) return {};
  std::string out(clean.size() / 4 * 3, '\0');
  const int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                reinterpret_cast<const unsigned char*>(clean.data()),
                                static_cast<int>(clean.size()));
  if (n < 0) return {};
  out.resize(static_cast<size_t>(n));
  // The decoder counts the padding as zero bytes.
  for (size_t i = clean.size(); i > 0 && clean[i - 1] == '='; --i) out.pop_back();
  return out;
}

std::string DecodeBase64Text(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (const char c : text)
    if (c != '\r' && c != '\n' && c != ' ' && c != '\t') clean += c;
  return DecodeBase64(clean);
}

std::string EscapeLibraryText(std::string_view text) {
  static constexpr const char* controls[] = {"\\0", "\\1", "\\2", "\\3", "\\4", "\\5", "\\6",
                                             "\\a", "\\b", "\\t", "\\n", "\\v", "\\f", "\\r"};
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 13)
      out += controls[u];
    else if (u == 27)
      out += "\\e";
    else if (c == '\'' || c == '"' || c == '?' || c == '\\')
      out += std::string("\\") + c;
    else
      out += c;
  }
  return out;
}

std::vector<std::string> ReadTaggedRows(std::string_view reply) {
  const auto result = Between(reply, "<result>", "</result>");
  if (!result) throw Error(texts::LibraryNoResult);
  std::vector<std::string> rows;
  for (size_t at = 0;;) {
    const MarkedPiece row = FindBetween(*result, "<row>", "</row>", at);
    if (!row.closed) break;
    const auto error = TaggedElement(row.inner, "error");
    if (error && !Trim(*error).empty()) throw Error(std::string(Trim(*error)));
    rows.emplace_back(row.inner);
    at = row.end;
  }
  return rows;
}

std::optional<std::string> TaggedElement(std::string_view row, std::string_view name) {
  const std::string open = "<" + std::string(name) + ">";
  const std::string close = "</" + std::string(name) + ">";
  const auto inner = Between(row, open, close);
  if (!inner) return std::nullopt;
  return std::string(*inner);
}

std::vector<std::string> PostLibrary(HttpClient& client, const LibraryContext& context,
                                     const std::string& path, FormFields fields,
                                     const KeepGoing& keepGoing) {
  std::string base(Trim(context.serviceUrl));
  if (base.empty()) throw Error(texts::LibraryNotConfigured);
  while (!base.empty() && base.back() == '/') base.pop_back();
  fields.emplace_back("appid", context.appId);
  fields.emplace_back("appver", context.appVersion);
  return ReadTaggedRows(client.PostForm(base + path, fields, keepGoing));
}

}  // namespace korvane
