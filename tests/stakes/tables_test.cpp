#include "stakes/tables.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/error.h"
#include "core/strutil.h"
#include "support/test_support.h"

namespace korvane {
namespace {

TTableData Regular(std::string name, TComb start, int step, uint8_t fromDraw = 0,
                   int32_t stakes = 0) {
  TTableData r;
  r.name = std::move(name);
  r.fromDraw = fromDraw;
  r.start = start;
  r.current = start;
  r.step = step;
  r.stakes = stakes;
  return r;
}

std::string Image(const TTableData& r) {
  std::string bytes(TableRecSize, '\0');
  EncodeTableRec(r, reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

TDrawRec Draw(int32_t number, TComb nums) {
  TDrawRec d;
  d.number = number;
  d.nums = nums;
  return d;
}

// --- The record ---------------------------------------------------------------------------

TEST(TableRec, EncodesEachFieldAtItsPlace) {
  TTableData r;
  r.name = "Рег 1";
  r.fromDraw = 1;
  r.start = {8, 9, 0};
  r.current = {1, 2, 3};
  r.step = -3;
  r.stakes = 0x01020304;

  std::string expected(272, '\0');
  const unsigned char head[] = {5, 0xD0, 0xE5, 0xE3, 0x20, 0x31};  // Windows-1251 "Рег 1"
  for (size_t i = 0; i < sizeof head; ++i) expected[i] = static_cast<char>(head[i]);
  const unsigned char tail[] = {
      1,                       // 256 fromDraw
      8,    9,    0,           // 257 start
      1,    2,    3,           // 260 current
      0,                       // 263 reserved
      0xFD, 0xFF, 0xFF, 0xFF,  // 264 step -3
      0x04, 0x03, 0x02, 0x01,  // 268 stakes
  };
  for (size_t i = 0; i < sizeof tail; ++i) expected[256 + i] = static_cast<char>(tail[i]);

  EXPECT_EQ(Image(r), expected);
  EXPECT_EQ(DecodeTableRec(reinterpret_cast<const uint8_t*>(expected.data())), r);
}

TEST(TableRec, ALongNameIsCutTo255BytesAndTheReservedByteIsNotRead) {
  TTableData r = Regular(std::string(300, 'x'), {1, 2, 3}, 2);
  std::string bytes = Image(r);
  EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 255);
  EXPECT_EQ(bytes[255], 'x');
  EXPECT_EQ(bytes[256], '\0');  // fromDraw, not a name byte
  bytes[263] = 7;
  r.name.resize(255);
  EXPECT_EQ(DecodeTableRec(reinterpret_cast<const uint8_t*>(bytes.data())), r);
}

// --- The file -----------------------------------------------------------------------------

struct BadRecordCase {
  const char* name;
  void (*spoil)(std::string& rec);
  const char* reason;
};

TEST(TablesFile, ARecordOutOfRangeIsRefusedAndTheRegularsBeforeItStay) {
  const TTableData a = Regular("a", {1, 2, 3}, 1);
  const TTableData b = Regular("b", {9, 9, 9}, -9, 1, std::numeric_limits<int32_t>::max());
  const TTableData c = Regular("c", {0, 0, 0}, 9);
  const BadRecordCase cases[] = {
      {"fromDraw 2", [](std::string& r) { r[256] = 2; },
       "признак источника комбинации не 0 и не 1"},
      {"fromDraw 255", [](std::string& r) { r[256] = '\xFF'; },
       "признак источника комбинации не 0 и не 1"},
      {"start 10", [](std::string& r) { r[258] = 10; },
       "число стартовой комбинации вне диапазона 0..9"},
      {"current 255", [](std::string& r) { r[262] = '\xFF'; },
       "число текущей комбинации вне диапазона 0..9"},
      {"step 10", [](std::string& r) { r[264] = 10; }, "шаг вне диапазона -9..9"},
      {"step -10",
       [](std::string& r) {
         r[264] = '\xF6';
         r[265] = r[266] = r[267] = '\xFF';
       },
       "шаг вне диапазона -9..9"},
      {"step 256 (a high byte)", [](std::string& r) { r[265] = 1; }, "шаг вне диапазона -9..9"},
      {"stakes -1", [](std::string& r) { r[268] = r[269] = r[270] = r[271] = '\xFF'; },
       "отрицательное число ставок"},
  };
  test::TempDir dir;
  const fs::path file = dir / "Korvane.ltb";
  for (const BadRecordCase& k : cases) {
    SCOPED_TRACE(k.name);
    std::string bad = Image(c);
    k.spoil(bad);
    test::WriteBytes(file, Image(a) + Image(b) + bad + Image(c));
    Tables tables;
    tables.Add(c);  // what was there before goes
    try {
      tables.Load(file);
      ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(),
                std::string("Некорректная запись № 3 в файле регулярных ставок: ") + k.reason);
    }
    EXPECT_EQ(tables.Rows(), (TTablesArray{a, b}));
    EXPECT_TRUE(tables.LoadFailed());
  }
}

TEST(TablesFile, RecordsAtTheEdgesOfTheirRangesAreRead) {
  std::string reserved = Image(Regular("r", {5, 5, 5}, 0));
  reserved[263] = 1;
  const TTablesArray rows = {Regular("", {0, 0, 0}, -9), Regular("Девять", {9, 9, 9}, 9, 1),
                             Regular("max", {0, 9, 0}, 0, 0, std::numeric_limits<int32_t>::max())};
  test::TempDir dir;
  const fs::path file = dir / "Korvane.ltb";
  test::WriteBytes(file, Tables::Serialize(rows) + reserved);
  Tables tables;
  tables.Load(file);
  TTablesArray expected = rows;
  expected.push_back(Regular("r", {5, 5, 5}, 0));
  EXPECT_EQ(tables.Rows(), expected);
  EXPECT_FALSE(tables.LoadFailed());
}

TEST(TablesFile, APartOfARecordAtTheEndIsRefusedAfterTheWholeRecords) {
  const TTableData a = Regular("a", {1, 2, 3}, 1);
  const TTableData b = Regular("b", {3, 2, 1}, 2);
  test::TempDir dir;
  const fs::path file = dir / "Korvane.ltb";
  for (size_t tail : {size_t{1}, size_t{100}, TableRecSize - 1}) {
    SCOPED_TRACE(tail);
    test::WriteBytes(file, Image(a) + Image(b) + Image(a).substr(0, tail));
    Tables tables;
    try {
      tables.Load(file);
      ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), Format("Некорректная запись № 3 в файле регулярных ставок: "
                                 "неполная запись (%d байт)",
                                 static_cast<int>(tail)));
    }
    EXPECT_EQ(tables.Rows(), (TTablesArray{a, b}));
  }
}

