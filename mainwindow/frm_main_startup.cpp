// Start-up and shutdown of the main window.

#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include "editmenu/frm_menu.h"
#include "engine/document.h"
#include "iconmenu/c_icon_menu.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/progress_display.h"
#include "settings/setting_readers.h"
#include "settings/settings_store.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

Status FrmMain::StartUp() {
  // Start-up reads unreadable keys at their defaults, from a view of the store.
  std::unique_ptr<SettingsStore> defaults_view;
  unreadable_settings_.clear();
  for (const SettingKey& key : UnreadableKeys(*deps_.settings)) {
    if (!defaults_view) defaults_view = std::make_unique<SettingsStore>(deps_.settings->Location());
    defaults_view->SetOverride(QString::fromUtf8(key.section), QString::fromUtf8(key.name),
                               DefaultValue(key));
    unreadable_settings_.append(KeyPath(key));
  }
  if (defaults_view) settings_ = defaults_view.get();
  const auto back_to_store = qScopeGuard([this] { settings_ = deps_.settings; });

  // 1. Centred, unless another instance runs.
  if (!deps_.another_instance_runs && screen() != nullptr) {
    const QRect area = screen()->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
  }
  // 2. The tag items of the input pane's popup menu.
  frm_menu_->LoadTagMenu();
  // 3–5. The sample document as the first preview.
  if (Status written = WriteDocument(SampleBody()); !written) return written;
  // 6. The same sentence in the source pane, its tags coloured.
  if (Status filled = FillSourcePane(SampleBody(), true); !filled) return filled;
  SendMarksToPreview();  // none: the sample is no conversion
  // 7.
  pic_status_->Clear();
  // 8.
  if (Status enabled = SetPreviewFrameEnabled(); !enabled) return enabled;
  // 9.
  preview_->Navigate();
  // 10.
  Outcome<std::unique_ptr<ReadingService>> service = deps_.create_reading_service();
  if (!service) return Failure{service.reason()};
  reading_service_ = std::move(service).value();
  // 11. Wait until the browser has loaded the first page.
  if (preview_->IsBusy()) {
    QEventLoop loop;
    preview_->SetLoadFinishedCallback([&loop] { loop.quit(); });
    if (preview_->IsBusy()) loop.exec();
    preview_->SetLoadFinishedCallback(nullptr);
  }
  // 12. The menus with their images.
  MainIconMenu().SethTargetWnd(this);
  MainIconMenu().SetStyle(1);
  MainIconMenu().SetMenuDefaultImage(&image_list_);
  if (Status icons = MainIconMenu().SetIconMenu(); !icons) return icons;
  ApplyLayout();
  if (!unreadable_settings_.isEmpty()) {
    QTimer::singleShot(0, this, &FrmMain::OfferSettingsRepair);
  }
  return Ok();
}

void FrmMain::OfferSettingsRepair() {
  const QString question =
      QString::fromUtf8("次の設定を読めないため、既定値で起動しました。\n") +
      unreadable_settings_.join(QChar(u'\n')) +
      QString::fromUtf8("\n\n直すまで変換はできません。オプション画面を開きますか？");
  if (Ask(question)) ShowOptions();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  if (!MayClose()) {
    event->ignore();
    return;
  }
  MainIconMenu().UnSetIconMenu();
  event->accept();
}

}  // namespace yomika
