#include "engine/kana_form.h"

#include <array>
#include <optional>
#include <string_view>

namespace yomika {
namespace {

constexpr char32_t kVoicedMarkHalf = 0xFF9E;      // ﾞ
constexpr char32_t kSemiVoicedMarkHalf = 0xFF9F;  // ﾟ

// Full-width forms of the half-width katakana block U+FF61–U+FF9F, in code order.
constexpr std::array<char32_t, 0x3F> kFullOfHalfKana = {
    U'。', U'「', U'」', U'、', U'・', U'ヲ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ャ', U'ュ',
    U'ョ', U'ッ', U'ー', U'ア', U'イ', U'ウ', U'エ', U'オ', U'カ', U'キ', U'ク', U'ケ', U'コ',
    U'サ', U'シ', U'ス', U'セ', U'ソ', U'タ', U'チ', U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ',
    U'ネ', U'ノ', U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ', U'マ', U'ミ', U'ム', U'メ', U'モ', U'ヤ',
    U'ユ', U'ヨ', U'ラ', U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン', U'゛', U'゜'};

constexpr char32_t kFirstHalfKana = 0xFF61;

bool IsHalfKana(char32_t c) { return c >= kFirstHalfKana && c <= 0xFF9F; }

// The half-width kana for a full-width character (voiced kana: its unvoiced base).
std::optional<char32_t> HalfOf(char32_t full) {
  for (std::size_t i = 0; i < kFullOfHalfKana.size(); ++i) {
    if (kFullOfHalfKana[i] == full) return kFirstHalfKana + static_cast<char32_t>(i);
  }
  return std::nullopt;
}

// Voiced (+1) and semi-voiced (+2) katakana follow their base in Unicode: カ ガ, ハ バ パ;
// ウ is voiced as ヴ.
constexpr std::u32string_view kVoicedBases = U"ウカキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u32string_view kSemiVoicedBases = U"ハヒフヘホ";

bool TakesVoicedMark(char32_t base) { return kVoicedBases.find(base) != std::u32string_view::npos; }
bool TakesSemiVoicedMark(char32_t base) {
  return kSemiVoicedBases.find(base) != std::u32string_view::npos;
}

char32_t Voiced(char32_t base) { return base == U'ウ' ? U'ヴ' : base + 1; }

// The unvoiced base and the half-width mark of a voiced or semi-voiced katakana.
std::optional<std::pair<char32_t, char32_t>> SplitVoiced(char32_t c) {
  if (c == U'ヴ') return std::pair{U'ウ', kVoicedMarkHalf};
  if (TakesVoicedMark(c - 1) && c - 1 != U'ウ') return std::pair{c - 1, kVoicedMarkHalf};
  if (TakesSemiVoicedMark(c - 2)) return std::pair{c - 2, kSemiVoicedMarkHalf};
  return std::nullopt;
}

constexpr char32_t kKatakanaToHiragana = 0x60;

}  // namespace

Text ToHiragana(const Text& text) {
  Text out = text;
  for (char32_t& c : out) {
    if ((c >= U'ァ' && c <= U'ン') || c == U'ヽ' || c == U'ヾ') c -= kKatakanaToHiragana;
  }
  return out;
}

Text ToKatakana(const Text& text) {
  Text out = text;
  for (char32_t& c : out) {
    if ((c >= U'ぁ' && c <= U'ゖ') || c == U'ゝ' || c == U'ゞ') c += kKatakanaToHiragana;
  }
  return out;
}

Text ToFullWidth(const Text& text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c == U' ') {
      out += U'\u3000';
    } else if (c >= 0x21 && c <= 0x7E) {
      out += c - 0x21 + 0xFF01;
    } else if (IsHalfKana(c)) {
      const char32_t full = kFullOfHalfKana[c - kFirstHalfKana];
      const char32_t next = i + 1 < text.size() ? text[i + 1] : 0;
      if (next == kVoicedMarkHalf && TakesVoicedMark(full)) {
        out += Voiced(full);
        ++i;
      } else if (next == kSemiVoicedMarkHalf && TakesSemiVoicedMark(full)) {
        out += full + 2;
        ++i;
      } else {
        out += full;
      }
    } else {
      out += c;
    }
  }
  return out;
}

Text ToHalfWidth(const Text& text) {
  Text out;
  out.reserve(text.size());
  for (const char32_t c : text) {
    if (c == U'\u3000') {
      out += U' ';
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
      out += c - 0xFF01 + 0x21;
    } else if (c == U'’') {
      out += U'\'';
    } else if (c == U'”') {
      out += U'"';
    } else if (const auto half = HalfOf(c)) {
      out += *half;
    } else if (const auto split = SplitVoiced(c)) {
      out += *HalfOf(split->first);
      out += split->second;
    } else {
      out += c;
    }
  }
  return out;
}

Text ApplyKanaForm(const Text& reading, int form) {
  switch (form) {
    case 0:
      return ToFullWidth(ToHiragana(reading));
    case 1:
      return ToFullWidth(ToKatakana(reading));
    case 2:
      return ToHalfWidth(ToKatakana(reading));
    default:
      return reading;
  }
}

}  // namespace yomika
