#include "editmenu/reading_choice.h"

#include <gtest/gtest.h>

#include "editmenu/reading_check.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ReadingCandidate Candidate(const char* reading, CandidateSource source) {
  return {Utf8ToText(reading), source};
}

TEST(ReadingChoiceTest, LinesNameTheSourcesAndMarkTheCurrentReading) {
  const RunReview review{
      true,
      {Candidate("い", CandidateSource::kAnalysis),
       Candidate("おこな", CandidateSource::kDictionary),
       Candidate("ぎょう", CandidateSource::kKanji), Candidate("ゆき", CandidateSource::kUser)}};
  struct Case {
    const char* name;
    std::optional<RunReview> review;
    const char* current;
    std::vector<ChoiceLine> expected;
  };
  const Case cases[] = {
      {"as converted",
       review,
       "い",
       {{U("い"), U("候補"), true},
        {U("おこな"), U("辞書"), false},
        {U("ぎょう"), U("漢字の読み"), false},
        {U("ゆき"), U("ユーザー辞書"), false}}},
      {"another candidate chosen before",
       review,
       "ぎょう",
       {{U("い"), U("候補"), false},
        {U("おこな"), U("辞書"), false},
        {U("ぎょう"), U("漢字の読み"), true},
        {U("ゆき"), U("ユーザー辞書"), false}}},
      {"a reading of the author's own",
       RunReview{false, {Candidate("い", CandidateSource::kAnalysis)}},
       "こう",
       {{U("こう"), U("現在"), true}, {U("い"), U("候補"), false}}},
      {"no review", std::nullopt, "かんじ", {{U("かんじ"), U("現在"), true}}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(ChoiceLines(test.review, U(test.current)), test.expected) << test.name;
  }
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
