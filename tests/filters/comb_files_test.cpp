#include "filters/comb_files.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "filters/comb_list.h"

namespace korvane {
namespace {

using namespace std::string_literals;

TEST(CombFile, WriteAndReadBack) {
  CombList all;
  all.Generate({0, ""});
  const std::string text = CombsToFileText(all.Data(), all.Count());
  EXPECT_EQ(text.substr(0, 14), "0;0;0\r\n0;0;1\r\n");
  EXPECT_EQ(text.substr(text.size() - 7), "9;9;9\r\n");
  EXPECT_EQ(ParseCombFile(text), all.ToArray());
}

TEST(CombFile, SkippingRules) {
  const std::string text =
      "1,2,3\r\n4;5;6\r\n7 8 9\r\n\r\n1;;2;;3\r\n2;261;3\r\n1;2\r\n1;2;3;4\r\nx;1;2\r\n"
      "\x00\xff\xfe;1;2\r\n -1;2;3\r\n 9 ; 9 ; 9 "s;
  EXPECT_EQ(ParseCombFile(text), (TCombsArray{{1, 2, 3}, {4, 5, 6}, {1, 2, 3}, {9, 9, 9}}));
  EXPECT_TRUE(ParseCombFile("").empty());
  std::string binary(4096, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37);
  (void)ParseCombFile(binary);  // garbage never fails
}

TEST(Clipboard, CopyAndPaste) {
  const std::string text = CombsToClipText({{0, 5, 9}, {1, 2, 3}});
  EXPECT_EQ(text, "00 05 09\r\n01 02 03\r\n");
  EXPECT_EQ(ParseClipText(text), (TCombsArray{{0, 5, 9}, {1, 2, 3}}));
  EXPECT_EQ(ParseClipText("1-2-3\n4|5|6"), (TCombsArray{{1, 2, 3}, {4, 5, 6}}));
  EXPECT_TRUE(ParseClipText("").empty());
  for (const char* bad : {"01 02 03\r\n\r\n04 05 06", "1 2", "1 2 261", "1 x 3"}) {
    try {
      ParseClipText(bad);
      ADD_FAILURE() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Некорректная комбинация: \"", 0), 0u) << bad;
    }
  }
}

}  // namespace
}  // namespace korvane
