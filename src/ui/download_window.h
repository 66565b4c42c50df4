#pragma once

#include <QDialog>

#include "online/download.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvane::ui {

struct WindowContext;

// The wait window of the draw download: the wait text (with the proxy attempt), the range
// being fetched, a bar over the days up to today, and "Отмена", which stops the download after
// the ranges already saved.
class DownloadWindow : public QDialog {
  Q_OBJECT
 public:
  explicit DownloadWindow(QWidget* parent);
  QLabel* WaitLabel() const { return wait_; }
  QLabel* RangeLabel() const { return range_; }
  QProgressBar* Bar() const { return bar_; }
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  void cancelRequested();

 public slots:
  void SetProgress(int done, int total, const QString& text);
  void SetStatus(const QString& text);

 protected:
  void reject() override;

 private:
  QLabel* wait_;
  QLabel* range_;
  QProgressBar* bar_;
  QPushButton* cancel_;
};

// "Загрузка": the download with its wait window; the window is busy meanwhile.
DownloadResult RunDrawDownload(WindowContext& ctx);

}  // namespace korvane::ui
