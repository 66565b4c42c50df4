#include "online/update.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

#include "core/encoding.h"
#include "core/strutil.h"
#include "online/texts.h"

#ifndef KORVANE_UPDATE_PUBLIC_KEY
#define KORVANE_UPDATE_PUBLIC_KEY ""
#endif
#ifndef KORVANE_UPDATE_HOST
#define KORVANE_UPDATE_HOST ""
#endif

namespace korvane {

namespace {

constexpr size_t DescriptionMaxBytes = size_t{1} << 20;
constexpr size_t SignatureMaxBytes = 1024;
constexpr size_t TextMaxBytes = size_t{256} << 10;
constexpr size_t PackageMaxBytes = size_t{512} << 20;
constexpr int64_t UnpackedMaxBytes = int64_t{2} << 30;
constexpr const char* TestKeyEnv = "KORVANE_TEST_UPDATE_KEY";

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameTextAscii(s.substr(0, prefix.size()), prefix);
}

std::vector<std::string> NameList(const IniFile& ini, std::string_view section,
                                  std::string_view key) {
  std::vector<std::string> names;
  const std::string list = ini.ReadString(section, key, "");
  for (std::string_view part : SplitAny(list, ";")) {
    const std::string name(Trim(part));
    if (name.empty()) continue;
    if (!IsBareFileName(name)) throw Error(Format(texts::UpdateBadName, name.c_str()));
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> GlobalThenOwn(const IniFile& ini, const std::string& section,
                                       std::string_view key) {
  std::vector<std::string> names = NameList(ini, UpdateGlobalSection, key);
  for (std::string& n : NameList(ini, section, key)) names.push_back(std::move(n));
  return names;
}

// The member path of a package made relative and plain ("./a//b" -> "a/b"); empty for the
// archive's own root. Throws Error for an absolute path or one with a ".." part.
std::string CleanMemberPath(const std::string& raw) {
  if (raw.empty() || raw[0] == '/') throw Error(Format(texts::UpdateBadMember, raw.c_str()));
  std::string clean;
  for (std::string_view part : SplitAny(raw, "/")) {
    if (part.empty() || part == ".") continue;
    if (part == "..") throw Error(Format(texts::UpdateBadMember, raw.c_str()));
    if (!clean.empty()) clean += '/';
    clean += part;
  }
  return clean;
}

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

[[noreturn]] void ThrowArchive(const fs::path& package, archive* a) {
  const char* why = archive_error_string(a);
  throw Error(Format(texts::UpdatePackageError, package.c_str(), why != nullptr ? why : "?"));
}

ArchivePtr OpenPackage(const fs::path& package) {
  ArchivePtr in(archive_read_new(), archive_read_free);
  if (!in) throw Error(Format(texts::UpdatePackageError, package.c_str(), "libarchive"));
  archive_read_support_filter_all(in.get());
  archive_read_support_format_tar(in.get());
  if (archive_read_open_filename(in.get(), package.c_str(), 1 << 16) != ARCHIVE_OK)
    ThrowArchive(package, in.get());
  return in;
}

[[noreturn]] void ThrowFolder(const fs::path& programDir, const std::string& why) {
  throw Error(Format(texts::UpdateFolderError, programDir.c_str(), why.c_str()));
}

void Check(const std::error_code& ec, const fs::path& programDir, const fs::path& what) {
  if (ec) ThrowFolder(programDir, what.string() + ": " + ec.message());
}

// `from` into the new folder `to`: folders made anew, files linked (copied where a link cannot
// be made), symbolic links copied as links.
void MirrorInto(const fs::path& from, const fs::path& to, const std::set<std::string>& skip,
                const fs::path& programDir) {
  std::error_code ec;
  for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path src = it->path();
    const std::string name = src.filename().string();
    if (skip.count(name) != 0) continue;
    const fs::path dst = to / name;
    const fs::file_status st = fs::symlink_status(src, ec);
    Check(ec, programDir, src);
    if (fs::is_directory(st)) {
      fs::create_directory(dst, ec);
      Check(ec, programDir, dst);
      fs::permissions(dst, st.permissions(), ec);
      MirrorInto(src, dst, {}, programDir);
    } else if (fs::is_regular_file(st)) {
      if (::link(src.c_str(), dst.c_str()) != 0) {
        fs::copy_file(src, dst, ec);
        Check(ec, programDir, dst);
      }
    } else if (fs::is_symlink(st)) {
      fs::copy_symlink(src, dst, ec);
      Check(ec, programDir, dst);
    }
  }
  Check(ec, programDir, from);
}

// Moves every entry of `from` into `to`, replacing what is there; folders present on both
// sides are merged.
void MergeInto(const fs::path& from, const fs::path& to, const fs::path& programDir) {
  std::error_code ec;
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
    entries.push_back(it->path());
  Check(ec, programDir, from);
  for (const fs::path& src : entries) {
    const fs::path dst = to / src.filename();
    const fs::file_status have = fs::symlink_status(dst, ec);
    if (fs::is_directory(fs::symlink_status(src, ec)) && fs::is_directory(have)) {
      MergeInto(src, dst, programDir);
      continue;
    }
    if (fs::exists(have)) {
      fs::remove_all(dst, ec);
      Check(ec, programDir, dst);
    }
    fs::rename(src, dst, ec);
    Check(ec, programDir, dst);
  }
}

void RemoveNames(const fs::path& folder, const std::vector<std::string>& names,
                 const fs::path& programDir) {
  std::error_code ec;
  for (const std::string& n : names) {
    fs::remove_all(folder / n, ec);
    Check(ec, programDir, folder / n);
  }
}

std::string FetchSignature(const UpdateFetcher& fetch, const std::string& address) {
  const std::string sigAddress = address + UpdateSignatureSuffix;
  try {
    return fetch(sigAddress, SignatureMaxBytes, {});
  } catch (const Cancelled&) {
    throw;
  } catch (const std::exception& e) {
    throw Error(Format(texts::UpdateNoSignature, sigAddress.c_str(), e.what()));
  }
}

std::string LoadDescriptionText(const UpdateRequest& r, const UpdateFetcher& fetch,
                                const std::string& verId) {
  for (const std::string& address :
       DescriptionTextAddresses(r.address, verId, r.languageAbbr, r.languageId)) {
    try {
      return Cp1251ToUtf8(fetch(address, TextMaxBytes, {}));
    } catch (const Cancelled&) {
      throw;
    } catch (const std::exception&) {
      // the next form is tried
    }
  }
  return texts::UpdateNoText;
}

bool FolderEmpty(const fs::path& folder) {
  std::error_code ec;
  return fs::directory_iterator(folder, ec) == fs::directory_iterator() || ec;
}

}  // namespace

std::string DefaultUpdateHost() { return KORVANE_UPDATE_HOST; }

std::string UpdateDescriptionAddress(const std::string& host) {
  const std::string_view h = Trim(host);
  if (h.empty()) return {};
  std::string address(h);
  while (!address.empty() && address.back() == '/') address.pop_back();
  return address + UpdateDescriptionPath;
}

int32_t BuildNumber(std::string_view version) {
  const std::vector<std::string_view> parts = SplitAny(version, ",-._");
  if (parts.size() < 4) return 0;
  return ParseInt32(Trim(parts[3])).value_or(0);
}

bool IsBareFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '.' || c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

bool IsWebAddress(std::string_view address) {
  return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

UpdateDescription ReadUpdateDescription(const IniFile& ini, const std::string& exeName,
                                        const std::string& currentVersion) {
  UpdateDescription d;
  d.verId = std::string(Trim(ini.ReadString(exeName, "VerId", currentVersion)));
  if (!IsBareFileName(d.verId)) throw Error(Format(texts::UpdateBadName, d.verId.c_str()));
  d.description = ini.ReadString(exeName, "Description", "");
  d.downloadUrl = std::string(Trim(ini.ReadString(exeName, "DownloadUrl", "")));
  d.originalFileName = std::string(Trim(ini.ReadString(exeName, "OriginalFileName", "")));
  if (!d.originalFileName.empty() && !IsBareFileName(d.originalFileName))
    throw Error(Format(texts::UpdateBadName, d.originalFileName.c_str()));
  d.checksumCrc32 = std::string(Trim(ini.ReadString(exeName, "ChecksumCRC32", "")));
  d.deleteBefore = GlobalThenOwn(ini, exeName, "DeleteBefore");
  d.deleteAfter = GlobalThenOwn(ini, exeName, "DeleteAfter");
  d.execBefore = GlobalThenOwn(ini, exeName, "ExecBefore");
  d.execAfter = GlobalThenOwn(ini, exeName, "ExecAfter");
  return d;
}

bool UpdateOffered(const std::string& currentVersion, const UpdateDescription& d) {
  return BuildNumber(currentVersion) < BuildNumber(d.verId) && !d.downloadUrl.empty();
}

std::vector<std::string> DescriptionTextAddresses(const std::string& descriptionAddress,
                                                  const std::string& verId,
                                                  const std::string& languageAbbr, int languageId) {
  const size_t slash = descriptionAddress.find_last_of('/');
  const std::string base =
      (slash == std::string::npos ? std::string() : descriptionAddress.substr(0, slash + 1)) +
      "UpdDescr/";
  std::vector<std::string> out;
  if (languageId != 0) {
    out.push_back(base + Format("UpdDescr_%s_%s.txt", languageAbbr.c_str(), verId.c_str()));
    out.push_back(base + Format("UpdDescr_%d_%s.txt", languageId, verId.c_str()));
  }
  out.push_back(base + Format("UpdDescr_%s.txt", verId.c_str()));
  return out;
}

uint32_t Crc32(std::string_view data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (!data.empty()) {
    const auto n = static_cast<uInt>(std::min<size_t>(data.size(), 1u << 30));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), n);
    data.remove_prefix(n);
  }
  return static_cast<uint32_t>(crc);
}

