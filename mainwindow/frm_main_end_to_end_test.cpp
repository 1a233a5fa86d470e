// The real window with the real reading service and the embedded browser: type text with a
// coloured character, Start, then check the preview file, the source pane and what the
// browser rendered. Runs under a virtual display.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "encoding/cp932.h"
#include "engine/source_tags.h"
#include "mainwindow/browser_preview_host.h"
#include "mainwindow/frm_main.h"
#include "reading/mecab_reading_service.h"
#include "settings/settings_store.h"
#include "widgets/preview_browser.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Runs JavaScript in the page and waits for its result.
QVariant Evaluate(QWebEngineView* view, const QString& script) {
  QVariant result;
  bool done = false;
  // The application's world: the preview runs no page scripts, but the DOM is shared.
  view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                              [&](const QVariant& value) {
                                result = value;
                                done = true;
                              });
  QElapsedTimer waited;
  waited.start();
  while (!done && waited.elapsed() < 20000) QTest::qWait(10);
  return result;
}

}  // namespace

class FrmMainEndToEndTest : public QObject {
  Q_OBJECT

 private slots:
  void TypeColourConvertAndSeeRubyInTheBrowser();
};

void FrmMainEndToEndTest::TypeColourConvertAndSeeRubyInTheBrowser() {
  QTemporaryDir dir;
  SettingsStore settings(dir.filePath(QStringLiteral("YOMIKA.ini")));
  const QString preview_file = dir.filePath(QStringLiteral("sample.html"));
  MecabOptions options;
  options.user_dictionary_path = dir.filePath(QStringLiteral("readings.tsv"));

  QStringList warnings;
  MainWindowDependencies deps;
  deps.settings = &settings;
  deps.preview_file = preview_file;
  deps.create_reading_service = [options] { return CreateMecabReadingService(options); };
  deps.create_preview = [&dir](QWidget* frame, const QString& file) {
    return std::make_unique<BrowserPreviewHost>(frame, file, dir.path());
  };
  deps.warn = [&warnings](QWidget*, const QString& text) { warnings.append(text); };
  FrmMain window(std::move(deps));
  const Status started = window.StartUp();
  QVERIFY2(started, qPrintable(started ? QString() : started.reason()));
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));

  // Type the text, then colour 赤 red as the colour dialog would.
  window.txtKanji()->setFocus();
  window.txtKanji()->selectAll();
  // Japanese arrives from the input method as committed text.
  QInputMethodEvent typed;
  typed.setCommitString(U("漢字を読む。"));
  QApplication::sendEvent(window.txtKanji(), &typed);
  window.txtKanji()->SetSelStart(window.txtKanji()->Text().size());
  window.txtKanji()->SetSelText(U("\r\n赤い花"));
  window.txtKanji()->SetSelStart(8);
  window.txtKanji()->SetSelLength(1);
  window.txtKanji()->SetSelColor(0x0000FF);
  QCOMPARE(window.txtKanji()->Text(), U("漢字を読む。\r\n赤い花"));

  QTest::keyClick(window.txtKanji(), Qt::Key_F5);
  QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));

  const QString body =
      U("<font color=\"#000000\"><ruby>漢字<rt>かんじ</rt></ruby>を<ruby>読<rt>よ</rt></ruby>"
        "む。<br>\r\n</font><font color=\"#ff0000\"><ruby>赤<rt>あか</rt></ruby></font>"
        "<font color=\"#000000\">い<ruby>花<rt>はな</rt></ruby></font>");
  QCOMPARE(window.txtHTML()->Text(), body);
  QFile file(preview_file);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("<HTML>\r\n<STYLE>\r\n"));
  QVERIFY(bytes.contains("\r\n<BODY>\r\n" + *cp932::Encode(body) + "\r\n</BODY>\r\n</HTML>\r\n"));
  const std::vector<Colour> colours = window.txtHTML()->Colours();
  QCOMPARE(colours[body.indexOf(U("かんじ"))], kRubyTextColour);
  QCOMPARE(colours[body.indexOf(U("<ruby>"))], kTagColour);
  QCOMPARE(colours[0], Colour{0});

  // What the browser shows: ruby elements with the readings, the red one red.
  auto* browser = qobject_cast<PreviewBrowser*>(window.WebBrowser1()->Widget());
  QVERIFY(browser != nullptr);
  QTRY_VERIFY_WITH_TIMEOUT(!window.WebBrowser1()->IsBusy(), 30000);
  QTRY_COMPARE_WITH_TIMEOUT(
      Evaluate(browser->view(), QStringLiteral("Array.from(document.querySelectorAll('ruby rt'))"
                                               ".map(e => e.textContent).join(',')"))
          .toString(),
      U("かんじ,よ,あか,はな"), 20000);
  QCOMPARE(Evaluate(browser->view(),
                    QStringLiteral("getComputedStyle(document.querySelectorAll('ruby')[2])"
                                   ".color"))
               .toString(),
           QStringLiteral("rgb(255, 0, 0)"));
}

}  // namespace yomika

int main(int argc, char** argv) {
  yomika::PrepareEmbeddedBrowser();
  QApplication app(argc, argv);
  yomika::FrmMainEndToEndTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "frm_main_end_to_end_test.moc"
