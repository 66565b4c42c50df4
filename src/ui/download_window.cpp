#include "ui/download_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "online/texts.h"
#include "ui/qt_host.h"
#include "ui/window_context.h"

namespace korvane::ui {

DownloadWindow::DownloadWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Загрузка"));
  setObjectName(QStringLiteral("DownloadWindow"));
  setWindowModality(Qt::ApplicationModal);
  wait_ = new QLabel(Q(texts::Downloading), this);
  range_ = new QLabel(this);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 0);
  cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(wait_);
  layout->addWidget(range_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
  connect(cancel_, &QPushButton::clicked, this, &DownloadWindow::reject);
  setMinimumWidth(460);
}

void DownloadWindow::SetProgress(int done, int total, const QString& text) {
  if (total > 0) {
    bar_->setRange(0, total);
    bar_->setValue(std::min(done, total));
  }
  // The engine's texts break lines with CR CR.
  if (!text.isEmpty())
    wait_->setText(QString(text).replace(QStringLiteral("\r"), QStringLiteral("\n")));
}

void DownloadWindow::SetStatus(const QString& text) { range_->setText(text); }

void DownloadWindow::reject() {
  // Closing the window stops the download; the window goes when the download has ended.
  cancel_->setEnabled(false);
  cancel_->setText(QStringLiteral("Остановка..."));
  emit cancelRequested();
}

DownloadResult RunDrawDownload(WindowContext& ctx) {
  ctx.host.clearStop();
  DownloadWindow window(ctx.window);
  QObject::connect(&ctx.host, &QtHost::progressChanged, &window, &DownloadWindow::SetProgress);
  QObject::connect(&ctx.host, &QtHost::statusChanged, &window, &DownloadWindow::SetStatus);
  QObject::connect(&window, &DownloadWindow::cancelRequested, &window,
                   [&ctx] { ctx.host.requestStop(); });
  window.show();
  DownloadResult result;
  {
    struct Running {
      bool& flag;
      explicit Running(bool& f) : flag(f) { flag = true; }
      ~Running() { flag = false; }
    } running(ctx.downloading);
    result = ctx.ws.DownloadDraws();
  }
  ctx.host.clearStop();
  window.hide();
  // The window closes now when that was asked meanwhile.
  if (ctx.afterRun) ctx.afterRun();
  return result;
}

}  // namespace korvane::ui
