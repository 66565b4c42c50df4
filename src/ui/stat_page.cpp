#include "ui/stat_page.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/workspace.h"
#include "stats/texts.h"
#include "ui/method_combo.h"
#include "ui/qt_host.h"
#include "ui/stat_model.h"
#include "ui/ui_texts.h"
#include "ui/zoom_chart_view.h"

namespace korvane::ui {

StatPage::StatPage(Workspace& ws, QWidget* parent) : Page(ws, "tsStat", PageStat, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  methods_ = new QComboBox(this);
  methods_->setObjectName(QStringLiteral("cbDrawsStatType"));
  methods_->setToolTip(QStringLiteral("Вид расчета статистики"));
  methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  methods_->setMinimumContentsLength(24);
  depth_ = new QSpinBox(this);
  depth_->setObjectName(QStringLiteral("edDrawsStatLen"));
  depth_->setToolTip(QStringLiteral("Количество тиражей, использующихся для расчета статистики"));
  depth_->setRange(1, 2147483647);
  depth_->setValue(ws.StatDepth());
  depth_->setKeyboardTracking(false);
  refresh_ = new QToolButton(this);
  refresh_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  top->addWidget(methods_, 1);
  top->addWidget(new QLabel(QStringLiteral("Глубина:"), this));
  top->addWidget(depth_);
  top->addWidget(refresh_);
  include_ = new QToolButton(this);
  include_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  exclude_ = new QToolButton(this);
  exclude_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  top->addWidget(include_);
  top->addWidget(exclude_);
  layout->addLayout(top);

  splitter_ = new QSplitter(Qt::Vertical, this);
  model_ = new StatModel(ws, this);
  table_ = new QTableView(splitter_);
  table_->setObjectName(QStringLiteral("lvDrawsStat"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setSortIndicatorShown(true);
  table_->setWordWrap(false);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  // Every caption fits its column ("Откл-ие в %", "Глубина в %", "Посл. тираж").
  const QFontMetrics fm = table_->horizontalHeader()->fontMetrics();
  table_->setColumnWidth(0, 120);
  for (int c = 1; c < StatColumnCount; ++c)
    table_->setColumnWidth(
        c, std::max(80, fm.horizontalAdvance(QString::fromUtf8(StatColumnCaptions()[c])) + 24));
  table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

  // The value column over the table's own first column, sharing its model and selection.
  frozen_ = new QTableView(table_);
  frozen_->setObjectName(QStringLiteral("lvDrawsStatValue"));
  frozen_->setModel(model_);
  frozen_->setSelectionModel(table_->selectionModel());
  frozen_->setSelectionBehavior(QAbstractItemView::SelectRows);
  frozen_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->setContextMenuPolicy(Qt::NoContextMenu);  // the table's menu
  frozen_->verticalHeader()->hide();
  frozen_->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
  frozen_->horizontalHeader()->setSectionsClickable(true);
  frozen_->horizontalHeader()->setSortIndicatorShown(true);
  frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  frozen_->setWordWrap(false);
  frozen_->setFrameShape(QFrame::NoFrame);
  for (int c = 1; c < StatColumnCount; ++c) frozen_->setColumnHidden(c, true);
  frozen_->setColumnWidth(0, table_->columnWidth(0));
  table_->viewport()->stackUnder(frozen_);
  table_->installEventFilter(this);
  table_->viewport()->installEventFilter(this);
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) {
            if (column != 0) return;
            frozen_->setColumnWidth(0, size);
            PlaceValueColumn();
          });
  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, table_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(table_->verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(frozen_, &QTableView::doubleClicked, table_, &QTableView::doubleClicked);
  PlaceValueColumn();

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart_ = new ZoomChartView(splitter_);
  chart_->setChart(chart);
  // The value and its count under the pointer.
  chart_->setPointText([this](const QXYSeries* series, const QPointF& p) {
    const int k = static_cast<int>(std::lround(p.x()));
    const QString value = k >= 0 && k < static_cast<int>(pointLabels_.size())
                              ? pointLabels_[static_cast<size_t>(k)]
                              : QString();
    return QStringLiteral("%1\nЗначение: %2\nКоличество: %3")
        .arg(series->name(), value, QString::number(p.y(), 'g', 10));
  });
  chart_->setMinimumHeight(160);
  splitter_->addWidget(table_);
  splitter_->addWidget(chart_);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 2);
  splitter_->setSizes({400, 280});
  layout->addWidget(splitter_, 1);

  MakeMethodComboSearchable(methods_);
  connect(methods_, &QComboBox::activated, this, [this] {
    const auto& list = ws_.StatMethodList();
    const auto at = std::find(list.begin(), list.end(), ComboEntry(methods_));
    if (at == list.end()) return;  // a group's caption
    ws_.SelectStatMethod(static_cast<int>(at - list.begin()));
    emit buildRequested();
  });
  connect(depth_, &QSpinBox::editingFinished, this, [this] {
    if (depth_->value() == ws_.StatDepth()) return;
    ws_.SetStatDepth(depth_->value());
    emit buildRequested();
  });
  auto sortBy = [this](int column) {
    ws_.StatClickColumn(column);
    ShowRows();
  };
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, sortBy);
  connect(frozen_->horizontalHeader(), &QHeaderView::sectionClicked, this, sortBy);
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (mirroring_) return;
    std::vector<int> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedRows()) rows.push_back(i.row());
    ws_.StatSelectRows(rows);
    HighlightSelection();
    emit selectionChanged();
  });
}