TEST(TablesFile, SaveWritesTheRecordsOneAfterAnotherAndLoadReadsThemBack) {
  test::TempDir dir;
  const fs::path file = dir / "Korvane.ltb";
  const TTableData a = Regular("Первая", {1, 2, 3}, 1);
  const TTableData b = Regular("Вторая", {0, 0, 0}, -1, 1, 12);
  Tables tables;
  tables.Add(a);
  tables.Add(b);
  tables.Save(file);
  EXPECT_EQ(test::ReadBytes(file), Image(a) + Image(b));
  Tables again;
  again.Load(file);
  EXPECT_EQ(again.Rows(), (TTablesArray{a, b}));

  tables.Clear();
  tables.Save(file);
  EXPECT_EQ(test::ReadBytes(file), "");
  again.Load(file);
  EXPECT_EQ(again.Count(), 0);
}

TEST(TablesFile, AMissingFileGivesNoRegulars) {
  test::TempDir dir;
  Tables tables;
  tables.Add(Regular("a", {1, 2, 3}, 1));
  tables.Load(dir / "Korvane.ltb");
  EXPECT_EQ(tables.Count(), 0);
  EXPECT_FALSE(tables.LoadFailed());
  EXPECT_FALSE(fs::exists(dir / "Korvane.ltb"));
}

TEST(TablesFile, TheFirstSaveAfterAFailedLoadKeepsACopyOfTheFile) {
  test::TempDir dir;
  const fs::path file = dir / "Korvane.ltb";
  const TTableData a = Regular("a", {1, 2, 3}, 1);
  std::string bad = Image(a);
  bad[256] = 3;
  const std::string old = Image(a) + bad + Image(a);
  test::WriteBytes(file, old);
  Tables tables;
  EXPECT_THROW(tables.Load(file), Error);
  tables.Add(Regular("b", {4, 5, 6}, 2));
  tables.Save(file);
  EXPECT_EQ(tables.Backup(), dir / "Korvane.ltb.bak");
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.ltb.bak"), old);
  EXPECT_EQ(test::ReadBytes(file), Image(a) + Image(Regular("b", {4, 5, 6}, 2)));
  tables.Save(file);  // no second copy
  EXPECT_FALSE(fs::exists(dir / "Korvane.ltb.1.bak"));
}

