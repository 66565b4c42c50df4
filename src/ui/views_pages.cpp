#include "ui/views_pages.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>
#include <set>

#include "app/workspace.h"
#include "ui/method_combo.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"
#include "ui/zoom_chart_view.h"

namespace korvane::ui {

namespace {

constexpr int kMaxLen = std::numeric_limits<int>::max();

QSpinBox* LengthBox(QWidget* parent, int value, const char* hint) {
  auto* box = new QSpinBox(parent);
  box->setRange(1, kMaxLen);
  box->setValue(value);
  box->setToolTip(QString::fromUtf8(hint));
  box->setMinimumWidth(80);
  return box;
}

QToolBar* ToolBar(QWidget* parent, const char* name) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(QString::fromUtf8(name));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return bar;
}

// A compact grid of short cells: whole-cell selection, fixed row heights.
QTableView* GridView(QWidget* parent, const char* name) {
  auto* view = new QTableView(parent);
  view->setObjectName(QString::fromUtf8(name));
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->horizontalHeader()->setHighlightSections(false);
  return view;
}

constexpr const char* kLenHint = "Количество тиражей, использующихся для расчета статистики";

}  // namespace

// GridModel -----------------------------------------------------------------------------------

GridModel::GridModel(Source source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)) {}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(source_.rows() - 1, 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : source_.cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int r = index.row() + 1, c = index.column();
  if (role == Qt::DisplayRole) return Q(source_.text(r, c));
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
  if (role == Qt::BackgroundRole && source_.colour) {
    const uint32_t colour = source_.colour(r, c);
    if (colour != GridNormal) return QColor(QRgb(0xFF000000u | colour));
  }
  if (role == Qt::ForegroundRole && source_.colour && source_.colour(r, c) != GridNormal)
    return QColor(Qt::black);  // the light cell colours keep dark text in any theme
  return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return Q(source_.text(0, section));
}

void GridModel::Reset() {
  beginResetModel();
  endResetModel();
}

std::vector<GridCell> SelectedGridCells(const QTableView* view) {
  std::vector<GridCell> cells;
  for (const QModelIndex& i : view->selectionModel()->selectedIndexes())
    cells.emplace_back(i.row() + 1, i.column());
  std::sort(cells.begin(), cells.end());
  return cells;
}

// Графики --------------------------------------------------------------------------------------

GraphsPage::GraphsPage(Workspace& ws, QWidget* parent) : Page(ws, "tsGraphs", PageGraphs, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  methods_ = new QComboBox(this);
  methods_->setToolTip(QStringLiteral("Тип графика"));
  methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  methods_->setMinimumContentsLength(30);
  MakeMethodComboSearchable(methods_);
  top->addWidget(methods_, 1);
  top->addWidget(new QLabel(QStringLiteral("Тиражей:"), this));
  length_ = LengthBox(this, ws.View().drawsGraphLen,
                      "Количество тиражей, использующихся для построения графиков");
  top->addWidget(length_);
  marks_ = new QCheckBox(QStringLiteral("Отображать метки на графике"), this);
  top->addWidget(marks_);
  refresh_ = new QToolButton(this);
  top->addWidget(refresh_);
  layout->addLayout(top);
  chart_ = new ZoomChartView(this);
  chart_->setObjectName(QStringLiteral("chGraphs"));
  chart_->setChart(new QChart);
  chart_->setPointText([this](const QXYSeries* series, const QPointF& p) {
    const DrawsGraph& g = ws_.Views().Graph();
    const auto value = static_cast<int32_t>(std::lround(p.y()));
    if (series != chart_->chart()->series().value(0)) return QString();
    return QStringLiteral("Тираж %1: %2\nВ окне встречается %3 раз(а)")
        .arg(static_cast<qlonglong>(std::llround(p.x())))
        .arg(value)
        .arg(g.CountOf(value));
  });
  layout->addWidget(chart_, 1);
  connect(methods_, &QComboBox::currentIndexChanged, this, [this] { Build(false); });
  connect(length_, &QSpinBox::editingFinished, this, [this] { Build(false); });
  connect(marks_, &QCheckBox::toggled, this, [this](bool on) {
    if (auto* first = qobject_cast<QXYSeries*>(chart_->chart()->series().value(0)))
      first->setPointLabelsVisible(on);
  });
  FillMethods();
}

void GraphsPage::RestoreState(const Workspace& ws) { length_->setValue(ws.View().drawsGraphLen); }

