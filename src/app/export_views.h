#pragma once

// The views of the main window that export to a spreadsheet, and their tables as the views
// show them.

#include <array>
#include <string>
#include <vector>

namespace korvane {

enum class ExportView { Draws, Stats, Combs, Stakes, Ratings, Card, Layout };

struct ExportViewInfo {
  ExportView view;
  const char* name;     // the command line's name
  const char* control;  // the view's control name (the INI section)
  const char* title;    // the tab caption: report title and sheet name
};
const std::array<ExportViewInfo, 7>& ExportViews();
const ExportViewInfo& ExportViewOf(ExportView view);

// A view's table: the column headers, their alignments (0 left, 1 right, 2 centre) and the
// rows of cell texts, in the order the view lists them.
struct ExportTable {
  std::vector<std::string> captions;
  std::vector<int> aligns;
  std::vector<std::vector<std::string>> rows;
};

}  // namespace korvane
