// Review of readings in the window: the doubtful runs of the last conversion marked in the
// preview, the popup where the author picks a ruby's reading, the next doubtful reading (F3)
// and the status bar's count.

#include <QLabel>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "editmenu/reading_choice.h"
#include "editmenu/reading_choice_popup.h"
#include "engine/document.h"
#include "engine/engine_settings.h"
#include "engine/review.h"
#include "engine/ruby_elements.h"
#include "engine/ruby_markup.h"
#include "mainwindow/frm_main.h"
#include "reading/reading_dictionary.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

// How long a passing review message stays in the status bar.
constexpr int kMessageMs = 5000;

// The reading (the first rt's content) of a ruby element of `text`.
QString ElementReading(const QString& text, const RubyElementSpan& element) {
  if (element.rt_start < 0) return {};
  return text.sliced(element.rt_start, element.rt_end - element.rt_start);
}

}  // namespace

void FrmMain::CreateReview() {
  review_status_ = new QLabel(this);
  review_status_->setObjectName(QStringLiteral("lblReview"));
  statusBar()->addPermanentWidget(review_status_);
  statusBar()->setSizeGripEnabled(false);
  reading_popup_ = new ReadingChoicePopup(this);
  reading_popup_->SetChosenCallback(
      [this](const ReadingChoice& choice) { ApplyReadingChoice(choice); });
  preview_->SetRubyClickedCallback([this](const RubyClick& click) { OnRubyClicked(click); });
  connect(txt_html_->document(), &QTextDocument::contentsChange, this,
          &FrmMain::OnSourceContentsChange);
}

void FrmMain::StartReview(const QString& body, const std::vector<ReviewedRun>& runs) {
  // The runs' elements as document positions of the source pane, start and end in turn.
  std::vector<qsizetype> offsets;
  offsets.reserve(runs.size() * 2);
  for (const ReviewedRun& run : runs) {
    offsets.push_back(run.body_offset);
    offsets.push_back(run.body_offset + run.body_length);
  }
  const std::vector<int> positions = DocumentPositions(body, offsets);
  std::vector<MarkedRun> marked;
  marked.reserve(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    marked.push_back({positions[2 * i], positions[2 * i + 1] - positions[2 * i],
                      ToQString(runs[i].text), runs[i].review});
  }
  review_marks_.Reset(std::move(marked), txt_html_->document()->toPlainText());
  reviewed_ = true;
}

void FrmMain::OnSourceContentsChange(int position, int removed, int added) {
  if (!rewriting_) preview_matches_source_ = false;
  if (review_marks_.empty()) return;
  review_marks_.Remap(position, removed, added, txt_html_->document()->toPlainText());
  UpdateReviewStatus();
}

int FrmMain::RubiesBeforeBody() const {
  // The document around a body that is one private-use character: what comes before it.
  const QString marker(QChar(0xE000));
  const Outcome<QString> document = AssembleDocument(marker, EngineSettings::Read(*settings_));
  if (!document) return 0;
  const qsizetype body_at = document->indexOf(marker);
  int before = 0;
  for (const RubyElementSpan& element : FindRubyElements(*document)) {
    if (element.start < body_at) ++before;
  }
  return before;
}

void FrmMain::SendMarksToPreview() {
  preview_->SetMarks(review_marks_.Marks(RubiesBeforeBody()));
  preview_matches_source_ = true;
}

void FrmMain::UpdateReviewStatus() {
  review_status_->setText(
      reviewed_ ? QStringLiteral("要確認の読み: 残り %1 件").arg(review_marks_.DoubtfulCount())
                : QString());
}

QString FrmMain::ReviewStatus() const { return review_status_->text(); }

void FrmMain::OnRubyClicked(const RubyClick& click) {
  if (!preview_matches_source_) {
    statusBar()->showMessage(
        QStringLiteral("ソースが変更されています。プレビュー（F1）で更新してから選んでください。"),
        kMessageMs);
    return;
  }
  OpenReadingPopup(click.ordinal - RubiesBeforeBody(), click.text, click.reading,
                   click.global_rect.bottomLeft() + QPoint(0, 2));
}