void GraphsPage::FillMethods() {
  const int keep = ComboEntry(methods_);
  const std::vector<int> entries = GraphMethods(ws_.Registry());
  FillMethodCombo(methods_, ws_, entries);
  const bool listed = std::find(entries.begin(), entries.end(), keep) != entries.end();
  ShowComboEntry(methods_, listed ? keep : entries.empty() ? -1 : entries.front());
  if (ComboEntry(methods_) >= 0 && ComboEntry(methods_) != ws_.Views().GraphMethod())
    ws_.SetGraphMethod(ComboEntry(methods_));
}

void GraphsPage::Build(bool force) {
  length_->interpretText();
  ws_.SetGraphLen(length_->value());
  ws_.SetGraphMethod(ComboEntry(methods_));
  if (force) ws_.RefreshView(ViewPart::Graph, true);
}

void GraphsPage::Refresh(unsigned aspects) {
  if (aspects & ChangeRegistry) FillMethods();
  Draw();
}

void GraphsPage::Draw() {
  const uint64_t generation = ws_.Views().Generation(ViewPart::Graph);
  if (property("generation").isValid() && property("generation").toULongLong() == generation &&
      !chart_->chart()->series().isEmpty())
    return;
  setProperty("generation", QVariant::fromValue<qulonglong>(generation));
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  chart_->resetZoom();
  delete old;
  const DrawsGraph& g = ws_.Views().Graph();
  if (g.points.empty()) return;
  auto* axisX = new QValueAxis;
  axisX->setLabelFormat(QStringLiteral("%d"));
  auto* axisY = new QValueAxis;
  axisY->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  auto line = [&](const QString& name, const QColor& colour, bool points) {
    auto* s = new QLineSeries;
    s->setName(name);
    chart->addSeries(s);
    QPen pen(colour);
    pen.setWidth(2);
    s->setPen(pen);
    s->setPointsVisible(points);
    s->attachAxis(axisX);
    s->attachAxis(axisY);
    return s;
  };
  QLineSeries* values = line(methods_->currentText(), QColor(0, 0x80, 0), true);
  values->setMarkerSize(5);
  values->setBrush(QColor(0xFF, 0, 0xFF));
  values->setPointLabelsFormat(QStringLiteral("@yPoint"));
  values->setPointLabelsClipping(false);
  QLineSeries* average = line(QStringLiteral("Среднее значение"), QColor(0, 0, 0xFF), false);
  QLineSeries* mode =
      line(QStringLiteral("Наиболее часто встречающееся значение"), QColor(0xFF, 0, 0), false);
  double minY = g.points.front().value, maxY = minY;
  for (const DrawsGraphPoint& p : g.points) {
    values->append(p.draw, p.value);
    average->append(p.draw, g.average);
    mode->append(p.draw, g.mostFrequent);
    minY = std::min<double>(minY, p.value);
    maxY = std::max<double>(maxY, p.value);
  }
  values->setPointLabelsVisible(marks_->isChecked());
  chart_->watch(values);
  axisX->setRange(g.points.front().draw, std::max(g.points.back().draw, g.points.front().draw + 1));
  axisY->setRange(std::min(minY, 0.0), maxY + 1);
  axisY->applyNiceNumbers();
}

// Карта ----------------------------------------------------------------------------------------

