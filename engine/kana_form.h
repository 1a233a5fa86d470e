#ifndef YOMIKA_ENGINE_KANA_FORM_H_
#define YOMIKA_ENGINE_KANA_FORM_H_

// Script and width conversions of readings.

#include "engine/text.h"

namespace yomika {

// Katakana become hiragana: カンジ → かんじ. ヴ ヵ ヶ stay, as their hiragana have no CP932 form.
Text ToHiragana(const Text& text);

// Hiragana become katakana: かんじ → カンジ.
Text ToKatakana(const Text& text);

// Half-width characters become full width: ASCII letters, digits and symbols, the space,
// and half-width katakana, a voiced or semi-voiced mark joining its kana: ｶﾞ → ガ.
Text ToFullWidth(const Text& text);

// Full-width characters become half width: katakana (ガ → ｶﾞ, two characters), letters,
// digits and symbols (Ａ１ → A1), the ideographic space, 。「」、・ー.
Text ToHalfWidth(const Text& text);

// The reading in the kana form chosen by the "RUBYSTRING" setting:
// 0 full-width hiragana, 1 full-width katakana, 2 half-width katakana, other: unchanged.
Text ApplyKanaForm(const Text& reading, int form);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_KANA_FORM_H_
