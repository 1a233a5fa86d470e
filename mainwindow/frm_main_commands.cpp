// The menu and toolbar commands and the switch between the preview and the source view.

#include <QApplication>
#include <QFrame>
#include <QMessageBox>

#include "mainwindow/frm_main.h"
#include "settings/setting_readers.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

void FrmMain::ToolbarClick(int slot) {
  switch (slot) {
    case 2: NewInstance(); break;
    case 3: OpenText(); break;
    case 4: SaveText(); break;
    case 6: ShowPreview(); break;
    case 7: ShowSource(); break;
    case 9: RunConversion(); break;
    case 11: ShowOptions(); break;
    case 13: close(); break;
    case 14: NextDoubt(); break;
    default: break;  // separators
  }
  SourceChanged = 0;
}

void FrmMain::NewInstance() {
  if (deps_.start_new_instance && !deps_.start_new_instance()) {
    Warn(QString::fromUtf8("新しいウィンドウを開けませんでした。"));
  }
}

void FrmMain::ShowPreview() {
  if (SourceChanged == 1) {
    // The source was edited: show the edited source, not the last conversion.
    if (Status written = WriteDocument(txt_html_->Text()); !written) {
      Warn(QString::fromUtf8("プレビューファイルを書き込めませんでした。\n") + written.reason());
    } else {
      SendMarksToPreview();
    }
    preview_->Navigate();
    QApplication::processEvents();
  }
  SelectView(true);
  QApplication::processEvents();
  txt_kanji_->setFocus();
}

void FrmMain::ShowSource() {
  SelectView(false);
  QApplication::processEvents();
  txt_kanji_->setFocus();
}

void FrmMain::SelectView(bool preview) {
  txt_html_->setVisible(!preview);
  preview_->Widget()->setVisible(preview);
  fra_web_->setVisible(preview);
  ApplyPreviewFrameSetting();
}

void FrmMain::ApplyPreviewFrameSetting() {
  // An unreadable ReadOnly keeps the page from taking input, the safe side.
  if (!SetPreviewFrameEnabled()) fra_web_->setEnabled(false);
}

Status FrmMain::SetPreviewFrameEnabled() {
  const std::optional<bool> read_only = ReadTruth(*settings_, keys::kReadOnly);
  if (!read_only) return Failure{QStringLiteral("設定 Preview/ReadOnly を読めません。")};
  fra_web_->setEnabled(!*read_only);
  return Ok();
}

void FrmMain::MenuPreview() {
  ToolbarClick(6);
  preview_button_->setChecked(true);
}

void FrmMain::MenuSource() {
  source_button_->setChecked(true);
  ToolbarClick(7);
}

void FrmMain::ShowOptions() {
  if (deps_.show_options) deps_.show_options(this);
}

void FrmMain::ShowVersion() {
  if (deps_.show_about) deps_.show_about(this);
}

}  // namespace yomika
