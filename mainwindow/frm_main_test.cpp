// Drives the main window offscreen with settings in a temporary folder, a scripted reading
// service and a preview stand-in that loads instantly.

#include "mainwindow/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "dialogs/fake_common_dialog_backend.h"
#include "editmenu/reading_choice_popup.h"
#include "encoding/cp932.h"
#include "engine/source_tags.h"
#include "mainwindow/progress_display.h"
#include "settings/settings_store.h"
#include "tests/fake_preview_host.h"
#include "tests/fake_reading_service.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

int RunProgressDisplayTests(int argc, char** argv);

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }


// One window with everything it needs, in a temporary folder.
struct Harness {
  QTemporaryDir dir;
  SettingsStore settings{dir.filePath(QStringLiteral("YOMIKA.ini"))};
  testing::FakeReadingService* service = nullptr;  // owned by the window once created
  testing::FakePreviewHost* preview = nullptr;
  QStringList warnings;
  testing::FakeCommonDialogBackend dialogs;
  QStringList questions;  // answered yes
  int options_shown = 0;
  bool fail_service = false;
  std::unique_ptr<FrmMain> window;

  QString PreviewFile() const { return dir.filePath(QStringLiteral("sample.html")); }
  QString DictionaryFile() const { return dir.filePath(QStringLiteral("readings.tsv")); }

  void Build() {
    MainWindowDependencies deps;
    deps.settings = &settings;
    deps.preview_file = PreviewFile();
    deps.create_reading_service = [this]() -> Outcome<std::unique_ptr<ReadingService>> {
      if (fail_service) return Failure{QStringLiteral("no dictionary")};
      auto fake = std::make_unique<testing::FakeReadingService>();
      fake->EchoUnknown(true);
      service = fake.get();
      return std::unique_ptr<ReadingService>(std::move(fake));
    };
    deps.create_preview = [this](QWidget* frame, const QString&) {
      auto fake = std::make_unique<testing::FakePreviewHost>(frame);
      preview = fake.get();
      return std::unique_ptr<PreviewHost>(std::move(fake));
    };
    deps.warn = [this](QWidget*, const QString& text) { warnings.append(text); };
    deps.dialogs = &dialogs;
    deps.ask = [this](QWidget*, const QString& text) {
      questions.append(text);
      return true;
    };
    deps.show_options = [this](QWidget*) { ++options_shown; };
    deps.reading_dictionary_path = DictionaryFile();
    window = std::make_unique<FrmMain>(std::move(deps));
  }