std::string Crc32Text(uint32_t crc) { return Format("%08X", crc); }

std::optional<UpdateKey> ParseUpdateKey(std::string_view hex) {
  hex = Trim(hex);
  if (hex.size() != 64) return std::nullopt;
  UpdateKey key{};
  for (size_t i = 0; i < key.size(); ++i) {
    unsigned value = 0;
    for (const char c : hex.substr(2 * i, 2)) {
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        value |= static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        value |= static_cast<unsigned>(c - 'A' + 10);
      else
        return std::nullopt;
    }
    key[i] = static_cast<unsigned char>(value);
  }
  return key;
}

bool VerifyUpdateSignature(const std::vector<UpdateKey>& keys, std::string_view message,
                           std::string_view signature) {
  if (signature.size() != 64) return false;
  for (const UpdateKey& key : keys) {
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY*)> pkey(
        EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, key.data(), key.size()),
        EVP_PKEY_free);
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!pkey || !ctx) continue;
    if (EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, pkey.get()) != 1) continue;
    if (EVP_DigestVerify(ctx.get(), reinterpret_cast<const unsigned char*>(signature.data()),
                         signature.size(), reinterpret_cast<const unsigned char*>(message.data()),
                         message.size()) == 1)
      return true;
  }
  return false;
}

