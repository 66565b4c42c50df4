#pragma once

// The method lists (statistics page, graphs, filter dialog): the listed methods in list order
// with their group's caption before each group (not when sorted by name), searchable by any
// part of a method's code or name.

#include <vector>

class QComboBox;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// Fills the box with the entries; the item data is the registry entry (none for captions).
void FillMethodCombo(QComboBox* box, const Workspace& ws, const std::vector<int>& entries);
// The registry entry shown (-1: none) and the item of an entry (-1: not listed).
int ComboEntry(const QComboBox* box);
int ComboIndexOf(const QComboBox* box, int entry);
// Selects the entry's item without signals.
void ShowComboEntry(QComboBox* box, int entry);
// Typing in the box offers the methods whose code or name holds the text; choosing one
// selects it as a click would (the box's `activated` signal).
void MakeMethodComboSearchable(QComboBox* box);

}  // namespace korvane::ui
