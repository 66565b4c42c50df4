#include "support/update_support.h"

#include <archive.h>
#include <archive_entry.h>
#include <openssl/evp.h>

#include <stdexcept>

#include "core/encoding.h"
#include "core/strutil.h"
#include "online/update.h"

namespace korvane::test {

UpdateSigner::UpdateSigner() {
  EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr);
  EVP_PKEY* key = nullptr;
  if (ctx == nullptr || EVP_PKEY_keygen_init(ctx) != 1 || EVP_PKEY_keygen(ctx, &key) != 1)
    throw std::runtime_error("Ed25519 key generation failed");
  EVP_PKEY_CTX_free(ctx);
  key_ = key;
}

UpdateSigner::~UpdateSigner() { EVP_PKEY_free(static_cast<EVP_PKEY*>(key_)); }

std::string UpdateSigner::PublicHex() const {
  unsigned char raw[32];
  size_t n = sizeof raw;
  if (EVP_PKEY_get_raw_public_key(static_cast<EVP_PKEY*>(key_), raw, &n) != 1)
    throw std::runtime_error("no public key");
  std::string hex;
  for (size_t i = 0; i < n; ++i) hex += Format("%02x", raw[i]);
  return hex;
}

std::string UpdateSigner::Sign(std::string_view message) const {
  EVP_MD_CTX* ctx = EVP_MD_CTX_new();
  unsigned char sig[64];
  size_t n = sizeof sig;
  const bool ok =
      ctx != nullptr &&
      EVP_DigestSignInit(ctx, nullptr, nullptr, nullptr, static_cast<EVP_PKEY*>(key_)) == 1 &&
      EVP_DigestSign(ctx, sig, &n, reinterpret_cast<const unsigned char*>(message.data()),
                     message.size()) == 1;
  EVP_MD_CTX_free(ctx);
  if (!ok) throw std::runtime_error("signing failed");
  return std::string(reinterpret_cast<const char*>(sig), n);
}

void WriteTar(const fs::path& file, const std::vector<TarMember>& members, bool plain) {
  archive* a = archive_write_new();
  archive_write_set_format_pax_restricted(a);
  if (!plain) archive_write_add_filter_gzip(a);
  if (archive_write_open_filename(a, file.c_str()) != ARCHIVE_OK)
    throw std::runtime_error(archive_error_string(a));
  for (const TarMember& m : members) {
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, m.name.c_str());
    archive_entry_set_perm(e, static_cast<mode_t>(m.mode));
    if (m.type == 'd') {
      archive_entry_set_filetype(e, AE_IFDIR);
    } else if (m.type == 'l') {
      archive_entry_set_filetype(e, AE_IFLNK);
      archive_entry_set_symlink(e, m.content.c_str());
    } else {
      archive_entry_set_filetype(e, AE_IFREG);
      archive_entry_set_size(e, static_cast<la_int64_t>(m.content.size()));
    }
    archive_write_header(a, e);
    if (m.type == 'f') archive_write_data(a, m.content.data(), m.content.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
}

PublishedUpdate PublishUpdate(const fs::path& root, const UpdateSigner& signer,
                              const std::string& baseUrl, std::string description,
                              const std::vector<TarMember>& members,
                              const std::string& packageName) {
  const fs::path dir = root / "autoupdates";
  fs::create_directories(dir);
  const fs::path package = dir / packageName;
  WriteTar(package, members);
  PublishedUpdate out;
  out.package = ReadFile(package);
  const std::string address = baseUrl + "/files/autoupdates/" + packageName;
  for (size_t at = description.find("%PACKAGE%"); at != std::string::npos;
       at = description.find("%PACKAGE%"))
    description.replace(at, 9, address);
  if (const size_t at = description.find("%CRC%"); at != std::string::npos)
    description.replace(at, 5, Crc32Text(Crc32(out.package)));
  out.descriptionText = Utf8ToCp1251(description);
  WriteFileAtomic(dir / "Velmora_AU.cfg", out.descriptionText);
  WriteFileAtomic(dir / "Velmora_AU.cfg.sig", signer.Sign(out.descriptionText));
  WriteFileAtomic(dir / (packageName + ".sig"), signer.Sign(out.descriptionText + out.package));
  return out;
}

std::string UpdateSection(const std::string& exe, const std::string& verId,
                          const std::string& extraLines) {
  return "[" + exe + "]\r\nVerId=" + verId + "\r\nDescription=Корване " + verId +
         "\r\nDownloadUrl=%PACKAGE%\r\nOriginalFileName=korvane.tar.gz\r\n" + extraLines;
}

}  // namespace korvane::test
