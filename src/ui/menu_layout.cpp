#include "ui/menu_layout.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <set>
#include <stdexcept>

#include "ui/action_table.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

bool IsSeparator(const std::string& item) { return item == "-"; }
bool IsSubmenu(const std::string& item) { return !item.empty() && item[0] == '>'; }

// The style's own icon where the desktop has no icon theme.
QIcon FallbackIcon(const std::string& theme) {
  static const std::map<std::string, QStyle::StandardPixmap> icons = {
      {"document-new", QStyle::SP_FileIcon},
      {"document-open", QStyle::SP_DialogOpenButton},
      {"document-save", QStyle::SP_DialogSaveButton},
      {"edit-undo", QStyle::SP_ArrowBack},
      {"edit-copy", QStyle::SP_FileDialogDetailedView},
      {"edit-paste", QStyle::SP_FileDialogContentsView}};
  const auto it = icons.find(theme);
  return it == icons.end() ? QIcon() : QApplication::style()->standardIcon(it->second);
}

}  // namespace

std::vector<std::string> MenuLayout::Ids() const {
  std::set<std::string> ids;
  auto add = [&](const std::vector<std::string>& items) {
    for (const std::string& i : items)
      if (!IsSeparator(i) && !IsSubmenu(i)) ids.insert(i);
  };
  for (const MenuSpec& m : mainMenu) add(m.items);
  for (const auto& [name, m] : submenus) add(m.items);
  for (const auto& [name, items] : contextMenus) add(items);
  for (const auto& [name, items] : toolBars)
    for (const ToolItem& t : items)
      if (!IsSeparator(t.id)) ids.insert(t.id);
  return {ids.begin(), ids.end()};
}

