#include "online/systems.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/strutil.h"
#include "online/texts.h"
#include "support/local_server.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TEST(SystemText, ReadWrittenAndNormalised) {
  EXPECT_EQ(ParseSystemText("01 02 03\r\n\r\n1,4;5\n2*3+4\n", 5),
            (std::vector<SystemTriple>{{1, 2, 3}, {1, 4, 5}, {2, 3, 4}}));
  EXPECT_EQ(SystemText({{1, 2, 3}, {4, 10, 5}}), "01 02 03\r\n04 10 05");
  for (const char* bad : {"1 2", "1 2 3 4", "1 2 x", "0 1 2", "1 2 6", "1 2 3\n5 5"})
    EXPECT_THROW(ParseSystemText(bad, 5), Error) << bad;
  int numbers = -1, lines = -1;
  EXPECT_EQ(NormaliseSystemText("1,2,3\n1 2\n3/4/6\nword\n", numbers, lines),
            "01 02 03\r\n03 04 06");
  EXPECT_EQ(numbers, 6);
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(NormaliseSystemText("", numbers, lines), "");
  EXPECT_EQ(numbers, 0);
  EXPECT_EQ(lines, 0);
}

TEST(LibraryReplies, TagsBase64AndEscapes) {
  EXPECT_EQ(EscapeLibraryText(std::string("a'b\"c?d\\e\x1b\n\t") + '\0' + "\x05"),
            "a\\'b\\\"c\\?d\\\\e\\e\\n\\t\\0\\5");
  EXPECT_EQ(DecodeBase64Text(EncodeBase64("Пятёрка")), "Пятёрка");
  EXPECT_EQ(DecodeBase64Text("0J/Rj9GC\r\n0ZHRgNC60LA="), "Пятёрка");
  EXPECT_EQ(DecodeBase64Text("not base64!"), "");
  // No closing </result>: not a result at all.
  EXPECT_THROW(ReadTaggedRows("<HTML><Result><ROW><Id>5</id></row>"), Error);
  EXPECT_THROW(ReadTaggedRows("<html>maintenance</html>"), Error);
  const auto ok =
      ReadTaggedRows("<Result><ROW><Id>5</id><error></error></row><row><id>6</ID></row></RESULT>");
  ASSERT_EQ(ok.size(), 2u);
  EXPECT_EQ(TaggedElement(ok[1], "id"), "6");
  EXPECT_FALSE(TaggedElement(ok[1], "title"));
  try {
    ReadTaggedRows("<result><row><error>Нет доступа</error></row></result>");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Нет доступа");
  }
}

TSystemData System(int id, int n, int count, int block = 0) {
  TSystemData s;
  s.id = id;
  s.nums = n;
  s.count = count;
  s.block = block;
  s.title = "s" + std::to_string(id);
  s.created = EncodeDateTime(2024, 3, 5, 10, 20, 30);
  return s;
}

TEST(SystemsStore, OnePerNumberCountAndOnlyWholeSystems) {
  test::TempDir dir;
  SystemsStore store(dir / "Systems");
  const TSystemData five = System(12, 5, 3, 1);
  store.Save(five, "1 2 3\r\n1 2 4\r\n3 4 5\r\n");
  EXPECT_EQ(SystemsStore::FileName(five), "3-05-1_0012.dat");
  EXPECT_TRUE(store.Has(five));
  EXPECT_TRUE(store.Current(five));
  EXPECT_EQ(ReadFile(store.PathOf(five)), "01 02 03\r\n01 02 04\r\n03 04 05\r\n");
  store.Save(System(7, 6, 1), "1 2 6");
  // Another system of 5 numbers takes the place of the first; the one of 6 stays.
  const TSystemData other = System(40, 5, 1);
  store.Save(other, "5 4 3");
  EXPECT_FALSE(store.Has(five));
  EXPECT_TRUE(store.Has(other));
  EXPECT_TRUE(store.Has(System(7, 6, 1)));
  // One line fewer than announced, an index beyond N, or a stray word: nothing is written.
  for (const char* text : {"1 2 3", "1 2 3\n1 2 6", "1 2 3\n1 2 three"}) {
    EXPECT_THROW(store.Save(System(41, 5, 2), text), Error) << text;
    EXPECT_FALSE(store.Has(System(41, 5, 2))) << text;
    EXPECT_TRUE(store.Has(other)) << text;
  }
  // A changed created date makes the local file stale.
  TSystemData newer = other;
  newer.created = EncodeDateTime(2025, 1, 1);
  EXPECT_FALSE(store.Current(newer));
}

