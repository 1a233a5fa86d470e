#include "engine/char_class.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

struct ClassCase {
  char32_t c;
  CharClass expected;
  const char* what;
};

TEST(CharClassTest, ClassifiesByCodePage932) {
  const ClassCase cases[] = {
      {U'漢', CharClass::kKanji, "level-1 kanji"},
      {U'亜', CharClass::kKanji, "first level-1 kanji 0x889F"},
      {U'腕', CharClass::kKanji, "last level-1 kanji 0x9872"},
      {U'弌', CharClass::kKanji, "first level-2 kanji 0x989F"},
      {U'A', CharClass::kSingleByte, "ASCII"},
      {U'<', CharClass::kSingleByte, "less-than"},
      {U'>', CharClass::kSingleByte, "greater-than"},
      {U'\r', CharClass::kSingleByte, "CR"},
      {U'\n', CharClass::kSingleByte, "LF"},
      {U'ｶ', CharClass::kSingleByte, "half-width katakana 0xB6"},
      {U'あ', CharClass::kOtherDoubleByte, "hiragana"},
      {U'カ', CharClass::kOtherDoubleByte, "katakana"},
      {U'Ａ', CharClass::kOtherDoubleByte, "full-width letter"},
      {U'　', CharClass::kOtherDoubleByte, "ideographic space"},
      {U'々', CharClass::kOtherDoubleByte, "iteration mark on its own"},
      {U'〆', CharClass::kOtherDoubleByte, "closing mark"},
      {U'仝', CharClass::kOtherDoubleByte, "ideograph in the symbol rows"},
      {U'\0', CharClass::kOtherDoubleByte, "NUL has code 0, not positive"},
      {U'ⅰ', CharClass::kOtherDoubleByte, "roman numeral in the extension rows"},
      {U'㈱', CharClass::kOtherDoubleByte, "symbol in the IBM rows"},
      {U'😀', CharClass::kSingleByte, "no CP932 form, not an ideograph"},
      {U'é', CharClass::kSingleByte, "no CP932 form, Latin"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassifyCharacter(c.c), c.expected) << c.what;
  }
}

// Regression: when only the codes 0x889F–0x9FFE counted as kanji, the rest of level 2 and
// the extension kanji got no ruby and were lent to lookups as if they were kana.
TEST(CharClassTest, EveryKanjiIsKanji) {
  const char32_t kanji[] = {U'濾', U'炒', U'煌', U'澤', U'濱', U'頷', U'髙', U'﨑',
                            U'𠮷', U'㐂', U'黑'};
  for (const char32_t c : kanji) {
    EXPECT_EQ(ClassifyCharacter(c), CharClass::kKanji) << static_cast<unsigned>(c);
  }
}

TEST(CharClassTest, FastPathsAgreeWithTheTable) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    ASSERT_EQ(ClassifyCharacter(c), ClassifyByCode(c)) << static_cast<unsigned>(c);
  }
}

TEST(CharClassTest, BreakCharacters) {
  for (const char32_t c : std::u32string_view(U"。、！を／？・<")) {
    EXPECT_TRUE(IsBreakCharacter(c)) << static_cast<unsigned>(c);
  }
  for (const char32_t c : std::u32string_view(U">.,!?/あお 漢")) {
    EXPECT_FALSE(IsBreakCharacter(c)) << static_cast<unsigned>(c);
  }
}

std::string Marks(const char* utf8) {
  const std::vector<bool> marks = MarkKanjiRuns(Utf8ToText(utf8));
  std::string out;
  for (const bool m : marks) out += m ? 'K' : '.';
  return out;
}

// Regression: 々 was never part of a run, so 人々 became 人 read ひとび and a bare 々.
TEST(CharClassTest, IterationMarksContinueARun) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"人々", "KK"},         {"我々々", "KKK"},    {"々人", ".K"},   {"あ々", ".."},
      {"三ヶ月", "KKK"},      {"霞ヶ関", "KKK"},    {"三ヵ月", "KKK"}, {"三ヶ", "K."},
      {"ヶ月", ".K"},         {"三ヶあ", "K.."},    {"人々ヶ国", "KKKK"},
      {"𠮷野", "KK"},         {"葛\U000E0100城", "KKK"}, {"辻\uFE00", "KK"},
      {"々\uFE00", ".."},     {"あ\U000E0100", ".."},     {"人々\U000E0101", "KKK"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Marks(c.text), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace yomika