void StatPage::Refresh(unsigned aspects) {
  if (aspects & ChangeRegistry) FillMethods();
  if (aspects & ChangeStats) ShowTable();
}

void StatPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, table_, "lvDrawsStat", StatColumnCount);
  const ListState st = ws.Settings().List("lvDrawsStat", 0);
  if (st.sort) ws_.StatSetSort(st.sort->first, st.sort->second != 0);
  const int height = ws.View().drawsStatHeight;
  if (height > 0) {
    const int total = std::max(splitter_->height(), height + 100);
    splitter_->setSizes({total - height, height});
  }
}

void StatPage::StoreState(Workspace& ws, LayoutSizes& sizes) const {
  StoreColumnWidths(ws, table_, "lvDrawsStat", StatColumnCount);
  ListState sort;
  sort.sort = std::make_pair(ws.Stats().SortColumn(), ws.Stats().Descending() ? 1 : 0);
  ws.StoreList("lvDrawsStat", sort);
  sizes.drawsStatHeight = splitter_->sizes().value(1);
}

void StatPage::CommitDepth() {
  depth_->interpretText();
  if (depth_->value() != ws_.StatDepth()) ws_.SetStatDepth(depth_->value());
}

bool StatPage::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == table_ || watched == table_->viewport()) && event->type() == QEvent::Resize)
    PlaceValueColumn();
  return Page::eventFilter(watched, event);
}

void StatPage::PlaceValueColumn() {
  const int frame = table_->frameWidth();
  frozen_->setGeometry(frame, frame, table_->columnWidth(0),
                       table_->viewport()->height() + table_->horizontalHeader()->height());
  frozen_->setVisible(!table_->isColumnHidden(0));
}

void StatPage::FillMethods() {
  FillMethodCombo(methods_, ws_, ws_.StatMethodList());
  ShowComboEntry(methods_, ws_.StatEntry());
}

void StatPage::HighlightSelection() {
  if (actual_ == nullptr) return;
  actual_->deselectAllPoints();
  QList<int> points;
  const StatChart& data = ws_.Stats().Chart();
  for (const QModelIndex& i : table_->selectionModel()->selectedRows()) {
    const QString value =
        model_->index(i.row(), static_cast<int>(StatColumn::Value)).data().toString();
    for (int k = 0; k < static_cast<int>(data.actual.size()); ++k)
      if (Q(data.actual[static_cast<size_t>(k)].label) == value) points << k;
  }
  actual_->selectPoints(points);
}

void StatPage::MirrorSelection() {
  mirroring_ = true;
  QItemSelection selection;
  const int last = StatColumnCount - 1;
  for (int r : ws_.Stats().SelectedRows())
    selection.select(model_->index(r, 0), model_->index(r, last));
  table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  mirroring_ = false;
  HighlightSelection();
}

void StatPage::ShowRows() {
  model_->Reset();
  const Qt::SortOrder order = ws_.Stats().Descending() ? Qt::DescendingOrder : Qt::AscendingOrder;
  table_->horizontalHeader()->setSortIndicator(ws_.Stats().SortColumn(), order);
  frozen_->horizontalHeader()->setSortIndicator(ws_.Stats().SortColumn(), order);
  MirrorSelection();
}

