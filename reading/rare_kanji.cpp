#include "reading/rare_kanji.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "encoding/cp932.h"
#include "reading/reading_compounds.h"

namespace yomika {
namespace {

// The readings of an entry compared between a kanji and its variants: on readings, and kun
// readings both whole and as their stems.
std::vector<Text> ComparableReadings(const KanjiInfo* info) {
  std::vector<Text> readings;
  if (!info) return readings;
  readings = info->on;
  for (const Text& kun : info->kun) {
    Text whole;
    for (const char32_t c : kun) {
      if (c != U'.' && c != U'-') whole += c;
    }
    readings.push_back(whole);
    readings.push_back(KunStem(kun));
  }
  return readings;
}

std::size_t SharedCount(const std::vector<Text>& a, const std::vector<Text>& b) {
  std::size_t shared = 0;
  for (const Text& reading : a) {
    if (std::find(b.begin(), b.end(), reading) != b.end()) ++shared;
  }
  return shared;
}

}  // namespace

RareKanji::RareKanji(QString kanjidic2_path, QString unihan_folder, QString skk_path)
    : kanjidic2_(std::move(kanjidic2_path)),
      unihan_(std::move(unihan_folder)),
      skk_(std::move(skk_path)) {}

bool RareKanji::InAnalyserDictionary(char32_t c) {
  const std::optional<std::uint16_t> code = cp932::CodeOf(c);
  return code && *code >= 0x889F && *code <= 0xEAA4;
}

std::optional<char32_t> RareKanji::AnalysedForm(char32_t kanji) {
  // Below U+3400 there are no ideographs, only marks such as 々 and 〆.
  if (kanji < 0x3400 || InAnalyserDictionary(kanji)) return std::nullopt;
  const std::lock_guard lock(forms_mutex_);
  const auto cached = forms_.find(kanji);
  if (cached != forms_.end()) return cached->second;
  std::optional<char32_t> form;
  const Text canonical = ToText(ToQString(Text(1, kanji)).normalized(QString::NormalizationForm_C));
  if (canonical.size() == 1 && InAnalyserDictionary(canonical.front())) {
    form = canonical.front();
  } else {
    form = ChooseVariant(kanji);
  }
  forms_.emplace(kanji, form);
  return form;
}

std::vector<char32_t> RareKanji::VariantsOf(char32_t kanji) const {
  std::vector<char32_t> variants;
  if (const KanjiInfo* info = kanjidic2_.Find(kanji)) variants = info->variants;
  for (const char32_t c : unihan_.Variants(kanji)) variants.push_back(c);
  return variants;
}

std::optional<char32_t> RareKanji::ChooseVariant(char32_t kanji) const {
  const std::vector<char32_t> candidates = VariantsOf(kanji);
  const std::vector<Text> own = ComparableReadings(kanjidic2_.Find(kanji));
  std::optional<char32_t> best;
  std::size_t best_shared = 0;
  int best_rank = 0;
  for (const char32_t candidate : candidates) {
    if (!InAnalyserDictionary(candidate)) continue;
    const KanjiInfo* other = kanjidic2_.Find(candidate);
    const std::size_t shared = SharedCount(own, ComparableReadings(other));
    if (!own.empty() && shared == 0) continue;
    // Ranked kanji before unranked ones, the more frequent first.
    const int rank =
        other && other->frequency > 0 ? other->frequency : std::numeric_limits<int>::max();
    if (!best || shared > best_shared || (shared == best_shared && rank < best_rank)) {
      best = candidate;
      best_shared = shared;
      best_rank = rank;
    }
  }
  return best;
}

Text RareKanji::ReadingOf(char32_t kanji) const {
  if (Text own = OwnReading(kanji); !own.empty()) return own;
  for (const char32_t variant : VariantsOf(kanji)) {
    if (Text reading = OwnReading(variant); !reading.empty()) return reading;
  }
  return {};
}

Text RareKanji::OwnReading(char32_t kanji) const {
  if (const KanjiInfo* info = kanjidic2_.Find(kanji)) {
    if (!info->on.empty()) return info->on.front();
    for (const Text& kun : info->kun) {
      if (Text stem = KunStem(kun); !stem.empty()) return stem;
    }
    if (!info->nanori.empty()) return info->nanori.front();
  }
  // Unihan lists on readings first, then kun readings, whole.
  if (const std::vector<Text>& readings = unihan_.JapaneseReadings(kanji); !readings.empty()) {
    return readings.front();
  }
  // A reading that lists the kanji among its first candidates is the likeliest its own
  // (ほっけ /𩸽/ rather than はえ /拼/…/𩸽/); a voiced one is a compound's second part, so
  // its plain form goes first when listed too (靍: つる rather than づる).
  const std::vector<Text> readings = skk_.ReadingsOf(kanji);
  if (readings.empty()) return {};
  for (const Text& plain : readings) {
    if (VoiceFirstSound(plain) == readings.front()) return plain;
  }
  return readings.front();
}

}  // namespace yomika
