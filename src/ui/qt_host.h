#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>

#include "app/host.h"

class QWidget;

namespace korvane::ui {

// The window's Host: message boxes with the program's captions, the status panel, the wait
// cursor. Engine notifications arrive as signals.
class QtHost : public QObject, public Host {
  Q_OBJECT
 public:
  explicit QtHost(QObject* parent = nullptr);

  void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
  // Tests replace the message boxes: messages are handed to the sink, questions answered by
  // the responder.
  void setMessageSink(std::function<void(MessageKind, const QString&)> sink) {
    messageSink_ = std::move(sink);
  }
  void setQuestionResponder(std::function<bool(const QString&, bool)> responder) {
    questionResponder_ = std::move(responder);
  }
  void requestStop() { stopRequested_ = true; }
  void clearStop() { stopRequested_ = false; }

  void showMessage(MessageKind kind, const std::string& text) override;
  bool ask(const std::string& question, bool defaultYes) override;
  bool askWarning(const std::string& question, bool defaultYes) override;
  bool askError(const std::string& question, bool defaultYes) override;
  void setStatus(const std::string& text) override;
  void progress(int done, int total, const std::string& text) override;
  bool poll() override;
  void busyChanged(bool busy) override;
  void panelChanged(int panel, const std::string& text) override;
  void changed(unsigned aspects) override;

 signals:
  void statusChanged(const QString& text);
  void panelTextChanged(int panel, const QString& text);
  void busyStateChanged(bool busy);
  void stateChanged(unsigned aspects);
  void progressChanged(int done, int total, const QString& text);

 private:
  bool Question(const std::string& question, bool defaultYes, const char* caption);

  QWidget* dialogParent_ = nullptr;
  std::function<void(MessageKind, const QString&)> messageSink_;
  std::function<bool(const QString&, bool)> questionResponder_;
  bool stopRequested_ = false;
};

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }
// Wide enough for a whole date and time ("2099-12-31 23:59:59") in the widget's font.
inline int DateTimeWidth(const QWidget* w) {
  return w->fontMetrics().horizontalAdvance(QStringLiteral("2099-12-31 23:59:59")) + 16;
}

}  // namespace korvane::ui
