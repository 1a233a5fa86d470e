// The window's file commands and its close box: messages about damaged and refused files,
// failed saves, and the question before unsaved input is lost.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/fake_common_dialog_backend.h"
#include "encoding/cp932.h"
#include "mainwindow/frm_main.h"
#include "settings/settings_store.h"
#include "tests/fake_preview_host.h"
#include "tests/fake_reading_service.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A window with scripted dialogs, recording its warnings.
struct WindowWithDialogs {
  QTemporaryDir dir;
  SettingsStore settings{dir.filePath(QStringLiteral("YOMIKA.ini"))};
  testing::FakeCommonDialogBackend dialogs;
  testing::FakePreviewHost* preview = nullptr;
  QStringList warnings;
  std::unique_ptr<FrmMain> window;

  WindowWithDialogs() {
    MainWindowDependencies deps;
    deps.settings = &settings;
    deps.preview_file = dir.filePath(QStringLiteral("sample.html"));
    deps.create_reading_service = [] {
      auto service = std::make_unique<testing::FakeReadingService>();
      service->EchoUnknown(true);
      return Outcome<std::unique_ptr<ReadingService>>(std::move(service));
    };
    deps.create_preview = [this](QWidget* frame, const QString&) {
      auto fake = std::make_unique<testing::FakePreviewHost>(frame);
      preview = fake.get();
      return std::unique_ptr<PreviewHost>(std::move(fake));
    };
    deps.dialogs = &dialogs;
    deps.warn = [this](QWidget*, const QString& text) { warnings.append(text); };
    window = std::make_unique<FrmMain>(std::move(deps));
  }
  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  void Choose(const QString& path) { dialogs.file_answer = FileDialogAnswer{path, 0}; }
};

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

class FrmMainFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void CloseAsksBeforeUnsavedInputIsLost_data();
  void CloseAsksBeforeUnsavedInputIsLost();
  void DamagedFileIsReportedAndProtected();
  void PageThePreviewCannotShowIsReported();
};

void FrmMainFilesTest::CloseAsksBeforeUnsavedInputIsLost_data() {
  QTest::addColumn<bool>("open_first");
  QTest::addColumn<QString>("typed");        // empty: the input is left alone
  QTest::addColumn<int>("answer");           // 1 はい, 0 いいえ, -1 キャンセル
  QTest::addColumn<QString>("save_target");  // empty: the save dialog is cancelled
  QTest::addColumn<bool>("closes");
  QTest::addColumn<int>("questions");

  QTest::newRow("start-up text unchanged") << false << QString() << -1 << QString() << true << 0;
  QTest::newRow("opened file unchanged") << true << QString() << -1 << QString() << true << 0;
  QTest::newRow("typed back to the same") << true << U("元の文") << -1 << QString() << true << 0;
  QTest::newRow("キャンセル keeps the window")
      << false << U("新しい文") << -1 << QString() << false << 1;
  QTest::newRow("いいえ closes unsaved") << true << U("新しい文") << 0 << QString() << true << 1;
  QTest::newRow("はい saves, then closes")
      << true << U("新しい文") << 1 << U("in.txt") << true << 1;
  QTest::newRow("はい, save dialog cancelled")
      << false << U("新しい文") << 1 << QString() << false << 1;
  QTest::newRow("はい, save fails") << false << U("新しい文") << 1 << U("none/x.txt") << false << 1;
}

void FrmMainFilesTest::CloseAsksBeforeUnsavedInputIsLost() {
  QFETCH(bool, open_first);
  QFETCH(QString, typed);
  QFETCH(int, answer);
  QFETCH(QString, save_target);
  QFETCH(bool, closes);
  QFETCH(int, questions);
  WindowWithDialogs w;
  const QString file = w.Path("in.txt");
  {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(U("元の文").toUtf8()) > 0);
  }
  if (open_first) {
    w.Choose(file);
    w.window->OpenText();
  }
  if (!typed.isEmpty()) w.window->txtKanji()->SetText(typed);
  w.dialogs.yes_no_cancel_answer = answer < 0 ? std::nullopt : std::optional<bool>(answer == 1);
  w.dialogs.file_answer.reset();
  if (!save_target.isEmpty()) w.Choose(w.dir.filePath(save_target));

  QCOMPARE(w.window->close(), closes);
  QCOMPARE(w.dialogs.questions.size(), questions);
  if (questions > 0) QCOMPARE(w.dialogs.questions.first(), U("入力した文章を保存しますか？"));
  if (answer == 1 && closes) QCOMPARE(Contents(file), *cp932::Encode(typed));
  if (save_target == U("none/x.txt")) {
    QCOMPARE(w.warnings.size(), 1);
    QVERIFY2(w.warnings.first().contains(
                 U("none/x.txt に保存できませんでした: ファイルまたはフォルダがありません")),
             qPrintable(w.warnings.first()));
    QCOMPARE(w.window->txtKanji()->Text(), typed);
  }
}

void FrmMainFilesTest::DamagedFileIsReportedAndProtected() {
  WindowWithDialogs w;
  const QString file = w.Path("cut.txt");
  const QByteArray cut = U("途中で切れた文章").toUtf8().chopped(2);
  {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(cut) == cut.size());
  }
  w.Choose(file);
  w.window->OpenText();
  QCOMPARE(w.warnings.size(), 1);
  QVERIFY2(w.warnings.first().contains(U("読めないバイト列が 1 か所")),
           qPrintable(w.warnings.first()));
  QCOMPARE(w.window->txtKanji()->Text(), U("途中で切れた文\uFFFD"));

  // Saving over it asks; no keeps the file's bytes.
  w.window->txtKanji()->SetText(U("途中で切れた文"));
  w.dialogs.yes_no_answer = false;
  w.window->SaveText();
  QCOMPARE(w.dialogs.questions.size(), 1);
  QCOMPARE(Contents(file), cut);
}

// The browser gives up on a huge page: the user hears of it, the source pane and the
// preview file hold the whole page, and the next conversion goes through.
void FrmMainFilesTest::PageThePreviewCannotShowIsReported() {
  WindowWithDialogs w;
  QVERIFY(w.window->StartUp());
  w.window->txtKanji()->SetText(QString(5000, u'あ'));
  w.window->RunConversion();
  w.preview->FailPage(U("プレビューを表示できませんでした"));
  QTRY_COMPARE(w.warnings, QStringList{U("プレビューを表示できませんでした")});
  QVERIFY(w.window->txtHTML()->Text().contains(QString(5000, u'あ')));
  QVERIFY(Contents(w.dir.filePath(QStringLiteral("sample.html")))
              .contains(*cp932::Encode(QString(5000, u'あ'))));

  const int navigations = w.preview->navigations;
  w.window->txtKanji()->SetText(U("つぎ"));
  w.window->RunConversion();
  QCOMPARE(w.preview->navigations, navigations + 1);
  QVERIFY(w.window->txtHTML()->Text().contains(U("つぎ")));
  QCOMPARE(w.warnings.size(), 1);
}

}  // namespace yomika

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  yomika::FrmMainFilesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "frm_main_files_test.moc"
