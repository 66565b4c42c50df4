#include "online/scenario_library.h"

#include <gtest/gtest.h>

#include "core/strutil.h"
#include "online/texts.h"
#include "scenario/script_model.h"
#include "support/local_server.h"

namespace korvane {
namespace {

class ScenarioService : public ::testing::Test {
 protected:
  std::unique_ptr<test::LocalServer> server_ = test::LocalServer::Library();
  std::unique_ptr<HttpClient> client_ = MakeCurlClient();
  ScenarioLibrary Library(const std::string& prefix = "") const {
    LibraryContext c;
    c.serviceUrl = server_->Base() + prefix;
    c.appVersion = "0.1.0.1";
    c.userName = "Тестер";
    c.userMail = "Tester@example.org";
    return ScenarioLibrary(*client_, c);
  }
  static const TScriptInfo* Find(const std::vector<TScriptInfo>& list, int32_t id) {
    for (const TScriptInfo& s : list)
      if (s.id == id) return &s;
    return nullptr;
  }
};

TEST_F(ScenarioService, CatalogueFiltersOwnershipAndUse) {
  ScenarioLibrary lib = Library();
  const auto list = lib.List(ScriptLibraryDefaultFilter);  // all but the hidden
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(Find(list, 4), nullptr);
  const TScriptInfo* first = Find(list, 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->title, "Три фильтра");
  EXPECT_EQ(first->description, "Описание: Три фильтра");
  EXPECT_DOUBLE_EQ(first->ratingAverage, 4.5);
  EXPECT_EQ(first->ratingCount, 2);
  EXPECT_TRUE(first->universal && first->usable && !first->own);
  // Own (the e-mail without case) and published by this program: editable.
  EXPECT_TRUE(Find(list, 2)->own && Find(list, 2)->Editable());
  // Published by another program of the family, not universal: listed, not usable.
  EXPECT_FALSE(Find(list, 3)->usable);
  // "Скрытые" sends -1.
  const auto hidden = lib.List(0);
  ASSERT_EQ(hidden.size(), 1u);
  EXPECT_EQ(hidden[0].id, 4);
  EXPECT_EQ(hidden[0].ratingYours, -1);
  EXPECT_EQ(lib.List(3).size(), 1u);  // mine
}

TEST_F(ScenarioService, PublishRateDownloadHideDelete) {
  ScenarioLibrary lib = Library();
  EXPECT_FALSE(lib.TitleFree(-1, "Три фильтра"));
  EXPECT_TRUE(lib.TitleFree(-1, "Новый"));
  TScriptData d;
  d.author = "Тестер";
  d.title = "Новый \"сценарий\"?";
  d.description = "строка\r\nещё";
  const std::string script = "FULL:0#ALL|TSD1#NUMS:10#LNO:#SF:1| | | | | | |\r\n";
  const int32_t id = lib.Put(d, script, false);
  EXPECT_EQ(id, 6);
  EXPECT_EQ(lib.Script(id), script);
  EXPECT_EQ(Find(lib.List(2), id)->title, "Новый \"сценарий\"?");
  lib.Rate(1, 5, "отлично, 'спасибо'");
  EXPECT_EQ(Find(lib.List(2), 1)->ratingYours, 5);
  const auto rates = lib.Rates(1);
  ASSERT_EQ(rates.size(), 3u);
  EXPECT_EQ(rates.back().notes, "отлично, 'спасибо'");
  lib.Rate(1, -1, "");  // hidden
  EXPECT_EQ(Find(lib.List(2), 1), nullptr);
  EXPECT_NE(Find(lib.List(0), 1), nullptr);
  // A negative return code is a failure with its code.
  try {
    lib.Rate(1, 9, "");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), Format(texts::ScenarioReturnCode, -3));
  }
  d.id = id;
  EXPECT_EQ(lib.Put(d, "", true), 0);
  EXPECT_EQ(Find(lib.List(1), id), nullptr);
}

TEST_F(ScenarioService, FailuresAndForeignText) {
  for (const char* mode : {"error", "noresult", "500"}) {
    ScenarioLibrary lib = Library(std::string("/m/") + mode);
    EXPECT_THROW(lib.List(2), Error) << mode;
    EXPECT_THROW(lib.Script(1), Error) << mode;
    EXPECT_THROW(lib.Rate(1, 3, ""), Error) << mode;
  }
  // The spoiled scenario's text holds control characters: refused as a whole.
  const std::string spoiled = Library().Script(5);
  EXPECT_THROW(ParseForeignScenarioText(spoiled), Error);
  EXPECT_THROW(ParseForeignScenarioText(std::string(5000, 'A')), Error);
  EXPECT_EQ(ParseForeignScenarioText(Library().Script(1)).size(), 1u);
}

}  // namespace
}  // namespace korvane
