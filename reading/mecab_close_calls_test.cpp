#include <gtest/gtest.h>

#include "reading/lexicon_test_util.h"
#include "reading/reading_close_calls.h"

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

// The service with a small EDICT and the system's MeCab: IPADIC reads 高音 たかね and, 560
// above, こうおん; 研究所 けんきゅうじょ and, 260 above, けんきゅうしょ; 大勢 たいせい and, 165
// above, おおぜい; 一目 いちもく and, close by, ひとめ.
class CloseCallServiceTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  void SetUp() override {
    service_ = testing::ServiceWithLexicon(
        dir_, QStringLiteral("高音 [こうおん] /(n) high-pitched tone/(P)/\n"
                             "高音 [たかね] /(n) high-pitched tone/\n"
                             "研究所 [けんきゅうしょ] /(n) research institute/(P)/\n"
                             "研究所 [けんきゅうじょ] /(n) research institute/\n"
                             "大勢 [おおぜい] /(n,adj-no) crowd/(P)/\n"
                             "大勢 [たいせい] /(n) general trend/(P)/\n"
                             "一目 [いちもく] /(n,vs) look/(P)/\n"
                             "一目 [ひとめ] /(n,adj-no) glance/\n"));
    ASSERT_TRUE(service_);
  }

  QTemporaryDir dir_;
  std::unique_ptr<ReadingService> service_;
};

TEST_P(CloseCallServiceTest, TakesTheCommonReadingOfACloseCall) {
  EXPECT_EQ(testing::ReadAlone(*service_, GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseCallServiceTest,
    ::testing::Values(
        // normal: the close reading alone is common
        std::pair{"高音を出した。", "こうおんをだした。"},
        // normal: both common, before の the one that takes の
        std::pair{"大勢の人。", "おおぜいのひと。"},
        // edge: only the voicing differs; both common, not before の; before の, the one that
        // takes の uncommon
        std::pair{"研究所で働く。", "けんきゅうじょではたらく。"},
        std::pair{"大勢が来た。", "たいせいがきた。"},
        std::pair{"一目の差。", "いちもくのさ。"}));

}  // namespace
}  // namespace yomika