  QByteArray PreviewBytes() const {
    QFile file(PreviewFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QAction* Toolbar(int slot) const {
    for (QAction* action : window->Toolbar1()->actions()) {
      if (action->data().toInt() == slot) return action;
    }
    return nullptr;
  }

  QAction* Menu(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
};

QByteArray DefaultDocument(const QByteArray& body) {
  return "<HTML>\r\n<STYLE>\r\nBODY {FONT-SIZE: 11pt}\r\nRUBY {FONT-SIZE: 11pt}\r\n"
         "RT   {FONT-SIZE:  7pt\r\n     ;TEXT-DECORATION: none}\r\n</STYLE>\r\n<BODY>\r\n" +
         body + "\r\n</BODY>\r\n</HTML>\r\n";
}

}  // namespace

class FrmMainTest : public QObject {
  Q_OBJECT

 private slots:
  void StartUpState();
  void StartUpFailsWithoutReadingService();
  void ReadOnlyZeroEnablesThePreviewFrame();
  void ConversionWritesPreviewSourceAndProgress();
  void ConversionFailureShowsTheMessageAndKeepsTheOutput();
  void UnreadableSettingTakesTheFailurePath();
  void UnreadableSettingAtStartUpTakesItsDefaultAndOffersTheOptions();
  void UnreadKanjiAreToldAfterThePageShows();
  void SourceChangedRules();
  void UndoInTheSourcePaneKeepsTheColours();
  void ViewSwitchFromMenuAndToolbarAgree();
  void ToolbarHasFourteenSlots();
  void LayoutFollowsTheSplitter();
  void ExportWritesEveryFormatFromTheInputPane();
  void ExportFailuresWarnAndWriteNothing();

  // Review of readings with a service that reviews.
  void NextDoubtCyclesThroughTheDoubtfulRuns();
  void PickRewritesTheElementEverywhere();
  void AnyRubyCanBeGivenATypedReading();
  void HandEditsDropTheMarksTheyTouch();
};

void FrmMainTest::StartUpState() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  QCOMPARE(w.windowTitle(), QStringLiteral("YOMIKA"));
  for (const char* name : {"txtKanji", "txtHTML", "picStatus", "picSplitter", "Frame1", "Frame2",
                           "Frame3", "fraWeb", "WebBrowser1", "Toolbar1"}) {
    QVERIFY2(w.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
  }
  QCOMPARE(w.txtKanji()->Text(), U("ここにルビをつけたい文字を入力します。"));
  QVERIFY(w.IsPreviewView());
  QVERIFY(h.Toolbar(6)->isChecked());
  QCOMPARE(w.SourceChanged, 1);
  QVERIFY(!w.fraWeb()->isEnabled());  // ReadOnly defaults to true
  QVERIFY(!w.picStatus()->picture().has_value());
  QCOMPARE(h.preview->navigations, 1);

  const QString sample = U("ここにルビをつけたい<RUBY>文字<RT>もじ</RT></RUBY>を<RUBY>入力<RT>にゅうりょく</RT></RUBY>します。");
  QCOMPARE(w.txtHTML()->Text(), sample);
  QCOMPARE(h.PreviewBytes(), DefaultDocument(*cp932::Encode(sample)));
  // Tags blue, readings red, the rest black.
  const std::vector<Colour> colours = w.txtHTML()->Colours();
  const qsizetype ruby = sample.indexOf(U("<RUBY>"));
  const qsizetype reading = sample.indexOf(U("もじ"));
  QCOMPARE(colours[0], Colour{0});
  QCOMPARE(colours[ruby], kTagColour);
  QCOMPARE(colours[reading], kRubyTextColour);
  QCOMPARE(colours[reading + 2], kTagColour);  // </RT>
}

void FrmMainTest::StartUpFailsWithoutReadingService() {
  Harness h;
  h.fail_service = true;
  h.Build();
  QVERIFY(!h.window->StartUp());
}

void FrmMainTest::ReadOnlyZeroEnablesThePreviewFrame() {
  Harness h;
  h.settings.SaveSetting(QStringLiteral("Preview"), QStringLiteral("ReadOnly"), QStringLiteral("0"));
  h.Build();
  QVERIFY(h.window->StartUp());
  QVERIFY(h.window->fraWeb()->isEnabled());
}

void FrmMainTest::ConversionWritesPreviewSourceAndProgress() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  h.service->Answer(U("お金を"), U("おかねを"));
  w.txtKanji()->SetText(U("お金を\r\nAB"));
  w.txtKanji()->SetSelStart(5);
  w.txtKanji()->SetSelLength(1);
  w.txtKanji()->SetSelColor(0x0000FF);  // A in red
  QVERIFY(!w.picStatus()->picture().has_value());
  const int navigations = h.preview->navigations;

  h.Toolbar(9)->trigger();

  const QString body =
      U("<font color=\"#000000\">お<ruby>金<rt>かね</rt></ruby>を<br>\r\n</font><font "
        "color=\"#ff0000\">A</font><font color=\"#000000\">B</font>");
  QCOMPARE(w.txtHTML()->Text(), body);
  QCOMPARE(h.PreviewBytes(), DefaultDocument(*cp932::Encode(body)));
  QCOMPARE(w.picStatus()->picture()->percent, 100);
  QCOMPARE(h.preview->navigations, navigations + 1);
  QVERIFY(w.IsPreviewView());
  QCOMPARE(w.SourceChanged, 0);  // cleared by the toolbar click
  QVERIFY(h.warnings.isEmpty());
  // The colour pass leaves the last character selected.
  QCOMPARE(w.txtKanji()->SelStart(), 6);
  QCOMPARE(w.txtKanji()->SelLength(), 1);
  // Reading red in the source pane.
  QCOMPARE(w.txtHTML()->Colours()[body.indexOf(U("かね"))], kRubyTextColour);
}

void FrmMainTest::ConversionFailureShowsTheMessageAndKeepsTheOutput() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  h.service->EchoUnknown(false);  // every lookup fails
  const QByteArray before = h.PreviewBytes();
  const QString source = w.txtHTML()->Text();
  w.txtKanji()->SetText(U("漢字"));
  w.RunConversion();
  QCOMPARE(h.warnings, QStringList{U("変換することが出来ませんでした。")});
  QCOMPARE(h.PreviewBytes(), before);
  QCOMPARE(w.txtHTML()->Text(), source);
  QVERIFY(!w.picStatus()->picture().has_value());
}

