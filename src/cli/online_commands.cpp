// Commands of the online services: the draw download and the update check.

#include <memory>

#include "cli/commands.h"
#include "core/dates.h"
#include "core/encoding.h"
#include "core/strutil.h"
#include "online/proxy.h"
#include "online/scenario_library.h"
#include "online/systems.h"
#include "online/texts.h"
#include "scenario/script_model.h"

namespace korvane {

namespace {

std::string DateText(int yyyymmdd) {
  return Format("%02d/%02d/%04d", yyyymmdd / 100 % 100, yyyymmdd % 100, yyyymmdd / 10000);
}

// "none", "auto" or "HOST:PORT" (a manual proxy without a user).
std::optional<ProxySettings> ParseProxyOption(const std::string& text) {
  ProxySettings p;
  if (text == "none") return p;
  if (text == "auto") {
    p.mode = ProxyMode::Automatic;
    return p;
  }
  const auto proxy = ParseProxyText(text);
  if (!proxy) return std::nullopt;
  p.mode = ProxyMode::Manual;
  p.server = proxy->host;
  p.port = proxy->port;
  return p;
}

}  // namespace

void RegisterOnlineCommands(CLI::App& app, CommandTable& table) {
  auto retries = std::make_shared<int>(0);
  auto url = std::make_shared<std::string>();
  auto proxy = std::make_shared<std::string>();
  auto today = std::make_shared<int>(0);
  CLI::App* sub = app.add_subcommand(
      "download", "Download the new draws from the lottery's results page, range by range");
  sub->add_option("--retries", *retries, "Try a failed range again this many times (default 0)")
      ->check(CLI::Range(0, 1000));
  sub->add_option("--results-url", *url,
                  "Scheme and host of the results service (default: ResultsUrl of Korvane.ini)");
  sub->add_option("--proxy", *proxy,
                  "none, auto or HOST:PORT for this run (default: the stored proxy settings)");
  sub->add_option("--today", *today, "Download up to this day, YYYYMMDD (default: today)");
  table.Add(sub, Access::Write, [=](Workspace& ws, std::ostream& out) {
    DownloadOptions options;
    options.retries = *retries;
    if (!url->empty()) options.resultsUrl = *url;
    if (!proxy->empty()) {
      options.proxy = ParseProxyOption(*proxy);
      if (!options.proxy) {
        ws.host().showMessage(MessageKind::Error, "Некорректный proxy-сервер: " + *proxy);
        return ExitUsage;
      }
    }
    if (*today != 0) {
      if (!IsValidDate(*today / 10000, *today / 100 % 100, *today % 100)) {
        ws.host().showMessage(MessageKind::Error, Format("Некорректная дата: %d", *today));
        return ExitUsage;
      }
      options.today = *today;
    }
    options.onRange = [&](const DownloadedRange& r) {
      for (const std::string& w : r.warnings) ws.host().showMessage(MessageKind::Warning, w);
      out << DateText(r.first) << " - " << DateText(r.last) << '\t' << r.added << std::endl;
    };
    out << "Период\tДобавлено тиражей" << '\n';
    const DownloadResult r = ws.DownloadDraws(options);
    out << "added " << r.total << '\n';
    return r.failed ? ExitFailed : ExitOk;
  });

  auto refresh = std::make_shared<bool>(false);
  CLI::App* systems = app.add_subcommand(
      "systems", "The local wheel systems; with --refresh the systems library's list");
  systems->add_flag("--refresh", *refresh,
                    "Ask the library (LibraryUrl of Korvane.ini); stale local systems are "
                    "downloaded again");
  table.Add(systems, Access::Read, [=](Workspace& ws, std::ostream& out) {
    if (!*refresh) {
      out << "Числа\tФайл\n";
      for (int n = SystemMinNumbers; n <= SystemMaxNumbers; ++n)
        if (const auto file = ws.Systems().Store().Find(n))
          out << Format("%.2d", n) << '\t' << file->filename().string() << '\n';
      return ExitOk;
    }
    if (!ws.SystemsRefresh()) return ExitFailed;
    PrintTsvRow(out, {"Код", "Название", "Автор", "Числа", "Блок", "Комбинаций", "Дата создания",
                      "Статус", "Загрузок", "Последняя"});
    for (const TSystemData& s : ws.Systems().List())
      PrintTsvRow(
          out, {std::to_string(s.id), s.title, s.author, s.id > 0 ? Format("%.2d", s.nums) : "",
                s.id > 0 ? std::to_string(s.block) : "", s.id > 0 ? std::to_string(s.count) : "",
                LocalDateTimeText(s.created), ws.Systems().Downloaded(s) ? texts::SystemLoaded : "",
                s.id > 0 ? std::to_string(s.downloads) : "", LocalDateTimeText(s.lastDownload)});
    return ExitOk;
  });

  auto systemId = std::make_shared<int>(0);
  CLI::App* systemGet = app.add_subcommand(
      "system-get", "Download a system of the library into Systems/ (the one kept for its count)");
  systemGet->add_option("ID", *systemId, "The system's number in the library")->required();
  table.Add(systemGet, Access::Write, [=](Workspace& ws, std::ostream& out) {
    if (!ws.SystemsRefresh()) return ExitFailed;
    const int row = ws.Systems().RowOf(*systemId);
    if (row < 0 || *systemId <= 0) {
      ws.host().showMessage(MessageKind::Error, Format("Система #%d не найдена", *systemId));
      return ExitFailed;
    }
    if (!ws.SystemsDownload(row)) return ExitFailed;
    out << ws.Systems().Store().PathOf(ws.Systems().List()[static_cast<size_t>(row)]).string()
        << '\n';
    return ExitOk;
  });

  auto filter = std::make_shared<int>(ScriptLibraryDefaultFilter);
  CLI::App* catalogue = app.add_subcommand(
      "scenarios-online", "The online scenario catalogue as TSV (LibraryUrl of Korvane.ini)");
  catalogue
      ->add_option("--filter", *filter,
                   "0 hidden, 1 all with hidden, 2 all but hidden (default), 3 mine, 4 public, "
                   "5 rated by me, 6 not rated by me, 7 new")
      ->check(CLI::Range(0, 7));
  table.Add(catalogue, Access::Read, [=](Workspace& ws, std::ostream& out) {
    const auto list = ws.ScenarioCatalogue(*filter);
    if (!list) return ExitFailed;
    PrintTsvRow(out, {"Код", "Тип", "Название", "Автор", "Программа", "Версия", "Язык", "Создан",
                      "Рейтинг", "Оценок", "Ваша оценка", "Загрузок", "Комментарии"});
    for (const TScriptInfo& s : *list)
      PrintTsvRow(out, {std::to_string(s.id), s.own ? "Мой" : "Общий", s.title, s.author,
                        s.universal ? "Универсальный" : s.appName, s.appVersion,
                        LanguageAbbreviation(s.language), LocalDateTimeText(s.created),
                        FixedText(s.ratingAverage, 3), std::to_string(s.ratingCount),
                        s.ratingYours == -1  ? "Скрытый"
                        : s.ratingYours == 0 ? ""
                                             : std::to_string(s.ratingYours),
                        std::to_string(s.downloads), s.description});
    return ExitOk;
  });

  auto scenarioId = std::make_shared<int>(0);
  auto scenarioFile = std::make_shared<std::string>();
  CLI::App* scenarioGet = app.add_subcommand(
      "scenario-get", "Download a scenario of the online catalogue into a scenario file");
  scenarioGet->add_option("ID", *scenarioId, "The scenario's number in the catalogue")->required();
  scenarioGet->add_option("FILE", *scenarioFile, "The scenario file to write (.lsc)")->required();
  table.Add(scenarioGet, Access::Read, [=](Workspace& ws, std::ostream& out) {
    const auto lines = ws.ScenarioFromCatalogue(*scenarioId);
    if (!lines) return ExitFailed;
    if (lines->empty()) {
      ws.host().showMessage(MessageKind::Error,
                            Format(texts::ScenarioDownloadError, "пустой сценарий"));
      return ExitFailed;
    }
    try {
      WriteFileAtomic(*scenarioFile, Utf8ToCp1251(ScenarioToText(*lines)));
    } catch (const Error& e) {
      ws.host().showMessage(MessageKind::Error, e.what());
      return ExitFailed;
    }
    out << "lines " << lines->size() << '\n';
    return ExitOk;
  });

  auto address = std::make_shared<std::string>();
  CLI::App* update = app.add_subcommand(
      "check-update",
      "Look for a newer version of the program; with --yes install it in the program's folder");
  update->add_option("--url", *address,
                     "Address of the update description (default: UpdateHost of Korvane.ini)");
  table.Add(update, Access::Write, [=](Workspace& ws, std::ostream& out) {
    UpdateCheckOptions options;
    if (!address->empty()) options.address = *address;
    const UpdateResult r = ws.CheckForUpdate(options, [&](const UpdateOffer& offer) {
      out << texts::UpdateDialogCaption << '\n'
          << texts::UpdateCurrentVersion << '\t' << offer.currentVersion << '\n'
          << texts::UpdateNewVersion << '\t' << offer.newVersion << '\n'
          << texts::UpdateTextLabel << '\n'
          << offer.text << '\n';
      out.flush();
      return ws.host().ask(std::string(texts::UpdateInstallHint) + "?", false);
    });
    return r == UpdateResult::Failed ? ExitFailed : ExitOk;
  });
}

}  // namespace korvane
