// Start-up and shutdown of the main window.

#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QScreen>

#include "editmenu/frm_menu.h"
#include "engine/document.h"
#include "iconmenu/c_icon_menu.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/progress_display.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

Status FrmMain::StartUp() {
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
  return Ok();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  MainIconMenu().UnSetIconMenu();
  event->accept();
}

}  // namespace yomika