CardPage::CardPage(Workspace& ws, QWidget* parent) : Page(ws, "tsCard", PageCard, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  tools_ = ToolBar(this, "cardTools");
  layout->addWidget(tools_);
  model_ =
      new GridModel({[this] { return ws_.Views().Card().Rows(); }, [] { return CardGrid::Cols(); },
                     [this](int r, int c) { return ws_.Views().Card().Text(r, c); },
                     [this](int r, int c) {
                       const ViewSettings& v = ws_.View();
                       return ws_.Views().Card().Colour(r, c, v.colorCard, v.colorCardSequences,
                                                        ws_.Config().channelSize);
                     }},
                    this);
  grid_ = GridView(this, "sgCard");
  grid_->setModel(model_);
  grid_->setColumnWidth(0, grid_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
  for (int c = 1; c < CardGrid::Cols(); ++c)
    grid_->setColumnWidth(c, grid_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 12);
  layout->addWidget(grid_, 1);
}

void CardPage::Refresh(unsigned aspects) {
  const uint64_t generation = ws_.Views().Generation(ViewPart::Card);
  if (!property("generation").isValid() || property("generation").toULongLong() != generation) {
    setProperty("generation", QVariant::fromValue<qulonglong>(generation));
    model_->Reset();
  } else if (aspects & (ChangeView | ChangeSettings)) {
    grid_->viewport()->update();  // colours switched
  }
}

// Схема ----------------------------------------------------------------------------------------

LayoutPage::LayoutPage(Workspace& ws, QWidget* parent) : Page(ws, "tsLayout", PageLayout, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  tools_ = ToolBar(this, "layoutTools");
  top->addWidget(tools_, 1);
  top->addWidget(new QLabel(QStringLiteral("Тиражей:"), this));
  length_ = LengthBox(this, ws.View().layoutLen, kLenHint);
  top->addWidget(length_);
  layout->addLayout(top);
  auto* split = new QSplitter(Qt::Vertical, this);
  model_ = new GridModel(
      {[this] { return ws_.Views().Layout().rows; }, [this] { return ws_.Views().Layout().cols; },
       [this](int r, int c) { return ws_.Views().Layout().Text(r, c); },
       [this](int r, int c) {
         return ws_.Views().Layout().Colour(r, c, ws_.View().layoutGradient);
       }},
      this);
  grid_ = GridView(split, "sgLayout");
  grid_->setModel(model_);
  split->addWidget(grid_);

  auto* compare = new QWidget(split);
  auto* cl = new QVBoxLayout(compare);
  cl->setContentsMargins(0, 0, 0, 0);
  auto* lens = new QHBoxLayout;
  compareTools_ = ToolBar(compare, "layoutCompareTools");
  lens->addWidget(compareTools_);
  auto* lists = new QSplitter(Qt::Horizontal, compare);
  for (int i = 0; i < 5; ++i) {
    const std::string hint = "Количество тиражей, использующихся для расчета статистики в списке " +
                             std::to_string(i + 1);
    compareLen_[static_cast<size_t>(i)] =
        LengthBox(compare, ws.View().layoutCompareLen[static_cast<size_t>(i)], hint.c_str());
    lens->addWidget(compareLen_[static_cast<size_t>(i)], 1);
    auto* model = new GridModel(
        {[this, i] {
           return static_cast<int>(ws_.Views().Compare()[static_cast<size_t>(i)].rows.size()) + 1;
         },
         [] { return 2; },
         [this, i](int r, int c) -> std::string {
           const korvane::CompareList& list = ws_.Views().Compare()[static_cast<size_t>(i)];
           if (r == 0) return c == 0 ? "Кол-во" : list.caption;
           const auto& row = list.rows[static_cast<size_t>(r - 1)];
           return c == 0 ? row.first : row.second;
         },
         {}},
        this);
    auto* view = GridView(lists, ("lvCompare" + std::to_string(i + 1)).c_str());
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setColumnWidth(0, view->fontMetrics().horizontalAdvance(QStringLiteral("Кол-во")) + 14);
    lists->addWidget(view);
    compareModels_[static_cast<size_t>(i)] = model;
    compareLists_[static_cast<size_t>(i)] = view;
    connect(compareLen_[static_cast<size_t>(i)], &QSpinBox::editingFinished, this, [this] {
      CommitLengths();
      ws_.RefreshView(ViewPart::Compare, true);
    });
  }
  cl->addLayout(lens);
  cl->addWidget(lists, 1);
  split->addWidget(compare);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);
  connect(length_, &QSpinBox::editingFinished, this, [this] {
    CommitLengths();
    ws_.RefreshView(ViewPart::Layout, false);
  });
}

void LayoutPage::RestoreState(const Workspace& ws) {
  length_->setValue(ws.View().layoutLen);
  for (int i = 0; i < 5; ++i)
    compareLen_[static_cast<size_t>(i)]->setValue(
        ws.View().layoutCompareLen[static_cast<size_t>(i)]);
}

void LayoutPage::CommitLengths() {
  length_->interpretText();
  ws_.SetLayoutLen(length_->value());
  for (int i = 0; i < 5; ++i) {
    compareLen_[static_cast<size_t>(i)]->interpretText();
    ws_.SetCompareLen(i, compareLen_[static_cast<size_t>(i)]->value());
  }
}

void LayoutPage::Refresh(unsigned aspects) {
  const uint64_t layout = ws_.Views().Generation(ViewPart::Layout);
  const uint64_t compare = ws_.Views().Generation(ViewPart::Compare);
  if (!property("layout").isValid() || property("layout").toULongLong() != layout) {
    setProperty("layout", QVariant::fromValue<qulonglong>(layout));
    model_->Reset();
    // Each column as wide as its widest text.
    const QFontMetrics fm = grid_->fontMetrics();
    const LayoutGrid& g = ws_.Views().Layout();
    for (int c = 0; c < g.cols; ++c) {
      int width = c == 0 ? 50 : 40;
      for (int r = 0; r < g.rows; ++r)
        width = std::max(width, fm.horizontalAdvance(Q(g.Text(r, c))) + 14);
      grid_->setColumnWidth(c, width);
    }
  } else if (aspects & ChangeView) {
    grid_->viewport()->update();
  }
  if (!property("compare").isValid() || property("compare").toULongLong() != compare) {
    setProperty("compare", QVariant::fromValue<qulonglong>(compare));
    for (GridModel* m : compareModels_) m->Reset();
  }
}