const MenuLayout& DefaultMenuLayout() {
  static const MenuLayout layout = [] {
    MenuLayout l;
    l.mainMenu = {
        {MenuFile,
         {">Language", "-", "EditConfig", "EditShredding", "EditProxy", "-", "ExitProgram"}},
        {MenuDraws,
         {"DrawsDownload", "-", "DrawsAdd", "DrawsEdit", "DrawsDel", "-", "DrawsImport",
          "DrawsExport", "DrawsXlsExport", "-", "DrawsInfo", "DrawsSorted", "-", ">AutoDownload"}},
        {MenuCombs,
         {"CombsGen", "CombsOpen", "CombsSave", "-", "CombsUndo", "CombsDelExists",
          "CombsDelSelected", "-", "CombsCopy", "CombsPaste", "CombsSelectAll", "-", "CombsInfo",
          "CombsFindInDraws", "CombsCheckNums", "-", "CombsXlsExport"}},
        {MenuStat,
         {"DrawsStatCalc", "-", "StatFilter_Include", "StatFilter_Exclude", "-",
          "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine", "-", "DrawsStatExportToExcel",
          "-", "AnalyzeRepeats", "TotalSumCombs", "-", "FiltersManager", "FiltersReset",
          "FiltersInfo"}},
        {MenuStakes,
         {"StakeAdd", "StakeAddRandom", "StakeAddSelected", "StakeAddAll", "-", "StakeDel",
          "StakeFilter", "StakeClear", "-", "StakesCheckManual", "-", "StakesGraphDraws", "-",
          "LogStakes", "LogStakesDelete", "StakesScroll", "StakesCheckLine", "-",
          "StakesXlsExport"}},
        {MenuRatings,
         {"RatingsRefresh", "-", "RatingsToScript", "-", "RatingsGraphOverlap",
          "StakesGraphOverlap", "StakesGraphProfits", "-", ">RatingsEff", "-", "RatingsExport",
          "RatingsXlsExport"}},
        {MenuTables, {"TablesAdd", "TablesDel", "-", "TablesStakeAdd", "TablesStakeTest"}},
        {MenuSystems,
         {"SystemsOn", "-", "SystemsRefresh", "SystemsDownload", "SystemsAdd", "SystemsProp",
          "SystemsDel", "-", "SystemStakeAll", "SystemStakeFilter", "-", ">ScriptLibraryMenu"}},
        {MenuView,
         {"ViewColorDraws", "ViewColorCombs", "ViewColorCard", "ViewColorCardSequences",
          "ViewShemaGradient", "ViewWeekChartMode", "ViewWeekChartType", "-", "TabGraps", "TabCard",
          "TabLayout", "TabWeek", "TabTables"}},
        {MenuHelp,
         {"GetHelp", "-", "CheckUpdate", "AutoSelfUpdate", "-", "OpenLotoSite", "-", "urlMainSite",
          "urlAuthSite", "urlBlog", "urlYT", "urlVK", "urlOK", "urlAuthText", "urlTG", "-",
          "About"}},
    };
    l.submenus["Language"] = {MenuLanguage, {}};
    l.submenus["AutoDownload"] = {MenuAutoDownload,
                                  {"AutoDownload0", "AutoDownload1", "AutoDownload2"}};
    l.submenus["ScriptLibraryMenu"] = {
        MenuScriptLibrary,
        {"ScriptLibrary", "-", "ScriptLibraryRefresh", "ScriptLibraryDownload",
         "ScriptLibraryUpload", "ScriptLibraryReplace", "ScriptLibraryDelete", "-",
         "ScriptLibraryView", "ScriptLibraryRates", ">ScriptLibraryRate"}};
    l.submenus["ScriptLibraryRate"] = {
        MenuScriptLibraryRate,
        {"ScriptLibraryRate1", "ScriptLibraryRate2", "ScriptLibraryRate3", "ScriptLibraryRate4",
         "ScriptLibraryRate5", "-", "ScriptLibraryRate0", "ScriptLibraryHide"}};
    l.contextMenus["lvScriptLibrary"] = {
        "ScriptLibraryRefresh", "ScriptLibraryDownload", "-", "ScriptLibraryUpload",
        "ScriptLibraryReplace", "ScriptLibraryDelete",   "-", "ScriptLibraryView",
        "ScriptLibraryRates",   ">ScriptLibraryRate"};
    l.toolBars["scriptLibraryTools"] = {{"ScriptLibraryRefresh", "", ""},
                                        {"ScriptLibraryDownload", "Скачать", ""},
                                        {"-", "", ""},
                                        {"ScriptLibraryUpload", "", ""},
                                        {"ScriptLibraryReplace", "", ""},
                                        {"ScriptLibraryDelete", "", ""},
                                        {"-", "", ""},
                                        {"ScriptLibraryView", "Свойства", ""},
                                        {"ScriptLibraryRates", "Оценки", ""}};
    l.submenus["RatingsEff"] = {MenuRatingsEff,
                                {"RatingsEffMode0", "RatingsEffMode1", "RatingsEffMode2"}};
    l.contextMenus["lvDraws"] = {"DrawsDownload",  "-", "DrawsAdd",    "DrawsEdit",
                                 "DrawsDel",       "-", "DrawsImport", "DrawsExport",
                                 "DrawsXlsExport", "-", "DrawsInfo",   "DrawsSorted"};
    l.contextMenus["lvCombs"] = {"CombsInfo",
                                 "CombsCheckNums",
                                 "CombsFindInDraws",
                                 "-",
                                 "CombsGen",
                                 "CombsDelExists",
                                 "CombsDelSelected",
                                 "-",
                                 "CombsCopy",
                                 "CombsPaste",
                                 "CombsSelectAll",
                                 "-",
                                 "CombsOpen",
                                 "CombsSave",
                                 "CombsXlsExport",
                                 "-",
                                 "CombsUndo",
                                 "-",
                                 "StakeAdd",
                                 "StakeAddRandom",
                                 "StakeAddSelected",
                                 "StakeAddAll",
                                 "-",
                                 "TablesAdd",
                                 "TablesStakeAdd"};
    l.contextMenus["lvDrawsStat"] = {"StatFilter_Include",
                                     "StatFilter_Exclude",
                                     "-",
                                     "DrawsStatCalc",
                                     "-",
                                     "DrawsStatePrefetchsEnabled",
                                     "DrawsStatShowTotalLine",
                                     "-",
                                     "DrawsStatExportToExcel",
                                     "-",
                                     "FiltersInfo",
                                     "FiltersManager"};
    l.contextMenus["sgStakes"] = {"StakeAdd",
                                  "StakeAddRandom",
                                  "-",
                                  "StakeDel",
                                  "StakeFilter",
                                  "StakeClear",
                                  "-",
                                  "StakesCheckManual",
                                  "-",
                                  "TablesStakeAdd",
                                  "-",
                                  "StakesGraphDraws",
                                  "RatingsRefresh",
                                  "-",
                                  "SystemStakeAll",
                                  "SystemStakeFilter"};
    l.contextMenus["lvRatings"] = {
        "RatingsRefresh",     "RatingsToScript",    "-", "RatingsGraphOverlap",
        "StakesGraphOverlap", "StakesGraphProfits", "-", "RatingsExport",
        "RatingsXlsExport"};
    l.contextMenus["lvTables"] = {"TablesAdd", "TablesDel", "-", "TablesStakeAdd",
                                  "TablesStakeTest"};
    l.contextMenus["lvScript"] = {"ScriptOpen",     "ScriptSave", "-",           "ScriptAdd",
                                  "ScriptEmpty",    "ScriptLoad", "ScriptClone", "ScriptEdit",
                                  "ScriptDel",      "ScriptClr",  "-",           "ScriptUp",
                                  "ScriptDown",     "-",          "ScriptRun",   "ScriptTest",
                                  "ScriptStop",     "-",          "LogToggle",   "LogsDelete",
                                  "StakesCheckLine"};
    l.toolBars["combsTools"] = {
        {"CombsGen", "", "document-new"},   {"CombsOpen", "", "document-open"},
        {"CombsSave", "", "document-save"}, {"CombsUndo", "", "edit-undo"},
        {"CombsCopy", "", "edit-copy"},     {"CombsPaste", "", "edit-paste"}};
    l.toolBars["stakesTools"] = {
        {"StakeAdd", "", ""},         {"StakeAddRandom", "Случайная ставка", ""},
        {"StakeClear", "", ""},       {"StakeFilter", "", ""},
        {"StakesGraphDraws", "", ""}, {"StakesXlsExport", "Экспорт в Excel", ""}};
    l.toolBars["ratingsTools"] = {{"RatingsRefresh", "Пересчитать рейтинг по текущим данным", ""},
                                  {"RatingsToScript", "", ""},
                                  {"-", "", ""},
                                  {"RatingsExport", "", ""},
                                  {"RatingsXlsExport", "Экспорт в Excel", ""}};
    l.toolBars["ratingsCharts"] = {{"RatingsGraphOverlap", "", ""},
                                   {"StakesGraphOverlap", "", ""},
                                   {"StakesGraphProfits", "", ""}};
    l.contextMenus["chGraphs"] = {"DrawsGraphDraw"};
    l.contextMenus["sgCard"] = {"CardFilter_Include", "CardFilter_Exclude", "-", "CardXlsExport"};
    l.contextMenus["sgLayout"] = {"LayoutFilter_Include", "LayoutFilter_Exclude", "-",
                                  "LayoutXlsExport", "ViewShemaGradient"};
    l.contextMenus["sgWeek"] = {"WeekFilter_Include", "WeekFilter_Exclude", "-",
                                "ViewWeekChartMode", "ViewWeekChartType"};
    l.contextMenus["chWeek"] = {"ViewWeekChartMode", "ViewWeekChartType"};
    l.toolBars["cardTools"] = {{"CardFilter_Include", "", ""},
                               {"CardFilter_Exclude", "", ""},
                               {"CardXlsExport", "Экспорт в Excel", ""}};
    l.toolBars["layoutTools"] = {{"LayoutCalc", "", ""},
                                 {"LayoutFilter_Include", "", ""},
                                 {"LayoutFilter_Exclude", "", ""},
                                 {"LayoutXlsExport", "Экспорт в Excel", ""}};
    l.toolBars["layoutCompareTools"] = {{"LayoutCmpCalc", "", ""}};
    l.toolBars["weekTools"] = {
        {"WeekStatCalc", "", ""}, {"WeekFilter_Include", "", ""}, {"WeekFilter_Exclude", "", ""}};
    l.contextMenus["lvSystems"] = {"SystemsRefresh",   "SystemsDownload", "-", "SystemsAdd",
                                   "SystemsProp",      "SystemsDel",      "-", "SystemStakeAll",
                                   "SystemStakeFilter"};
    l.toolBars["systemsTools"] = {{"SystemsRefresh", "", ""},
                                  {"SystemsDownload", "", ""},
                                  {"-", "", ""},
                                  {"SystemsAdd", "", ""},
                                  {"SystemsProp", "", ""},
                                  {"SystemsDel", "", ""},
                                  {"-", "", ""},
                                  {"SystemStakeAll", "Игра по всей системе", ""},
                                  {"SystemStakeFilter", "Игра по комбинациям списка", ""}};
    l.toolBars["tablesTools"] = {{"TablesAdd", "", ""},
                                 {"TablesDel", "", ""},
                                 {"TablesStakeAdd", "", ""},
                                 {"TablesStakeTest", "", ""}};
    // The run buttons first, so that "Стоп" never hides behind the tool bar's edge.
    l.toolBars["scriptTools"] = {
        {"ScriptRun", "", ""},   {"ScriptTest", "", ""}, {"ScriptStop", "", ""},
        {"-", "", ""},           {"ScriptOpen", "", ""}, {"ScriptSave", "", ""},
        {"-", "", ""},           {"ScriptAdd", "", ""},  {"ScriptEmpty", "", ""},
        {"ScriptClone", "", ""}, {"ScriptEdit", "", ""}, {"ScriptDel", "", ""},
        {"ScriptUp", "", ""},    {"ScriptDown", "", ""}};
    return l;
  }();
  return layout;
}

