#include "engine/kana_form.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

std::string Utf8(const Text& t) { return ToQString(t).toStdString(); }

struct FormCase {
  const char* reading;
  int form;
  const char* expected;
};

TEST(KanaFormTest, KanaFormsOfReadings) {
  const FormCase cases[] = {
      // 0: full-width hiragana
      {"かんじ", 0, "かんじ"},
      {"カンジ", 0, "かんじ"},
      {"ｶﾝｼﾞ", 0, "カンジ"},  // half width widens after the hiragana step
      {"abc1", 0, "ａｂｃ１"},
      {"ヴァ", 0, "ヴぁ"},     // ヴ has no hiragana form in CP932
      {"ヽヾ", 0, "ゝゞ"},
      // 1: full-width katakana
      {"かんじ", 1, "カンジ"},
      {"がっこう", 1, "ガッコウ"},
      {"ﾊﾟﾝ", 1, "パン"},
      // 2: half-width katakana
      {"が", 2, "ｶﾞ"},
      {"ぱぴぷぺぽ", 2, "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
      {"ゔ", 2, "ｳﾞ"},
      {"がっこう", 2, "ｶﾞｯｺｳ"},
      {"ちょっと・ー。", 2, "ﾁｮｯﾄ･ｰ｡"},
      {"ＡＢｃ１２", 2, "ABc12"},
      {"　", 2, " "},
      {"ヵヶヮ", 2, "ヵヶヮ"},  // no half-width forms
      {"だぢづでど", 2, "ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ"},
      // other values: as returned
      {"カンジ", 3, "カンジ"},
      {"ｶﾝ", -1, "ｶﾝ"},
      {"かんじ", 99, "かんじ"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8(ApplyKanaForm(Utf8ToText(c.reading), c.form)), c.expected)
        << c.reading << " form " << c.form;
  }
}

TEST(KanaFormTest, WidthConversionsAreInverseOnKatakana) {
  const Text all = Utf8ToText(
      "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
      "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴァィゥェォャュョッー");
  EXPECT_EQ(Utf8(ToFullWidth(ToHalfWidth(all))), Utf8(all));
}

}  // namespace
}  // namespace yomika
