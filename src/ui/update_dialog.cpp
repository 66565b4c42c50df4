#include "ui/update_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "online/texts.h"
#include "ui/download_window.h"
#include "ui/qt_host.h"
#include "ui/window_context.h"

namespace korvane::ui {

UpdateDialog::UpdateDialog(QWidget* parent, const UpdateOffer& offer) : QDialog(parent) {
  setWindowTitle(Q(texts::UpdateDialogCaption));
  setObjectName(QStringLiteral("UpdateDialog"));
  auto* form = new QFormLayout;
  auto* current = new QLabel(Q(offer.currentVersion), this);
  auto* offered = new QLabel(Q(offer.newVersion), this);
  for (QLabel* l : {current, offered}) {
    l->setTextFormat(Qt::PlainText);  // the service's texts are shown as they are
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
  }
  QFont bold = offered->font();
  bold.setBold(true);
  offered->setFont(bold);
  form->addRow(Q(texts::UpdateCurrentVersion), current);
  form->addRow(Q(texts::UpdateNewVersion), offered);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setPlainText(QString(Q(offer.text)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  text_->setMinimumSize(420, 180);
  auto* buttons = new QDialogButtonBox(this);
  install_ = buttons->addButton(Q(texts::UpdateInstall), QDialogButtonBox::AcceptRole);
  install_->setToolTip(Q(texts::UpdateInstallHint));
  install_->setDefault(true);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setToolTip(Q(texts::UpdateRefuseHint));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel(Q(texts::UpdateTextLabel), this));
  layout->addWidget(text_, 1);
  layout->addWidget(buttons);
}

UpdateResult RunUpdateCheck(WindowContext& ctx, bool silent) {
  ctx.host.clearStop();
  DownloadWindow window(ctx.window);
  window.setWindowTitle(QStringLiteral("Обновление программы"));
  window.setObjectName(QStringLiteral("UpdateWindow"));
  window.WaitLabel()->setText(Q(texts::UpdateSearching));
  QObject::connect(&ctx.host, &QtHost::progressChanged, &window, &DownloadWindow::SetProgress);
  QObject::connect(&window, &DownloadWindow::cancelRequested, &window,
                   [&ctx] { ctx.host.requestStop(); });
  if (!silent) window.show();
  UpdateResult result = UpdateResult::Nothing;
  {
    struct Running {
      bool& flag;
      explicit Running(bool& f) : flag(f) { flag = true; }
      ~Running() { flag = false; }
    } running(ctx.downloading);
    result = ctx.ws.CheckForUpdate({silent, std::nullopt}, [&](const UpdateOffer& offer) {
      window.hide();
      UpdateDialog dialog(ctx.window, offer);
      const bool yes = dialog.exec() == QDialog::Accepted;
      if (yes) {
        window.Bar()->setRange(0, 0);
        window.show();
      }
      return yes;
    });
  }
  ctx.host.clearStop();
  window.hide();
  // The window closes now when that was asked meanwhile.
  if (ctx.afterRun) ctx.afterRun();
  return result;
}

}  // namespace korvane::ui
