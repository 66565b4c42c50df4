#pragma once

// Where the actions show: the main menu, the context menus of the lists and the tool bars of
// the pages, as lists of action ids. "-" is a separator and ">name" a submenu listed under
// `submenus`. An id the catalogue does not know is an error when the layout is applied.

#include <map>
#include <string>
#include <vector>

class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace korvane::ui {

class ActionTable;

struct MenuSpec {
  std::string caption;
  std::vector<std::string> items;
};

// One tool button: the action, optionally with its own text (shown instead of the icon) and
// the icon's theme name.
struct ToolItem {
  std::string id;  // "-" for a separator
  std::string text;
  std::string icon;
};

struct MenuLayout {
  std::vector<MenuSpec> mainMenu;
  std::map<std::string, MenuSpec> submenus;
  // Keyed by the object name of the list the menu belongs to.
  std::map<std::string, std::vector<std::string>> contextMenus;
  // Keyed by the object name of the tool bar.
  std::map<std::string, std::vector<ToolItem>> toolBars;

  // Every action id the layout shows.
  std::vector<std::string> Ids() const;
};

const MenuLayout& DefaultMenuLayout();

// The widgets a layout is applied to.
struct MenuTargets {
  QMenuBar* menuBar = nullptr;
  std::map<std::string, QWidget*> lists;
  std::map<std::string, QToolBar*> toolBars;
};

// Builds the menus, context menus and tool bars. Returns the submenus by name (the language
// menu is filled by the window). Throws std::logic_error for an unknown id or target.
std::map<std::string, QMenu*> ApplyMenuLayout(const MenuLayout& layout, ActionTable& actions,
                                              const MenuTargets& targets);

}  // namespace korvane::ui