namespace {

void FillMenu(QMenu* menu, const std::vector<std::string>& items, const MenuLayout& layout,
              ActionTable& actions, std::map<std::string, QMenu*>& submenus) {
  for (const std::string& item : items) {
    if (IsSeparator(item)) {
      menu->addSeparator();
    } else if (IsSubmenu(item)) {
      const std::string name = item.substr(1);
      const auto it = layout.submenus.find(name);
      if (it == layout.submenus.end()) throw std::logic_error("unknown submenu: " + name);
      QMenu* sub = menu->addMenu(QString::fromStdString(it->second.caption));
      sub->setObjectName(QString::fromStdString(name));
      FillMenu(sub, it->second.items, layout, actions, submenus);
      submenus[name] = sub;
    } else {
      menu->addAction(actions.Get(item));  // throws for an unknown id
    }
  }
}

// The captions with an Alt+letter each: the first letter of a word, else any letter, that no
// caption before took.
QStringList WithAccelerators(const std::vector<QString>& captions) {
  QStringList out;
  QString used;
  auto take = [&used](const QString& caption, bool wordStartsOnly) -> int {
    for (int i = 0; i < caption.size(); ++i) {
      const QChar c = caption[i];
      if (!c.isLetter() || used.contains(c.toLower())) continue;
      if (wordStartsOnly && i > 0 && caption[i - 1].isLetter()) continue;
      return i;
    }
    return -1;
  };
  for (const QString& caption : captions) {
    int at = take(caption, true);
    if (at < 0) at = take(caption, false);
    if (at < 0) {
      out << caption;
      continue;
    }
    used += caption[at].toLower();
    out << caption.left(at) + QLatin1Char('&') + caption.mid(at);
  }
  return out;
}

}  // namespace

