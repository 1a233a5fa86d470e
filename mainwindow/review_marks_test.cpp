#include "mainwindow/review_marks.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Three ruby elements: 漢 doubtful, 字 certain, 山 doubtful.
const char kText[] =
    "あ<ruby>漢<rt>かん</rt></ruby>い<ruby>字<rt>じ</rt></ruby>う<ruby>山<rt>やま</rt></ruby>";

MarkedRun MakeRun(const QString& text, const char* element, const char* run, bool uncertain) {
  const int start = static_cast<int>(text.indexOf(U(element)));
  return {start, static_cast<int>(U(element).size()), U(run),
          RunReview{uncertain, {{Utf8ToText("x"), CandidateSource::kAnalysis}}}};
}

ReviewMarks Sample() {
  const QString text = U(kText);
  ReviewMarks marks;
  marks.Reset({MakeRun(text, "<ruby>漢<rt>かん</rt></ruby>", "漢", true),
               MakeRun(text, "<ruby>字<rt>じ</rt></ruby>", "字", false),
               MakeRun(text, "<ruby>山<rt>やま</rt></ruby>", "山", true)},
              text);
  return marks;
}

// The runs' texts and where they start now.
std::vector<std::pair<QString, int>> Places(const ReviewMarks& marks) {
  std::vector<std::pair<QString, int>> places;
  for (const MarkedRun& run : marks.runs()) places.emplace_back(run.text, run.start);
  return places;
}

struct EditCase {
  const char* name;
  int position, removed;
  const char* added;
  std::vector<std::pair<const char*, int>> expected;  // run text, start after the edit
};

TEST(ReviewMarksTest, EditsKeepShiftOrDropRuns) {
  // In kText (77 units): 漢 at 1 (25 units), 字 at 27 (24), 山 at 52 (25).
  const EditCase cases[] = {
      {"typing before all", 0, 0, "ええ", {{"漢", 3}, {"字", 29}, {"山", 54}}},
      {"typing between", 26, 0, "お", {{"漢", 1}, {"字", 28}, {"山", 53}}},
      {"right after an element", 51, 0, "お", {{"漢", 1}, {"字", 27}, {"山", 53}}},
      {"right before an element", 27, 0, "お", {{"漢", 1}, {"字", 28}, {"山", 53}}},
      {"inside a reading", 12, 1, "き", {{"字", 27}, {"山", 52}}},
      {"the base text", 7, 1, "感", {{"字", 27}, {"山", 52}}},
      {"one run deleted", 27, 24, "", {{"漢", 1}, {"山", 28}}},
      {"span over two runs", 20, 10, "", {{"山", 42}}},
      {"the start tag broken", 1, 1, "", {{"字", 26}, {"山", 51}}},
      {"a tag typed right before", 1, 0, "<b>", {{"漢", 4}, {"字", 30}, {"山", 55}}},
  };
  for (const EditCase& test : cases) {
    ReviewMarks marks = Sample();
    QString text = U(kText);
    const QString added = U(test.added);
    text.replace(test.position, test.removed, added);
    marks.Remap(test.position, test.removed, static_cast<int>(added.size()), text);
    std::vector<std::pair<QString, int>> expected;
    for (const auto& [run, start] : test.expected) expected.emplace_back(U(run), start);
    EXPECT_EQ(Places(marks), expected) << test.name;
  }
}