std::vector<UpdateKey> UpdateKeysFor(const std::string& address) {
  std::vector<UpdateKey> keys;
  if (auto key = ParseUpdateKey(KORVANE_UPDATE_PUBLIC_KEY)) keys.push_back(*key);
  const char* test = std::getenv(TestKeyEnv);
  const bool local = !IsWebAddress(address) || StartsWithNoCase(address, "http://127.0.0.1:") ||
                     StartsWithNoCase(address, "http://127.0.0.1/");
  if (test != nullptr && local)
    if (auto key = ParseUpdateKey(test)) keys.push_back(*key);
  return keys;
}

void UnpackUpdatePackage(const fs::path& package, const fs::path& folder,
                         const std::string& packageName) {
  // First pass: every member is checked before anything is written.
  {
    ArchivePtr in = OpenPackage(package);
    archive_entry* entry = nullptr;
    int64_t total = 0;
    int r = 0;
    while ((r = archive_read_next_header(in.get(), &entry)) == ARCHIVE_OK) {
      const char* raw = archive_entry_pathname(entry);
      const std::string name = raw != nullptr ? raw : "";
      const std::string clean = CleanMemberPath(name);
      const auto type = archive_entry_filetype(entry);
      if (archive_entry_hardlink(entry) != nullptr || (type != AE_IFREG && type != AE_IFDIR))
        throw Error(Format(texts::UpdateBadMemberType, name.c_str()));
      if (clean == packageName) throw Error(Format(texts::UpdateBadMember, name.c_str()));
      total += std::max<int64_t>(archive_entry_size(entry), 0);
      if (total > UnpackedMaxBytes)
        throw Error(Format(texts::UpdatePackageTooLarge, static_cast<int>(UnpackedMaxBytes >> 20)));
    }
    if (r != ARCHIVE_EOF) ThrowArchive(package, in.get());
  }
  // Second pass: the members are written, each under `folder` (so the path given to the
  // writer is absolute; the member's own path was checked above).
  ArchivePtr in = OpenPackage(package);
  ArchivePtr out(archive_write_disk_new(), archive_write_free);
  if (!out) throw Error(Format(texts::UpdatePackageError, package.c_str(), "libarchive"));
  archive_write_disk_set_options(out.get(), ARCHIVE_EXTRACT_PERM | ARCHIVE_EXTRACT_TIME |
                                                ARCHIVE_EXTRACT_SECURE_NODOTDOT |
                                                ARCHIVE_EXTRACT_SECURE_SYMLINKS);
  archive_entry* entry = nullptr;
  int r = 0;
  while ((r = archive_read_next_header(in.get(), &entry)) == ARCHIVE_OK) {
    const std::string clean = CleanMemberPath(archive_entry_pathname(entry));
    if (clean.empty()) continue;
    const bool dir = archive_entry_filetype(entry) == AE_IFDIR;
    archive_entry_set_pathname(entry, (folder / clean).c_str());
    archive_entry_set_perm(entry, (archive_entry_perm(entry) & 0755) | (dir ? 0700 : 0600));
    archive_entry_set_uid(entry, static_cast<la_int64_t>(getuid()));
    archive_entry_set_gid(entry, static_cast<la_int64_t>(getgid()));
    if (archive_write_header(out.get(), entry) != ARCHIVE_OK) ThrowArchive(package, out.get());
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    int d = 0;
    while ((d = archive_read_data_block(in.get(), &block, &size, &offset)) == ARCHIVE_OK)
      if (archive_write_data_block(out.get(), block, size, offset) != ARCHIVE_OK)
        ThrowArchive(package, out.get());
    if (d != ARCHIVE_EOF) ThrowArchive(package, in.get());
    if (archive_write_finish_entry(out.get()) != ARCHIVE_OK) ThrowArchive(package, out.get());
  }
  if (r != ARCHIVE_EOF) ThrowArchive(package, in.get());
  if (archive_write_close(out.get()) != ARCHIVE_OK) ThrowArchive(package, out.get());
}

