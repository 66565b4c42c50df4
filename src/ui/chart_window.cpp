#include "ui/chart_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/qt_host.h"

namespace korvane::ui {

ChartWindow::ChartWindow(QWidget* parent, const QString& caption, const ChartData& data)
    : QDialog(parent) {
  setObjectName(QStringLiteral("TFormGraph"));
  setWindowTitle(caption.isEmpty() ? QStringLiteral("График") : caption);
  setWindowFlag(Qt::Tool, true);
  setSizeGripEnabled(true);
  resize(900, 560);
  auto* layout = new QVBoxLayout(this);
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  auto* axisX = new QValueAxis;
  auto* axisY = new QValueAxis;
  axisX->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  double minX = std::numeric_limits<double>::max(), maxX = std::numeric_limits<double>::lowest();
  double minY = 0, maxY = 0;
  std::vector<QLineSeries*> marked;
  for (const ChartSeries& s : data.series) {
    auto* line = new QLineSeries;
    line->setName(Q(s.title));
    line->setPointsVisible(s.pointer);
    line->setMarkerSize(3);
    // Marks show the y value without a frame, as the series says.
    line->setPointLabelsFormat(QStringLiteral("@yPoint"));
    line->setPointLabelsClipping(false);
    line->setPointLabelsVisible(s.marks);
    if (s.marks) marked.push_back(line);
    for (const auto& [x, y] : s.points) {
      line->append(x, y);
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
    // Added first, the series takes the chart's next colour; then only the width (and a
    // colour of its own) change.
    chart->addSeries(line);
    QPen pen = line->pen();
    pen.setWidth(2);
    if (s.colour != 0) pen.setColor(QColor(QRgb(0xFF000000u | s.colour)));
    line->setPen(pen);
    line->attachAxis(axisX);
    line->attachAxis(axisY);
  }
  if (minX > maxX) minX = maxX = 0;
  if (minX == maxX) maxX = minX + 1;
  axisX->setRange(minX, maxX);
  // Whole draw numbers: as many ticks as fit, on whole values.
  axisX->setTickType(QValueAxis::TicksDynamic);
  axisX->setTickAnchor(minX);
  axisX->setTickInterval(std::max(1.0, std::ceil((maxX - minX) / 12)));
  if (minY == maxY) maxY = minY + 1;
  const double pad = (maxY - minY) * 0.08;
  axisY->setRange(minY < 0 ? minY - pad : minY, maxY + pad);
  axisY->applyNiceNumbers();
  view_ = new QChartView(chart, this);
  view_->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(view_, 1);
  marks_ = new QCheckBox(QStringLiteral("Отображать метки на графиках"), this);
  marks_->setChecked(true);
  layout->addWidget(marks_);
  connect(marks_, &QCheckBox::toggled, this, [marked](bool on) {
    for (QLineSeries* line : marked) line->setPointLabelsVisible(on);
  });
}

}  // namespace korvane::ui
