#include <gtest/gtest.h>

#include "platform/reading_alignment.h"

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
        AlignCase{"かな", "00", "かな", ""},
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

TEST(ToHiraganaTest, ConvertsKatakanaOnly) {
  EXPECT_EQ(FoldToHiragana(Utf8ToText("ヒトビト・カー・ヴァ・ヶ・ab漢")), Utf8ToText("ひとびと・かー・ゔぁ・ゖ・ab漢"));
}

}  // namespace
}  // namespace yomika
