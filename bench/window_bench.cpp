// Times a conversion of a 100,000-character text through the main window (colour pass from
// the pane, engine, preview file, source pane fill and colouring, progress display, review
// marks) against the same text through the engine alone, converted as the window converts it
// (with the review of readings when the service reviews), and the start-up time to the first
// preview.
// Run offscreen for the conversion figures; under xvfb-run the start-up is timed as well.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "bench/development_sentences.h"
#include "engine/conversion.h"
#include "engine/document.h"
#include "engine/preview_file.h"
#include "engine/review.h"
#include "mainwindow/browser_preview_host.h"
#include "mainwindow/frm_main.h"
#include "reading/mecab_reading_service.h"
#include "settings/settings_store.h"
#include "tests/fake_preview_host.h"
#include "widgets/preview_browser.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {


QString SampleText(int characters) {
  const QStringList sentences = DevelopmentSentences();
  QString text;
  for (qsizetype i = 0; text.size() < characters; ++i) {
    text += sentences[i % sentences.size()] + QStringLiteral("\r\n");
  }
  return text.left(characters);
}

Outcome<std::unique_ptr<ReadingService>> Service(const QTemporaryDir& dir) {
  MecabOptions options;
  options.user_dictionary_path = dir.filePath(QStringLiteral("readings.tsv"));
  return CreateMecabReadingService(options);
}

double TimeEngineAlone(const QString& text, const QTemporaryDir& dir, bool review) {
  SettingsStore settings(dir.filePath(QStringLiteral("engine.ini")));
  auto service = Service(dir);
  if (!service) return -1;
  const EngineSettings engine_settings = EngineSettings::Read(settings);
  QElapsedTimer timer;
  timer.start();
  Outcome<QString> body = Failure{};
  if (!review) {
    body = ConvertToBody(PlainInput(text), *service.value(), engine_settings, nullptr);
  } else if (Outcome<ReviewedBody> reviewed = ConvertForReview(
                 PlainInput(text), *service.value(), engine_settings, nullptr)) {
    body = reviewed->body;
  }
  if (body) {
    const Status written = WritePreviewFile(dir.filePath(QStringLiteral("engine.html")),
                                            *AssembleDocument(*body, engine_settings));
    (void)written;
  }
  return timer.nsecsElapsed() / 1e6;
}

double TimeWindow(const QString& text, const QTemporaryDir& dir) {
  SettingsStore settings(dir.filePath(QStringLiteral("window.ini")));
  MainWindowDependencies deps;
  deps.settings = &settings;
  deps.preview_file = dir.filePath(QStringLiteral("window.html"));
  deps.create_reading_service = [&dir] { return Service(dir); };
  deps.create_preview = [](QWidget* frame, const QString&) {
    return std::unique_ptr<PreviewHost>(std::make_unique<testing::FakePreviewHost>(frame));
  };
  deps.warn = [](QWidget*, const QString& message) {
    std::fprintf(stderr, "warning: %s\n", qPrintable(message));
  };
  FrmMain window(std::move(deps));
  if (!window.StartUp()) return -1;
  window.show();
  window.txtKanji()->SetText(text);
  QApplication::processEvents();
  QElapsedTimer timer;
  timer.start();
  window.RunConversion();
  return timer.nsecsElapsed() / 1e6;
}

double TimeStartUp(const QTemporaryDir& dir) {
  SettingsStore settings(dir.filePath(QStringLiteral("startup.ini")));
  QElapsedTimer timer;
  timer.start();
  MainWindowDependencies deps;
  deps.settings = &settings;
  deps.preview_file = dir.filePath(QStringLiteral("startup.html"));
  deps.create_reading_service = [&dir] { return Service(dir); };
  deps.create_preview = [&dir](QWidget* frame, const QString& file) {
    return std::make_unique<BrowserPreviewHost>(frame, file, dir.path());
  };
  FrmMain window(std::move(deps));
  if (!window.StartUp()) return -1;
  window.show();
  QApplication::processEvents();
  return timer.nsecsElapsed() / 1e6;
}

}  // namespace
}  // namespace yomika

int main(int argc, char** argv) {
  using namespace yomika;
  const bool with_browser = qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("offscreen");
  if (with_browser) PrepareEmbeddedBrowser();
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString text = SampleText(100'000);
  // Warm the dictionary pages once, so neither side pays for the first touch.
  TimeEngineAlone(text, dir, false);
  const double plain = TimeEngineAlone(text, dir, false);
  // The window reviews the readings with the real service: the engine alone does too.
  const double engine = TimeEngineAlone(text, dir, true);
  const double window = TimeWindow(text, dir);
  std::printf("text:              %lld characters\n", static_cast<long long>(text.size()));
  std::printf("engine, no review: %8.1f ms\n", plain);
  std::printf("engine alone:      %8.1f ms   (with the review, as the window)\n", engine);
  std::printf("through the window:%8.1f ms\n", window);
  std::printf("ratio:             %8.2f   (target <= 2)\n", window / engine);
  if (with_browser) {
    std::printf("start-up to first preview: %.0f ms\n", TimeStartUp(dir));
  }
  return 0;
}