void FrmMainTest::UnreadableSettingTakesTheFailurePath() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  h.settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("Convert"), QStringLiteral("abc"));
  h.window->txtKanji()->SetText(U("かな"));
  h.window->RunConversion();
  QCOMPARE(h.warnings.size(), 1);
}

void FrmMainTest::UnreadableSettingAtStartUpTakesItsDefaultAndOffersTheOptions() {
  Harness h;
  h.settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("chkRUBY"), QStringLiteral("abc"));
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  QCOMPARE(w.unreadable_settings(), QStringList{QStringLiteral("Default/chkRUBY")});
  // The sample's tags are coloured, as chkRUBY's default asks.
  const QString sample = w.txtHTML()->Text();
  QCOMPARE(w.txtHTML()->Colours()[sample.indexOf(U("<RUBY>"))], kTagColour);
  QTRY_COMPARE(h.options_shown, 1);
  QCOMPARE(h.questions.size(), 1);
  QVERIFY(h.questions[0].contains(QStringLiteral("Default/chkRUBY")));
  // Conversions fail until the value is repaired.
  w.txtKanji()->SetText(U("かな"));
  w.RunConversion();
  QCOMPARE(h.warnings.size(), 1);
  h.settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("chkRUBY"), QStringLiteral("1"));
  w.RunConversion();
  QCOMPARE(h.warnings.size(), 1);
}

void FrmMainTest::UnreadKanjiAreToldAfterThePageShows() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  h.settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("CreateColor"),
                         QStringLiteral("0"));
  h.window->txtKanji()->SetText(U("𩸽と鱈"));  // the stand-in service reads each as itself
  h.window->RunConversion();
  QCOMPARE(h.window->txtHTML()->Text(), U("𩸽と鱈"));
  QCOMPARE(h.warnings.size(), 1);
  QVERIFY(h.warnings[0].contains(U("「𩸽」")) && h.warnings[0].contains(U("「鱈」")));
  QCOMPARE(h.window->picStatus()->picture()->percent, 100);
}

void FrmMainTest::SourceChangedRules() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  // Edit the source, then Preview from the toolbar: the file shows the edited source.
  h.Toolbar(7)->trigger();
  QCOMPARE(w.SourceChanged, 0);
  w.txtHTML()->SetText(U("<b>編集</b>"));
  QCOMPARE(w.SourceChanged, 1);
  h.Toolbar(6)->trigger();
  QCOMPARE(h.PreviewBytes(), DefaultDocument(*cp932::Encode(U("<b>編集</b>"))));
  QCOMPARE(w.SourceChanged, 0);

  // Edit, then another toolbar command clears the flag: Preview no longer rewrites.
  w.txtHTML()->SetText(U("<i>二度目</i>"));
  h.Toolbar(7)->trigger();
  h.Toolbar(6)->trigger();
  QCOMPARE(h.PreviewBytes(), DefaultDocument(*cp932::Encode(U("<b>編集</b>"))));

  // Start from the menu keeps the flag set; from the toolbar clears it.
  w.txtKanji()->SetText(U("かな"));
  h.Menu("mnuStart")->trigger();
  QCOMPARE(w.SourceChanged, 1);
  h.Toolbar(9)->trigger();
  QCOMPARE(w.SourceChanged, 0);
}