// Неделя ---------------------------------------------------------------------------------------

WeekPage::WeekPage(Workspace& ws, QWidget* parent) : Page(ws, "tsWeek", PageWeek, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  tools_ = ToolBar(this, "weekTools");
  top->addWidget(tools_, 1);
  top->addWidget(new QLabel(QStringLiteral("Тиражей:"), this));
  length_ = LengthBox(this, ws.View().weekLen, kLenHint);
  top->addWidget(length_);
  layout->addLayout(top);
  auto* split = new QSplitter(Qt::Vertical, this);
  model_ = new GridModel({[] { return WeekGrid::Rows(); }, [] { return WeekGrid::Cols(); },
                          [this](int r, int c) { return ws_.Views().Week().Text(r, c); },
                          [this](int r, int c) { return ws_.Views().Week().Colour(r, c); }},
                         this);
  grid_ = GridView(split, "sgWeek");
  grid_->setModel(model_);
  for (int c = 0; c < WeekGrid::Cols(); ++c)
    grid_->setColumnWidth(c, grid_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  split->addWidget(grid_);
  chart_ = new ZoomChartView(split);
  chart_->setObjectName(QStringLiteral("chWeek"));
  chart_->setChart(new QChart);
  chart_->setPointText(
      [](const QXYSeries*, const QPointF& p) { return QStringLiteral("%1").arg(p.y()); });
  split->addWidget(chart_);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);
  connect(length_, &QSpinBox::editingFinished, this, [this] {
    CommitLength();
    ws_.RefreshView(ViewPart::Week, false);
  });
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { ShowChart(); });
}

void WeekPage::RestoreState(const Workspace& ws) { length_->setValue(ws.View().weekLen); }

void WeekPage::CommitLength() {
  length_->interpretText();
  ws_.SetWeekLen(length_->value());
}

void WeekPage::Refresh(unsigned /*aspects*/) {
  const uint64_t generation = ws_.Views().Generation(ViewPart::Week);
  if (!property("generation").isValid() || property("generation").toULongLong() != generation) {
    setProperty("generation", QVariant::fromValue<qulonglong>(generation));
    model_->Reset();
  }
  ShowChart();
}

void WeekPage::ShowChart() {
  const QModelIndex current = grid_->currentIndex();
  const int col = current.isValid() ? std::max(current.column(), 1) : 1;
  const int row = current.isValid() ? current.row() + 1 : 1;
  const ViewSettings& v = ws_.View();
  const auto points = WeekChart(ws_.Views().Week(), v.weekChartMode, col, row);
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->setTitle(v.weekChartMode == 1
                      ? QStringLiteral("Число %1 по дням недели").arg(col - 1)
                      : QStringLiteral("%1: числа 0..9")
                            .arg(QString::fromUtf8(
                                WeekdayNames[static_cast<size_t>(std::clamp(row, 1, 7) - 1)])));
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  chart_->resetZoom();
  delete old;
  QStringList labels;
  int maxY = 1;
  for (const auto& [label, value] : points) {
    labels << Q(label);
    maxY = std::max(maxY, value);
  }
  auto* axisX = new QBarCategoryAxis;
  axisX->append(labels);
  auto* axisY = new QValueAxis;
  axisY->setLabelFormat(QStringLiteral("%d"));
  axisY->setRange(0, maxY * 1.1);
  axisY->applyNiceNumbers();
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  if (v.weekChartType) {
    auto* s = new QLineSeries;
    for (size_t i = 0; i < points.size(); ++i) s->append(static_cast<double>(i), points[i].second);
    chart->addSeries(s);
    QPen pen(QColor(0, 0x80, 0));
    pen.setWidth(2);
    s->setPen(pen);
    s->setPointsVisible(true);
    s->setMarkerSize(5);
    s->setBrush(QColor(0xFF, 0, 0xFF));
    s->attachAxis(axisX);
    s->attachAxis(axisY);
    chart_->watch(s);
  } else {
    auto* set = new QBarSet(QString());
    set->setColor(QColor(0, 0x80, 0));
    for (const auto& point : points) *set << point.second;
    auto* bars = new QBarSeries;
    bars->append(set);
    chart->addSeries(bars);
    bars->attachAxis(axisX);
    bars->attachAxis(axisY);
  }
}

}  // namespace korvane::ui
