// The Open and Save commands: the input pane from and to a text file.

#include "dialogs/common_dialog_backend.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/text_files.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

void FrmMain::OpenText() {
  CommonDialogBackend& dialogs = deps_.dialogs ? *deps_.dialogs : DefaultCommonDialogBackend();
  OpenTextFile(*txt_kanji_, this, dialogs);
}

void FrmMain::SaveText() {
  CommonDialogBackend& dialogs = deps_.dialogs ? *deps_.dialogs : DefaultCommonDialogBackend();
  SaveTextFile(*txt_kanji_, this, dialogs);
}

}  // namespace yomika