TEST(SystemsStore, LocalSystemWritesTheTriplesWithTheNumbers) {
  test::TempDir dir;
  SystemsStore store(dir / "Systems");
  store.Save(System(12, 5, 2), "1 2 3\n5 1 4");
  // Index j stands for the j-th number met in the list.
  const LocalSystem s = LoadLocalSystem(store, {7, 3, 9, 0, 5});
  ASSERT_TRUE(s.ok) << s.text;
  EXPECT_EQ(s.combs, (TCombsArray{{7, 3, 9}, {5, 7, 0}}));
  EXPECT_EQ(s.text, store.PathOf(System(12, 5, 2)).string());
  // Six numbers with only a system of five: the message of a missing system.
  const LocalSystem none = LoadLocalSystem(store, {1, 2, 3, 4, 5, 6});
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(none.text, Format(texts::SystemNotFound, 6));
  EXPECT_EQ(none.error, Format(texts::SystemNotFoundBox, 6));
  // A file spoiled by hand is refused as a whole.
  WriteFileAtomic(dir / "Systems/3-04-0_0001.dat", "01 02 03\r\n01 02 x\r\n");
  const LocalSystem bad = LoadLocalSystem(store, {1, 2, 3, 4});
  EXPECT_FALSE(bad.ok);
  EXPECT_TRUE(bad.combs.empty());
  EXPECT_EQ(bad.text.rfind("Ошибка загрузки комбинаций системы!", 0), 0u) << bad.text;
}

class SystemsService : public ::testing::Test {
 protected:
  std::unique_ptr<test::LocalServer> server_ = test::LocalServer::Library({"--slow", "0.5"});
  std::unique_ptr<HttpClient> client_ = MakeCurlClient();
  LibraryContext Context(const std::string& prefix = "") const {
    LibraryContext c;
    c.serviceUrl = server_->Base() + prefix;
    c.appVersion = "0.1.0.1";
    c.userName = "Тестер";
    c.userMail = "tester@example.org";
    return c;
  }
};

TEST_F(SystemsService, ListDownloadPublishChangeDelete) {
  SystemsLibrary lib(*client_, Context());
  auto list = lib.List();
  ASSERT_EQ(list.size(), 4u);
  const TSystemData five = list[2];  // ids in order 3, 7, 12, 30
  EXPECT_EQ(five.id, 12);
  EXPECT_EQ(five.nums, 5);
  EXPECT_EQ(five.block, 1);
  EXPECT_EQ(five.count, 10);
  EXPECT_EQ(five.title, "Пятёрка");
  EXPECT_EQ(five.description, "Описание «Пятёрка»");
  EXPECT_EQ(five.author, "Иван");
  EXPECT_GT(five.created.seconds, 0);
  EXPECT_TRUE(IsOwnSystem(list[0], "tester@example.org"));  // "Tester@Example.org"
  EXPECT_FALSE(IsOwnSystem(five, "tester@example.org"));
  EXPECT_FALSE(IsOwnSystem(list[3], ""));

  test::TempDir dir;
  SystemsStore store(dir / "Systems");
  store.Save(five, lib.Combinations(12));
  EXPECT_TRUE(store.Current(five));

  // A new system of the user's, then changed, then deleted.
  TSystemData mine = System(0, 4, 2);
  mine.title = "Моя \"четвёрка\"?";
  mine.description = "строка 1\r\nстрока 2";
  mine.author = "Тестер";
  mine.mail = "tester@example.org";
  mine.combinations = "01 02 03\r\n02 03 04";
  const int32_t id = lib.Put(mine, false);
  EXPECT_EQ(id, 31);
  list = lib.List();
  ASSERT_EQ(list.back().id, 31);
  EXPECT_EQ(list.back().title, "Моя \"четвёрка\"?");  // escaped on the way, whole again
  EXPECT_EQ(list.back().description, "строка 1\r\nстрока 2");
  EXPECT_EQ(lib.Combinations(31), "01 02 03\r\n02 03 04");
  mine.id = id;
  mine.title = "Моя четвёрка";
  EXPECT_EQ(lib.Put(mine, false), 31);
  EXPECT_EQ(lib.List().back().title, "Моя четвёрка");
  EXPECT_EQ(lib.Put(mine, true), 0);
  EXPECT_EQ(lib.List().size(), 4u);
}

TEST_F(SystemsService, EveryFailureIsReportedNeverTakenAsSuccess) {
  test::TempDir dir;
  SystemsStore store(dir / "Systems");
  struct Case {
    const char* mode;
    const char* expected;
  };
  for (const Case& c : {Case{"error", "Сервис временно недоступен"},
                        Case{"noresult", texts::LibraryNoResult}, Case{"500", "500"}}) {
    SystemsLibrary lib(*client_, Context(std::string("/m/") + c.mode));
    try {
      lib.List();
      ADD_FAILURE() << c.mode;
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos)
          << c.mode << ": " << e.what();
    }
    EXPECT_THROW(lib.Put(System(0, 4, 1), false), Error) << c.mode;
  }
  // Combinations that do not match the record are not stored.
  const TSystemData five = SystemsLibrary(*client_, Context()).List()[2];
  for (const char* mode : {"short", "badline"}) {
    SystemsLibrary lib(*client_, Context(std::string("/m/") + mode));
    EXPECT_THROW(store.Save(five, lib.Combinations(five.id)), Error) << mode;
    EXPECT_FALSE(store.Has(five)) << mode;
  }
  // No service configured.
  LibraryContext none = Context();
  none.serviceUrl.clear();
  EXPECT_THROW(SystemsLibrary(*client_, none).List(), Error);
}

}  // namespace
}  // namespace korvane
