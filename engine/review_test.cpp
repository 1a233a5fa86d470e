#include "engine/review.h"

#include <gtest/gtest.h>

#include "tests/engine_test_util.h"
#include "tests/fake_reading_service.h"

namespace yomika {
namespace {

using testing::FakeReadingService;
using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

constexpr auto kAnalysis = CandidateSource::kAnalysis;
constexpr auto kDictionary = CandidateSource::kDictionary;

struct Entry {
  std::size_t input_begin;
  const char* text;
  const char* element;  // the body from body_offset for body_length
  const char* reading;
  bool uncertain;
  std::vector<const char*> candidates;
};

struct ReviewCase {
  const char* name;
  const char* input;
  testing::KeyValues settings;
  std::vector<Entry> expected;
};

// The service: 行く。→ いく。 (doubtful, おこな offered), お茶 → おちゃ (no review), 𩸽魚 →
// 𩸽さかな (half unread), 漢字 → かんじ with a candidate list not led by its reading.
void Script(FakeReadingService& service) {
  service.SupportReview(true);
  service.Answer(Q("行く。"), Q("いく。"));
  service.Review(Q("行く。"), {true, {{U"い", kAnalysis}, {U"おこな", kDictionary}}});
  service.Answer(Q("お茶"), Q("おちゃ"));
  service.Answer(Q("お茶<"), Q("おちゃ<"));
  service.Answer(Q("お茶。"), Q("おちゃ。"));
  service.Answer(Q("𩸽魚"), Q("𩸽さかな"));
  service.Answer(Q("漢字"), Q("かんじ"));
  service.Review(Q("漢字"), {false, {{U"かんし", kAnalysis}, {U"かんじ", kDictionary}}});
}

TEST(ConvertForReviewTest, ReviewsEveryRubyElement) {
  const ReviewCase cases[] = {
      {"offsets in input and body; review as the service gives it",
       "ab行く。",
       {{"Default/CreateColor", "0"}},
       {{2, "行", "<ruby>行<rt>い</rt></ruby>", "い", true, {"い", "おこな"}}}},
      {"line breaks and colour tags move the body, not the input position",
       "お茶\r\n行く。",
       {{"Default/CreateColor", "1"}, {"Default/Convert", "1"}},
       {{1, "茶", "<ruby>茶<rt>ちゃ</rt></ruby>", "ちゃ", false, {"ちゃ"}},
        {4, "行", "<ruby>行<rt>い</rt></ruby>", "い", true, {"い", "おこな"}}}},
      {"katakana setting applies to reading and candidates",
       "行く。",
       {{"Default/CreateColor", "0"}, {"RUBY/RUBYSTRING", "1"}},
       {{0, "行", "<ruby>行<rt>イ</rt></ruby>", "イ", true, {"イ", "オコナ"}}}},
      {"the reading is moved to the front",
       "漢字",
       {{"Default/CreateColor", "0"}},
       {{0, "漢字", "<ruby>漢字<rt>かんじ</rt></ruby>", "かんじ", false, {"かんじ", "かんし"}}}},
      {"a run split at an unread kanji: the read part alone, uncertain",
       "𩸽魚",
       {{"Default/CreateColor", "0"}},
       {{1, "魚", "<ruby>魚<rt>さかな</rt></ruby>", "さかな", true, {"さかな"}}}},
      {"FirstOnly leaves repeated runs bare: no entry",
       "お茶。お茶",
       {{"Default/CreateColor", "0"}, {"RUBY/FirstOnly", "1"}},
       {{1, "茶", "<ruby>茶<rt>ちゃ</rt></ruby>", "ちゃ", false, {"ちゃ"}}}},
  };
  for (const ReviewCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeReadingService service;
    Script(service);
    const EngineSettings settings = SettingsWith(c.settings);
    const InputText input = PlainInput(Q(c.input));
    const Outcome<ReviewedBody> reviewed = ConvertForReview(input, service, settings, nullptr);
    ASSERT_TRUE(reviewed) << Utf8(reviewed.reason());
    EXPECT_FALSE(service.reviewing());

    FakeReadingService plain;
    Script(plain);
    const Outcome<QString> body = ConvertToBody(input, plain, settings, nullptr);
    ASSERT_TRUE(body);
    EXPECT_EQ(Utf8(reviewed->body), Utf8(*body));

    ASSERT_EQ(reviewed->runs.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      const ReviewedRun& run = reviewed->runs[i];
      const Entry& want = c.expected[i];
      EXPECT_EQ(run.input_begin, want.input_begin) << i;
      EXPECT_EQ(Utf8(run.text), want.text);
      EXPECT_EQ(Utf8(reviewed->body.mid(run.body_offset, run.body_length)), want.element);
      EXPECT_EQ(Utf8(run.reading), want.reading);
      EXPECT_EQ(run.review.uncertain, want.uncertain);
      std::vector<std::string> candidates;
      for (const ReadingCandidate& candidate : run.review.candidates) {
        candidates.push_back(Utf8(candidate.reading));
      }
      EXPECT_EQ(candidates,
                std::vector<std::string>(want.candidates.begin(), want.candidates.end()));
    }
  }
}

TEST(ConvertForReviewTest, FailsWithoutReviewSupport) {
  FakeReadingService service;
  service.Answer(Q("行く。"), Q("いく。"));
  const Outcome<ReviewedBody> reviewed =
      ConvertForReview(PlainInput(Q("行く。")), service, SettingsWith({}), nullptr);
  EXPECT_FALSE(reviewed);
  EXPECT_TRUE(service.calls().isEmpty());
}

TEST(InputPositionsTest, MapsNonAsciiCharacters) {
  struct Case {
    const char* input;
    const char* working;
    std::vector<std::size_t> positions;
    std::vector<std::size_t> expected;
  };
  const Case cases[] = {
      {"a漢\r\n字", "a漢<br>字あ", {1, 6}, {1, 4}},
      {"漢字", "<font color=\"#FF0000\">漢字</font>あ", {22, 23}, {0, 1}},
      {"𩸽と魚", "𩸽と魚あ", {0, 2}, {0, 2}},
      {"x", "x<br>あ", {5}, {1}},  // the terminator lies past the input
      {"", "あ", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.working);
    EXPECT_EQ(InputPositions(Utf8ToText(c.input), Utf8ToText(c.working), c.positions), c.expected);
  }
}

}  // namespace
}  // namespace yomika
