#include "online/scenario_library.h"

#include "core/strutil.h"
#include "online/systems.h"
#include "online/texts.h"

namespace korvane {

namespace {

int IntOf(std::string_view row, std::string_view name, int def = 0) {
  const auto e = TaggedElement(row, name);
  return e ? ParseInt32(Trim(*e)).value_or(def) : def;
}

std::string TextOf(std::string_view row, std::string_view name) {
  const auto e = TaggedElement(row, name);
  return e ? std::string(Trim(*e)) : std::string();
}

}  // namespace

std::vector<TScriptInfo> ScenarioLibrary::List(int filter) {
  const auto rows = PostLibrary(
      client_, context_, "/scripts/scr_getlist.php",
      {{"fltid", std::to_string(filter - 1)}, {"cl_lcid", std::to_string(context_.language)}},
      keepGoing_);
  std::vector<TScriptInfo> out;
  for (const std::string& row : rows) {
    TScriptInfo s;
    s.id = IntOf(row, "id");
    s.appName = TextOf(row, "app_name");
    s.appVersion = TextOf(row, "app_ver");
    s.author = TextOf(row, "key_cl_name");
    s.mail = TextOf(row, "key_cl_mail");
    s.language = IntOf(row, "key_cl_lcid", context_.language);
    s.universal = IntOf(row, "uniapps") > 0;
    s.isPublic = IntOf(row, "publics") > 0;
    s.created = UtcTextToLocal(TextOf(row, "created"));
    s.lastDownload = UtcTextToLocal(TextOf(row, "last_download"));
    s.ratingAverage = ParseFloat(TextOf(row, "rating_avg")).value_or(0);
    s.ratingCount = IntOf(row, "rating_cnt");
    s.ratingYours = IntOf(row, "rating_you");
    s.downloads = IntOf(row, "downloads");
    s.title = DecodeBase64Text(TextOf(row, "title"));
    s.description = DecodeBase64Text(TextOf(row, "descr"));
    s.appGuid = TextOf(row, "app_guid");
    s.own = !Trim(context_.userMail).empty() && SameText(Trim(s.mail), Trim(context_.userMail));
    s.usable = s.universal || s.appGuid == context_.appId;
    out.push_back(std::move(s));
  }
  return out;
}

std::string ScenarioLibrary::Script(int32_t id) {
  const auto rows = PostLibrary(client_, context_, "/scripts/scr_getdata.php",
                                {{"scr_id", std::to_string(id)}}, keepGoing_);
  for (const std::string& row : rows)
    if (Trim(row).rfind("<script>", 0) == 0 || Trim(row).rfind("<SCRIPT>", 0) == 0)
      return DecodeBase64Text(TextOf(row, "script"));
  return {};
}

void ScenarioLibrary::Rate(int32_t id, int value, const std::string& notes) {
  const auto rows = PostLibrary(client_, context_, "/scripts/scr_setrate.php",
                                {{"scr_id", std::to_string(id)},
                                 {"rate_value", std::to_string(value)},
                                 {"rate_notes", EscapeLibraryText(notes)},
                                 {"cl_lcid", std::to_string(context_.language)}},
                                keepGoing_);
  for (const std::string& row : rows)
    if (const auto code = ParseInt32(TextOf(row, "res_code"))) {
      if (*code < 0) throw Error(Format(texts::ScenarioReturnCode, *code));
      return;
    }
  throw Error(texts::LibraryNoResult);
}

bool ScenarioLibrary::TitleFree(int32_t id, const std::string& title) {
  const auto rows = PostLibrary(
      client_, context_, "/scripts/scr_chktitle.php",
      {{"scr_id", std::to_string(id)}, {"scr_title", EscapeLibraryText(title)}}, keepGoing_);
  for (const std::string& row : rows)
    if (const auto code = ParseInt32(TextOf(row, "ret_code"))) return *code == 0;
  throw Error(texts::LibraryNoResult);
}

int32_t ScenarioLibrary::Put(const TScriptData& d, const std::string& script, bool remove) {
  FormFields f = {
      {"del_mode", remove ? "1" : "0"},          {"scr_id", std::to_string(d.id)},
      {"scr_uniapps", d.universal ? "1" : "0"},  {"scr_publics", d.isPublic ? "1" : "0"},
      {"scr_title", EscapeLibraryText(d.title)}, {"scr_descr", EscapeLibraryText(d.description)}};
  if (!remove) f.emplace_back("scr_script", EscapeLibraryText(script));
  f.emplace_back("cl_name", EscapeLibraryText(d.author));
  f.emplace_back("cl_lcid", std::to_string(d.language));
  const auto rows =
      PostLibrary(client_, context_, "/scripts/scr_putscript.php", std::move(f), keepGoing_);
  for (const std::string& row : rows)
    if (const auto id = ParseInt32(TextOf(row, "id_scripts"))) return *id;
  throw Error(texts::LibraryNoResult);
}

std::vector<TScriptRate> ScenarioLibrary::Rates(int32_t id) {
  const auto rows = PostLibrary(client_, context_, "/scripts/scr_getrates.php",
                                {{"scr_id", std::to_string(id)}}, keepGoing_);
  std::vector<TScriptRate> out;
  for (const std::string& row : rows) {
    TScriptRate r;
    r.author = TextOf(row, "key_cl_name");
    r.rate = IntOf(row, "rate");
    r.created = UtcTextToLocal(TextOf(row, "created"));
    r.appName = TextOf(row, "app_name");
    r.appVersion = TextOf(row, "app_ver");
    r.notes = TextOf(row, "notes");
    out.push_back(std::move(r));
  }
  return out;
}

std::string LanguageAbbreviation(int language) {
  switch (language) {
    case 1049:
      return "RUS";
    case 1033:
      return "ENU";
    case 1058:
      return "UKR";
    default:
      return std::to_string(language);
  }
}

}  // namespace korvane
