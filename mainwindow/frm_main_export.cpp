// ﾌｧｲﾙ → 書き出し…: the input pane converted in a chosen format and written to a file.

#include <QApplication>
#include <QScopeGuard>

#include "dialogs/common_dialog_backend.h"
#include "encoding/atomic_file.h"
#include "engine/conversion.h"
#include "engine/engine_settings.h"
#include "mainwindow/export_target.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/progress_display.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

void FrmMain::ExportDocument() {
  if (converting_) return;
  CommonDialogBackend& dialogs = deps_.dialogs ? *deps_.dialogs : DefaultCommonDialogBackend();
  const std::optional<ExportTarget> target = ChooseExportTarget(this, dialogs);
  if (!target) return;

  converting_ = true;
  Outcome<QByteArray> bytes = QByteArray();
  {
    const auto done = qScopeGuard([this] {
      converting_ = false;
      pic_status_->Clear();
      QApplication::restoreOverrideCursor();
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bytes = ExportBytes(target->format);
  }
  if (!bytes) {
    Warn(QStringLiteral("書き出すことが出来ませんでした。\n") + bytes.reason());
  } else if (const std::optional<QString> failure = WriteFileAtomically(target->path, *bytes)) {
    Warn(QStringLiteral("%1 に書き込めませんでした: %2").arg(target->path, *failure));
  }
}

Outcome<QByteArray> FrmMain::ExportBytes(OutputFormat format) {
  if (!reading_service_) return Failure{QStringLiteral("読みの辞書がありません。")};
  const EngineSettings settings = EngineSettings::Read(*deps_.settings);
  const Outcome<ConversionOptions> options = ConversionOptionsFor(settings, format);
  if (!options) return Failure{options.reason()};
  const InputText input{ToText(txt_kanji_->Text()), txt_kanji_->Colours()};
  const Outcome<QString> body = ConvertToBody(
      input, *reading_service_, settings,
      [this](float fraction) { pic_status_->DrawProgress(fraction, true); }, *options);
  if (!body) return Failure{body.reason()};
  const Outcome<QString> text = OutputText(*body, settings, format, true);
  if (!text) return Failure{text.reason()};
  return OutputBytes(*text, format, true);
}

}  // namespace yomika
