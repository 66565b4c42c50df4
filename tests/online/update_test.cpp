#include "online/update.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cstdlib>

#include "core/encoding.h"
#include "core/strutil.h"
#include "online/texts.h"
#include "support/local_server.h"
#include "support/test_support.h"
#include "support/update_support.h"

namespace korvane {
namespace {

TEST(UpdateVersions, OnlyTheBuildNumberCounts) {
  struct Case {
    const char* current;
    const char* offered;
    const char* url;
    bool offer;
  };
  for (const Case& c : {
           Case{"1.2.3.45", "1.2.4.44", "u", false},  // only the fourth part counts
           Case{"1.2.3.45", "1.2.3.46", "u", true}, Case{"1.2.3.45", "0.0.0.46", "u", true},
           Case{"1.2.3.45", "1.2.3.45", "u", false},
           Case{"1,2-3_45", "1_2_3-46", "u", true},  // every separator
           Case{"1.2.3", "1.2.3.1", "u", true},      // no fourth part: 0
           Case{"1.2.3.x", "1.2.3.1", "u", true},    // unreadable: 0
           Case{"1.2.3.4", "1.2.3.x", "u", false},
           Case{"1.2.3.45", "1.2.3.99", "", false},  // no DownloadUrl, no update
       }) {
    UpdateDescription d;
    d.verId = c.offered;
    d.downloadUrl = c.url;
    EXPECT_EQ(UpdateOffered(c.current, d), c.offer) << c.current << " " << c.offered;
  }
  EXPECT_EQ(BuildNumber("0.1.0.1"), 1);
  EXPECT_EQ(BuildNumber("7.7.7.007.9"), 7);
}

TEST(UpdateDescriptionFile, SectionsAndNames) {
  IniFile ini;
  ini.Parse(
      "[GlobalOptions]\nDeleteBefore=old.txt; stale.bin\nExecAfter=post.sh\n"
      "[korvane]\nVerId= 1.0.0.9 \nDescription=Версия 9\nDownloadUrl=https://u/p.tar\n"
      "OriginalFileName=p.tar\nChecksumCRC32=cbf43926\nDeleteBefore=mine.txt\n"
      "DeleteAfter=;;x-1_y.z;\n");
  const UpdateDescription d = ReadUpdateDescription(ini, "korvane", "0.1.0.1");
  EXPECT_EQ(d.verId, "1.0.0.9");
  EXPECT_EQ(d.description, "Версия 9");
  EXPECT_EQ(d.deleteBefore, (std::vector<std::string>{"old.txt", "stale.bin", "mine.txt"}));
  EXPECT_EQ(d.deleteAfter, (std::vector<std::string>{"x-1_y.z"}));
  EXPECT_EQ(d.execAfter, (std::vector<std::string>{"post.sh"}));
  // Another program's section: VerId is the running version, nothing is offered.
  const UpdateDescription other = ReadUpdateDescription(ini, "korvane-cli", "0.1.0.1");
  EXPECT_EQ(other.verId, "0.1.0.1");
  EXPECT_FALSE(UpdateOffered("0.1.0.1", other));

  // Names from the description are bare names, whatever key they come from.
  for (const char* line :
       {"OriginalFileName=../korvane", "OriginalFileName=/tmp/x", "DeleteBefore=a/b",
        "DeleteAfter=..", "ExecBefore=run me", "ExecAfter=..\\\\x", "VerId=1.0.0.9/../../x",
        "DeleteBefore=Korvane.ldr;../../etc/passwd"}) {
    IniFile bad;
    const std::string ver = std::string(line).rfind("VerId", 0) == 0 ? "" : "VerId=1.0.0.9\n";
    bad.Parse("[korvane]\n" + ver + "DownloadUrl=https://u/p\n" + line + "\n");
    EXPECT_THROW(ReadUpdateDescription(bad, "korvane", "0.1.0.1"), Error) << line;
  }
  for (const char* ok : {"a", "A.b-c_9", ".hidden", "x..y"}) EXPECT_TRUE(IsBareFileName(ok)) << ok;
  for (const char* no : {"", ".", "..", "a/b", "a b", "ä", "a\\b"})
    EXPECT_FALSE(IsBareFileName(no)) << no;
}

TEST(UpdateDescriptionFile, TextAddresses) {
  EXPECT_EQ(
      DescriptionTextAddresses("https://h/files/autoupdates/Velmora_AU.cfg", "1.0.0.9", "RUS",
                               1049),
      (std::vector<std::string>{"https://h/files/autoupdates/UpdDescr/UpdDescr_RUS_1.0.0.9.txt",
                                "https://h/files/autoupdates/UpdDescr/UpdDescr_1049_1.0.0.9.txt",
                                "https://h/files/autoupdates/UpdDescr/UpdDescr_1.0.0.9.txt"}));
  // A local path: beside the file; without a language only the plain form.
  EXPECT_EQ(DescriptionTextAddresses("/srv/upd/Velmora_AU.cfg", "2", "", 0),
            (std::vector<std::string>{"/srv/upd/UpdDescr/UpdDescr_2.txt"}));
  EXPECT_EQ(UpdateDescriptionAddress("https://upd.example.org/"),
            "https://upd.example.org/files/autoupdates/Velmora_AU.cfg");
  EXPECT_EQ(UpdateDescriptionAddress("  "), "");
}

TEST(UpdateChecks, ChecksumAndSignature) {
  EXPECT_EQ(Crc32Text(Crc32("123456789")), "CBF43926");
  EXPECT_EQ(Crc32Text(Crc32("")), "00000000");

  test::UpdateSigner signer;
  test::UpdateSigner stranger;
  const UpdateKey key = *ParseUpdateKey(signer.PublicHex());
  const std::string sig = signer.Sign("package bytes");
  EXPECT_TRUE(VerifyUpdateSignature({key}, "package bytes", sig));
  EXPECT_FALSE(VerifyUpdateSignature({key}, "package bytez", sig));
  EXPECT_FALSE(VerifyUpdateSignature({key}, "package bytes", stranger.Sign("package bytes")));
  EXPECT_FALSE(VerifyUpdateSignature({key}, "package bytes", sig.substr(1)));
  EXPECT_FALSE(VerifyUpdateSignature({}, "package bytes", sig));
  EXPECT_TRUE(
      VerifyUpdateSignature({*ParseUpdateKey(stranger.PublicHex()), key}, "package bytes", sig));
  EXPECT_FALSE(ParseUpdateKey("abc"));
  EXPECT_FALSE(ParseUpdateKey(std::string(63, 'a') + "g"));

  // The tests' key counts only for an update service on this computer.
  setenv("KORVANE_TEST_UPDATE_KEY", signer.PublicHex().c_str(), 1);
  const auto has = [&](const std::string& address) {
    for (const UpdateKey& k : UpdateKeysFor(address))
      if (k == key) return true;
    return false;
  };
  EXPECT_TRUE(has("http://127.0.0.1:8080/files/autoupdates/Velmora_AU.cfg"));
  EXPECT_TRUE(has("/srv/upd/Velmora_AU.cfg"));
  EXPECT_FALSE(has("https://upd.example.org/files/autoupdates/Velmora_AU.cfg"));
  EXPECT_FALSE(has("http://127.0.0.1.evil.org/files/autoupdates/Velmora_AU.cfg"));
  unsetenv("KORVANE_TEST_UPDATE_KEY");
  EXPECT_FALSE(has("/srv/upd/Velmora_AU.cfg"));
}

TEST(UpdatePackage, UnpacksFilesAndFoldersOnly) {
  test::TempDir dir;
  const fs::path pkg = dir / "p.tar.gz";
  test::WriteTar(pkg, {{"./", "", 0755, 'd'},
                       {"./korvane", "#!/bin/sh\necho new\n", 04755},
                       {"lib/", "", 0777, 'd'},
                       {"lib//libx.so", "x", 0666},
                       {"share/doc/README", "r"}});
  const fs::path out = dir / "out";
  fs::create_directory(out);
  UnpackUpdatePackage(pkg, out, "p.tar.gz");
  EXPECT_EQ(ReadFile(out / "korvane"), "#!/bin/sh\necho new\n");
  EXPECT_EQ(ReadFile(out / "lib/libx.so"), "x");
  EXPECT_EQ(ReadFile(out / "share/doc/README"), "r");
  struct stat st {};
  ASSERT_EQ(stat((out / "korvane").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0755u);  // no set-user-id
  ASSERT_EQ(stat((out / "lib/libx.so").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);  // no write for others

  // A hostile member refuses the whole package before anything is written.
  const std::vector<std::vector<test::TarMember>> hostile = {
      {{"good", "g"}, {"/etc/evil", "x"}},      {{"good", "g"}, {"../evil", "x"}},
      {{"good", "g"}, {"lib/../../evil", "x"}}, {{"good", "g"}, {"link", "/etc", 0777, 'l'}},
      {{"good", "g"}, {"p.tar.gz", "x"}},
  };
  for (const auto& members : hostile) {
    const fs::path bad = dir / "bad.tar.gz";
    test::WriteTar(bad, members);
    const fs::path into = dir / "into";
    fs::remove_all(into);
    fs::create_directory(into);
    EXPECT_THROW(UnpackUpdatePackage(bad, into, "p.tar.gz"), Error) << members[1].name;
    EXPECT_TRUE(fs::is_empty(into)) << members[1].name;
    EXPECT_FALSE(fs::exists(dir / "evil"));
  }
  // Not an archive at all.
  WriteFileAtomic(dir / "junk.tar", "<html>404 Not Found</html>");
  EXPECT_THROW(UnpackUpdatePackage(dir / "junk.tar", out, "junk.tar"), Error);
}

TEST(UpdateInstall, NewFolderTakesThePlaceOfTheOld) {
  test::TempDir dir;
  const fs::path prog = dir / "korvane";
  fs::create_directories(prog / "Prefetchs");
  WriteFileAtomic(prog / "korvane", "old program");
  WriteFileAtomic(prog / "Korvane.ldr", "draws");
  WriteFileAtomic(prog / "Prefetchs/Korvane_1.dfc", "prefetch");
  WriteFileAtomic(prog / "obsolete.txt", "o");
  WriteFileAtomic(prog / "later.txt", "l");
  fs::create_directories(prog / "SelfUpdate");
  WriteFileAtomic(prog / "SelfUpdate/korvane", "new program");
  WriteFileAtomic(prog / "SelfUpdate/NEWS", "news");
  fs::create_directories(prog / "SelfUpdate/Prefetchs");
  WriteFileAtomic(prog / "SelfUpdate/Prefetchs/readme", "r");
  // The stake file is held open with its lock while the folder is replaced.
  WriteFileAtomic(prog / "Korvane.lsk", "stakes");
  const int fd = ::open((prog / "Korvane.lsk").c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
  struct stat before {};
  ASSERT_EQ(fstat(fd, &before), 0);

  InstallProgramFolder(prog, prog / "SelfUpdate", {"obsolete.txt"}, {"later.txt"});

  EXPECT_EQ(ReadFile(prog / "korvane"), "new program");
  EXPECT_EQ(ReadFile(prog / "NEWS"), "news");
  EXPECT_EQ(ReadFile(prog / "Korvane.ldr"), "draws");
  EXPECT_EQ(ReadFile(prog / "Prefetchs/Korvane_1.dfc"), "prefetch");  // folders merged
  EXPECT_EQ(ReadFile(prog / "Prefetchs/readme"), "r");
  EXPECT_FALSE(fs::exists(prog / "obsolete.txt"));
  EXPECT_FALSE(fs::exists(prog / "later.txt"));
  EXPECT_FALSE(fs::exists(prog / "SelfUpdate"));
  EXPECT_FALSE(fs::exists(UpdateStagingFolder(prog)));
  EXPECT_FALSE(fs::exists(UpdateRetiredFolder(prog)));
  // The open stake file is the one now in the folder, and still locked.
  struct stat after {};
  ASSERT_EQ(stat((prog / "Korvane.lsk").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_TRUE(IsLockedByAnother(prog / "Korvane.lsk"));
  ::close(fd);

  // A failure on the way leaves the folder as it was and nothing beside it.
  EXPECT_THROW(InstallProgramFolder(prog, dir / "missing", {}, {}), Error);
  EXPECT_EQ(ReadFile(prog / "korvane"), "new program");
  EXPECT_FALSE(fs::exists(UpdateStagingFolder(prog)));
}

// Records what the check says; answers the dialog with `accept`.
class RecordingEvents final : public UpdateEvents {
 public:
  bool accept = true;
  std::vector<UpdateOffer> offers;
  std::vector<std::string> information, successes, failures;
  int64_t lastDone = 0;
  void Progress(const std::string&, int64_t done, int64_t) override { lastDone = done; }
  bool Confirm(const UpdateOffer& offer) override {
    offers.push_back(offer);
    return accept;
  }
  void Information(const std::string& t) override { information.push_back(t); }
  void Success(const std::string& t) override { successes.push_back(t); }
  void Failure(const std::string& t) override { failures.push_back(t); }
};

class UpdateService : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(site_ / "autoupdates");
    server_ =
        std::make_unique<test::LocalServer>(std::vector<std::string>{"--files", site_.string()});
    base_ = "http://127.0.0.1:" + std::to_string(server_->Port());
    fs::create_directories(prog_);
    WriteFileAtomic(prog_ / "korvane", "old");
    WriteFileAtomic(prog_ / "Korvane.ldr", "draws");
  }
  UpdateRequest Request(bool silent = false) const {
    UpdateRequest r;
    r.address = base_ + "/files/autoupdates/Velmora_AU.cfg";
    r.silent = silent;
    r.languageAbbr = "RUS";
    r.languageId = 1049;
    r.programDir = prog_;
    r.exeName = "korvane";
    r.currentVersion = "0.1.0.1";
    r.keys = {*ParseUpdateKey(signer_.PublicHex())};
    return r;
  }
  UpdateResult Check(RecordingEvents& ev, bool silent = false) const {
    return CheckForUpdate(Request(silent), MakeUpdateFetcher({}, {}), ev);
  }
  test::PublishedUpdate Publish(const std::string& extra = "", const std::string& ver = "0.2.0.7",
                                const std::vector<test::TarMember>& members = {
                                    {"korvane", "new", 0755}, {"NEWS", "what is new"}}) {
    return test::PublishUpdate(site_, signer_, base_, test::UpdateSection("korvane", ver, extra),
                               members);
  }

  test::TempDir dir_;
  fs::path site_ = dir_ / "site";
  fs::path prog_ = dir_ / "prog";
  test::UpdateSigner signer_;
  std::unique_ptr<test::LocalServer> server_;
  std::string base_;
};

TEST_F(UpdateService, SignedNewerVersionIsInstalled) {
  Publish("ChecksumCRC32=%CRC%\r\n");
  fs::create_directories(site_ / "autoupdates/UpdDescr");
  WriteFileAtomic(site_ / "autoupdates/UpdDescr/UpdDescr_1049_0.2.0.7.txt",
                  Utf8ToCp1251("Новое в 0.2.0.7"));
  RecordingEvents ev;
  EXPECT_EQ(Check(ev), UpdateResult::Installed) << Join(ev.failures, "|");
  ASSERT_EQ(ev.offers.size(), 1u);
  EXPECT_EQ(ev.offers[0].currentVersion, "0.1.0.1");
  EXPECT_EQ(ev.offers[0].newVersion, "Корване 0.2.0.7");
  EXPECT_EQ(ev.offers[0].text, "Новое в 0.2.0.7");  // the abbreviation form is missing
  EXPECT_EQ(ev.successes,
            std::vector<std::string>{Format(texts::UpdateInstalled, "Корване 0.2.0.7")});
  EXPECT_EQ(ReadFile(prog_ / "korvane"), "new");
  EXPECT_EQ(ReadFile(prog_ / "NEWS"), "what is new");
  EXPECT_EQ(ReadFile(prog_ / "Korvane.ldr"), "draws");
  EXPECT_FALSE(fs::exists(prog_ / "SelfUpdate"));
  EXPECT_GT(ev.lastDone, 0);

  // Now current: nothing offered; the silent check says nothing at all.
  RecordingEvents again;
  UpdateRequest r = Request();
  r.currentVersion = "0.2.0.7";
  EXPECT_EQ(CheckForUpdate(r, MakeUpdateFetcher({}, {}), again), UpdateResult::Nothing);
  EXPECT_EQ(again.information, std::vector<std::string>{texts::UpdateNotFound});
  RecordingEvents quiet;
  r.silent = true;
  EXPECT_EQ(CheckForUpdate(r, MakeUpdateFetcher({}, {}), quiet), UpdateResult::Nothing);
  EXPECT_TRUE(quiet.information.empty() && quiet.offers.empty());
}

TEST_F(UpdateService, RefusedUpdatesLeaveTheProgramAsItWas) {
  struct Case {
    std::string name;
    std::function<void()> prepare;
    bool offered;          // the dialog came before the refusal
    std::string expected;  // part of the message
  };
  const std::vector<Case> cases = {
      {"no description (404)", [] {}, false, "404"},
      {"description signed by another key",
       [&] {
         Publish();
         test::UpdateSigner other;
         WriteFileAtomic(site_ / "autoupdates/Velmora_AU.cfg.sig",
                         other.Sign(ReadFile(site_ / "autoupdates/Velmora_AU.cfg")));
       },
       false, "Подпись"},
      {"description without a signature",
       [&] {
         Publish();
         fs::remove(site_ / "autoupdates/Velmora_AU.cfg.sig");
       },
       false, "Velmora_AU.cfg.sig"},
      {"package changed after signing",
       [&] {
         Publish();
         test::WriteTar(site_ / "autoupdates/korvane-update.tar.gz", {{"korvane", "evil", 0755}});
       },
       true, "Подпись"},
      {"package signed alone, not with its description",
       [&] {
         const auto pub = Publish();
         WriteFileAtomic(site_ / "autoupdates/korvane-update.tar.gz.sig",
                         signer_.Sign(pub.package));
       },
       true, "Подпись"},
      {"package missing (404)",
       [&] {
         Publish();
         fs::remove(site_ / "autoupdates/korvane-update.tar.gz");
       },
       true, "404"},
      {"wrong checksum", [&] { Publish("ChecksumCRC32=00000000\r\n"); }, true,
       texts::UpdateBadChecksum},
      {"path-traversal name in the description", [&] { Publish("DeleteAfter=../../victim\r\n"); },
       false, "../../victim"},
      {"path-traversal member in the package",
       [&] {
         Publish("", "0.2.0.7", {{"korvane", "new"}, {"../victim", "x"}});
       },
       true, "../victim"},
      {"empty package", [&] { Publish("", "0.2.0.7", {}); }, true, "*.*"},
  };
  for (const Case& c : cases) {
    fs::remove_all(site_);
    fs::create_directories(site_ / "autoupdates");
    c.prepare();
    RecordingEvents ev;
    EXPECT_EQ(Check(ev), UpdateResult::Failed) << c.name;
    EXPECT_EQ(ev.offers.size(), c.offered ? 1u : 0u) << c.name;
    ASSERT_EQ(ev.failures.size(), 1u) << c.name;
    const char* tmpl = c.offered ? texts::UpdateInstallError : texts::UpdateCheckError;
    EXPECT_EQ(ev.failures[0].rfind(std::string(tmpl, std::string(tmpl).find('%')), 0), 0u)
        << c.name << ": " << ev.failures[0];
    EXPECT_NE(ev.failures[0].find(c.expected), std::string::npos)
        << c.name << ": " << ev.failures[0];
    EXPECT_TRUE(ev.information.empty()) << c.name;  // never taken for "no update"
    EXPECT_EQ(ReadFile(prog_ / "korvane"), "old") << c.name;
    EXPECT_FALSE(fs::exists(dir_ / "victim"));
    EXPECT_FALSE(fs::exists(UpdateStagingFolder(prog_)));
  }
  // A silent check (at start-up) keeps its failures to itself.
  fs::remove_all(site_);
  RecordingEvents quiet;
  EXPECT_EQ(Check(quiet, true), UpdateResult::Failed);
  EXPECT_TRUE(quiet.failures.empty());
}

TEST_F(UpdateService, DeclinedOrNotConfigured) {
  Publish();
  RecordingEvents ev;
  ev.accept = false;
  EXPECT_EQ(Check(ev), UpdateResult::Nothing);
  EXPECT_EQ(ev.offers.at(0).text, texts::UpdateNoText);
  EXPECT_EQ(ReadFile(prog_ / "korvane"), "old");

  RecordingEvents none;
  UpdateRequest r = Request();
  r.address.clear();
  EXPECT_EQ(CheckForUpdate(r, MakeUpdateFetcher({}, {}), none), UpdateResult::Failed);
  EXPECT_EQ(none.failures,
            std::vector<std::string>{Format(texts::UpdateCheckError, texts::UpdateNotConfigured)});
  RecordingEvents noKey;
  r = Request();
  r.keys.clear();
  EXPECT_EQ(CheckForUpdate(r, MakeUpdateFetcher({}, {}), noKey), UpdateResult::Failed);
  EXPECT_EQ(noKey.failures,
            std::vector<std::string>{Format(texts::UpdateCheckError, texts::UpdateNoKey)});
}

TEST_F(UpdateService, LocalDescriptionWithTextsBesideIt) {
  // A description that is a local path: copied, and the texts looked for beside it.
  const fs::path local = dir_ / "local";
  test::PublishUpdate(local, signer_, "unused", test::UpdateSection("korvane", "0.1.0.2"),
                      {{"korvane", "local new"}});
  std::string desc = Cp1251ToUtf8(ReadFile(local / "autoupdates/Velmora_AU.cfg"));
  desc.replace(desc.find("unused/files/autoupdates"), 24, (local / "autoupdates").string());
  test::PublishUpdate(local, signer_, "", desc, {{"korvane", "local new"}});
  fs::create_directories(local / "autoupdates/UpdDescr");
  WriteFileAtomic(local / "autoupdates/UpdDescr/UpdDescr_RUS_0.1.0.2.txt", Utf8ToCp1251("Русский"));
  WriteFileAtomic(local / "autoupdates/UpdDescr/UpdDescr_0.1.0.2.txt", "plain");
  RecordingEvents ev;
  UpdateRequest r = Request();
  r.address = (local / "autoupdates/Velmora_AU.cfg").string();
  EXPECT_EQ(CheckForUpdate(r, MakeUpdateFetcher({}, {}), ev), UpdateResult::Installed)
      << Join(ev.failures, "|");
  EXPECT_EQ(ev.offers.at(0).text, "Русский");
  EXPECT_EQ(ReadFile(prog_ / "korvane"), "local new");
}

}  // namespace
}  // namespace korvane
