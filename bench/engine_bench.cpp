// Times the engine on a ~1 MB text with an instant reading service, to show what the engine
// itself costs apart from reading lookups.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/development_sentences.h"
#include "engine/char_class.h"
#include "engine/conversion.h"
#include "engine/document.h"
#include "engine/preview_file.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

// Answers every lookup with the lookup itself, each kanji read か: kana pass through, so the
// cuts behave as with a real service.
class InstantReadingService final : public ReadingService {
 public:
  bool Open() override { return true; }
  std::optional<QString> GetPhonetic(const QString& text, int, int) override {
    QString reading = text;
    for (QChar& c : reading) {
      if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) c = QChar(u'か');
    }
    return reading;
  }
  bool Close() override { return true; }
};

// The development sentences, one a line, repeated to about one megabyte of UTF-8.
QString SampleText() {
  const QString block = DevelopmentSentences().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  QString text;
  while (text.toUtf8().size() < 1'000'000) text += block;
  return text;
}

const QString& Text1MB() {
  static const QString text = SampleText();
  return text;
}

EngineSettings BenchSettings(bool colours) {
  QTemporaryDir dir;
  SettingsStore store(dir.filePath(QStringLiteral("YOMIKA.ini")));
  store.SetOverride(QStringLiteral("Default"), QStringLiteral("CreateColor"),
                    colours ? QStringLiteral("1") : QStringLiteral("0"));
  return EngineSettings::Read(store);
}

void BM_ConvertToBody(benchmark::State& state) {
  const InputText input = PlainInput(Text1MB());
  const EngineSettings settings = BenchSettings(state.range(0) != 0);
  InstantReadingService service;
  float last_progress = 0;
  const ProgressCallback progress = [&](float f) { last_progress = f; };
  for (auto _ : state) {
    Outcome<QString> body = ConvertToBody(input, service, settings, progress);
    benchmark::DoNotOptimize(body);
  }
  state.SetBytesProcessed(state.iterations() * Text1MB().toUtf8().size());
  state.counters["characters"] = static_cast<double>(input.text.size());
}
BENCHMARK(BM_ConvertToBody)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AssembleAndEncodeDocument(benchmark::State& state) {
  const EngineSettings settings = BenchSettings(true);
  InstantReadingService service;
  const QString body = *ConvertToBody(PlainInput(Text1MB()), service, settings, nullptr);
  for (auto _ : state) {
    const QByteArray bytes = EncodePreviewDocument(*AssembleDocument(body, settings));
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_AssembleAndEncodeDocument)->Unit(benchmark::kMillisecond);

void BM_MarkKanjiRuns(benchmark::State& state) {
  const Text text = ToText(Text1MB());
  for (auto _ : state) benchmark::DoNotOptimize(MarkKanjiRuns(text));
}
BENCHMARK(BM_MarkKanjiRuns)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace yomika

BENCHMARK_MAIN();
