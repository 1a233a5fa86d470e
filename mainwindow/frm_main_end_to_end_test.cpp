// The real window with the embedded browser: type text with a coloured character, Start on
// the real reading service, then check the preview file, the source pane and what the browser
// rendered; and the review of readings on a scripted service, clicked through in the page.
// Runs under a virtual display.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "editmenu/reading_choice_popup.h"
#include "encoding/cp932.h"
#include "engine/source_tags.h"
#include "mainwindow/browser_preview_host.h"
#include "mainwindow/frm_main.h"
#include "reading/mecab_reading_service.h"
#include "settings/settings_store.h"
#include "tests/fake_reading_service.h"
#include "widgets/preview_browser.h"
#include "widgets/preview_review.h"
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
  // Doubtful readings wavy-underlined in the page; a click on one opens the popup; the pick
  // changes the page, the source pane, the preview file and the user's dictionary; F3 goes
  // on to the next one. YOMIKA_REVIEW_SCREENSHOT=<file.png> saves the window with the popup.
  void ReviewInThePage();
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

  const QString body = U(
      "<font color=\"#000000\"><ruby>漢字<rt>かんじ</rt></ruby>を<ruby>読<rt>よ</rt></ruby>"
      "む。<br>\r\n</font><font color=\"#ff0000\"><ruby>赤<rt>あか</rt></ruby></font>"
      "<font color=\"#000000\">い<ruby>花<rt>はな</rt></ruby></font>");
  QCOMPARE(window.txtHTML()->Text(), body);
  // The real service reviews its readings: the window counts the doubtful ones.
  QVERIFY(window.ReviewStatus().startsWith(U("要確認の読み: 残り ")));
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
      Evaluate(browser->view(),
               QStringLiteral("Array.from(document.querySelectorAll('ruby rt'))"
                              ".map(e => e.textContent).join(',')"))
          .toString(),
      U("かんじ,よ,あか,はな"), 20000);
  QCOMPARE(Evaluate(browser->view(),
                    QStringLiteral("getComputedStyle(document.querySelectorAll('ruby')[2])"
                                   ".color"))
               .toString(),
           QStringLiteral("rgb(255, 0, 0)"));
}

namespace {

// A service that reads and reviews a few sentences: 市場, 生物 and 風車 doubtful.
std::unique_ptr<ReadingService> ScriptedReviewService() {
  auto service = std::make_unique<testing::FakeReadingService>();
  service->SupportReview(true);
  const auto candidate = [](const char* reading, CandidateSource source) {
    return ReadingCandidate{Utf8ToText(reading), source};
  };
  const struct {
    const char* lookup;
    const char* reading;
    std::optional<RunReview> review;
  } kLookups[] = {
      {"今日は", "きょうは", std::nullopt},
      {"市場で", "いちばで",
       RunReview{true,
                 {candidate("いちば", CandidateSource::kAnalysis),
                  candidate("しじょう", CandidateSource::kDictionary)}}},
      {"生物を", "せいぶつを",
       RunReview{true,
                 {candidate("せいぶつ", CandidateSource::kAnalysis),
                  candidate("なまもの", CandidateSource::kDictionary),
                  candidate("いきもの", CandidateSource::kDictionary),
                  candidate("しょうぶつ", CandidateSource::kKanji)}}},
      {"見た。", "みた。", std::nullopt},
      {"風車の", "ふうしゃの",
       RunReview{true,
                 {candidate("ふうしゃ", CandidateSource::kAnalysis),
                  candidate("かざぐるま", CandidateSource::kDictionary)}}},
      {"音が", "おとが", std::nullopt},
      {"聞こえる。", "きこえる。", std::nullopt},
  };
  for (const auto& lookup : kLookups) {
    service->Answer(U(lookup.lookup), U(lookup.reading));
    if (lookup.review) service->Review(U(lookup.lookup), *lookup.review);
  }
  return service;
}

// Clicks the page at the middle of its ordinal-th ruby element, through the window system.
bool ClickRuby(FrmMain& window, PreviewBrowser& browser, int ordinal) {
  const QVariantList centre =
      Evaluate(browser.view(), QStringLiteral("(b => [b.left + b.width / 2, b.top + b.height / 2])"
                                              "(document.getElementsByTagName('ruby')[%1]"
                                              ".getBoundingClientRect())")
                                   .arg(ordinal))
          .toList();
  QWidget* render = browser.view()->focusProxy();
  if (centre.size() != 2 || render == nullptr) return false;
  const QPoint at(qRound(centre[0].toDouble()), qRound(centre[1].toDouble()));
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, render->mapTo(&window, at));
  return true;
}

QString Decorations(PreviewBrowser& browser) {
  return Evaluate(browser.view(),
                  QStringLiteral("Array.from(document.getElementsByTagName('ruby'), r => "
                                 "getComputedStyle(r).textDecorationStyle).join(' ')"))
      .toString();
}

}  // namespace

