// YOMIKA: the desktop program.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>

#include "app/instance_lock.h"
#include "app/qt_japanese.h"
#include "dialogs/frm_about.h"
#include "engine/preview_file.h"
#include "mainwindow/browser_preview_host.h"
#include "mainwindow/frm_main.h"
#include "options/frm_setup.h"
#include "reading/kanji_ruby_aids.h"
#include "reading/mecab_reading_service.h"
#include "settings/settings_store.h"
#include "widgets/preview_browser.h"

namespace {

using namespace yomika;

void ShowAbout(QWidget* owner) { frmAbout::ShowModal(owner); }

// The preview file: beside the program, unless this is the installed program, whose folder is
// shared by every user (and not writable for them).
QString ChoosePreviewFile() {
  const QString program_folder = QCoreApplication::applicationDirPath();
  if (QDir(program_folder) != QDir(QStringLiteral(YOMIKA_INSTALL_BINDIR))) return PreviewFilePath();
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return QDir(data).filePath(QString::fromLatin1(kPreviewFileName));
}

bool StartNewInstance() {
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

}  // namespace

int main(int argc, char* argv[]) {
  PrepareEmbeddedBrowser();
  QApplication app(argc, argv);
  // No organisation name: the per-user data folder is then shared with the converter.
  QApplication::setApplicationName(QStringLiteral("YOMIKA"));
  QApplication::setApplicationVersion(QStringLiteral(YOMIKA_VERSION));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/yomika.svg")));
  if (!InstallQtJapanese(app)) std::fprintf(stderr, "yomika: Qt's Japanese translation is missing\n");

  SettingsStore settings;
  const InstanceLock instance_lock;

  MainWindowDependencies deps;
  deps.settings = &settings;
  deps.create_reading_service = [] { return CreateMecabReadingService(MecabOptions{}); };
  // The page may reach its own folder and nothing else.
  deps.create_preview = [](QWidget* frame, const QString& preview_file) {
    return std::make_unique<BrowserPreviewHost>(frame, preview_file,
                                                QFileInfo(preview_file).absolutePath());
  };
  deps.preview_file = ChoosePreviewFile();
  deps.another_instance_runs = instance_lock.AnotherInstanceRuns();
  deps.start_new_instance = StartNewInstance;
  deps.show_options = [&settings](QWidget* owner) {
    ShowSetupDialog(owner, settings, [owner] {
      if (auto* window = qobject_cast<FrmMain*>(owner)) window->ApplyPreviewFrameSetting();
    });
  };
  deps.show_about = ShowAbout;
  const KanjiRubyAids kanji_aids;
  deps.kanji_aids = [&kanji_aids] { return kanji_aids.Aids(); };

  FrmMain window(std::move(deps));
  if (const Status started = window.StartUp(); !started) {
    std::fprintf(stderr, "yomika: %s\n", started.reason().toLocal8Bit().constData());
    QMessageBox::warning(nullptr, window.windowTitle(),
                         QString::fromUtf8("ＩＭＥ９８以降の製品がないと動作しません。"));
    return 1;
  }
  if (settings.Problem()) QMessageBox::warning(&window, window.windowTitle(), *settings.Problem());
  window.show();
  return QApplication::exec();
}