void FrmMainTest::UndoInTheSourcePaneKeepsTheColours() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  h.service->Answer(U("お金を"), U("おかねを"));
  w.txtKanji()->SetText(U("お金を"));
  h.Toolbar(9)->trigger();
  h.Toolbar(7)->trigger();
  const QString source = w.txtHTML()->Text();
  const std::vector<Colour> colours = w.txtHTML()->Colours();
  QCOMPARE(colours[source.indexOf(U("かね"))], kRubyTextColour);
  QCOMPARE(w.SourceChanged, 0);
  w.txtHTML()->setFocus();
  QTest::keyClick(w.txtHTML(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(w.txtHTML()->Text(), source);
  QCOMPARE(w.txtHTML()->Colours(), colours);
  QCOMPARE(w.SourceChanged, 0);
}

void FrmMainTest::ViewSwitchFromMenuAndToolbarAgree() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  h.Menu("mnuDesign")->trigger();
  QVERIFY(!w.IsPreviewView());
  QVERIFY(h.Toolbar(7)->isChecked());
  QVERIFY(!h.Toolbar(6)->isChecked());
  h.Menu("mnuPreview")->trigger();
  QVERIFY(w.IsPreviewView());
  QVERIFY(h.Toolbar(6)->isChecked());
  h.Toolbar(7)->trigger();
  QVERIFY(!w.IsPreviewView());
  QVERIFY(h.Toolbar(7)->isChecked());
  QCOMPARE(h.Menu("mnuDesign")->shortcut(), QKeySequence(Qt::Key_F2));
  QCOMPARE(h.Menu("mnuStart")->shortcut(), QKeySequence(Qt::Key_F5));
  QCOMPARE(h.Menu("mnuEnd")->shortcut(), QKeySequence(Qt::Key_F12));
}

void FrmMainTest::ToolbarHasFourteenSlots() {
  Harness h;
  h.Build();
  const QList<QAction*> actions = h.window->Toolbar1()->actions();
  QCOMPARE(actions.size(), 14);
  const int separators[] = {0, 4, 7, 10, 12};
  for (const int i : separators) QVERIFY(actions[i]->isSeparator());
  QCOMPARE(actions[8]->toolTip(), U("ﾀｸﾞ生成(&F5)"));
  QCOMPARE(actions[9]->toolTip(), U("次の要確認(&F3)"));
  QCOMPARE(actions[9]->data().toInt(), 14);
  QCOMPARE(actions[5]->toolTip(), U("ﾌﾟﾚﾋﾞｭｰ(&F1)"));
  QCOMPARE(actions[13]->toolTip(), U("終了(&F12)"));
  for (QAction* action : actions) {
    if (!action->isSeparator()) QVERIFY(!action->icon().isNull());
  }
  const QStringList titles = [&] {
    QStringList t;
    for (QAction* a : h.window->menuBar()->actions()) t.append(a->text());
    return t;
  }();
  QCOMPARE(titles, (QStringList{U("ﾌｧｲﾙ(&F)"), U("ｳｨﾝﾄﾞｳ(&W)"), U("実行(&R)"), U("ﾍﾙﾌﾟ(&H)")}));
}

void FrmMainTest::LayoutFollowsTheSplitter() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  w.resize(800, 600);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  auto* splitter = w.findChild<QWidget*>(QStringLiteral("picSplitter"));
  const int kanji_bottom = w.txtKanji()->geometry().bottom();
  const int frame1_top = w.findChild<QWidget*>(QStringLiteral("Frame1"))->y();
  QVERIFY(kanji_bottom < splitter->y());
  QCOMPARE(frame1_top, splitter->y() + splitter->height());
  // Drag the bar 40 pixels down.
  QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(10, 1));
  QTest::mouseMove(splitter, QPoint(10, 41));
  // While dragging, the bar shows over the lower area.
  QCOMPARE(splitter->parentWidget()->childAt(splitter->geometry().center()), splitter);
  QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(10, 41));
  QVERIFY(!w.SplitterDragging);
  QCOMPARE(w.findChild<QWidget*>(QStringLiteral("Frame1"))->y(), frame1_top + 40);
}

