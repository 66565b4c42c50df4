#pragma once

#include <QChartView>
#include <QPoint>
#include <functional>

class QXYSeries;

namespace korvane::ui {

// A chart view for charts with many points or categories: the mouse wheel zooms the x axis
// around the pointer, dragging pans, a double click shows everything again; hovering a point of
// a watched series shows a tooltip made by the page.
class ZoomChartView : public QChartView {
  Q_OBJECT
 public:
  explicit ZoomChartView(QWidget* parent = nullptr);

  // The text of the tooltip for a point of a series (empty: none).
  using PointText = std::function<QString(const QXYSeries* series, const QPointF& point)>;
  void setPointText(PointText text) { pointText_ = std::move(text); }
  // Shows the tooltip of its points on hovering; call after the series is in the chart.
  void watch(QXYSeries* series);
  // How far the x axis is zoomed in (1 = everything shows).
  double zoomFactor() const { return zoom_; }
  // Zooms the x axis by a factor around a position in the view (factor > 1 zooms in).
  void zoomAt(double factor, const QPointF& at);
  void resetZoom();

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  PointText pointText_;
  double zoom_ = 1;
  bool dragging_ = false;
  QPoint last_;
};

}  // namespace korvane::ui