fs::path UpdateStagingFolder(const fs::path& programDir) {
  return programDir.parent_path() / (programDir.filename().string() + ".~new");
}

fs::path UpdateRetiredFolder(const fs::path& programDir) {
  return programDir.parent_path() / (programDir.filename().string() + ".~old");
}

void RemoveUpdateLeftovers(const fs::path& programDir) {
  std::error_code ec;
  fs::remove_all(UpdateStagingFolder(programDir), ec);
  fs::remove_all(UpdateRetiredFolder(programDir), ec);
}

void InstallProgramFolder(const fs::path& programDir, const fs::path& unpacked,
                          const std::vector<std::string>& deleteBefore,
                          const std::vector<std::string>& deleteAfter) {
  std::error_code ec;
  const fs::path live = fs::canonical(programDir, ec);
  Check(ec, programDir, programDir);
  if (live.filename().empty() || live.parent_path() == live)
    ThrowFolder(programDir, "the root folder cannot be replaced");
  const fs::path staging = UpdateStagingFolder(live);
  fs::remove_all(staging, ec);
  Check(ec, live, staging);
  try {
    fs::create_directory(staging, ec);
    Check(ec, live, staging);
    fs::permissions(staging, fs::status(live).permissions(), ec);
    std::set<std::string> skip(deleteBefore.begin(), deleteBefore.end());
    skip.insert(UpdateWorkFolder);
    MirrorInto(live, staging, skip, live);
    MergeInto(unpacked, staging, live);
    RemoveNames(staging, deleteAfter, live);
    SyncFolder(staging, staging);
  } catch (...) {
    fs::remove_all(staging, ec);
    throw;
  }
  // The exchange: the new folder takes the program folder's name in one step.
  if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, live.c_str(), RENAME_EXCHANGE) != 0) {
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP) {
      fs::remove_all(staging, ec);
      ThrowFolder(live, SystemErrorText(err));
    }
    // Without the exchange: two renames, undone when the second fails.
    const fs::path retired = UpdateRetiredFolder(live);
    fs::remove_all(retired, ec);
    if (::rename(live.c_str(), retired.c_str()) != 0) {
      const int e = errno;
      fs::remove_all(staging, ec);
      ThrowFolder(live, SystemErrorText(e));
    }
    if (::rename(staging.c_str(), live.c_str()) != 0) {
      const int e = errno;
      (void)::rename(retired.c_str(), live.c_str());
      fs::remove_all(staging, ec);
      ThrowFolder(live, SystemErrorText(e));
    }
    fs::remove_all(retired, ec);
  } else {
    // The old program folder now has the staging name; files still in use stay readable to
    // whoever holds them.
    fs::remove_all(staging, ec);
  }
  try {
    SyncFolder(live.parent_path(), live);
  } catch (const Error&) {
    // the new folder is in place already
  }
}