void FrmMainTest::ExportWritesEveryFormatFromTheInputPane() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  FrmMain& w = *h.window;
  const char* const answers[][2] = {{"漢<", "かん<"}, {"字<", "じ<"}, {"漢字", "かんじ"}};
  for (const auto& [text, reading] : answers) h.service->Answer(U(text), U(reading));
  w.txtKanji()->SetText(U("漢字"));
  w.txtKanji()->SetSelStart(1);
  w.txtKanji()->SetSelLength(1);
  w.txtKanji()->SetSelColor(0x0000FF);  // 字 in red
  const QString coloured_body =
      U("<font color=\"#000000\"><ruby>漢<rt>かん</rt></ruby></font>"
        "<font color=\"#ff0000\"><ruby>字<rt>じ</rt></ruby></font>");
  const struct {
    int filter;
    const char* chosen;
    const char* written;
    QByteArray expected;
  } cases[] = {
      {0, "out", "out.html", DefaultDocument(*cp932::Encode(coloured_body))},
      {1, "page.htm", "page.htm", QByteArray()},  // checked below
      {2, "aozora", "aozora.txt", "｜漢字《かんじ》"},
      {3, "kakko.text", "kakko.text", "漢字（かんじ）"},
  };
  for (const auto& c : cases) {
    h.dialogs.file_answer = FileDialogAnswer{h.dir.filePath(U(c.chosen)), c.filter};
    h.Menu("mnuExport")->trigger();
    QFile file(h.dir.filePath(U(c.written)));
    QVERIFY2(file.open(QIODevice::ReadOnly), c.written);
    const QByteArray bytes = file.readAll();
    if (c.filter == 1) {
      QVERIFY(bytes.startsWith("<!DOCTYPE html>\r\n<html lang=\"ja\">"));
      QVERIFY(bytes.contains("<span style=\"color:#ff0000\"><ruby>字<rt>じ</rt></ruby></span>"));
    } else {
      QCOMPARE(bytes, c.expected);
    }
  }
  const FileDialogRequest& request = h.dialogs.file_requests.last();
  QVERIFY(request.save && request.confirm_overwrite);
  QCOMPARE(request.name_filters.size(), 4);
  QVERIFY(h.warnings.isEmpty());
  QVERIFY(!w.picStatus()->picture().has_value());

  // Cancel writes nothing.
  h.dialogs.file_answer.reset();
  const QStringList before = QDir(h.dir.path()).entryList(QDir::Files);
  h.Menu("mnuExport")->trigger();
  QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files), before);
}

void FrmMainTest::ExportFailuresWarnAndWriteNothing() {
  Harness h;
  h.Build();
  QVERIFY(h.window->StartUp());
  h.window->txtKanji()->SetText(U("漢字"));
  h.service->Answer(U("漢字"), U("かんじ"));
  h.settings.Save(keys::kRubyLevel, QStringLiteral("2"));
  h.dialogs.file_answer = FileDialogAnswer{h.dir.filePath(U("a.txt")), 2};
  h.Menu("mnuExport")->trigger();  // no aids were given to the window
  QCOMPARE(h.warnings.size(), 1);
  QVERIFY(h.warnings[0].contains(U("RUBY/Level")));
  QVERIFY(!QFile::exists(h.dir.filePath(U("a.txt"))));

  // A folder that is not there: the message names the file.
  h.settings.Save(keys::kRubyLevel, QStringLiteral("0"));
  const QString unwritable = h.dir.filePath(U("missing/a.txt"));
  h.dialogs.file_answer = FileDialogAnswer{unwritable, 2};
  h.Menu("mnuExport")->trigger();
  QCOMPARE(h.warnings.size(), 2);
  QVERIFY(h.warnings[1].contains(unwritable));
}

namespace {

// The service reads 行く。 as いく。, doubtful with おこな offered, and お茶。 as おちゃ。 without
// doubt; the input has 行 twice with お茶 between. Builds and starts the window first.
void ConvertWithReview(Harness& h) {
  h.Build();
  QVERIFY(h.window->StartUp());
  h.service->SupportReview(true);
  h.service->Answer(U("行く。"), U("いく。"));
  h.service->Review(U("行く。"), {true,
                                  {{Utf8ToText("い"), CandidateSource::kAnalysis},
                                   {Utf8ToText("おこな"), CandidateSource::kDictionary}}});
  h.service->Answer(U("お茶。"), U("おちゃ。"));
  h.settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("CreateColor"),
                         QStringLiteral("0"));
  h.window->txtKanji()->SetText(U("行く。お茶。行く。"));
  h.Toolbar(9)->trigger();
}