void FrmMainEndToEndTest::ReviewInThePage() {
  QTemporaryDir dir;
  SettingsStore settings(dir.filePath(QStringLiteral("YOMIKA.ini")));
  settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("CreateColor"),
                       QStringLiteral("0"));
  const QString preview_file = dir.filePath(QStringLiteral("sample.html"));
  QStringList warnings;
  MainWindowDependencies deps;
  deps.settings = &settings;
  deps.preview_file = preview_file;
  deps.create_reading_service = []() -> Outcome<std::unique_ptr<ReadingService>> {
    return ScriptedReviewService();
  };
  deps.create_preview = [&dir](QWidget* frame, const QString& file) {
    return std::make_unique<BrowserPreviewHost>(frame, file, dir.path());
  };
  deps.warn = [&warnings](QWidget*, const QString& text) { warnings.append(text); };
  deps.reading_dictionary_path = dir.filePath(QStringLiteral("readings.tsv"));
  FrmMain window(std::move(deps));
  QVERIFY(window.StartUp());
  window.resize(640, 420);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* browser = qobject_cast<PreviewBrowser*>(window.WebBrowser1()->Widget());
  QVERIFY(browser != nullptr);
  QVERIFY(!window.fraWeb()->isEnabled());  // read-only: the page itself takes no input

  window.txtKanji()->SetText(U("今日は市場で生物を見た。\r\n風車の音が聞こえる。"));
  window.RunConversion();
  QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
  QCOMPARE(window.ReviewStatus(), U("要確認の読み: 残り 3 件"));
  QTRY_VERIFY_WITH_TIMEOUT(browser->review()->ruby_count() == 7, 30000);
  QTRY_COMPARE_WITH_TIMEOUT(Decorations(*browser),
                            QStringLiteral("solid wavy wavy solid wavy solid solid"), 20000);
  const QByteArray file_before = [&] {
    QFile file(preview_file);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  QVERIFY(!file_before.contains("wavy") && !file_before.contains("yomika"));
  QVERIFY(!window.txtHTML()->Text().contains(U("wavy")));

  // Click 生物: the popup opens below it with the candidates.
  QVERIFY(ClickRuby(window, *browser, 2));
  ReadingChoicePopup* popup = window.readingPopup();
  QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), 10000);
  auto* list = popup->findChild<QTreeWidget*>(QStringLiteral("lstCandidates"));
  QCOMPARE(list->topLevelItemCount(), 4);
  QCOMPARE(list->topLevelItem(1)->text(0), U("なまもの"));
  QCOMPARE(list->topLevelItem(1)->text(1), U("辞書"));
  if (const QString shot = qEnvironmentVariable("YOMIKA_REVIEW_SCREENSHOT"); !shot.isEmpty()) {
    QTest::qWait(500);
    const QRect area = window.frameGeometry().united(popup->geometry()).adjusted(-8, -8, 8, 8);
    QVERIFY(
        window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(shot));
  }

  // Pick なまもの, always read so.
  popup->findChild<QCheckBox*>(QStringLiteral("chkRemember"))->setChecked(true);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->topLevelItem(1)).center());
  QVERIFY(!popup->isVisible());
  const QString element = U("<ruby>生物<rt>なまもの</rt></ruby>");
  QVERIFY(window.txtHTML()->Text().contains(element));
  QFile file(preview_file);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.readAll().contains(*cp932::Encode(element)));
  QTRY_COMPARE_WITH_TIMEOUT(
      Evaluate(browser->view(),
               QStringLiteral("document.getElementsByTagName('rt')[2].textContent"))
          .toString(),
      U("なまもの"), 20000);
  QTRY_COMPARE_WITH_TIMEOUT(Decorations(*browser),
                            QStringLiteral("solid wavy solid solid wavy solid solid"), 20000);
  QCOMPARE(window.ReviewStatus(), U("要確認の読み: 残り 2 件"));
  QFile dictionary(dir.filePath(QStringLiteral("readings.tsv")));
  QVERIFY(dictionary.open(QIODevice::ReadOnly));
  QVERIFY(QString::fromUtf8(dictionary.readAll()).contains(U("生物\tなまもの")));

  // F3 goes on from 生物 to 風車, revealed in the page, its popup open.
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(window.txtKanji(), Qt::Key_F3);
  QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), 10000);
  QCOMPARE(list->topLevelItem(0)->text(0), U("ふうしゃ"));
  QCOMPARE(window.txtHTML()->textCursor().selectedText(), U("<ruby>風車<rt>ふうしゃ</rt></ruby>"));
  popup->hide();
  QVERIFY(warnings.isEmpty());
}

}  // namespace yomika

int main(int argc, char** argv) {
  yomika::PrepareEmbeddedBrowser();
  QApplication app(argc, argv);
  yomika::FrmMainEndToEndTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "frm_main_end_to_end_test.moc"
