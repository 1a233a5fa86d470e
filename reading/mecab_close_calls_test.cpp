#include <gtest/gtest.h>

#include "reading/lexicon_test_util.h"
#include "reading/reading_close_calls.h"
#include "reading/second_opinion.h"

namespace yomika {
namespace {

struct VoicingCase {
  const char32_t* a;
  const char32_t* b;
  bool voicing_only;
};

class DiffersOnlyInVoicingTest : public ::testing::TestWithParam<VoicingCase> {};

TEST_P(DiffersOnlyInVoicingTest, ComparesPlainKana) {
  EXPECT_EQ(DiffersOnlyInVoicing(GetParam().a, GetParam().b), GetParam().voicing_only);
  EXPECT_EQ(DiffersOnlyInVoicing(GetParam().b, GetParam().a), GetParam().voicing_only);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiffersOnlyInVoicingTest,
    ::testing::Values(
        // normal: voiced and half-voiced against plain
        VoicingCase{U"けんきゅうじょ", U"けんきゅうしょ", true},
        VoicingCase{U"はっぴょう", U"はっひょう", true}, VoicingCase{U"ぼん", U"ほん", true},
        // edge: the same reading; other kana changed; another length
        VoicingCase{U"かいしゃ", U"かいしゃ", false}, VoicingCase{U"たかね", U"こうおん", false},
        VoicingCase{U"がいしゃ", U"かいしや", false}, VoicingCase{U"ぼん", U"ほんや", false},
        // bad input: nothing to compare
        VoicingCase{U"", U"", false}));

// The service with a small EDICT and the system's MeCab, without and with the second analyser
// (JUMAN): IPADIC reads 高音 たかね and, 560 above, こうおん; 研究所 けんきゅうじょ and, 260
// above, けんきゅうしょ; 大勢 たいせい and, 165 above, おおぜい; 降り おり (降りる) and, close
// by, ふり (降る).
struct CloseCase {
  const char* lookup;
  const char* alone;        // EDICT only
  const char* with_second;  // EDICT, then JUMAN
};

class CloseCallServiceTest : public ::testing::TestWithParam<CloseCase> {
 protected:
  static QString Lexicon() {
    return QStringLiteral("高音 [こうおん] /(n) high-pitched tone/(P)/\n"
                          "高音 [たかね] /(n) high-pitched tone/\n"
                          "研究所 [けんきゅうしょ] /(n) research institute/(P)/\n"
                          "研究所 [けんきゅうじょ] /(n) research institute/\n"
                          "大勢 [おおぜい] /(n,adj-no) crowd/(P)/\n"
                          "大勢 [たいせい] /(n) general trend/(P)/\n");
  }

  QTemporaryDir dir_;
};

TEST_P(CloseCallServiceTest, LexiconThenSecondAnalyserDecide) {
  const auto alone = testing::ServiceWithLexicon(dir_, Lexicon());
  ASSERT_TRUE(alone);
  EXPECT_EQ(testing::ReadAlone(*alone, GetParam().lookup), GetParam().alone);
  const auto with_second = testing::ServiceWithLexicon(
      dir_, Lexicon(), QStringLiteral("/var/lib/mecab/dic/juman-utf8"));
  ASSERT_TRUE(with_second);
  EXPECT_EQ(testing::ReadAlone(*with_second, GetParam().lookup), GetParam().with_second);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseCallServiceTest,
    ::testing::Values(
        // normal: the close reading alone is common; both common, JUMAN reads the close one
        CloseCase{"高音を出した。", "こうおんをだした。", "こうおんをだした。"},
        CloseCase{"大勢の人が来た。", "たいせいのひとがきた。", "おおぜいのひとがきた。"},
        CloseCase{"雨が降りそうだ。", "あめがおりそうだ。", "あめがふりそうだ。"},
        // edge: only the voicing differs
        CloseCase{"研究所で働く。", "けんきゅうじょではたらく。", "けんきゅうじょではたらく。"}));

// --- the second analyser on its own ---

struct OpinionCase {
  const char32_t* text;
  std::size_t begin;
  std::size_t end;
  std::optional<Text> reading;
};

class SecondOpinionTest : public ::testing::TestWithParam<OpinionCase> {};

TEST_P(SecondOpinionTest, ReadsWholeWordsWithoutTies) {
  SecondOpinion second(QStringLiteral("/var/lib/mecab/dic/juman-utf8"));
  const OpinionCase& c = GetParam();
  EXPECT_EQ(second.ReadingOf(c.text, c.begin, c.end), c.reading);
  // asked again about the same text, from the kept analysis
  EXPECT_EQ(second.ReadingOf(c.text, c.begin, c.end), c.reading);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondOpinionTest,
    ::testing::Values(
        // normal: one word; two words together
        OpinionCase{U"大勢の人が来た。", 0, 2, Text(U"おおぜい")},
        OpinionCase{U"雨が降りそうだ。", 2, 4, Text(U"ふり")},
        OpinionCase{U"絵を描いている。", 0, 2, Text(U"えを")},
        // edge: a word tied with another reading (人: ひと, じん); a span cutting a word
        OpinionCase{U"大勢の人が来た。", 3, 4, std::nullopt},
        OpinionCase{U"大勢の人が来た。", 0, 1, std::nullopt},
        // bad input: an empty or reversed span, past the end
        OpinionCase{U"大勢", 1, 1, std::nullopt}, OpinionCase{U"大勢", 2, 1, std::nullopt},
        OpinionCase{U"大勢", 0, 5, std::nullopt}));

TEST(SecondOpinionFileTest, MissingDictionaryGivesNoOpinion) {
  SecondOpinion none{QString()};
  EXPECT_EQ(none.ReadingOf(U"大勢の人", 0, 2), std::nullopt);
  SecondOpinion missing(QStringLiteral("/nonexistent/juman"));
  EXPECT_EQ(missing.ReadingOf(U"大勢の人", 0, 2), std::nullopt);
}

}  // namespace
}  // namespace yomika
