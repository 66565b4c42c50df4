#include "core/fileio.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/encoding.h"
#include "core/error.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(FileIo, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const fs::path f = dir / "a.txt";
  WriteFileAtomic(f, "one");
  WriteFileAtomic(f, "two");
  EXPECT_EQ(ReadFile(f), "two");
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
  test::TempDir dir;
  const fs::path f = dir / "a.txt";
  WriteFileAtomic(f, "kept");
  EXPECT_THROW(WriteFileAtomic(dir / "missing-folder" / "a.txt", "x"), Error);
  EXPECT_THROW(ReadFile(dir / "nothing-here"), Error);
  EXPECT_EQ(ReadFile(f), "kept");
}

TEST(FileIo, LockIsExclusiveAcrossOpensAndProcesses) {
  test::TempDir dir;
  const fs::path f = dir / "Korvane.lsk";
  LockedFile first;
  first.Open(f);
  EXPECT_TRUE(fs::exists(f));
  LockedFile second;
  EXPECT_THROW(second.Open(f), Error);

  // Another process cannot take it either.
  const pid_t pid = fork();
  if (pid == 0) {
    LockedFile other;
    try {
      other.Open(f);
      _exit(0);
    } catch (...) {
      _exit(3);
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 3);

  first.Close();
  EXPECT_NO_THROW(second.Open(f));
}

TEST(Encoding, Cp1251RoundTrip) {
  const std::string utf8 = "Анализ статистики: Ёё №5";
  const std::string cp = Utf8ToCp1251(utf8);
  EXPECT_EQ(cp.size(), 24u);  // one byte a character
  EXPECT_EQ(static_cast<unsigned char>(cp[0]), 0xC0);
  EXPECT_EQ(Cp1251ToUtf8(cp), utf8);
  EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xAC"), "a\x88");  // the euro sign exists in 1251
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                         "b"),
            "a?b");  // a CJK character does not
}

TEST(Encoding, SplitLines) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace korvane
