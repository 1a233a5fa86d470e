// The Start command and the output steps shared with start-up and the Preview command.

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QMessageBox>
#include <QTextCursor>

#include "engine/conversion.h"
#include "engine/document.h"
#include "engine/engine_settings.h"
#include "engine/preview_file.h"
#include "engine/source_tags.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/progress_display.h"
#include "settings/setting_readers.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

// Restores the normal mouse pointer when the conversion leaves, however it leaves.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

void ProcessPendingEvents() { QApplication::processEvents(); }

}  // namespace

void FrmMain::RunConversion() {
  // Events are processed during the conversion; a second Start meanwhile is ignored.
  if (converting_) return;
  converting_ = true;
  const auto done = qScopeGuard([this] { converting_ = false; });

  preview_button_->setChecked(true);
  txt_html_->hide();
  fra_web_->show();
  preview_->Widget()->show();
  if (!SetPreviewFrameEnabled()) return ConversionFailed();
  ProcessPendingEvents();

  Status converted = Ok();
  {
    WaitCursor wait;
    pic_status_->setFocus();
    pic_status_->DrawProgress(0, true);
    ProcessPendingEvents();
    converted = RunConversionSteps();
    if (converted) {
      pic_status_->DrawProgress(1, true);
      ProcessPendingEvents();
    }
  }
  if (!converted) ConversionFailed();
}

Status FrmMain::RunConversionSteps() {
  if (!reading_service_) return Failure{QStringLiteral("読みの辞書がありません。")};
  const EngineSettings settings = EngineSettings::Read(*deps_.settings);
  const InputText input{ToText(txt_kanji_->Text()), txt_kanji_->Colours()};
  // The colour pass leaves the input pane's last character selected.
  if (settings.create_color.value.value_or(false) && !input.text.empty()) {
    txt_kanji_->SetSelStart(static_cast<int>(input.text.size()) - 1);
    txt_kanji_->SetSelLength(1);
  }
  QStringList warnings;
  const Outcome<QString> body = ConvertToBody(
      input, *reading_service_, settings,
      [this](float fraction) { pic_status_->DrawProgress(fraction, true); },
      [&warnings](const QString& warning) { warnings.append(warning); });
  if (!body) return Failure{body.reason()};
  if (Status written = WriteDocument(*body); !written) return written;
  ProcessPendingEvents();
  txt_html_->SetText(*body);
  if (Status coloured = ColorSourceTags(true); !coloured) return coloured;
  preview_->Navigate();
  const std::optional<bool> clip_copy = ReadFlag(*deps_.settings, keys::kClipCopy);
  if (!clip_copy) return Failure{QStringLiteral("設定 Default/ClipCopy を読めません。")};
  if (*clip_copy) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(txt_html_->Text());
  }
  // The page is complete; what it lacks is told once it shows.
  if (!warnings.isEmpty()) Warn(warnings.join(QLatin1Char('\n')));
  return Ok();
}

void FrmMain::ConversionFailed() {
  pic_status_->Clear();
  Warn(QString::fromUtf8("変換することが出来ませんでした。"));
}

void FrmMain::Warn(const QString& text) {
  if (deps_.warn) {
    deps_.warn(this, text);
  } else {
    QMessageBox::warning(this, windowTitle(), text);
  }
}

Status FrmMain::WriteDocument(const QString& body) {
  const Outcome<QString> document =
      AssembleDocument(body, EngineSettings::Read(*deps_.settings));
  if (!document) return Failure{document.reason()};
  return WritePreviewFile(deps_.preview_file, *document);
}

Status FrmMain::ColorSourceTags(bool report_progress) {
  const std::optional<bool> tags = ReadFlag(*deps_.settings, keys::kChkRuby);
  const std::optional<bool> readings = ReadFlag(*deps_.settings, keys::kChkString);
  if (!tags || !readings) {
    return Failure{QStringLiteral("設定 Default/chkRUBY または Default/chkString を読めません。")};
  }
  const QString text = txt_html_->toPlainText();
  constexpr float kAfterTag[] = {0.92f, 0.94f, 0.96f};

  QTextCursor block(txt_html_->document());
  block.beginEditBlock();
  if (*tags) {
    for (int i = 0; i < 4; ++i) {
      for (const ColourSpan& span : FindTagOccurrences(text, kRubyTags[i], kTagColour)) {
        txt_html_->ColourRawSpan(span.start, span.length, span.colour);
      }
      if (report_progress && i < 3) pic_status_->DrawProgress(kAfterTag[i], true);
    }
  }
  if (report_progress) pic_status_->DrawProgress(0.98f, true);
  if (*readings) {
    for (const ColourSpan& span : FindRubyTextSpans(text)) {
      txt_html_->ColourRawSpan(span.start, span.length, span.colour);
    }
  }
  block.endEditBlock();
  txt_html_->SetSelStart(0);
  txt_html_->SetSelColor(kResetColour);
  return Ok();
}

}  // namespace yomika