void FrmMain::OpenReadingPopup(int element, const QString& text, const QString& reading,
                               const QPoint& global_at) {
  const QString pane = txt_html_->document()->toPlainText();
  const std::vector<RubyElementSpan> elements = FindRubyElements(pane);
  if (element < 0 || static_cast<std::size_t>(element) >= elements.size() ||
      elements[element].base != text || ElementReading(pane, elements[element]) != reading) {
    return;  // not the element the source pane holds there
  }
  std::optional<RunReview> review;
  if (const std::optional<std::size_t> run = review_marks_.RunOfElement(element)) {
    review = review_marks_.runs()[*run].review;
  }
  popup_target_ = {element, text, reading};
  reading_popup_->Open(text, ChoiceLines(review, reading), global_at);
}

void FrmMain::ApplyReadingChoice(const ReadingChoice& choice) {
  const PopupTarget target = std::exchange(popup_target_, PopupTarget{});
  const QString pane = txt_html_->document()->toPlainText();
  const std::vector<RubyElementSpan> elements = FindRubyElements(pane);
  if (target.element < 0 || static_cast<std::size_t>(target.element) >= elements.size()) return;
  const RubyElementSpan& span = elements[target.element];
  if (span.base != target.text || ElementReading(pane, span) != target.reading) return;

  const Outcome<Text> written =
      RubyElement(ToText(target.text), ToText(choice.reading), EngineSettings::Read(*settings_));
  if (!written)
    return Warn(QStringLiteral("読みを書き換えられませんでした。\n") + written.reason());
  const QString element = ToQString(*written);
  if (const std::optional<std::size_t> run = review_marks_.RunOfElement(target.element)) {
    review_marks_.Resolve(*run, element);
  }
  {
    // The model already knows; the pane's change report finds nothing new in it.
    rewriting_ = true;
    QTextCursor cursor(txt_html_->document());
    cursor.setPosition(static_cast<int>(span.start));
    cursor.setPosition(static_cast<int>(span.end), QTextCursor::KeepAnchor);
    cursor.insertText(element);
    cursor.setPosition(static_cast<int>(span.start));
    cursor.setPosition(static_cast<int>(span.start + element.size()), QTextCursor::KeepAnchor);
    txt_html_->setTextCursor(cursor);
    rewriting_ = false;
  }

  if (choice.remember) {
    ReadingDictionary dictionary(deps_.reading_dictionary_path.isEmpty()
                                     ? ReadingDictionary::DefaultPath()
                                     : deps_.reading_dictionary_path);
    std::optional<QString> error;
    if (!dictionary.Load()) {
      error = QStringLiteral("読みの辞書 %1 を読めません。").arg(dictionary.path());
    } else {
      error = dictionary.Put({target.text, choice.reading});
    }
    if (error) Warn(QStringLiteral("読みの辞書に登録できませんでした。") + *error);
  }

  if (Status document = WriteDocument(txt_html_->Text()); !document) {
    Warn(QStringLiteral("プレビューファイルを書き込めませんでした。\n") + document.reason());
  } else {
    SendMarksToPreview();
    preview_->NavigateKeepingScroll();
  }
  if (Status copied = CopySourceIfAsked(); !copied) Warn(copied.reason());
  UpdateReviewStatus();
}

void FrmMain::NextDoubt() {
  const QTextCursor current = txt_html_->textCursor();
  // From a selected run on to the next; from a caret on to the first at or after it.
  const int from = current.hasSelection() ? current.selectionStart() : current.position() - 1;
  const std::optional<std::size_t> next = review_marks_.NextDoubtful(from);
  if (!next) {
    statusBar()->showMessage(QStringLiteral("要確認の読みはありません。"), kMessageMs);
    return;
  }
  const MarkedRun& run = review_marks_.runs()[*next];
  QTextCursor cursor(txt_html_->document());
  cursor.setPosition(run.start);
  cursor.setPosition(run.end(), QTextCursor::KeepAnchor);
  txt_html_->setTextCursor(cursor);
  txt_html_->ensureCursorVisible();

  const int element = review_marks_.ElementOrdinal(*next);
  const QString pane = txt_html_->document()->toPlainText();
  const std::vector<RubyElementSpan> elements = FindRubyElements(pane);
  if (static_cast<std::size_t>(element) >= elements.size()) return;
  const QString reading = ElementReading(pane, elements[element]);
  if (IsPreviewView() && preview_matches_source_) {
    // The page answers like a click, which opens the popup at the element.
    preview_->Reveal(RubiesBeforeBody() + element);
    return;
  }
  const QPoint at = IsPreviewView()
                        ? preview_->Widget()->mapToGlobal(QPoint(20, 20))
                        : txt_html_->viewport()->mapToGlobal(txt_html_->cursorRect().bottomLeft());
  OpenReadingPopup(element, run.text, reading, at);
}

}  // namespace yomika
