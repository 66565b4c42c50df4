#include "ui/qt_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/ui_texts.h"

namespace korvane::ui {

QtHost::QtHost(QObject* parent) : QObject(parent) {}

void QtHost::showMessage(MessageKind kind, const std::string& text) {
  const QString qtext = Q(text);
  if (messageSink_) {
    messageSink_(kind, qtext);
    return;
  }
  QMessageBox::Icon icon = QMessageBox::Critical;
  const char* caption = CaptionError;
  if (kind == MessageKind::Information) {
    icon = QMessageBox::Information;
    caption = CaptionInformation;
  } else if (kind == MessageKind::Warning) {
    icon = QMessageBox::Warning;
    caption = CaptionWarning;
  } else if (kind == MessageKind::Attention) {
    icon = QMessageBox::Warning;
    caption = CaptionAttention;
  }
  QMessageBox box(icon, QString::fromUtf8(caption), qtext, QMessageBox::Ok, dialogParent_);
  box.button(QMessageBox::Ok)->setText(QString::fromUtf8(ButtonOk));
  // A message shown during a long operation must not inherit its wait cursor.
  const bool cursor = QApplication::overrideCursor() != nullptr;
  if (cursor) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (cursor) QApplication::restoreOverrideCursor();
}

bool QtHost::Question(const std::string& question, bool defaultYes, const char* caption) {
  const QString qtext = Q(question);
  if (questionResponder_) return questionResponder_(qtext, defaultYes);
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(caption), qtext,
                  QMessageBox::Yes | QMessageBox::No, dialogParent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
  box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  const bool cursor = QApplication::overrideCursor() != nullptr;
  if (cursor) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool yes = box.exec() == QMessageBox::Yes;
  if (cursor) QApplication::restoreOverrideCursor();
  return yes;
}

bool QtHost::ask(const std::string& question, bool defaultYes) {
  return Question(question, defaultYes, CaptionQuestion);
}

bool QtHost::askWarning(const std::string& question, bool defaultYes) {
  return Question(question, defaultYes, CaptionWarning);
}

bool QtHost::askError(const std::string& question, bool defaultYes) {
  return Question(question, defaultYes, CaptionError);
}

void QtHost::setStatus(const std::string& text) { emit statusChanged(Q(text)); }

void QtHost::progress(int done, int total, const std::string& text) {
  emit progressChanged(done, total, Q(text));
}

bool QtHost::poll() {
  QCoreApplication::processEvents();
  return stopRequested_;
}

void QtHost::busyChanged(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
  emit busyStateChanged(busy);
}

void QtHost::panelChanged(int panel, const std::string& text) {
  emit panelTextChanged(panel, Q(text));
}

void QtHost::changed(unsigned aspects) { emit stateChanged(aspects); }

}  // namespace korvane::ui
