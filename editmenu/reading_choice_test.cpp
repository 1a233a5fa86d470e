#include "editmenu/reading_choice.h"

#include <gtest/gtest.h>

#include "editmenu/reading_check.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(ReadingChoiceTest, AReadingNoCandidateHasComesFirstAsTheCurrentOne) {
  const RunReview review{false, {{Utf8ToText("い"), CandidateSource::kAnalysis}}};
  EXPECT_EQ(ChoiceLines(review, U("こう")),
            (std::vector<ChoiceLine>{{U("こう"), U("現在"), true}, {U("い"), U("候補"), false}}));
  EXPECT_EQ(ChoiceLines(std::nullopt, U("かんじ")),
            (std::vector<ChoiceLine>{{U("かんじ"), U("現在"), true}}));
}

TEST(ReadingChoiceTest, TypedReadingsAreCheckedLikeTheRegistrationDialogAndBecomeHiragana) {
  struct Case {
    const char* typed;
    std::optional<const char*> reading;  // nullopt: refused with ReadingProblem's message
  };
  const Case cases[] =
      {
          {"かんじ", "かんじ"},   {" カンジ ", "かんじ"},  {"らーめん", "らーめん"},
          {"", std::nullopt},     {"kanji", std::nullopt}, {"漢字", std::nullopt},
          {"ｶﾝｼﾞ", std::nullopt},  // half width, as the dialog refuses it
      };
  for (const Case& test : cases) {
    const Outcome<ReadingChoice> choice = TypedChoice(U(test.typed), true);
    if (test.reading) {
      ASSERT_TRUE(choice) << test.typed;
      EXPECT_EQ(*choice, (ReadingChoice{U(*test.reading), true})) << test.typed;
    } else {
      ASSERT_FALSE(choice) << test.typed;
      EXPECT_EQ(choice.reason(), ReadingProblem(U(test.typed).trimmed()).value_or(QString()));
    }
  }
  // Shown readings in any kana form come back to hiragana.
  EXPECT_EQ(ShownToHiragana(U("ｶﾞｯｺｳ")), U("がっこう"));
  EXPECT_EQ(ShownToHiragana(U("ガッコウ")), U("がっこう"));
}

}  // namespace
}  // namespace yomika