TEST(ReviewMarksTest, ReportsWiderThanTheEditOrOnlyColoursMoveNothingElse) {
  struct Case {
    const char* name;
    int position, removed, added;  // as the document reports it
    const char* text;              // the text after
    std::vector<std::pair<const char*, int>> expected;
  };
  const Case cases[] = {
      // Colouring a line reports it as removed and added again.
      {"colours only", 0, 77, 77, kText, {{"漢", 1}, {"字", 27}, {"山", 52}}},
      // The whole text reported, one character really inserted between the runs.
      {"whole text reported",
       0,
       77,
       78,
       "あ<ruby>漢<rt>かん</rt></ruby>いX<ruby>字<rt>じ</rt></ruby>う<ruby>山<rt>やま</rt></ruby>",
       {{"漢", 1}, {"字", 28}, {"山", 53}}},
      // A report that does not fit the texts (the final paragraph counted): the texts decide.
      {"report off by one",
       0,
       78,
       81,
       "あ<ruby>漢<rt>かん</rt></ruby>い<ruby>字<rt>じ</rt></ruby>うYY<ruby>山<rt>やま</rt></ruby>",
       {{"漢", 1}, {"字", 27}, {"山", 54}}},
  };
  for (const Case& test : cases) {
    ReviewMarks marks = Sample();
    marks.Remap(test.position, test.removed, test.added, U(test.text));
    std::vector<std::pair<QString, int>> expected;
    for (const auto& [run, start] : test.expected) expected.emplace_back(U(run), start);
    EXPECT_EQ(Places(marks), expected) << test.name;
  }
}

TEST(ReviewMarksTest, RunsNotOnTheirElementAreLeftOutAtReset) {
  const QString text = U(kText);
  ReviewMarks marks;
  marks.Reset({MakeRun(text, "<ruby>漢<rt>かん</rt></ruby>", "漢", true),
               {27, 10, U("字"), {}},    // length wrong
               {52, 25, U("川"), {}},    // base text wrong
               {200, 23, U("山"), {}}},  // beyond the text
              text);
  EXPECT_EQ(Places(marks), (std::vector<std::pair<QString, int>>{{U("漢"), 1}}));
}

TEST(ReviewMarksTest, NextDoubtfulWrapsAndSkipsResolvedRuns) {
  ReviewMarks marks = Sample();
  EXPECT_EQ(marks.DoubtfulCount(), 2);
  EXPECT_EQ(marks.NextDoubtful(-1), 0u);
  EXPECT_EQ(marks.NextDoubtful(1), 2u);   // after 漢's start: 山 (字 is certain)
  EXPECT_EQ(marks.NextDoubtful(52), 0u);  // past the last: wraps to 漢
  marks.Resolve(0, U("<ruby>漢<rt>おとこ</rt></ruby>"));
  EXPECT_EQ(marks.DoubtfulCount(), 1);
  EXPECT_EQ(marks.NextDoubtful(-1), 2u);
  EXPECT_EQ(marks.NextDoubtful(60), 2u);
  marks.Resolve(2, U("<ruby>山<rt>さん</rt></ruby>"));
  EXPECT_EQ(marks.NextDoubtful(0), std::nullopt);
}

TEST(ReviewMarksTest, ResolveMovesLaterRunsAndThePaneChangeFindsNothingNew) {
  ReviewMarks marks = Sample();
  const QString element = U("<ruby>漢<rt>おとこ</rt></ruby>");
  marks.Resolve(0, element);
  QString text = U(kText);
  text.replace(1, 25, element);
  marks.Remap(1, 25, static_cast<int>(element.size()), text);
  EXPECT_EQ(Places(marks),
            (std::vector<std::pair<QString, int>>{{U("漢"), 1}, {U("字"), 28}, {U("山"), 53}}));
  EXPECT_TRUE(marks.runs()[0].resolved);
}

TEST(ReviewMarksTest, MarksNameDoubtfulElementsByOrdinal) {
  ReviewMarks marks = Sample();
  EXPECT_EQ(marks.Marks(2),
            (std::vector<PreviewMark>{{2, U("漢"), U("かん")}, {4, U("山"), U("やま")}}));
  // An edit before 字 drops 漢 and leaves 山 the second element.
  QString text = U(kText);
  text.remove(0, 26);
  marks.Remap(0, 26, 0, text);
  EXPECT_EQ(marks.Marks(0), (std::vector<PreviewMark>{{1, U("山"), U("やま")}}));
}

TEST(ReviewMarksTest, DocumentPositionsCountALineBreakOnce) {
  EXPECT_EQ(DocumentPositions(u"a\r\nb\r\n\r\nc", {0, 3, 8, 9}), (std::vector<int>{0, 2, 5, 6}));
  EXPECT_EQ(DocumentPositions(u"a\rb\nc", {2, 4}), (std::vector<int>{2, 4}));
}

}  // namespace
}  // namespace yomika
