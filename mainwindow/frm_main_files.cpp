// The Open and Save commands: the input pane from and to a text file, and the question
// whether to save it before the window closes.

#include <QFileInfo>

#include "dialogs/common_dialog_backend.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/text_files.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

CommonDialogBackend& DialogsOf(const MainWindowDependencies& deps) {
  return deps.dialogs ? *deps.dialogs : DefaultCommonDialogBackend();
}

}  // namespace

void FrmMain::OpenText() {
  const TextFileResult opened = OpenTextFile(*txt_kanji_, this, DialogsOf(deps_));
  if (opened.outcome == TextFileOutcome::kDone) {
    MarkInputClean();
    damaged_file_ = opened.replaced > 0 ? opened.path : QString();
    damaged_places_ = opened.replaced;
  }
  if (!opened.message.isEmpty()) Warn(opened.message);
}

void FrmMain::SaveText() { SaveInput(); }

TextFileOutcome FrmMain::SaveInput() {
  const TextFileResult saved =
      SaveTextFile(*txt_kanji_, this, DialogsOf(deps_), damaged_file_, damaged_places_);
  if (saved.outcome == TextFileOutcome::kDone) {
    MarkInputClean();
    // The file now holds the pane's text; nothing of it is lost any more.
    if (QFileInfo(saved.path) == QFileInfo(damaged_file_)) damaged_file_.clear();
  }
  if (!saved.message.isEmpty()) Warn(saved.message);
  return saved.outcome;
}

void FrmMain::MarkInputClean() { clean_input_ = txt_kanji_->Text(); }

bool FrmMain::MayClose() {
  if (txt_kanji_->Text() == clean_input_) return true;
  const std::optional<bool> save = DialogsOf(deps_).AskYesNoCancel(
      this, windowTitle(), QStringLiteral("入力した文章を保存しますか？"));
  if (!save) return false;
  return !*save || SaveInput() == TextFileOutcome::kDone;
}

}  // namespace yomika