std::map<std::string, QMenu*> ApplyMenuLayout(const MenuLayout& layout, ActionTable& actions,
                                              const MenuTargets& targets) {
  std::map<std::string, QMenu*> submenus;
  std::vector<QString> captions;
  for (const MenuSpec& spec : layout.mainMenu)
    captions.push_back(QString::fromStdString(spec.caption));
  const QStringList titles = WithAccelerators(captions);
  int at = 0;
  for (const MenuSpec& spec : layout.mainMenu) {
    QMenu* menu = targets.menuBar->addMenu(titles[at++]);
    FillMenu(menu, spec.items, layout, actions, submenus);
    menu->menuAction()->setVisible(!spec.items.empty());  // shown once it holds actions
  }
  for (const auto& [name, items] : layout.contextMenus) {
    const auto it = targets.lists.find(name);
    if (it == targets.lists.end()) throw std::logic_error("unknown list: " + name);
    QWidget* list = it->second;
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const std::string& item : items) {
      if (IsSeparator(item)) {
        auto* sep = new QAction(list);
        sep->setSeparator(true);
        list->addAction(sep);
      } else if (IsSubmenu(item)) {
        const std::string sub = item.substr(1);
        const auto s = layout.submenus.find(sub);
        if (s == layout.submenus.end()) throw std::logic_error("unknown submenu: " + sub);
        auto* menu = new QMenu(QString::fromStdString(s->second.caption), list);
        std::map<std::string, QMenu*> inner;
        FillMenu(menu, s->second.items, layout, actions, inner);
        list->addAction(menu->menuAction());
      } else {
        list->addAction(actions.Get(item));
      }
    }
  }
  for (const auto& [name, items] : layout.toolBars) {
    const auto it = targets.toolBars.find(name);
    if (it == targets.toolBars.end()) throw std::logic_error("unknown tool bar: " + name);
    QToolBar* bar = it->second;
    for (const ToolItem& t : items) {
      if (IsSeparator(t.id)) {
        bar->addSeparator();
        continue;
      }
      QAction* a = actions.Get(t.id);
      if (!t.icon.empty() && a->icon().isNull())
        a->setIcon(QIcon::fromTheme(QString::fromStdString(t.icon), FallbackIcon(t.icon)));
      if (t.text.empty()) {
        bar->addAction(a);
        continue;
      }
      // A button with its own shorter text.
      auto* b = new QToolButton(bar);
      b->setDefaultAction(a);
      const QString text = QString::fromStdString(t.text);
      b->setText(text);
      QObject::connect(a, &QAction::changed, b, [b, text] { b->setText(text); });
      bar->addWidget(b);
    }
  }
  return submenus;
}

}  // namespace korvane::ui