const char kReviewedBody[] =
    "<ruby>行<rt>い</rt></ruby>く。お<ruby>茶<rt>ちゃ</rt></ruby>。<ruby>行<rt>い</rt></ruby>く。";

QStringList PopupLines(const FrmMain& w) {
  QStringList lines;
  const auto* list = w.readingPopup()->findChild<QTreeWidget*>(QStringLiteral("lstCandidates"));
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    lines.append(list->topLevelItem(i)->text(0) + QChar(u' ') + list->topLevelItem(i)->text(1));
  }
  return lines;
}

}  // namespace

void FrmMainTest::NextDoubtCyclesThroughTheDoubtfulRuns() {
  Harness h;
  ConvertWithReview(h);
  FrmMain& w = *h.window;
  QAction* next = h.Menu("mnuNextDoubt");
  QCOMPARE(next->shortcut(), QKeySequence(Qt::Key_F3));
  QCOMPARE(next->text(), U("次の要確認(&N)"));
  const QString element = U("<ruby>行<rt>い</rt></ruby>");
  for (const int ordinal : {0, 2, 0}) {
    next->trigger();
    QCOMPARE(h.preview->revealed.back(), ordinal);
    QCOMPARE(w.txtHTML()->textCursor().selectedText(), element);
    QCOMPARE(w.txtHTML()->textCursor().selectionStart(), ordinal == 0 ? 0 : 53);
    QVERIFY(w.readingPopup()->isVisible());
    QCOMPARE(PopupLines(w), (QStringList{U("い 候補"), U("おこな 辞書")}));
    w.readingPopup()->hide();
  }
  // In the source view the popup opens at the cursor, without the preview.
  h.Toolbar(7)->trigger();
  h.Toolbar(14)->trigger();
  QCOMPARE(h.preview->revealed.size(), std::size_t{3});
  QCOMPARE(w.txtHTML()->textCursor().selectionStart(), 53);
  QVERIFY(w.readingPopup()->isVisible());
}

void FrmMainTest::PickRewritesTheElementEverywhere() {
  Harness h;
  h.settings.SaveSetting(QStringLiteral("Default"), QStringLiteral("ClipCopy"),
                         QStringLiteral("1"));
  ConvertWithReview(h);
  FrmMain& w = *h.window;
  QCOMPARE(w.ReviewStatus(), U("要確認の読み: 残り 2 件"));
  QCOMPARE(h.preview->marks,
           (std::vector<PreviewMark>{{0, U("行"), U("い")}, {2, U("行"), U("い")}}));
  QCOMPARE(h.PreviewBytes(), DefaultDocument(*cp932::Encode(U(kReviewedBody))));
  const int navigations = h.preview->navigations;
  h.preview->Click({2, U("行"), U("い"), QRect(10, 10, 20, 20)});
  QVERIFY(w.readingPopup()->isVisible());
  QApplication::clipboard()->clear();
  w.readingPopup()->ChooseLine(1);  // おこな, from the dictionary

  const QString body =
      U("<ruby>行<rt>い</rt></ruby>く。お<ruby>茶<rt>ちゃ</rt></ruby>。<ruby>行<rt>おこな</rt></"
        "ruby>く。");
  QCOMPARE(w.txtHTML()->Text(), body);
  QCOMPARE(h.PreviewBytes(), DefaultDocument(*cp932::Encode(body)));
  QCOMPARE(h.preview->navigations, navigations + 1);
  QCOMPARE(h.preview->scroll_keeping_navigations, 1);
  QCOMPARE(QApplication::clipboard()->text(), body);
  QCOMPARE(w.ReviewStatus(), U("要確認の読み: 残り 1 件"));
  QCOMPARE(h.preview->marks, (std::vector<PreviewMark>{{0, U("行"), U("い")}}));
  QCOMPARE(w.txtHTML()->Colours()[body.indexOf(U("おこな"))], kRubyTextColour);
  QVERIFY(!QFile::exists(h.DictionaryFile()));  // the box was not ticked

  // Katakana readings and the box ticked: the element in katakana, the word in the dictionary
  // in hiragana.
  h.settings.SaveSetting(QStringLiteral("RUBY"), QStringLiteral("RUBYSTRING"), QStringLiteral("1"));
  h.preview->Click({0, U("行"), U("い"), QRect(10, 10, 20, 20)});
  w.readingPopup()->findChild<QCheckBox*>(QStringLiteral("chkRemember"))->setChecked(true);
  w.readingPopup()->ChooseLine(1);
  QVERIFY(w.txtHTML()->Text().startsWith(U("<ruby>行<rt>オコナ</rt></ruby>く。")));
  QCOMPARE(w.ReviewStatus(), U("要確認の読み: 残り 0 件"));
  QFile dictionary(h.DictionaryFile());
  QVERIFY(dictionary.open(QIODevice::ReadOnly));
  QVERIFY(QString::fromUtf8(dictionary.readAll()).contains(U("行\tおこな")));
  QVERIFY(h.warnings.isEmpty());
  // A service that cannot review: the window converts as before, without marks or count.
  h.service->SupportReview(false);
  h.Toolbar(9)->trigger();
  QCOMPARE(w.ReviewStatus(), QString());
  QVERIFY(h.preview->marks.empty());
}

