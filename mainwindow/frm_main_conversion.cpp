// The Start command and the output steps shared with start-up and the Preview command.

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QMessageBox>

#include "engine/conversion.h"
#include "engine/document.h"
#include "engine/engine_settings.h"
#include "engine/preview_file.h"
#include "engine/review.h"
#include "engine/ruby_writer.h"
#include "engine/source_tags.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/progress_display.h"
#include "settings/setting_readers.h"
#include "widgets/rich_text_pane.h"
#include "widgets/source_tag_colours.h"

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
    pic_status_->Clear();  // a new run of the display
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
  const Outcome<ConversionOptions> options = ConversionOptionsFor(settings, OutputFormat::kHtml);
  if (!options) return Failure{options.reason()};
  QStringList warnings;
  ConversionOptions conversion = *options;
  conversion.warning = [&warnings](const QString& warning) { warnings.append(warning); };
  const ProgressCallback progress = [this](float fraction) {
    pic_status_->DrawProgress(fraction, true);
  };
  // A service that can judge its readings reviews them; the HTML is the same either way.
  const bool review =
      reading_service_->SetReviewing(true) && reading_service_->SetReviewing(false);
  Outcome<ReviewedBody> converted = Failure{};
  if (review) {
    converted = ConvertForReview(input, *reading_service_, settings, progress, conversion);
  } else if (Outcome<QString> body =
                 ConvertToBody(input, *reading_service_, settings, progress, conversion)) {
    converted = ReviewedBody{std::move(body).value(), {}};
  } else {
    converted = Failure{body.reason()};
  }
  if (!converted) return Failure{converted.reason()};
  const QString& body = converted->body;
  if (Status written = WriteDocument(body); !written) return written;
  ProcessPendingEvents();
  review_marks_.Clear();  // before the pane's text goes: nothing to follow there
  if (Status filled = FillSourcePane(body, true); !filled) return filled;
  reviewed_ = review;
  if (review) StartReview(body, converted->runs);
  UpdateReviewStatus();
  SendMarksToPreview();
  preview_->Navigate();
  if (Status copied = CopySourceIfAsked(); !copied) return copied;
  // The page is complete; what it lacks is told once it shows.
  if (!warnings.isEmpty()) Warn(warnings.join(QLatin1Char('\n')));
  return Ok();
}

Outcome<ConversionOptions> FrmMain::ConversionOptionsFor(const EngineSettings& settings,
                                                         OutputFormat format) const {
  ConversionOptions options{.format = format};
  if (UsesKanjiAids(settings) && deps_.kanji_aids) {
    const Outcome<KanjiAids> aids = deps_.kanji_aids();
    if (!aids) return Failure{aids.reason()};
    options.aids = *aids;
  }
  return options;
}

Status FrmMain::CopySourceIfAsked() {
  const std::optional<bool> clip_copy = ReadFlag(*deps_.settings, keys::kClipCopy);
  if (!clip_copy) return Failure{QStringLiteral("設定 Default/ClipCopy を読めません。")};
  if (*clip_copy) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(txt_html_->Text());
  }
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

bool FrmMain::Ask(const QString& text) {
  if (deps_.ask) return deps_.ask(this, text);
  return QMessageBox::question(this, windowTitle(), text) == QMessageBox::Yes;
}

Status FrmMain::WriteDocument(const QString& body) {
  const Outcome<QString> document =
      AssembleDocument(body, EngineSettings::Read(*settings_));
  if (!document) return Failure{document.reason()};
  return WritePreviewFile(deps_.preview_file, *document);
}

Status FrmMain::FillSourcePane(const QString& body, bool report_progress) {
  const std::optional<bool> tags = ReadFlag(*settings_, keys::kChkRuby);
  const std::optional<bool> readings = ReadFlag(*settings_, keys::kChkString);
  if (!tags || !readings) {
    return Failure{QStringLiteral("設定 Default/chkRUBY または Default/chkString を読めません。")};
  }
  if (report_progress) {
    for (const float fraction : {0.92f, 0.94f, 0.96f, 0.98f}) {
      pic_status_->DrawProgress(fraction, true);
    }
  }
  source_colours_->SetColouring(*tags, *readings);
  txt_html_->SetText(body);  // coloured as it goes in
  txt_html_->SetSelStart(0);
  txt_html_->SetSelColor(kResetColour);
  return Ok();
}

}  // namespace yomika
