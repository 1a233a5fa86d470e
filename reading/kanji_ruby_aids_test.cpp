// The grade rule and the reading divider on Debian's KANJIDIC2.

#include "reading/kanji_ruby_aids.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

Text T(const char* utf8) { return Utf8ToText(utf8); }

std::string Joined(const std::optional<std::vector<Text>>& parts) {
  if (!parts) return "(whole)";
  QString joined;
  for (const Text& part : *parts) joined += ToQString(part) + QLatin1Char('|');
  joined.chop(1);
  return joined.toStdString();
}

class KanjiRubyAidsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    aids_ = new KanjiRubyAids();
    ASSERT_TRUE(aids_->Aids()) << aids_->Aids().reason().toStdString();
  }
  static void TearDownTestSuite() {
    delete aids_;
    aids_ = nullptr;
  }
  static KanjiAids Aids() { return *aids_->Aids(); }
  static KanjiRubyAids* aids_;
};
KanjiRubyAids* KanjiRubyAidsTest::aids_ = nullptr;

TEST_F(KanjiRubyAidsTest, LevelsFollowGradesAndLists) {
  // Level:      1      2      3      4      5      6      7      8
  const struct {
    const char* kanji;
    bool needs[8];
  } cases[] = {
      {"学", {false, false, false, false, false, false, false, false}},  // grade 1
      {"強", {true, false, false, false, false, false, false, false}},   // grade 2
      {"岡", {true, true, true, false, false, false, false, false}},     // grade 4
      {"憂", {true, true, true, true, true, true, false, false}},        // other jōyō
      {"蓮", {true, true, true, true, true, true, true, false}},         // jinmeiyō
      {"鰻", {true, true, true, true, true, true, true, true}},          // neither
      {"𩸽", {true, true, true, true, true, true, true, true}},          // not listed
  };
  for (const auto& c : cases) {
    for (int level = 1; level <= 8; ++level) {
      EXPECT_EQ(Aids().need->NeedsRuby(T(c.kanji).front(), level), c.needs[level - 1])
          << c.kanji << " at level " << level;
    }
  }
}

TEST_F(KanjiRubyAidsTest, ReadingsDivideWhereEveryKanjiHasItsPart) {
  const struct {
    const char* run;
    const char* reading;
    const char* parts;
  } divisions[] = {
      {"漢字", "かんじ", "かん|じ"},
      {"学校", "がっこう", "がっ|こう"},  // small っ at the joint
      {"人々", "ひとびと", "ひと|びと"},  // 々 voiced
      {"山川", "やまがわ", "やま|がわ"},  // voicing
      {"一杯", "いっぱい", "いっ|ぱい"},  // っ and half-voicing together
      {"受付", "うけつけ", "うけ|つけ"},  // kun forms without okurigana
      {"手続", "てつづき", "て|つづき"},
      {"三ヶ月", "さんかげつ", "さん|か|げつ"},
      {"日本語", "ニホンゴ", "ニ|ホン|ゴ"},  // katakana matched, cut as given
      {"今日", "きょう", "(whole)"},         // no division
      {"大人", "おとな", "(whole)"},
      {"五月雨", "さみだれ", "(whole)"},
      {"漢字", "かん", "(whole)"},  // too short for its parts
      {"𩸽", "ほっけ", "(whole)"},  // not listed
  };
  for (const auto& c : divisions) {
    EXPECT_EQ(Joined(Aids().divider->Divide(T(c.run), T(c.reading))), c.parts) << c.run;
  }
}

TEST(KanjiRubyAidsFile, MissingFileFailsNamingIt) {
  const KanjiRubyAids aids(QStringLiteral("/nonexistent/kanjidic2.xml.gz"));
  const Outcome<KanjiAids> got = aids.Aids();
  ASSERT_FALSE(got);
  EXPECT_TRUE(got.reason().contains(QStringLiteral("/nonexistent/kanjidic2.xml.gz")));
}

}  // namespace
}  // namespace yomika
