#include "reading/lattice_answers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace yomika {
namespace {

// The readings of `words`, in order.
std::vector<std::string> Readings(const std::vector<Morpheme>& words) {
  std::vector<std::string> readings;
  for (const Morpheme& word : words) readings.push_back(ToQString(word.reading).toStdString());
  return readings;
}

// Records made by one analyser and decoded by its twin, as the parser and the passes do.
TEST(LatticeAnswersTest, AnswersWhatTheLatticeHeldOnceItIsGone) {
  auto made = MecabAnalyzer::Create(QStringLiteral("/var/lib/mecab/dic/ipadic-utf8"));
  ASSERT_TRUE(made) << made.reason().toStdString();
  std::unique_ptr<MecabAnalyzer> parser = std::move(made).value();
  std::unique_ptr<MecabAnalyzer> decoder = parser->Twin();
  ASSERT_TRUE(decoder);

  const Text text = U"大勢の人が北海道に行った。";
  std::vector<bool> verb_positions(text.size(), false);
  verb_positions[9] = true;  // 行, after に
  Analysis analysis;
  LatticeRecord record;
  parser->Analyse(text, {}, verb_positions, false, analysis, record);
  // The same text with no position marked for verbs; then the parser goes on with another
  // text: the records must not depend on its lattice.
  Analysis unmarked;
  LatticeRecord unmarked_record;
  parser->Analyse(text, {}, {}, false, unmarked, unmarked_record);
  Analysis other;
  LatticeRecord other_record;
  parser->Analyse(U"全く別の文を読む。", {}, {}, false, other, other_record);
  const LatticeAnswers answers(record, *decoder);
  const LatticeAnswers unmarked_answers(unmarked_record, *decoder);

  struct Case {
    const char* name;
    std::vector<std::string> got;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"close reading of a best-path word", Readings(answers.CloseReadings(0, 2, U"たいせい")),
       {"おおぜい"}},
      {"the asked reading is left out", Readings(answers.CloseReadings(0, 2, U"おおぜい")), {}},
      {"no best-path word over the span", Readings(answers.CloseReadings(1, 3, U"せいの")), {}},
      {"the other verb of the same characters",
       Readings(answers.OtherVerbs(9, 11, U"おこなっ")),
       {"いっ"}},
      {"verbs only where asked for",
       Readings(unmarked_answers.OtherVerbs(9, 11, U"おこなっ")),
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got, c.expected);
  }
}

}  // namespace
}  // namespace yomika
