#pragma once

// What every action of the main window is: its id, caption, hint, shortcut and category.
// What an action does is bound by the page that owns it (ui/actions/); where it shows is
// listed in menu_layout.

#include <string_view>
#include <vector>

namespace korvane::ui {

struct ActionInfo {
  const char* id;
  const char* caption;
  const char* hint;
  const char* shortcut;  // "" for none
  const char* category;
};

// Every action of the window, grouped by category.
const std::vector<ActionInfo>& ActionCatalog();
// The row of an id, or null.
const ActionInfo* FindAction(std::string_view id);

}  // namespace korvane::ui
