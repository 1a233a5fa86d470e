#include "reading/rare_kanji.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

// With the Debian data files.
RareKanji& Rare() {
  static RareKanji rare(Kanjidic2::DefaultPath(), Unihan::DefaultFolder(),
                        SkkKanjiReadings::DefaultPath());
  return rare;
}

TEST(RareKanjiTest, AnalysedFormIsTheCommonVariant) {
  const std::pair<char32_t, std::optional<char32_t>> cases[] = {
      {U'髙', U'高'},  // Unihan semantic variant
      {U'﨑', U'崎'},  // the semantic variant sharing most readings (not 埼)
      {U'鷗', U'鴎'},  // KANJIDIC2's JIS X 0208 variant (Unihan knows only 鸥)
      {U'德', U'徳'},
      {U'塚', std::nullopt},  // JIS X 0208 itself (its compatibility twin 塚 maps to it)
      {U'\uFA10', U'塚'},     // a compatibility ideograph: its canonical form
      {U'々', std::nullopt},
      {U'𰀀', std::nullopt},
  };
  for (const auto& [kanji, form] : cases) {
    EXPECT_EQ(Rare().AnalysedForm(kanji), form) << static_cast<unsigned>(kanji);
  }
}

TEST(RareKanjiTest, ReadingFromTheFirstSourceThatHasOne) {
  const std::pair<char32_t, const char32_t*> cases[] = {
      {U'鷗', U"おう"},    // KANJIDIC2 on reading
      {U'靍', U"つる"},    // the SKK dictionary
      {U'𩸽', U"ほっけ"},  // the SKK reading listing it first, not はえ
      {U'皂', U"そう"},    // none of its own: its variant 皁
      {U'𰀀', U""},
  };
  for (const auto& [kanji, reading] : cases) {
    EXPECT_EQ(Rare().ReadingOf(kanji), reading) << static_cast<unsigned>(kanji);
  }
}

}  // namespace
}  // namespace yomika
