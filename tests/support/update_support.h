#pragma once

// An update service for the tests: a signing key of their own, tar packages (also hostile
// ones), and the description file with both signatures laid out as the service serves them.

#include <string>
#include <string_view>
#include <vector>

#include "core/fileio.h"

namespace korvane::test {

// An Ed25519 key pair made for one test run.
class UpdateSigner {
 public:
  UpdateSigner();
  ~UpdateSigner();
  UpdateSigner(const UpdateSigner&) = delete;
  UpdateSigner& operator=(const UpdateSigner&) = delete;
  // The public key as 64 hexadecimal digits (KORVANE_TEST_UPDATE_KEY).
  std::string PublicHex() const;
  // The 64-byte signature of `message`.
  std::string Sign(std::string_view message) const;

 private:
  void* key_ = nullptr;  // EVP_PKEY
};

struct TarMember {
  std::string name;  // written as given: "a/b", "../x", "/abs"
  std::string content;
  int mode = 0644;
  char type = 'f';  // 'f' file, 'd' folder, 'l' symbolic link to `content`
};
// A tar archive (gzip-compressed unless `plain`).
void WriteTar(const fs::path& file, const std::vector<TarMember>& members, bool plain = false);

// One offered version on the service at `root` (served under /files/): the package at
// autoupdates/<packageName> and its signature over description + package, the description
// autoupdates/Velmora_AU.cfg and its signature. `description` is the INI text (UTF-8; stored in
// Windows-1251); "%PACKAGE%" in it becomes the package's address under `baseUrl`, "%CRC%" the
// package's CRC-32.
struct PublishedUpdate {
  std::string descriptionText;  // as stored
  std::string package;
};
PublishedUpdate PublishUpdate(const fs::path& root, const UpdateSigner& signer,
                              const std::string& baseUrl, std::string description,
                              const std::vector<TarMember>& members,
                              const std::string& packageName = "korvane-update.tar.gz");

// The INI section of an offered version for the executable `exe`.
std::string UpdateSection(const std::string& exe, const std::string& verId,
                          const std::string& extraLines = "");

}  // namespace korvane::test