TEST(TablesList, DeleteAndReplaceOutsideTheListAreRefused) {
  Tables tables;
  tables.Add(Regular("a", {1, 2, 3}, 1));
  tables.Add(Regular("b", {4, 5, 6}, 2));
  for (int index : {-1, 2, 5}) {
    SCOPED_TRACE(index);
    const std::string message = Format("Запись со индексом %d в файле данных не найдена!", index);
    try {
      tables.Delete(index);
      ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), message);
    }
    try {
      tables.Replace(index, Regular("c", {7, 8, 9}, 3));
      ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), message);
    }
    EXPECT_EQ(tables.Count(), 2);
  }
  tables.Replace(1, Regular("c", {7, 8, 9}, 3));
  tables.Delete(0);
  EXPECT_EQ(tables.Rows(), (TTablesArray{Regular("c", {7, 8, 9}, 3)}));
}

TEST(TablesList, ARegularOutOfRangeIsNotTaken) {
  Tables tables;
  tables.Add(Regular("a", {1, 2, 3}, 1));
  TTableData bad = Regular("b", {1, 2, 3}, 10);
  try {
    tables.Add(bad);
    ADD_FAILURE() << "no failure";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Некорректные данные регулярной ставки: шаг вне диапазона -9..9");
  }
  bad = Regular("b", {1, 2, 3}, 1);
  bad.current[0] = 10;
  EXPECT_THROW(tables.Replace(0, bad), Error);
  EXPECT_EQ(tables.Rows(), (TTablesArray{Regular("a", {1, 2, 3}, 1)}));
}

// --- Advancing ----------------------------------------------------------------------------

struct SequenceCase {
  TComb start;
  int step;
  std::vector<TComb> stakes;
};

TEST(TablesAdvance, AFixedStartRunsBySteps) {
  const SequenceCase cases[] = {
      {{8, 9, 0}, 3, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}},
      {{0, 0, 0}, -1, {{9, 9, 9}, {8, 8, 8}}},
      {{4, 5, 6}, 0, {{4, 5, 6}, {4, 5, 6}}},
      {{0, 5, 9}, 9, {{9, 4, 8}, {8, 3, 7}}},
      {{9, 0, 3}, -9, {{0, 1, 4}, {1, 2, 5}}},
      {{1, 2, 3}, 1, {{2, 3, 4}}},
  };
  DrawArchive archive;  // not read
  archive.Append(Draw(1, {5, 5, 5}));
  for (const SequenceCase& k : cases) {
    SCOPED_TRACE(CombToText(k.start) + " step " + std::to_string(k.step));
    TTableData r = Regular("r", k.start, k.step);
    for (size_t i = 0; i < k.stakes.size(); ++i) {
      TablesAdvance(r, archive, 0);
      EXPECT_EQ(r.current, k.stakes[i]) << i;
      EXPECT_EQ(r.stakes, static_cast<int32_t>(i + 1));
      EXPECT_EQ(r.start, k.start);
    }
  }
}

