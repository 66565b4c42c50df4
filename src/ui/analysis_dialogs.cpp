#include "ui/analysis_dialogs.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "app/workspace.h"
#include "ui/qt_host.h"
#include "ui/zoom_chart_view.h"

namespace korvane::ui {

namespace {

// The rows of the repeats; a row's draw list is made when it is shown.
class RepeatsModel : public QAbstractTableModel {
 public:
  RepeatsModel(const Workspace& ws, const RepeatsResult& result, const int& depth, QObject* parent)
      : QAbstractTableModel(parent), ws_(ws), result_(result), depth_(depth) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(result_.rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : 4;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const RepeatsRow& row = result_.rows[static_cast<size_t>(index.row())];
    if (role == Qt::TextAlignmentRole && (index.column() == 1 || index.column() == 2))
      return QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case 0:
        return row.draw;
      case 1:
        return row.matches;
      case 2:
        return row.repeats;
      default:
        return Q(RepeatsList(ws_.Archive().Draws(), row, depth_));
    }
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    static const char* captions[] = {"Тираж", "Совпадений", "Кол-во повторов", "Список тиражей"};
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3) return {};
    return QString::fromUtf8(captions[section]);
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  const Workspace& ws_;
  const RepeatsResult& result_;
  const int& depth_;
};

QSpinBox* Spin(QWidget* parent, const char* hint) {
  auto* box = new QSpinBox(parent);
  box->setRange(1, std::numeric_limits<int>::max());
  box->setValue(100);
  box->setToolTip(QString::fromUtf8(hint));
  return box;
}

}  // namespace

namespace {
constexpr const char* kSection = "TFormRepeats";
}  // namespace

RepeatsDialog::RepeatsDialog(QWidget* parent, Workspace& ws) : QDialog(parent), ws_(ws) {
  setObjectName(QStringLiteral("TFormRepeats"));
  setWindowTitle(QStringLiteral("Количество повторов в зависимости от тиража"));
  setSizeGripEnabled(true);
  resize(900, 620);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Тиражей:"), this));
  length_ = Spin(this, "Количество тиражей, использующихся для расчета статистики");
  top->addWidget(length_);
  top->addWidget(new QLabel(QStringLiteral("Глубина:"), this));
  depth_ = Spin(this, "Количество тиражей, просматриваемых \"в глубину\" для поиска совпадений");
  top->addWidget(depth_);
  auto* run = new QPushButton(QStringLiteral("Рассчитать"), this);
  top->addWidget(run);
  top->addStretch(1);
  layout->addLayout(top);
  length_->setValue(std::max(ws.FormInt(kSection, "DrawsLength", 100), 1));
  depth_->setValue(std::max(ws.FormInt(kSection, "DrawsDeep", 100), 1));
  auto* split = new QSplitter(Qt::Vertical, this);
  split_ = split;
  list_ = new QTableView(split);
  list_->setObjectName(QStringLiteral("lvRepeats"));
  auto* model = new RepeatsModel(ws, result_, depthUsed_, this);
  model_ = model;
  list_->setModel(model);
  list_->verticalHeader()->hide();
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setWordWrap(false);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  const int widths[] = {80, 90, 110, 2000};
  for (int c = 0; c < 4; ++c) list_->setColumnWidth(c, widths[c]);
  split->addWidget(list_);
  chart_ = new ZoomChartView(split);
  chart_->setChart(new QChart);
  chart_->setPointText([](const QXYSeries* s, const QPointF& p) {
    return QStringLiteral("%1\nТираж %2: повторов %3")
        .arg(s->name())
        .arg(static_cast<qlonglong>(std::llround(p.x())))
        .arg(p.y());
  });
  split->addWidget(chart_);
  layout->addWidget(split, 1);
  const int height = ws.FormInt(kSection, "GraphHeight", 280);
  split->setSizes({std::max(620 - height, 100), std::clamp(height, 80, 2000)});
  connect(run, &QPushButton::clicked, this, &RepeatsDialog::Compute);
  connect(length_, &QSpinBox::editingFinished, this, &RepeatsDialog::Compute);
  connect(depth_, &QSpinBox::editingFinished, this, &RepeatsDialog::Compute);
  Compute();
}

void RepeatsDialog::done(int result) {
  length_->interpretText();
  depth_->interpretText();
  ws_.StoreFormInt(kSection, "DrawsLength", length_->value());
  ws_.StoreFormInt(kSection, "DrawsDeep", depth_->value());
  ws_.StoreFormInt(kSection, "GraphHeight", split_->sizes().value(1));
  QDialog::done(result);
}

void RepeatsDialog::Compute() {
  length_->interpretText();
  depth_->interpretText();
  depthUsed_ = depth_->value();
  result_ = AnalyzeRepeats(ws_.Archive().Draws(), length_->value(), depthUsed_, {}, false);
  static_cast<RepeatsModel*>(model_)->Reset();
  const ChartData data = RepeatsChart(result_);
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  chart_->resetZoom();
  delete old;
  auto* axisX = new QValueAxis;
  axisX->setLabelFormat(QStringLiteral("%d"));
  auto* axisY = new QValueAxis;
  axisY->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  double minX = 0, maxX = 0, maxY = 1;
  bool any = false;
  auto* random = QRandomGenerator::global();
  for (const ChartSeries& s : data.series) {
    auto* line = new QLineSeries;
    line->setName(Q(s.title));
    chart->addSeries(line);
    QPen pen(QColor(random->bounded(256), random->bounded(256), random->bounded(256)));
    pen.setWidth(2);
    line->setPen(pen);
    line->setPointsVisible(true);
    line->setMarkerSize(4);
    line->setBrush(QColor(random->bounded(256), random->bounded(256), random->bounded(256)));
    for (const auto& [x, y] : s.points) {
      line->append(x, y);
      minX = any ? std::min(minX, x) : x;
      maxX = any ? std::max(maxX, x) : x;
      maxY = std::max(maxY, y);
      any = true;
    }
    line->attachAxis(axisX);
    line->attachAxis(axisY);
    chart_->watch(line);
  }
  axisX->setRange(minX, maxX > minX ? maxX : minX + 1);
  axisY->setRange(0, maxY * 1.1);
  axisY->applyNiceNumbers();
}

}  // namespace korvane::ui
