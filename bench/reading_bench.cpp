// Times the MeCab reading service: 4,000 lookups with no user dictionary and with one of
// 200,000 words that all start with the same kanji (target: within 2x of none).

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "bench/development_sentences.h"
#include "engine/char_class.h"
#include "reading/mecab_reading_service.h"

namespace yomika {
namespace {

constexpr int kLookups = 4000;

// `count` distinct words of 2 to 7 kanji, all starting with 東, one "word<TAB>reading" a line.
QByteArray UserDictionary(int count) {
  static constexpr char32_t kPool[] = U"京都大阪名古屋神戸横浜札幌仙台広島福岡北海道山川海空";
  constexpr int kPoolSize = static_cast<int>(std::size(kPool)) - 1;
  QByteArray file;
  for (int n = 0; n < count; ++n) {
    Text word = U"東";
    for (int rest = n + 1; rest > 0; rest /= kPoolSize) word += kPool[rest % kPoolSize];
    file += ToQString(word).toUtf8() + "\tとう\n";
  }
  return file;
}

// Lookups as the engine makes them: the kanji runs of the sample sentences with their kana
// tails, half of them behind a 東.
QStringList Lookups() {
  QStringList lookups;
  for (const QString& sentence : DevelopmentSentences()) {
    const Text text = ToText(sentence);
    const std::vector<bool> in_run = MarkKanjiRuns(text);
    for (std::size_t i = 0; i < text.size() && lookups.size() < kLookups; ++i) {
      if (!in_run[i] || (i > 0 && in_run[i - 1])) continue;
      std::size_t end = i;
      while (end < text.size() && (in_run[end] || (text[end] >= U'ぁ' && text[end] <= U'ん'))) {
        ++end;
      }
      const QString run = ToQString(text.substr(i, end - i));
      lookups.append(lookups.size() % 2 == 0 ? QStringLiteral("東") + run : run);
    }
  }
  return lookups;
}

void BM_UserDictionaryLookups(benchmark::State& state) {
  QTemporaryDir dir;
  MecabOptions options;
  options.user_dictionary_path = dir.filePath(QStringLiteral("readings.tsv"));
  QFile file(options.user_dictionary_path);
  if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write dictionary");
  file.write(UserDictionary(static_cast<int>(state.range(0))));
  file.close();
  auto service = CreateMecabReadingService(options);
  if (!service) return state.SkipWithError(service.reason().toStdString().c_str());
  const QStringList lookups = Lookups();
  for (auto _ : state) {
    // Lookups on their own, without a working text: each opens the dictionary anew.
    (*service)->PrepareConversion(QString());
    for (const QString& lookup : lookups) {
      (*service)->Open();
      benchmark::DoNotOptimize((*service)->GetPhonetic(lookup, 1, -1));
      (*service)->Close();
    }
  }
  state.counters["lookups"] = static_cast<double>(lookups.size());
}
BENCHMARK(BM_UserDictionaryLookups)->Arg(0)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace yomika

BENCHMARK_MAIN();
