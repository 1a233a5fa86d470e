#include <gtest/gtest.h>

#include "reading/lexicon_test_util.h"
#include "reading/reading_phrases.h"

namespace yomika {
namespace {

struct KanjiReadingCase {
  std::vector<Text> readings;
  const char32_t* reading;
  bool plausible;
};

class IsKanjiReadingTest : public ::testing::TestWithParam<KanjiReadingCase> {};

TEST_P(IsKanjiReadingTest, AllowsCompoundSoundChanges) {
  EXPECT_EQ(IsKanjiReading(GetParam().readings, GetParam().reading), GetParam().plausible);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsKanjiReadingTest,
    ::testing::Values(
        // normal: as listed, voiced, half-voiced, a small っ
        KanjiReadingCase{{U"やく", U"くすり"}, U"くすり", true},
        KanjiReadingCase{{U"やく", U"くすり"}, U"ぐすり", true},
        KanjiReadingCase{{U"はつ", U"ほつ"}, U"ぱつ", true},
        KanjiReadingCase{{U"がく", U"まな"}, U"がっ", true},
        // edge: no half-voiced sound outside the h row, っ only for a last つ ち く き
        KanjiReadingCase{{U"かい"}, U"ぱい", false}, KanjiReadingCase{{U"さん"}, U"さっ", false},
        // bad input: not a reading of the kanji, nothing known
        KanjiReadingCase{{U"ひ", U"かれ", U"かの"}, U"あ", false},
        KanjiReadingCase{{}, U"あ", false}));

// The service with a small lexicon of phrases and the system's MeCab and KANJIDIC.
class PhraseServiceTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  void SetUp() override {
    service_ = testing::ServiceWithLexicon(
        dir_, QStringLiteral("海の幸 [うみのさち] /(exp,n) seafood/\n"
                             "とんぼ返り [とんぼがえり] /(n,vs) somersault/\n"
                             "お腹が空く [おなかがすく] /(exp,v5k) to become hungry/\n"
                             "実を言うと [じつをいうと] /(exp,adv) to tell the truth/\n"
                             "実を言うと [じつをゆうと] /(exp,adv) to tell the truth/\n"
                             "その方 [そのかた] /(pn) (hon) that person/\n"
                             "歩こう [ほこう] /(n,vs) walk/\n"
                             "彼の方 [あのかた] /(pn) (hon) that gentleman/\n"
                             "説明し [ときあかし] /(n) explanation/\n"
                             "外に [ほかに] /(adv) in addition/(P)/\n"
                             "絵を描く [えをえがく] /(exp,v5k) to paint/\n"
                             "絵を描く [えをかく] /(exp,v5k) to paint/(P)/\n"
                             "今日は [こんにちは] /(int) (uk) hello/(P)/\n"
                             "ある種 [あるしゅ] /(adj-no) certain/\n"
                             "悪どい [あくどい] /(adj-i) (uk) gaudy/\n"));
    ASSERT_TRUE(service_);
  }

  QTemporaryDir dir_;
  std::unique_ptr<ReadingService> service_;
};

TEST_P(PhraseServiceTest, ReadsListedPhrasesOnly) {
  EXPECT_EQ(testing::ReadAlone(*service_, GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhraseServiceTest,
    ::testing::Values(
        // normal: kana between and before the kanji, a conjugated phrase, readings that
        // agree on the changed kanji only
        std::pair{"海の幸を食べる。", "うみのさちをたべる。"},
        std::pair{"とんぼ返りした。", "とんぼがえりした。"},
        std::pair{"お腹が空いた。", "おなかがすいた。"},
        std::pair{"実を言うと、", "じつをいうと、"},
        // the analysed reading is listed but the only common one is another
        std::pair{"絵を描いた。", "えをかいた。"},
        // a demonstrative and one kanji used as the entry says, before の
        std::pair{"ある種の虫。", "あるしゅのむし。"},
        // kana the analyser took for a verb after an adjective it cut to its kanji (悪 どい)
        std::pair{"悪どい商売だ。", "あくどいしょうばいだ。"},
        // edge: phrases that only look alike stay as analysed
        std::pair{"その方がいい。", "そのほうがいい。"}, std::pair{"歩こう。", "あるこう。"},
        std::pair{"彼の方が早い。", "かれのほうがはやい。"},
        std::pair{"説明した。", "せつめいした。"}, std::pair{"外に出る。", "そとにでる。"},
        std::pair{"今日は雨だ。", "きょうはあめだ。"},
        std::pair{"ある種を蒔く。", "あるたねをまく。"}));

}  // namespace
}  // namespace yomika
