#include <gtest/gtest.h>

#include <algorithm>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

std::vector<bool> Flags(const char* pattern) {
  std::vector<bool> flags;
  for (const char* p = pattern; *p; ++p) flags.push_back(*p == '1');
  return flags;
}

// Pieces as "begin-end:reading" joined by spaces; "?" for an unknown reading.
std::string Show(const std::vector<KanjiPiece>& pieces) {
  std::string out;
  for (const KanjiPiece& piece : pieces) {
    if (!out.empty()) out += ' ';
    out += std::to_string(piece.begin) + "-" + std::to_string(piece.end) + ":" +
           (piece.reading.empty() ? std::string("?") : ToQString(piece.reading).toStdString());
  }
  return out;
}

struct AlignCase {
  const char* surface;
  const char* runs;
  const char* reading;
  const char* expected;  // nullptr: no exact alignment
};

class AlignReadingTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(AlignReadingTest, SplitsReadingOverKanji) {
  const AlignCase& c = GetParam();
  const auto pieces = AlignReading(Utf8ToText(c.surface), Flags(c.runs), Utf8ToText(c.reading));
  if (!c.expected) {
    EXPECT_FALSE(pieces.has_value()) << Show(*pieces);
  } else {
    ASSERT_TRUE(pieces.has_value());
    EXPECT_EQ(Show(*pieces), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlignReadingTest,
    ::testing::Values(
        // normal
        AlignCase{"払う", "10", "はらう", "0-1:はら"},
        AlignCase{"食べる", "100", "たべる", "0-1:た"},
        AlignCase{"食べ物", "101", "たべもの", "0-1:た 2-3:もの"},
        AlignCase{"人々", "11", "ひとびと", "0-2:ひとびと"},
        AlignCase{"ヶ月", "11", "かげつ", "0-2:かげつ"},
        AlignCase{"お金", "01", "おかね", "1-2:かね"},
        AlignCase{"引き出し", "1010", "ひきだし", "0-1:ひ 2-3:だ"},
        // edge: katakana in the surface matches hiragana in the reading
        AlignCase{"ドイツ語", "0001", "どいつご", "3-4:ご"},
        AlignCase{"ヶ所", "01", "かしょ", "1-2:しょ"},
        // edge: several splits fit; the one nearest two kana a kanji wins (not 丈 た, ケ け,
        // 山 がやま)
        AlignCase{"丈ケ山", "101", "たけがやま", "0-1:たけ 2-3:やま"},
        AlignCase{"三ヶ日", "101", "さんがにち", "0-1:さん 2-3:にち"},
        AlignCase{"かな", "00", "かな", ""},
        // edge: several splits fit; the one nearest two kana per kanji wins (ケ may read け)
        AlignCase{"丈ケ山", "101", "たけがやま", "0-1:たけ 2-3:やま"},
        AlignCase{"取り出し口", "10101", "とりだしぐち", "0-1:と 2-3:だ 4-5:ぐち"},
        // edge: a symbol standing for sounds takes its part of the reading, not the kanji's
        AlignCase{"〆切", "01", "しめきり", "1-2:きり"}, AlignCase{"〆切り", "010", "しめきり", "1-2:き"},
        AlignCase{"Ｘ線", "01", "えっくすせん", "1-2:せん"},
        // bad input: kana that the reading does not hold, a stretch left without reading
        AlignCase{"取っ手", "101", "とりて", nullptr}, AlignCase{"払う", "10", "う", nullptr},
        AlignCase{"今日は", "110", "きょうわ", nullptr}, AlignCase{"漢字", "11", "", nullptr}));

class AlignLooselyTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(AlignLooselyTest, NeverFails) {
  const AlignCase& c = GetParam();
  EXPECT_EQ(Show(AlignReadingLoosely(Utf8ToText(c.surface), Flags(c.runs), Utf8ToText(c.reading))),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlignLooselyTest,
    ::testing::Values(AlignCase{"食べる", "100", "たべる", "0-1:た"},
                      AlignCase{"居ず", "10", "いる", "0-1:いる"},
                      AlignCase{"御座る", "110", "ござある", "0-2:ござあ"},
                      AlignCase{"取っ手", "101", "とりて", "0-1:? 2-3:?"},
                      AlignCase{"漢字", "11", "", "0-2:?"},
                      AlignCase{"払う", "10", "う", "0-1:?"}));

// A word inside a longer text: the pieces carry text positions and match what
// AlignReadingLoosely gives for the word alone.
struct WordCase {
  const char* text;
  const char* runs;
  std::size_t begin;
  std::size_t end;
  const char* reading;
  const char* expected;
};

class AppendAlignedPiecesTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(AppendAlignedPiecesTest, AgreesWithLooseAlignment) {
  const WordCase& c = GetParam();
  const Text text = Utf8ToText(c.text);
  const std::vector<bool> flags = Flags(c.runs);
  const Text reading = Utf8ToText(c.reading);
  std::vector<KanjiPiece> pieces = {{0, 0, U"前"}};  // pieces are appended after it
  AppendAlignedPieces(text, flags, c.begin, c.end, reading, pieces);
  pieces.erase(pieces.begin());
  EXPECT_EQ(Show(pieces), c.expected);
  const std::vector<bool> word_flags(flags.begin() + static_cast<std::ptrdiff_t>(c.begin),
                                     flags.begin() + static_cast<std::ptrdiff_t>(c.end));
  if (std::find(word_flags.begin(), word_flags.end(), true) == word_flags.end()) return;
  std::vector<KanjiPiece> alone =
      AlignReadingLoosely(text.substr(c.begin, c.end - c.begin), word_flags, reading);
  for (KanjiPiece& piece : alone) {
    piece.begin += c.begin;
    piece.end += c.begin;
  }
  EXPECT_EQ(pieces, alone);
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendAlignedPiecesTest,
                         ::testing::Values(
                             // normal: okurigana, a prefix, two stretches, all kanji
                             WordCase{"お金を払う", "01010", 3, 5, "はらう", "3-4:はら"},
                             WordCase{"お金を払う", "01010", 0, 2, "おかね", "1-2:かね"},
                             WordCase{"今日は食べ物", "110101", 3, 6, "たべもの",
                                      "3-4:た 5-6:もの"},
                             WordCase{"今日は食べ物", "110101", 0, 2, "きょう", "0-2:きょう"},
                             WordCase{"三ヶ月", "111", 0, 3, "さんかげつ", "0-3:さんかげつ"},
                             // edge: digits and symbols inside the word keep their sounds
                             WordCase{"２月に", "010", 0, 2, "にがつ", "1-2:がつ"},
                             WordCase{"〆切", "01", 0, 2, "しめきり", "1-2:きり"},
                             // edge: no kanji, kana that do not match, an empty reading
                             WordCase{"かなだ", "000", 0, 3, "かなだ", ""},
                             WordCase{"は居ず", "010", 1, 3, "いる", "1-2:いる"},
                             WordCase{"御座る", "110", 0, 3, "ござある", "0-2:ござあ"},
                             WordCase{"取っ手", "101", 0, 3, "とりて", "0-1:? 2-3:?"},
                             WordCase{"漢字", "11", 0, 2, "", "0-2:?"},
                             // bad input: a reading shorter than the kana around the kanji
                             WordCase{"払う", "10", 0, 2, "う", "0-1:?"},
                             WordCase{"お茶です", "0100", 0, 2, "お", "1-2:?"}));

TEST(ToHiraganaTest, ConvertsKatakanaOnly) {
  EXPECT_EQ(FoldToHiragana(Utf8ToText("ヒトビト・カー・ヴァ・ヶ・ab漢")), Utf8ToText("ひとびと・かー・ゔぁ・ゖ・ab漢"));
}

}  // namespace
}  // namespace yomika
