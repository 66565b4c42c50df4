#pragma once

#include "app/workspace.h"
#include "ui/frame_dialog.h"

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace korvane::ui {

// "Менеджер избранных методов расчета статистики": the methods by group with their ticks and
// names, and how the method lists show names.
class FavouritesDialog : public FrameDialog {
  Q_OBJECT
 public:
  FavouritesDialog(QWidget* parent, Workspace& ws);
  // The ticks, names and flags as the dialog holds them.
  Workspace::FavouriteChoice Choice() const;
  QTreeWidget* Tree() const { return tree_; }
  QCheckBox* OrderedBox() const { return ordered_; }
  QCheckBox* GroupBox() const { return group_; }
  QCheckBox* FlagsBox() const { return flags_; }
  // The entry node of a registry index.
  QTreeWidgetItem* EntryNode(int index) const;

  // The manager's actions.
  void SetAll(bool on);
  void SetGroup(bool on);
  void Rename(const QString& name);
  // The input box "Переименование" for the selected entry.
  void AskRename();
  void ResetName();
  void ShowInfo();
  void ImportNames(const QString& file);
  void ExportNames(const QString& file);

 private:
  void Build();
  QTreeWidgetItem* SelectedEntry() const;
  void ContextMenu(const QPoint& at);

  Workspace& ws_;
  QLabel* total_;
  QTreeWidget* tree_;
  QCheckBox* ordered_;
  QCheckBox* group_;
  QCheckBox* flags_;
};

}  // namespace korvane::ui