void StatPage::ShowTable() {
  if (ComboEntry(methods_) != ws_.StatEntry()) ShowComboEntry(methods_, ws_.StatEntry());
  if (depth_->value() != ws_.StatDepth()) {
    const QSignalBlocker block(depth_);
    depth_->setValue(ws_.StatDepth());
  }
  // The norm columns show while prefetch is on ("-" for a method without a norm).
  const bool norm = ws_.View().prefetchsEnabled;
  for (int c = static_cast<int>(StatColumn::Norm);
       c <= static_cast<int>(StatColumn::DeviationShare); ++c) {
    table_->setColumnHidden(c, !norm);
    if (norm && table_->columnWidth(c) == 0) table_->setColumnWidth(c, 80);
  }
  ShowRows();
  DrawChart();
}

void StatPage::DrawChart() {
  // A new chart each time: axes and series of the previous method go with the old one.
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  chart_->resetZoom();
  delete old;
  actual_ = nullptr;
  pointLabels_.clear();
  const StatChart& data = ws_.Stats().Chart();
  if (data.actual.empty() && data.total.empty()) return;

  // The x values are 1, 2, ...: category k - 1 carries the value text of point k.
  const std::vector<StatChartPoint>& labelled = data.hasTotal ? data.total : data.actual;
  QStringList categories;
  double maxX = 0;
  for (const StatChartPoint& p : labelled) maxX = std::max(maxX, p.x);
  for (const StatChartPoint& p : data.actual) maxX = std::max(maxX, p.x);
  for (int k = 0; k < static_cast<int>(maxX); ++k) categories << QString();
  for (const StatChartPoint& p : labelled) categories[static_cast<int>(p.x) - 1] = Q(p.label);
  for (const StatChartPoint& p : data.actual)
    if (categories[static_cast<int>(p.x) - 1].isEmpty())
      categories[static_cast<int>(p.x) - 1] = Q(p.label);
  pointLabels_.assign(categories.begin(), categories.end());
  // Many categories (GRPP has about 220): every k-th keeps its label, so that the labels stay
  // readable; the pointer tells any point's value, and the wheel zooms in.
  constexpr int kMaxLabels = 40;
  if (categories.size() > kMaxLabels) {
    const int step = static_cast<int>((categories.size() + kMaxLabels - 1) / kMaxLabels);
    for (int k = 0; k < categories.size(); ++k)
      if (k % step != 0) categories[k] = QString(k, QChar(0x200B));  // distinct, invisible
  }
  auto* axisX = new QBarCategoryAxis;
  axisX->append(categories);
  // Labels stand upright once they no longer fit side by side ("9 -> 4", "10:10:4").
  qsizetype longest = 0;
  qsizetype shown = 0;
  for (const QString& c : categories) {
    if (c.startsWith(QChar(0x200B))) continue;
    longest = std::max(longest, c.size());
    ++shown;
  }
  if (shown * (longest + 2) > 120) axisX->setLabelsAngle(-90);
  auto* axisY = new QValueAxis;
  axisY->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);

  double maxY = 0;
  auto addSeries = [&](const std::vector<StatChartPoint>& points, const char* title,
                       const QColor& colour, const QColor& outline, bool markers) {
    auto* s = new QLineSeries;
    s->setName(QString::fromUtf8(title));
    QPen pen(colour);
    pen.setWidth(2);
    s->setPen(pen);
    s->setPointsVisible(markers);
    if (markers) s->setMarkerSize(5);
    s->setBrush(outline);
    for (const StatChartPoint& p : points) {
      s->append(p.x - 1, p.y);
      maxY = std::max(maxY, p.y);
    }
    chart->addSeries(s);
    s->attachAxis(axisX);
    s->attachAxis(axisY);
    chart_->watch(s);
    return s;
  };
  if (data.hasTotal)
    addSeries(data.total, texts::SeriesTotal, QColor(0xFF, 0, 0), QColor(0x80, 0, 0x80), false);
  actual_ =
      addSeries(data.actual, texts::SeriesActual, QColor(0, 0x80, 0), QColor(0xFF, 0, 0xFF), true);
  actual_->setSelectedColor(QColor(0, 0, 0xFF));
  HighlightSelection();
  axisY->setRange(0, maxY <= 0 ? 1 : maxY * 1.1);
  axisY->applyNiceNumbers();
}

}  // namespace korvane::ui
