#pragma once

// What the two online libraries (systems and scenarios) share: form posts answered with tagged
// text, Base64 texts and the escaping of request fields.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "online/http.h"

namespace korvane {

std::string EncodeBase64(std::string_view bytes);
// Empty for a text that is not Base64.
std::string DecodeBase64(std::string_view text);
// The same, with line breaks and blanks in the text left out first.
std::string DecodeBase64Text(std::string_view text);

// Request-field escaping: controls 0..6 as "\0".."\6", 7..13 as "\a" "\b" "\t" "\n" "\v"
// "\f" "\r", 27 as "\e", and "'", "\"", "?", "\" behind a backslash.
std::string EscapeLibraryText(std::string_view text);

// The rows of a reply: the text between "<result>" and "</result>", split at "<row>"..."</row>".
// Throws Error when there is no result part, or a row holds a non-empty "<error>" element (its
// text is the message).
std::vector<std::string> ReadTaggedRows(std::string_view reply);
// An element of a row, tags compared without case; none when absent.
std::optional<std::string> TaggedElement(std::string_view row, std::string_view name);

// The identity of a request: the service (scheme and host), the program and the user.
struct LibraryContext {
  std::string serviceUrl;
  std::string appId = "korvane";
  std::string appVersion;
  int language = 1049;
  std::string userName;
  std::string userMail;
};

using FormFields = std::vector<std::pair<std::string, std::string>>;

// A form post to a path of the service with "appid" and "appver" added; the reply's rows.
// Throws Error (the reply's own error text, an HTTP failure, or no service configured).
std::vector<std::string> PostLibrary(HttpClient& client, const LibraryContext& context,
                                     const std::string& path, FormFields fields,
                                     const KeepGoing& keepGoing);

}  // namespace korvane
