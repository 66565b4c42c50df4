#include "ui/zoom_chart_view.h"

#include <QCursor>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QXYSeries>
#include <algorithm>

namespace korvane::ui {

namespace {

constexpr double kWheelStep = 1.25;
constexpr double kMaxZoom = 200;

}  // namespace

ZoomChartView::ZoomChartView(QWidget* parent) : QChartView(parent) {
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  setToolTip(
      QStringLiteral("Колесо мыши: масштаб, перетаскивание: сдвиг, двойной щелчок: "
                     "весь график"));
}

void ZoomChartView::watch(QXYSeries* series) {
  connect(series, &QXYSeries::hovered, this, [this, series](const QPointF& point, bool state) {
    if (!state || !pointText_) {
      QToolTip::hideText();
      return;
    }
    const QString text = pointText_(series, point);
    if (!text.isEmpty()) QToolTip::showText(QCursor::pos(), text, this);
  });
}

void ZoomChartView::zoomAt(double factor, const QPointF& at) {
  if (chart() == nullptr) return;
  const double target = std::clamp(zoom_ * factor, 1.0, kMaxZoom);
  if (target <= 1.0) {
    resetZoom();
    return;
  }
  factor = target / zoom_;
  const QRectF area = chart()->plotArea();
  const double x =
      std::clamp(chart()->mapFromScene(mapToScene(at.toPoint())).x(), area.left(), area.right());
  const double width = area.width() / factor;
  const double left = x - (x - area.left()) / factor;
  chart()->zoomIn(QRectF(left, area.top(), width, area.height()));
  zoom_ = target;
}

void ZoomChartView::resetZoom() {
  if (chart() != nullptr) chart()->zoomReset();
  zoom_ = 1;
}

void ZoomChartView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {
    QChartView::wheelEvent(event);
    return;
  }
  zoomAt(delta > 0 ? kWheelStep : 1 / kWheelStep, event->position());
  event->accept();
}

void ZoomChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && zoom_ > 1) {
    dragging_ = true;
    last_ = event->pos();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
    return;
  }
  QChartView::mousePressEvent(event);
}

void ZoomChartView::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && chart() != nullptr) {
    const QPoint d = event->pos() - last_;
    last_ = event->pos();
    chart()->scroll(-d.x(), 0);
    event->accept();
    return;
  }
  QChartView::mouseMoveEvent(event);
}

void ZoomChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ && event->button() == Qt::LeftButton) {
    dragging_ = false;
    unsetCursor();
    event->accept();
    return;
  }
  QChartView::mouseReleaseEvent(event);
}

void ZoomChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  resetZoom();
  event->accept();
}

}  // namespace korvane::ui
