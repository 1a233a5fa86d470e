#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "engine/conversion.h"
#include "engine/review.h"
#include "reading/mecab_reading_service.h"
#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::Q;
using testing::Utf8;

class MecabReviewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<QTemporaryDir>();
    QFile file(dir_->filePath(QStringLiteral("readings.tsv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("御手洗\tみたらい\n");
    file.close();
    MecabOptions options;
    options.user_dictionary_path = file.fileName();
    auto made = CreateMecabReadingService(options);
    ASSERT_TRUE(made.ok()) << made.reason().toStdString();
    service_ = std::move(made).value();
  }
  static void TearDownTestSuite() {
    service_.reset();
    dir_.reset();
  }

  static EngineSettings Settings() {
    return testing::SettingsWith({{"Default/CreateColor", "0"}, {"Default/Convert", "0"}});
  }

  // The review of the run `run` of `text`; fails the test when there is none.
  static RunReview ReviewOf(const char* text, const char* run) {
    const Outcome<ReviewedBody> reviewed =
        ConvertForReview(PlainInput(Q(text)), *service_, Settings(), nullptr);
    EXPECT_TRUE(reviewed) << Utf8(reviewed.reason());
    if (!reviewed) return {};
    for (const ReviewedRun& r : reviewed->runs) {
      if (Utf8(r.text) == run) return r.review;
    }
    ADD_FAILURE() << "no review of " << run << " in " << text;
    return {};
  }

  static inline std::unique_ptr<QTemporaryDir> dir_;
  static inline std::unique_ptr<ReadingService> service_;
};

TEST_F(MecabReviewTest, ReviewLeavesTheBodyAsItIs) {
  const QString text = QStringLiteral(
      "昨日は市場で野菜を買った。今日は大勢の人が来た。\r\n彼は会議を行い、明日また行く。"
      "上手に話す人々の声が聞こえる。<b>東京</b>の一日。");
  for (const bool cr_lf : {false, true}) {
    const EngineSettings settings = testing::SettingsWith(
        {{"Default/CreateColor", "1"}, {"Default/Convert", cr_lf ? "2" : "0"}});
    const Outcome<QString> plain = ConvertToBody(PlainInput(text), *service_, settings, nullptr);
    const Outcome<ReviewedBody> reviewed =
        ConvertForReview(PlainInput(text), *service_, settings, nullptr);
    ASSERT_TRUE(plain && reviewed);
    EXPECT_EQ(Utf8(reviewed->body), Utf8(*plain));
    EXPECT_FALSE(service_->TakeRunReview());  // review mode ended with the conversion
    for (const ReviewedRun& run : reviewed->runs) {
      ASSERT_FALSE(run.review.candidates.empty());
      EXPECT_EQ(run.review.candidates.front().reading, run.reading);
    }
  }
}

TEST_F(MecabReviewTest, AmbiguousWordsOfferTheirOtherReading) {
  const struct {
    const char* text;
    const char* run;
    const char* other;
  } cases[] = {
      {"市場で野菜を買った。", "市場", "いちば"},
      {"今日は大勢の人が来た。", "大勢", "たいせい"},
      {"彼は会議を行った。", "行", "い"},
      {"明日また来る。", "明日", "あす"},
      {"上手に話す。", "上手", "うわて"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const RunReview review = ReviewOf(c.text, c.run);
    EXPECT_TRUE(std::any_of(review.candidates.begin(), review.candidates.end(),
                            [&](const ReadingCandidate& k) { return Utf8(k.reading) == c.other; }));
    EXPECT_LE(review.candidates.size(), 10u);
  }
}

TEST_F(MecabReviewTest, UserDictionaryWordIsCertain) {
  const RunReview review = ReviewOf("御手洗さんが来た。", "御手洗");
  EXPECT_FALSE(review.uncertain);
  ASSERT_FALSE(review.candidates.empty());
  EXPECT_EQ(Utf8(review.candidates.front().reading), "みたらい");
  EXPECT_EQ(review.candidates.front().source, CandidateSource::kUser);
}

}  // namespace
}  // namespace yomika