void FrmMainTest::AnyRubyCanBeGivenATypedReading() {
  Harness h;
  ConvertWithReview(h);
  FrmMain& w = *h.window;
  h.preview->Click({1, U("茶"), U("ちゃ"), QRect(10, 10, 20, 20)});
  QCOMPARE(PopupLines(w), (QStringList{U("ちゃ 候補")}));  // certain: its reading alone
  auto* field = w.readingPopup()->findChild<QLineEdit*>(QStringLiteral("txtReading"));
  field->setText(U("cha"));
  w.readingPopup()->ChooseTyped();
  QVERIFY(w.readingPopup()->isVisible());  // refused, as the registration dialog would
  field->setText(U("サ"));
  w.readingPopup()->ChooseTyped();
  QCOMPARE(w.txtHTML()->Text(), U("<ruby>行<rt>い</rt></ruby>く。お<ruby>茶<rt>さ</rt></ruby>。"
                                  "<ruby>行<rt>い</rt></ruby>く。"));
  QCOMPARE(w.ReviewStatus(), U("要確認の読み: 残り 2 件"));
  // A click the source pane cannot match (the page shows other text there) does nothing.
  h.preview->Click({1, U("茶"), U("ちゃ"), QRect(10, 10, 20, 20)});
  QVERIFY(!w.readingPopup()->isVisible());
}

void FrmMainTest::HandEditsDropTheMarksTheyTouch() {
  Harness h;
  ConvertWithReview(h);
  FrmMain& w = *h.window;
  // Typing in the first element's reading, and a line break before everything.
  QTextCursor cursor(w.txtHTML()->document());
  cursor.setPosition(11);
  cursor.insertText(U("く"));
  cursor.setPosition(0);
  cursor.insertText(U("\n"));
  QCOMPARE(w.ReviewStatus(), U("要確認の読み: 残り 1 件"));
  // The page still shows the old text: clicks wait for the preview to be made again.
  h.preview->Click({2, U("行"), U("い"), QRect(10, 10, 20, 20)});
  QVERIFY(!w.readingPopup()->isVisible());
  h.Toolbar(6)->trigger();  // the preview from the edited source
  QCOMPARE(h.preview->marks, (std::vector<PreviewMark>{{2, U("行"), U("い")}}));
  h.Menu("mnuNextDoubt")->trigger();
  QCOMPARE(h.preview->revealed, (std::vector<int>{2}));
  QCOMPARE(w.txtHTML()->textCursor().selectionStart(), 55);
  QVERIFY(w.readingPopup()->isVisible());
}

}  // namespace yomika

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  yomika::FrmMainTest main_window;
  int failures = QTest::qExec(&main_window, argc, argv);
  failures += yomika::RunProgressDisplayTests(argc, argv);
  return failures;
}

#include "frm_main_test.moc"