TEST(TablesAdvance, ARegularFromDrawsShiftsTheDrawBeforeTheStake) {
  DrawArchive archive;
  archive.Append(Draw(1, {1, 2, 3}));
  archive.Append(Draw(2, {7, 0, 9}));
  struct Case {
    int offset;
    int step;
    TComb expected;
  } cases[] = {
      {0, 0, {7, 0, 9}},                      // the newest draw staked again
      {0, 1, {8, 1, 0}},  {1, 2, {3, 4, 5}},  // the offset hides the newest draw
      {1, -2, {9, 0, 1}}, {2, 1, {1, 1, 1}},  // no draw there: 0;0;0 shifted
      {-1, 0, {0, 0, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << k.offset << " step " << k.step);
    TTableData r = Regular("r", {4, 4, 4}, k.step, 1, 5);
    r.current = {6, 6, 6};
    TablesAdvance(r, archive, k.offset);
    EXPECT_EQ(r.current, k.expected);
    EXPECT_EQ(r.stakes, 6);
    TablesAdvance(r, archive, k.offset);  // the same draw, not the previous stake
    EXPECT_EQ(r.current, k.expected);
  }
}

TEST(TablesAdvance, TheStakeCountStopsAtItsLargestValue) {
  DrawArchive archive;
  TTableData r = Regular("r", {1, 1, 1}, 1, 0, std::numeric_limits<int32_t>::max() - 1);
  TablesAdvance(r, archive, 0);
  TablesAdvance(r, archive, 0);
  EXPECT_EQ(r.stakes, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(r.current, (TComb{3, 3, 3}));
}

// --- The dialog ---------------------------------------------------------------------------

TEST(RegularDialog, PreparedRecord) {
  const TTableData none = PrepareRegular({});
  EXPECT_EQ(none, Regular("Регулярная ставка", {0, 0, 0}, 1));

  const TTableData one = PrepareRegular({{7, {3, 1, 4}}});
  EXPECT_EQ(one.name, "Регулярная ставка");
  EXPECT_EQ(one.start, (TComb{3, 1, 4}));
  EXPECT_EQ(one.stakes, 1);
  EXPECT_EQ(one.step, 1);
  EXPECT_EQ(one.fromDraw, 0);

  const TTableData three = PrepareRegular({{1, {1, 1, 1}}, {2, {2, 2, 2}}, {3, {3, 3, 3}}});
  EXPECT_EQ(three.stakes, 3);
  EXPECT_EQ(three.start, (TComb{0, 0, 0}));
}

struct DialogCase {
  const char* name;
  int prepared;  // selected combinations
  TableDialogInput input;
  std::vector<std::string> existing;
  const char* error;  // nullptr: accepted
  TableDialogField field;
  TComb start;  // of the accepted record
};

constexpr const char* kBadComb = "Введена некорректная комбинация!";
constexpr const char* kNoComment = "Необходимо ввести комментарий!";
constexpr const char* kExists =
    "Запись с таким комментарией уже присутствует в списке!\nВыберите другой комментарий.";

TEST(RegularDialog, AcceptChecksInTheDialogsOrder) {
  using F = TableDialogField;
  const TComb prepStart{4, 4, 4};
  const DialogCase cases[] = {
      {"start read", 1, {"Моя", true, "1;2;3", 2}, {}, nullptr, F::None, {1, 2, 3}},
      {"start with blanks and commas",
       1,
       {"Моя", true, " 9 , 0 ; 5 ", 2},
       {},
       nullptr,
       F::None,
       {9, 0, 5}},
      {"two numbers", 1, {"Моя", true, "1;2", 2}, {}, kBadComb, F::Start, {}},
      {"four numbers", 1, {"Моя", true, "1;2;3;4", 2}, {}, kBadComb, F::Start, {}},
      {"empty word", 1, {"Моя", true, "1;;3", 2}, {}, kBadComb, F::Start, {}},
      {"10", 1, {"Моя", true, "1;2;10", 2}, {}, kBadComb, F::Start, {}},
      {"-1", 1, {"Моя", true, "-1;2;3", 2}, {}, kBadComb, F::Start, {}},
      {"a letter", 1, {"Моя", true, "1;a;3", 2}, {}, kBadComb, F::Start, {}},
      {"no text", 1, {"Моя", true, "", 2}, {}, kBadComb, F::Start, {}},
      {"the start before the comment", 1, {"", true, "1;2", 2}, {}, kBadComb, F::Start, {}},
      {"several prepared: the start is not read",
       3,
       {"Моя", true, "x", 2},
       {},
       nullptr,
       F::None,
       prepStart},
      {"none prepared", 0, {"Моя", true, "x", 2}, {}, nullptr, F::None, prepStart},
      {"from draws: the start is not checked",
       1,
       {"Моя", false, "x", 2},
       {},
       nullptr,
       F::None,
       prepStart},
      {"from draws: a good start is still read",
       1,
       {"Моя", false, "7;7;7", 2},
       {},
       nullptr,
       F::None,
       {7, 7, 7}},
      {"empty comment", 3, {"", true, "", 2}, {}, kNoComment, F::Comment, {}},
      {"blank comment", 1, {" \t ", true, "1;2;3", 2}, {}, kNoComment, F::Comment, {}},
      {"the same name in another case",
       1,
       {"ПЕРВАЯ", true, "1;2;3", 2},
       {"x", "первая"},
       kExists,
       F::Comment,
       {}},
      {"the same name with blanks",
       1,
       {"  Первая ", true, "1;2;3", 2},
       {"Первая"},
       kExists,
       F::Comment,
       {}},
      {"the start before the name",
       1,
       {"Первая", true, "1;2;", 2},
       {"Первая"},
       kBadComb,
       F::Start,
       {}},
      {"a longer name", 1, {"Первая 2", true, "1;2;3", 2}, {"Первая"}, nullptr, F::None, {1, 2, 3}},
  };
  for (const DialogCase& k : cases) {
    SCOPED_TRACE(k.name);
    TTableData prepared = Regular("Регулярная ставка", prepStart, 1, 0, k.prepared);
    const TableDialogResult r = AcceptTableDialog(prepared, k.input, k.existing);
    if (k.error != nullptr) {
      EXPECT_EQ(r.error, k.error);
      EXPECT_EQ(r.field, k.field);
      EXPECT_FALSE(r.Ok());
      continue;
    }
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_EQ(r.field, F::None);
    EXPECT_EQ(r.record.name, std::string(Trim(k.input.comment)));
    EXPECT_EQ(r.record.fromDraw, k.input.fixedStart ? 0 : 1);
    EXPECT_EQ(r.record.step, k.input.step);
    EXPECT_EQ(r.record.start, k.start);
    EXPECT_EQ(r.record.stakes, k.prepared);
  }
}

TEST(RegularDialog, TheCommentIsCutTo64CharactersAndTheStepKeptInRange) {
  std::string longName;
  for (int i = 0; i < 70; ++i) longName += i < 64 ? "ж" : "z";
  std::string cut;
  for (int i = 0; i < 64; ++i) cut += "ж";
  const TTableData prepared = PrepareRegular({});
  TableDialogResult r = AcceptTableDialog(prepared, {longName, true, "", -9}, {});
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.record.name, cut);
  EXPECT_EQ(r.record.step, -9);
  // The cut name is the one compared with the other regulars.
  r = AcceptTableDialog(prepared, {longName, true, "", 1}, {cut});
  EXPECT_EQ(r.error, kExists);
  r = AcceptTableDialog(prepared, {"a", true, "", 12}, {});
  EXPECT_EQ(r.record.step, 9);
  r = AcceptTableDialog(prepared, {"a", true, "", -12}, {});
  EXPECT_EQ(r.record.step, -9);
}

// --- Making the regulars ------------------------------------------------------------------

TEST(MakeRegulars, SeveralSelectedWithAFixedStartMakeOneEach) {
  TTableData dialog = Regular("Регулярная ставка", {0, 0, 0}, 2, 0, 3);
  const TSelectedCombs selected = {{5, {1, 2, 3}}, {12, {4, 5, 6}}, {40, {9, 0, 9}}};
  const std::vector<TTableData> made = MakeRegulars(dialog, selected);
  const std::vector<TTableData> expected = {
      Regular("Регулярная ставка (5)", {1, 2, 3}, 2),
      Regular("Регулярная ставка (12)", {4, 5, 6}, 2),
      Regular("Регулярная ставка (40)", {9, 0, 9}, 2),
  };
  EXPECT_EQ(made, expected);
}

TEST(MakeRegulars, OneRegularFromDrawsOrForASingleSelection) {
  TTableData fromDraws = Regular("Из тиражей", {0, 0, 0}, -1, 1, 3);
  fromDraws.current = {5, 5, 5};
  const TSelectedCombs three = {{5, {1, 2, 3}}, {12, {4, 5, 6}}, {40, {9, 0, 9}}};
  EXPECT_EQ(MakeRegulars(fromDraws, three),
            (std::vector<TTableData>{Regular("Из тиражей", {0, 0, 0}, -1, 1)}));
  EXPECT_EQ(MakeRegulars(fromDraws, {}),
            (std::vector<TTableData>{Regular("Из тиражей", {0, 0, 0}, -1, 1)}));

  // The start typed in the dialog, not the selected combination.
  const TTableData single = Regular("Одна", {7, 8, 9}, 1, 0, 1);
  EXPECT_EQ(MakeRegulars(single, {{3, {1, 1, 1}}}),
            (std::vector<TTableData>{Regular("Одна", {7, 8, 9}, 1)}));
}

TEST(MakeRegulars, AFixedStartWithoutASelectionMakesNone) {
  EXPECT_TRUE(MakeRegulars(Regular("a", {1, 2, 3}, 1), {}).empty());
}

}  // namespace
}  // namespace korvane
