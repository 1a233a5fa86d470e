#include "engine/ruby_writer.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/conversion.h"
#include "tests/engine_test_util.h"
#include "tests/fake_reading_service.h"

namespace yomika {
namespace {

using testing::FakeReadingService;
using testing::KeyValues;
using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

// Needs ruby when the kanji's grade is above the level; unlisted kanji always do.
class FakeNeed final : public RubyNeed {
 public:
  bool NeedsRuby(char32_t kanji, int level) const override {
    const std::map<char32_t, int> grades = {{U'学', 1}, {U'校', 1}, {U'字', 1}, {U'人', 1},
                                            {U'強', 2}, {U'今', 2}, {U'勉', 3}, {U'漢', 3}};
    const auto it = grades.find(kanji);
    return it == grades.end() || it->second > level;
  }
};

class FakeDivider final : public ReadingDivider {
 public:
  std::optional<std::vector<Text>> Divide(const Text& run, const Text& reading) const override {
    const std::map<std::pair<Text, Text>, std::vector<Text>> parts = {
        {{U"漢字", U"かんじ"}, {U"かん", U"じ"}},
        {{U"勉強", U"べんきょう"}, {U"べん", U"きょう"}},
        {{U"人々", U"ひとびと"}, {U"ひと", U"びと"}},
        {{U"学校", U"がっこう"}, {U"がっ", U"こう"}}};
    const auto it = parts.find({run, reading});
    if (it == parts.end()) return std::nullopt;
    return it->second;
  }
};

// Every lookup the cases below make, with its reading.
void AnswerAll(FakeReadingService& service) {
  const char* const answers[][2] = {{"学校で", "がっこうで"}, {"勉強する。", "べんきょうする。"},
                                    {"漢字と", "かんじと"},   {"漢字、", "かんじ、"},
                                    {"漢字。", "かんじ。"},   {"漢字<", "かんじ<"},
                                    {"今日。", "きょう。"},   {"人々。", "ひとびと。"},
                                    {"上手と", "じょうずと"}, {"上手。", "うわて。"},
                                    {"漢字", "かんじ"},       {"漢\U000E0100字と", "かんじと"}};
  for (const auto& [text, reading] : answers) service.Answer(Q(text), Q(reading));
}

struct WriterCase {
  const char* name;
  KeyValues settings;
  OutputFormat format;
  const char* text;
  const char* expected;
};

constexpr OutputFormat kHtml = OutputFormat::kHtml;

TEST(RubyWriterTest, LevelFirstOnlyAndMonoInEveryForm) {
  const KeyValues bare = {{"Default/CreateColor", "0"}, {"Default/Convert", "0"}};
  const auto with = [&bare](KeyValues more) {
    more.insert(more.begin(), bare.begin(), bare.end());
    return more;
  };
  const WriterCase cases[] = {
      {"level 2: a run of grade 1 kanji goes bare", with({{"RUBY/Level", "2"}}), kHtml,
       "学校で勉強する。", "学校で<ruby>勉強<rt>べんきょう</rt></ruby>する。"},
      {"level 3: nothing left", with({{"RUBY/Level", "3"}}), kHtml, "学校で勉強する。",
       "学校で勉強する。"},
      {"level 2 with mono: only the kanji that need it",
       with({{"RUBY/Level", "2"}, {"RUBY/Mono", "1"}}), kHtml, "学校で勉強する。",
       "学校で<ruby>勉<rt>べん</rt></ruby>強する。"},
      {"々 follows its kanji", with({{"RUBY/Level", "1"}}), kHtml, "人々。", "人々。"},
      {"mono: 々 gets its own element", with({{"RUBY/Mono", "1"}}), kHtml, "人々。",
       "<ruby>人<rt>ひと</rt></ruby><ruby>々<rt>びと</rt></ruby>。"},
      {"mono: a run that does not divide keeps one element", with({{"RUBY/Mono", "1"}}), kHtml,
       "漢字と今日。",
       "<ruby>漢<rt>かん</rt></ruby><ruby>字<rt>じ</rt></ruby>と<ruby>今日<rt>きょう</rt></"
       "ruby>。"},
      {"mono: a variation selector stays with its kanji, also at a level",
       with({{"RUBY/Mono", "1"}, {"RUBY/Level", "2"}}), kHtml, "漢\U000E0100字と",
       "<ruby>漢\U000E0100<rt>かん</rt></ruby>字と"},
      {"first only: later runs with the same reading go bare", with({{"RUBY/FirstOnly", "1"}}),
       kHtml, "漢字と漢字、漢字。", "<ruby>漢字<rt>かんじ</rt></ruby>と漢字、漢字。"},
      {"first only: another reading is another word", with({{"RUBY/FirstOnly", "1"}}), kHtml,
       "上手と上手。", "<ruby>上手<rt>じょうず</rt></ruby>と<ruby>上手<rt>うわて</rt></ruby>。"},
      {"first only counts only runs that got ruby",
       with({{"RUBY/FirstOnly", "1"}, {"RUBY/Level", "2"}}), kHtml, "学校で勉強する。",
       "学校で<ruby>勉強<rt>べんきょう</rt></ruby>する。"},
      {"brackets, katakana and upper case with mono",
       with({{"RUBY/Mono", "1"},
             {"RUBY/CHKRB", "1"},
             {"RUBY/RUBYSTRING", "1"},
             {"Default/alphabet", "1"}}),
       kHtml, "漢字と",
       "<RUBY>漢<RP>【</RP><RT>カン</RT><RP>】</RP></RUBY>"
       "<RUBY>字<RP>【</RP><RT>ジ</RT><RP>】</RP></RUBY>と"},
      {"colours and the input's own tags stay around the runs",
       {{"RUBY/Level", "2"}, {"RUBY/FirstOnly", "1"}, {"Default/Convert", "0"}},
       kHtml,
       "<b>漢字</b>漢字。",
       "<font color=\"#000000\"><b><ruby>漢字<rt>かんじ</rt></ruby></b>漢字。</font>"},
      {"aozora", with({{"RUBY/Mono", "1"}}), OutputFormat::kAozora, "漢字と今日。",
       "｜漢《かん》｜字《じ》と｜今日《きょう》。"},
      {"aozora drops colours, keeps the input's tags and line breaks",
       {},
       OutputFormat::kAozora,
       "<b>漢字</b>\r\n今日。",
       "<b>｜漢字《かんじ》</b>\r\n｜今日《きょう》。"},
      {"brackets in half-width katakana", with({{"RUBY/RUBYSTRING", "2"}, {"RUBY/Level", "2"}}),
       OutputFormat::kBrackets, "学校で勉強する。", "学校で勉強（ﾍﾞﾝｷｮｳ）する。"},
      {"html5: spans and lower case whatever alphabet says",
       {{"Default/alphabet", "1"}, {"Default/Convert", "1"}, {"RUBY/Mono", "1"}},
       OutputFormat::kHtml5,
       "漢字\r\n",
       "<span style=\"color:#000000\"><ruby>漢<rt>かん</rt></ruby><ruby>字<rt>じ</rt></ruby>"
       "<br></span>"},
  };
  const FakeNeed need;
  const FakeDivider divider;
  for (const WriterCase& c : cases) {
    FakeReadingService service;
    AnswerAll(service);
    const Outcome<QString> body =
        ConvertToBody(PlainInput(Q(c.text)), service, SettingsWith(c.settings), nullptr,
                      ConversionOptions{.format = c.format, .aids = {&need, &divider}});
    ASSERT_TRUE(body) << c.name << ": " << body.reason().toStdString();
    EXPECT_EQ(Utf8(*body), c.expected) << c.name;
  }
}

TEST(RubyWriterTest, SettingsItCannotHonourFailNamingTheKey) {
  const struct {
    KeyValues settings;
    KanjiAids aids;
    const char* named;
  } cases[] = {
      {{{"RUBY/Level", "9"}}, {}, "RUBY/Level"},
      {{{"RUBY/Level", "-1"}}, {}, "RUBY/Level"},
      {{{"RUBY/Level", "x"}}, {}, "RUBY/Level"},
      {{{"RUBY/Level", "2"}}, {}, "RUBY/Level"},  // no grades to decide by
      {{{"RUBY/Mono", "1"}}, {}, "RUBY/Mono"},    // nothing to divide with
      {{{"RUBY/Mono", "on"}}, {}, "RUBY/Mono"},
      {{{"RUBY/FirstOnly", "?"}}, {}, "RUBY/FirstOnly"},
  };
  for (const auto& c : cases) {
    FakeReadingService service;
    AnswerAll(service);
    const Outcome<QString> body =
        ConvertToBody(PlainInput(Q("漢字")), service, SettingsWith(c.settings), nullptr,
                      ConversionOptions{.format = kHtml, .aids = c.aids});
    ASSERT_FALSE(body) << c.named;
    EXPECT_TRUE(body.reason().contains(Q(c.named))) << body.reason().toStdString();
  }
}

TEST(RubyWriterTest, OnlyLevelOrMonoAskForTheAids) {
  EXPECT_FALSE(UsesKanjiAids(SettingsWith({})));
  EXPECT_FALSE(UsesKanjiAids(SettingsWith({{"RUBY/FirstOnly", "1"}})));
  EXPECT_TRUE(UsesKanjiAids(SettingsWith({{"RUBY/Level", "7"}})));
  EXPECT_TRUE(UsesKanjiAids(SettingsWith({{"RUBY/Mono", "1"}})));
  EXPECT_TRUE(UsesKanjiAids(SettingsWith({{"RUBY/Level", "x"}})));
}

}  // namespace
}  // namespace yomika
