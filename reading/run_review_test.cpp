#include "reading/run_review.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

constexpr std::u32string_view kVerb = U"動詞,自立,連用タ接続";
constexpr std::u32string_view kNoun = U"名詞,一般,*";

TEST(MeasureLatticeDoubtTest, WeighsTheWordsReadOtherwise) {
  struct Case {
    const char* name;
    Text text;
    std::vector<bool> in_run;
    std::vector<KanjiPiece> chosen;
    std::vector<LatticeWord> words;
    float disagreement;
    float homograph;
    std::vector<Text> alternatives;
  };
  const Case cases[] = {
      {"a verb's homograph: other reading, same span and grammar",
       U"行った",
       {true, false, false},
       {{0, 1, U"おこな"}},
       {{0, 2, U"おこなっ", kVerb, 0.6f, true}, {0, 2, U"いっ", kVerb, 0.4f, false}},
       0.4f,
       0.4f,
       {U"い"}},
      {"one boundary shared: agrees when the chosen reading starts with it; the best "
       "word's other reading is its homograph",
       U"日本経済",
       {true, true, true, true},
       {{0, 4, U"にほんけいざい"}},
       {{0, 2, U"にほん", kNoun, 0.7f, true},
        {0, 2, U"にっぽん", kNoun, 0.3f, false},
        {2, 4, U"けいざい", kNoun, 1.0f, true}},
       0.3f,
       0.3f,
       {}},
      {"words outside the run and words without reading pass",
       U"本と紙",
       {true, false, true},
       {{0, 1, U"ほん"}},
       {{0, 1, U"ほん", kNoun, 0.9f, true},
        {0, 1, U"", kNoun, 0.1f, false},
        {2, 3, U"し", kNoun, 0.5f, false}},
       0.1f,
       0.0f,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LatticeDoubt doubt = MeasureLatticeDoubt(c.text, c.in_run, c.chosen.front().begin,
                                                   c.chosen.back().end, c.chosen, c.words);
    EXPECT_NEAR(doubt.disagreement, c.disagreement, 1e-6);
    EXPECT_NEAR(doubt.homograph, c.homograph, 1e-6);
    std::vector<Text> alternatives;
    for (const auto& [reading, probability] : doubt.alternatives) alternatives.push_back(reading);
    EXPECT_EQ(alternatives, c.alternatives);
  }
}

TEST(JudgeRunTest, UserWordsAreCertainAndCandidatesStayFewAndKana) {
  RunEvidence user;
  user.reading = U"みたらい";
  user.origins = {PieceOrigin::kUser};
  user.lattice.disagreement = 0.9f;
  const RunReview by_user = JudgeRun(user);
  EXPECT_FALSE(by_user.uncertain);
  EXPECT_EQ(by_user.candidates.front(), (ReadingCandidate{U"みたらい", CandidateSource::kUser}));

  RunEvidence fallback;
  fallback.reading = U"き";
  fallback.origins = {PieceOrigin::kKanji};
  fallback.kanji = {U"き", U"き", U"漢", U"もく", U"ぼく", U"こ", U"け",
                    U"ご", U"す", U"ず", U"ぐ",   U"げ",   U"ぜ"};
  const RunReview by_kanji = JudgeRun(fallback);
  EXPECT_TRUE(by_kanji.uncertain);
  ASSERT_EQ(by_kanji.candidates.size(), kMaxCandidates);
  EXPECT_EQ(by_kanji.candidates[0], (ReadingCandidate{U"き", CandidateSource::kKanji}));
  EXPECT_EQ(by_kanji.candidates[1].reading, U"もく");  // no repeat, no kanji
}

}  // namespace
}  // namespace yomika