UpdateFetcher MakeUpdateFetcher(const HttpOptions& options, KeepGoing keepGoing) {
  return [options, keepGoing](const std::string& address, size_t maxBytes,
                              const UpdateProgress& progress) -> std::string {
    if (IsWebAddress(address)) {
      HttpOptions o = options;
      o.maxBodyBytes = maxBytes;
      o.onProgress = progress;
      return MakeCurlClient(o)->Get(address, keepGoing);
    }
    std::error_code ec;
    const auto size = fs::file_size(address, ec);
    if (!ec && size > maxBytes)
      throw Error(Format(texts::UpdateLocalTooLarge, address.c_str(),
                         static_cast<int>(std::max<size_t>(maxBytes >> 20, 1))));
    std::string data = ReadFile(address);
    if (progress) progress(static_cast<int64_t>(data.size()), static_cast<int64_t>(data.size()));
    return data;
  };
}

UpdateResult CheckForUpdate(const UpdateRequest& r, const UpdateFetcher& fetch,
                            UpdateEvents& events) {
  // Steps 1-7: the description and the offer.
  UpdateDescription d;
  UpdateOffer offer;
  std::string description;
  try {
    events.Progress(texts::UpdateSearching, 0, 0);
    if (Trim(r.address).empty()) throw Error(texts::UpdateNotConfigured);
    if (r.keys.empty()) throw Error(texts::UpdateNoKey);
    // Nothing beside the program folder is touched unless updates are set up.
    RemoveUpdateLeftovers(r.programDir);
    description = fetch(r.address, DescriptionMaxBytes, {});
    if (!VerifyUpdateSignature(r.keys, description, FetchSignature(fetch, r.address)))
      throw Error(Format(texts::UpdateBadSignature, r.address.c_str()));
    IniFile ini;
    ini.Parse(Cp1251ToUtf8(description));
    d = ReadUpdateDescription(ini, r.exeName, r.currentVersion);
    if (!UpdateOffered(r.currentVersion, d)) {
      if (!r.silent) events.Information(texts::UpdateNotFound);
      return UpdateResult::Nothing;
    }
    offer = {r.currentVersion, d.description, LoadDescriptionText(r, fetch, d.verId), d.verId};
  } catch (const std::exception& e) {
    if (!r.silent) events.Failure(Format(texts::UpdateCheckError, e.what()));
    return UpdateResult::Failed;
  }
  // Step 8: the dialog.
  if (!events.Confirm(offer)) return UpdateResult::Nothing;
  // Step 9: download, checks, unpacking, the new program folder.
  try {
    const std::string step = Format(texts::UpdateInstalling, d.verId.c_str());
    events.Progress(step, 0, 0);
    std::error_code ec;
    const fs::path work = r.programDir / UpdateWorkFolder;
    fs::remove_all(work, ec);
    fs::create_directories(work, ec);
    if (ec) throw Error(work.string() + ": " + ec.message());
    const fs::path package = work / Format("SelfUpdate_%s.upd", d.verId.c_str());
    const std::string bytes =
        fetch(d.downloadUrl, PackageMaxBytes,
              [&](int64_t done, int64_t total) { events.Progress(step, done, total); });
    WriteFileAtomic(package, bytes);
    if (!fs::exists(package, ec)) throw Error(Format(texts::UpdateFileNotFound, package.c_str()));
    if (!VerifyUpdateSignature(r.keys, description + bytes, FetchSignature(fetch, d.downloadUrl)))
      throw Error(Format(texts::UpdateBadSignature, d.downloadUrl.c_str()));
    if (!d.checksumCrc32.empty() && !SameTextAscii(Crc32Text(Crc32(bytes)), d.checksumCrc32))
      throw Error(texts::UpdateBadChecksum);
    const std::string name =
        d.originalFileName.empty() ? package.filename().string() : d.originalFileName;
    const fs::path original = work / name;
    if (const int err = RenameFile(package, original); err != 0)
      throw Error(original.string() + ": " + SystemErrorText(err));
    UnpackUpdatePackage(original, work, name);
    if (const int err = RemoveFile(original); err != 0)
      throw Error(original.string() + ": " + SystemErrorText(err));
    if (FolderEmpty(work)) throw Error(Format(texts::UpdateFileNotFound, (work / "*.*").c_str()));
    // ExecBefore and ExecAfter name programs of the package; nothing downloaded is run.
    InstallProgramFolder(r.programDir, work, d.deleteBefore, d.deleteAfter);
  } catch (const std::exception& e) {
    events.Failure(Format(texts::UpdateInstallError, e.what()));
    return UpdateResult::Failed;
  }
  events.Success(Format(texts::UpdateInstalled, d.description.c_str()));
  return UpdateResult::Installed;
}

}  // namespace korvane
