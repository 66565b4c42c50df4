#pragma once

// The self-update: the update service describes the newest version in an INI file; a newer
// build is offered, its package (a tar archive of the program folder) downloaded, checked and
// unpacked, and the program folder replaced by a new one in a single rename.
//
// Nothing is trusted before it is checked: the description file and the package each come
// with a detached Ed25519 signature ("<address>.sig") made with the maker's key, whose public
// half is built into the program. The description's signature covers its bytes; the package's
// covers the description's bytes followed by the package's, so a package is only taken for
// the version that describes it. File names from the description are bare names; members of
// the package stay inside the folder; nothing downloaded is run.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fileio.h"
#include "core/ini.h"
#include "online/http.h"

namespace korvane {

// The description file's place on the update service (after its scheme and host).
inline constexpr const char* UpdateDescriptionPath = "/files/autoupdates/Velmora_AU.cfg";
inline constexpr const char* UpdateSignatureSuffix = ".sig";
// The work folder inside the program folder.
inline constexpr const char* UpdateWorkFolder = "SelfUpdate";
inline constexpr const char* UpdateGlobalSection = "GlobalOptions";

// The update service the program was built with (scheme and host; may be empty).
std::string DefaultUpdateHost();
// The description file's address on a service; empty when the host is.
std::string UpdateDescriptionAddress(const std::string& host);

// The build number of a version text: its fourth part when split at ",", "-", ".", "_", read as
// an integer; 0 when there is none or it is unreadable.
int32_t BuildNumber(std::string_view version);

// A bare file name: letters A-Z a-z, digits, ".", "_", "-"; not "." or "..".
bool IsBareFileName(std::string_view name);

// True for an address starting with "http://" or "https://" (any case); else a local path.
bool IsWebAddress(std::string_view address);

struct UpdateDescription {
  std::string verId;
  std::string description;
  std::string downloadUrl;
  std::string originalFileName;
  std::string checksumCrc32;
  // GlobalOptions first, then the program's section.
  std::vector<std::string> deleteBefore;
  std::vector<std::string> deleteAfter;
  std::vector<std::string> execBefore;
  std::vector<std::string> execAfter;
};

// The program's section (named after the executable's file name) and GlobalOptions. `VerId`
// defaults to the running version. Throws Error naming the first file name, or a `VerId`, that
// is not a bare name.
UpdateDescription ReadUpdateDescription(const IniFile& ini, const std::string& exeName,
                                        const std::string& currentVersion);

// An update is offered when the current build is lower than the build of `VerId` and
// `DownloadUrl` is set.
bool UpdateOffered(const std::string& currentVersion, const UpdateDescription& d);

// The places of the description text, in the order they are tried: with a language the
// abbreviation form, the identifier form, then the plain one; without one (id 0) the plain one.
// They lie in "UpdDescr/" beside the description file.
std::vector<std::string> DescriptionTextAddresses(const std::string& descriptionAddress,
                                                  const std::string& verId,
                                                  const std::string& languageAbbr, int languageId);

// CRC-32 (IEEE 802.3) and its text of 8 uppercase hexadecimal digits.
uint32_t Crc32(std::string_view data);
std::string Crc32Text(uint32_t crc);

// An Ed25519 public key.
using UpdateKey = std::array<unsigned char, 32>;
// 64 hexadecimal digits; none when the text is anything else.
std::optional<UpdateKey> ParseUpdateKey(std::string_view hex);
// True when `signature` (64 bytes) signs `message` with one of the keys.
bool VerifyUpdateSignature(const std::vector<UpdateKey>& keys, std::string_view message,
                           std::string_view signature);
// The keys an update from `address` is checked with: the program's own, and the key of the
// tests (KORVANE_TEST_UPDATE_KEY) only for an address on this computer (a local path or
// http://127.0.0.1).
std::vector<UpdateKey> UpdateKeysFor(const std::string& address);

// Unpacks a tar package (plain or compressed) into `folder`. Only files and folders are taken;
// a member whose path is absolute, has a ".." part, or is `packageName` refuses the whole
// package (Error) before anything of it is written. Permissions keep only rwxr-xr-x.
void UnpackUpdatePackage(const fs::path& package, const fs::path& folder,
                         const std::string& packageName);

// The folders beside the program folder that an installation uses: the new folder being
// assembled, and the old one when the system cannot exchange two folders in one step.
fs::path UpdateStagingFolder(const fs::path& programDir);
fs::path UpdateRetiredFolder(const fs::path& programDir);
// Removes what an interrupted installation left beside the program folder (errors ignored).
void RemoveUpdateLeftovers(const fs::path& programDir);

// Replaces the program folder: a new folder beside it gets every entry of the old one (hard
// links, so files held open stay the same files) except the work folder and the names of
// `deleteBefore`, then every file of `unpacked` (replacing), then loses the names of
// `deleteAfter`; the two folders are then exchanged in one rename and the old one removed.
// Any failure before the exchange leaves the program folder as it was.
void InstallProgramFolder(const fs::path& programDir, const fs::path& unpacked,
                          const std::vector<std::string>& deleteBefore,
                          const std::vector<std::string>& deleteAfter);

// Reads an address: a web address through HTTP, anything else as a local file. At most
// `maxBytes`; `progress` (may be empty) hears the bytes received and the expected total.
using UpdateProgress = std::function<void(int64_t received, int64_t total)>;
using UpdateFetcher = std::function<std::string(const std::string& address, size_t maxBytes,
                                                const UpdateProgress& progress)>;
UpdateFetcher MakeUpdateFetcher(const HttpOptions& options, KeepGoing keepGoing);

struct UpdateRequest {
  std::string address;  // of the description file
  bool silent = false;
  std::string languageAbbr;  // "RUS"
  int languageId = 0;        // 1049; 0: no language
  fs::path programDir;
  std::string exeName;
  std::string currentVersion;
  std::vector<UpdateKey> keys;
};

struct UpdateOffer {
  std::string currentVersion;
  std::string newVersion;  // the description's `Description`
  std::string text;        // the description text, or the text saying there is none
  std::string verId;
};

// What the check says to the person.
class UpdateEvents {
 public:
  virtual ~UpdateEvents() = default;
  // A step began (total 0: no measure) or the package download moved on.
  virtual void Progress(const std::string& text, int64_t done, int64_t total) = 0;
  // The update dialog: true installs.
  virtual bool Confirm(const UpdateOffer& offer) = 0;
  virtual void Information(const std::string& text) = 0;
  virtual void Success(const std::string& text) = 0;
  virtual void Failure(const std::string& text) = 0;
};

enum class UpdateResult { Nothing = 0, Installed = 1, Failed = 2 };

// The whole check: the description, the offer, and on consent the download and the
// installation. A silent check says nothing unless an update is offered.
UpdateResult CheckForUpdate(const UpdateRequest& request, const UpdateFetcher& fetch,
                            UpdateEvents& events);

}  // namespace korvane
