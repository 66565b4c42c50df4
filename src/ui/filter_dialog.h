#pragma once

#include "filters/filter_item.h"
#include "ui/frame_dialog.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

namespace korvane {
class Host;
class Workspace;
}  // namespace korvane

namespace korvane::ui {

// "Фильтр": edits one filter descriptor.
class FilterDialog : public FrameDialog {
  Q_OBJECT
 public:
  FilterDialog(QWidget* parent, Workspace& ws, const TFilterItem& item);
  // The descriptor made from the fields (once accepted).
  TFilterItem Result() const;

  QComboBox* MethodList() const { return method_; }
  QLineEdit* DrawsField() const { return draws_; }
  QComboBox* SortList() const { return sort_; }
  QComboBox* DirectionList() const { return direction_; }
  QComboBox* ModeList() const { return filterMode_; }
  QCheckBox* MultiSelectBox() const { return multi_; }
  QComboBox* LevelList() const { return level_; }
  QLineEdit* ValuesField() const { return values_; }
  QCheckBox* OverrideBox() const { return override_; }
  QDoubleSpinBox* CountField() const { return count_; }
  QCheckBox* PercentsBox() const { return percents_; }
  QCheckBox* AbsBox() const { return abs_; }
  QComboBox* StopList() const { return stop_; }
  QSpinBox* StopValueField() const { return stopValue_; }

 protected:
  bool Validate() override;

 private:
  void UpdateEnabling();

  Workspace& ws_;
  QComboBox* method_;
  QLineEdit* draws_;
  QComboBox* sort_;
  QComboBox* direction_;
  QComboBox* filterMode_;
  QCheckBox* multi_;
  QComboBox* level_;
  QLineEdit* values_;
  QCheckBox* override_;
  QDoubleSpinBox* count_;
  QDoubleSpinBox* deviation_;
  QDoubleSpinBox* depth_;
  QCheckBox* percents_;
  QCheckBox* abs_;
  QComboBox* stop_;
  QSpinBox* stopValue_;
};

// Opens the dialog on the item; on OK replaces it and returns true.
bool EditFilterItem(QWidget* parent, Workspace& ws, TFilterItem& item);

}  // namespace korvane::ui
