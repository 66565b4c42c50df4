#pragma once

// The online scenario catalogue under the scenario editor: the list with its filter choice
// and tool bar, the scenario properties dialog, the comment prompt of a rating and the users'
// ratings.

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "online/scenario_library.h"
#include "ui/frame_dialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTableView;
class QTableWidget;
class QToolBar;

namespace korvane {
class Host;
class Workspace;
}  // namespace korvane

namespace korvane::ui {

inline constexpr int CatalogueColumnCount = 13;

class CatalogueModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit CatalogueModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset();

 private:
  const Workspace& ws_;
};

class CataloguePanel : public QWidget {
  Q_OBJECT
 public:
  CataloguePanel(Workspace& ws, QWidget* parent = nullptr);
  QTableView* List() const { return list_; }
  QToolBar* Tools() const { return tools_; }
  QComboBox* FilterBox() const { return filter_; }
  // The focused row (-1: none) and its record.
  int FocusedRow() const;
  const TScriptInfo* Focused() const;
  void FocusRow(int row);
  // Follows the workspace's list when it changed, keeping the focus on the same scenario.
  void Refresh();

 signals:
  void rowActivated();
  void filterChosen(int choice);

 private:
  Workspace& ws_;
  QToolBar* tools_;
  QComboBox* filter_;
  CatalogueModel* model_;
  QTableView* list_;
  int revision_ = -1;
  int32_t focusedId_ = 0;  // the scenario the focus is on
};

// "Свойства сценария": what is published with a scenario; read-only in view mode. `titleFree`
// asks the catalogue whether another scenario has the title (none: the check failed and said
// so).
class ScriptPropsDialog : public FrameDialog {
  Q_OBJECT
 public:
  using TitleCheck = std::function<std::optional<bool>(int32_t id, const std::string& title)>;
  ScriptPropsDialog(QWidget* parent, Host& host, const TScriptData& data, bool viewOnly,
                    TitleCheck titleFree = {});
  TScriptData Result() const;
  QLineEdit* TitleField() const { return title_; }
  QLineEdit* AuthorField() const { return author_; }
  QComboBox* LanguageBox() const { return language_; }
  QRadioButton* OnlyHere() const { return onlyHere_; }
  QRadioButton* Everywhere() const { return everywhere_; }
  QRadioButton* ForAll() const { return forAll_; }
  QRadioButton* OnlyMe() const { return onlyMe_; }
  QPlainTextEdit* DescriptionField() const { return descr_; }

 protected:
  bool Validate() override;

 private:
  Host& host_;
  TScriptData data_;
  TitleCheck titleFree_;
  QLineEdit* title_;
  QLineEdit* author_;
  QComboBox* language_;
  QRadioButton* onlyHere_;
  QRadioButton* everywhere_;
  QRadioButton* forAll_;
  QRadioButton* onlyMe_;
  QPlainTextEdit* descr_;
};

// "Комментарий": the comment sent with a rating (may stay empty).
class CommentDialog : public FrameDialog {
  Q_OBJECT
 public:
  explicit CommentDialog(QWidget* parent);
  QLineEdit* Field() const { return field_; }
  std::string Comment() const;

 private:
  QLineEdit* field_;
};

// "Оценки пользователей": who rated a scenario, how and when.
class RatesDialog : public FrameDialog {
  Q_OBJECT
 public:
  RatesDialog(QWidget* parent, const std::string& title, const std::vector<TScriptRate>& rates);
  QTableWidget* Table() const { return table_; }

 private:
  QTableWidget* table_;
};

}  // namespace korvane::ui
