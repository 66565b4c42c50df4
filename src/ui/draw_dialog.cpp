#include "ui/draw_dialog.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTimeEdit>

#include "app/host.h"
#include "core/csv.h"
#include "core/dates.h"
#include "core/error.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

DateTime ToDateTime(const QDate& d, const QTime& t) {
  return EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

}  // namespace

DrawDialog::DrawDialog(QWidget* parent, Host& host, const QString& caption, const TDrawRec& draw,
                       bool withDate)
    : FrameDialog(parent, caption), host_(host), withDate_(withDate), result_(draw) {
  auto* group = new QGroupBox(QString::fromUtf8(DrawDialogTitle), this);
  auto* form = new QFormLayout(group);
  number_ = new QSpinBox(group);
  number_->setRange(1, 2147483647);
  number_->setToolTip(QString::fromUtf8(DrawNumberHint));
  number_->setValue(draw.number < 1 ? 1 : draw.number);
  form->addRow(QString::fromUtf8(DrawNumberLabel), number_);

  numbers_ = new QLineEdit(Q(CombToText(draw.nums)), group);
  form->addRow(new QLabel(QString::fromUtf8(DrawNumbersLabel), group));
  form->addRow(numbers_);

  auto* dateLabel = new QLabel(QString::fromUtf8(DrawDateLabel), group);
  date_ = new QDateEdit(group);
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  date_->setLocale(russian);
  date_->setDisplayFormat(russian.dateFormat(QLocale::LongFormat));
  date_->setCalendarPopup(true);
  date_->setToolTip(QString::fromUtf8(DrawDateHint));
  time_ = new QTimeEdit(group);
  time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  time_->setToolTip(QString::fromUtf8(DrawTimeHint));
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(date_, 1);
  dateRow->addWidget(time_);
  form->addRow(dateLabel);
  form->addRow(dateRow);
  Content()->addWidget(group);

  // The date and time of the record, or now when it has none.
  DateTime when = Now();
  if (draw.dateLen > 0) {
    try {
      when = TextToDrawDate(draw.DateText());
    } catch (const Error&) {
    }
  }
  int y = 1899, m = 12, d = 30;
  if (when.seconds > 0) DecodeDate(when, y, m, d);
  date_->setDate(QDate(y, m, d));
  const int64_t tod = TimeOfDaySeconds(when);
  time_->setTime(QTime(static_cast<int>(tod / 3600), static_cast<int>(tod / 60 % 60),
                       static_cast<int>(tod % 60)));

  dateLabel->setVisible(withDate);
  date_->setVisible(withDate);
  time_->setVisible(withDate);
  if (!withDate) setFixedHeight(200);
  numbers_->setFocus();
  numbers_->selectAll();
}

bool DrawDialog::Validate() {
  try {
    TDrawRec r = result_;
    r.number = number_->value();
    r.nums = ParseDrawNumbersInput(S(numbers_->text()));
    if (withDate_)
      r = MakeDialogDraw(r.number, S(numbers_->text()), ToDateTime(date_->date(), QTime(0, 0)),
                         ToDateTime(QDate(1899, 12, 30), time_->time()));
    result_ = r;
    return true;
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error, e.what());
    numbers_->setFocus();
    return false;
  }
}

}  // namespace korvane::ui
