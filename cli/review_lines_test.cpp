#include "cli/review_lines.h"

#include <gtest/gtest.h>

namespace yomika::cli {
namespace {

ReviewedRun RunAt(std::size_t input_begin, const char* text, const char* reading, bool uncertain,
                  std::vector<const char*> others = {}) {
  ReviewedRun run;
  run.input_begin = input_begin;
  run.text = Utf8ToText(text);
  run.reading = Utf8ToText(reading);
  run.review.uncertain = uncertain;
  run.review.candidates.push_back({run.reading, CandidateSource::kAnalysis});
  for (const char* other : others) {
    run.review.candidates.push_back({Utf8ToText(other), CandidateSource::kDictionary});
  }
  return run;
}

TEST(ReviewLinesTest, CountsLinesAndColumnsInCharacters) {
  struct Case {
    const char* name;
    const char* input;
    std::vector<ReviewedRun> runs;
    const char* expected;
  };
  const Case cases[] = {
      {"issue example",
       "あ行く",
       {RunAt(1, "行", "い", true, {"おこな"})},
       "{\"line\": 1, \"column\": 2, \"text\": \"行\", \"reading\": \"い\", \"uncertain\": true, "
       "\"candidates\": [\"い\", \"おこな\"]}\n"},
      {"CR LF, lone LF and lone CR each end one line; 𠮷 is one character",
       "漢\r\n𠮷字\n\r本",
       {RunAt(0, "漢", "かん", false), RunAt(4, "字", "じ", false), RunAt(7, "本", "ほん", false)},
       "{\"line\": 1, \"column\": 1, \"text\": \"漢\", \"reading\": \"かん\", \"uncertain\": "
       "false, "
       "\"candidates\": [\"かん\"]}\n"
       "{\"line\": 2, \"column\": 2, \"text\": \"字\", \"reading\": \"じ\", \"uncertain\": false, "
       "\"candidates\": [\"じ\"]}\n"
       "{\"line\": 4, \"column\": 1, \"text\": \"本\", \"reading\": \"ほん\", \"uncertain\": "
       "false, "
       "\"candidates\": [\"ほん\"]}\n"},
      {"quotes and backslashes escaped",
       "\"字",
       {RunAt(1, "字\"\\", "じ", false)},
       "{\"line\": 1, \"column\": 2, \"text\": \"字\\\"\\\\\", \"reading\": \"じ\", "
       "\"uncertain\": false, \"candidates\": [\"じ\"]}\n"},
      {"control characters as \\u escapes, astral characters whole",
       "字",
       {RunAt(0, "字\x01\x1f", "𩸽", false)},
       "{\"line\": 1, \"column\": 1, \"text\": \"字\\u0001\\u001f\", \"reading\": \"𩸽\", "
       "\"uncertain\": false, \"candidates\": [\"𩸽\"]}\n"},
      {"no runs, no lines", "かな", {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReviewLines(Utf8ToText(c.input), c.runs).toStdString(), c.expected);
  }
}

}  // namespace
}  // namespace yomika::cli
