#pragma once

#include "core/config.h"
#include "ui/frame_dialog.h"

class QDoubleSpinBox;
class QSpinBox;
class QCheckBox;
class QTableWidget;
class QTableWidgetItem;

namespace korvane {
class Host;
}

namespace korvane::ui {

// "Параметры системы": stake cost, prizes, weight coefficients, matrix segments, channel size.
class SettingsDialog : public FrameDialog {
  Q_OBJECT
 public:
  SettingsDialog(QWidget* parent, Host& host, const TConfigData& config);

  // The record from the fields (read when the dialog was accepted).
  TConfigData Result() const;

  QDoubleSpinBox* CostField() const { return cost_; }
  QTableWidget* PrizeTable() const { return prizes_; }
  QTableWidget* SegmentGrid() const { return segments_; }
  QSpinBox* ChannelSizeField() const { return channelSize_; }
  QDoubleSpinBox* CountField() const { return count_; }
  QDoubleSpinBox* DeviationField() const { return deviation_; }
  QDoubleSpinBox* LevelField() const { return level_; }
  QCheckBox* PercentsBox() const { return percents_; }
  QCheckBox* AbsBox() const { return abs_; }

 private:
  void CheckSegmentCell(QTableWidgetItem* item);

  Host& host_;
  TConfigData config_;
  QDoubleSpinBox* cost_;
  QTableWidget* prizes_;
  QDoubleSpinBox* count_;
  QDoubleSpinBox* deviation_;
  QDoubleSpinBox* level_;
  QCheckBox* percents_;
  QCheckBox* abs_;
  QSpinBox* matrixCols_;
  QSpinBox* matrixRows_;
  QTableWidget* segments_;
  QSpinBox* channelSize_;
  bool checkingSegment_ = false;
};

}  // namespace korvane::ui
