#include "ui/script_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "core/strutil.h"
#include "filters/filter_item.h"
#include "scenario/script_model.h"
#include "scenario/texts.h"
#include "ui/catalogue_panel.h"
#include "ui/qt_host.h"
#include "ui/status_labels.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

ScriptModel::ScriptModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), rows_(static_cast<int>(ws.ScriptLines().size())) {}

int ScriptModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int ScriptModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 9; }

QVariant ScriptModel::data(const QModelIndex& index, int role) const {
  const auto& lines = ws_.ScriptLines();
  if (!index.isValid() || index.row() >= static_cast<int>(lines.size()) || role != Qt::DisplayRole)
    return {};
  const std::string& line = lines[static_cast<size_t>(index.row())];
  if (IsSeparatorLine(line)) return {};
  const int col = index.column();
  if (col == 0) return Q(LineComment(line));
  if (col == 1) return Q(OptionsToDisplayText(TextToOptions(LineOptions(line))));
  const std::string field = LineFilter(line, col - 1);
  if (field.empty()) return {};
  return Q(FilterItemToText(TextToFilterItem(field, ws_.Registry())));
}

QVariant ScriptModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 8)
    return {};
  return QString::fromUtf8(texts::ScriptColumns[section]);
}

void ScriptModel::Refresh() {
  const int rows = static_cast<int>(ws_.ScriptLines().size());
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  } else if (rows_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, 8));
  }
}

ScriptPage::ScriptPage(Workspace& ws, QWidget* parent) : Page(ws, "tsScript", PageScript, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("scriptTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(tools_);
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setObjectName(QStringLiteral("scriptSplitter"));
  splitter_->setChildrenCollapsible(false);
  auto* upper = new QWidget(splitter_);
  auto* upperLayout = new QVBoxLayout(upper);
  upperLayout->setContentsMargins(0, 0, 0, 0);
  model_ = new ScriptModel(ws, this);
  view_ = new QTableView(upper);
  view_->setObjectName(QStringLiteral("lvScript"));
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->setWordWrap(false);
  for (int c = 0; c < 9; ++c) view_->setColumnWidth(c, 200);
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  upperLayout->addWidget(view_, 1);
  auto* bar = new QHBoxLayout;
  // The number panels keep their width; the last one takes the rest and elides.
  const char* widest[] = {texts::PanelLines, texts::PanelCycle, texts::PanelLine,
                          texts::PanelScriptStakes};
  for (size_t i = 0; i + 1 < panels_.size(); ++i) {
    auto* label = new NumberLabel(Q(Format(widest[i], 99999)), this);
    bar->addWidget(label);
    panels_[i] = label;
  }
  panels_.back() = new ElidedLabel(this);
  bar->addWidget(panels_.back(), 1);
  upperLayout->addLayout(bar);
  catalogue_ = new CataloguePanel(ws, splitter_);
  splitter_->addWidget(upper);
  splitter_->addWidget(catalogue_);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 2);
  layout->addWidget(splitter_, 1);
  connect(view_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { emit rowActivated(i.row()); });
  Refresh();
}

void ScriptPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, view_, "lvScript", 9);
  RestoreColumnWidths(ws, catalogue_->List(), "lvScriptLibrary", CatalogueColumnCount);
  const int height = ws.View().scriptLibraryHeight;
  if (height > 0) {
    const int total = std::max(splitter_->height(), height + 120);
    splitter_->setSizes({total - height, height});
  }
  catalogue_->setVisible(ws.View().scriptLibraryOn);
}

void ScriptPage::StoreState(Workspace& ws, LayoutSizes& sizes) const {
  StoreColumnWidths(ws, view_, "lvScript", 9);
  StoreColumnWidths(ws, catalogue_->List(), "lvScriptLibrary", CatalogueColumnCount);
  sizes.scriptLibraryHeight =
      catalogue_->isVisible() ? splitter_->sizes().value(1) : ws.View().scriptLibraryHeight;
}

int ScriptPage::FirstSelectedRow() const {
  const auto rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::vector<int> ScriptPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : view_->selectionModel()->selectedRows())
    if (i.row() < static_cast<int>(ws_.ScriptLines().size())) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ScriptPage::SelectOnly(int row) {
  if (row < 0) {
    view_->clearSelection();
    return;
  }
  view_->selectRow(row);
  view_->scrollTo(model_->index(row, 0));
}

void ScriptPage::Refresh() {
  model_->Refresh();
  const auto& st = ws_.Script();
  auto number = [this](size_t i, const QString& text) {
    static_cast<NumberLabel*>(panels_[i])->setText(text);
  };
  number(0, Q(Format(texts::PanelLines, static_cast<int>(ws_.ScriptLines().size()))));
  number(1, Q(Format(texts::PanelCycle, st.cycle)));
  number(2, Q(Format(texts::PanelLine, st.line)));
  number(3, Q(Format(texts::PanelScriptStakes, st.stakes)));
  panels_[4]->setText(st.total == 0
                          ? Q(st.text)
                          : Q(Format(texts::PanelVariant, st.variant, st.total, st.text.c_str())));
  view_->setEnabled(!st.running);
  catalogue_->setVisible(ws_.View().scriptLibraryOn);
  catalogue_->Refresh();
}

}  // namespace korvane::ui
