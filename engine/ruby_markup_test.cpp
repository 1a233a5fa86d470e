#include "engine/ruby_markup.h"

#include <gtest/gtest.h>

#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

struct RubyCase {
  const char* ruby_string;
  const char* chk_rb;
  const char* alphabet;
  const char* run;
  const char* reading;
  const char* expected;
};

TEST(RubyMarkupTest, ElementFormsAndKanaForms) {
  const RubyCase cases[] = {
      {"0", "0", "0", "漢字", "かんじ", "<ruby>漢字<rt>かんじ</rt></ruby>"},
      {"0", "0", "1", "漢字", "かんじ", "<RUBY>漢字<RT>かんじ</RT></RUBY>"},
      {"0", "1", "0", "漢字", "かんじ",
       "<ruby>漢字<rp>【</rp><rt>かんじ</rt><rp>】</rp></ruby>"},
      {"1", "1", "1", "漢字", "かんじ",
       "<RUBY>漢字<RP>【</RP><RT>カンジ</RT><RP>】</RP></RUBY>"},
      {"2", "0", "0", "学", "がく", "<ruby>学<rt>ｶﾞｸ</rt></ruby>"},
      {"3", "0", "0", "漢字", "カンじ", "<ruby>漢字<rt>カンじ</rt></ruby>"},
      {"1.9", "0", "0", "漢字", "かんじ", "<ruby>漢字<rt>カンジ</rt></ruby>"},
      {"0", "1.5", "0", "漢字", "かんじ",
       "<ruby>漢字<rp>【</rp><rt>かんじ</rt><rp>】</rp></ruby>"},
      {"0", "2", "0", "漢字", "かんじ", "<ruby>漢字<rt>かんじ</rt></ruby>"},
      {"0", "0", "5", "漢字", "かんじ", "<RUBY>漢字<RT>かんじ</RT></RUBY>"},
      {"0", "0", "-1", "漢字", "かんじ", "<RUBY>漢字<RT>かんじ</RT></RUBY>"},
      // An empty reading still gives the element.
      {"0", "0", "0", "金", "", "<ruby>金<rt></rt></ruby>"},
      // Nothing is escaped.
      {"3", "0", "0", "金", "a<&b", "<ruby>金<rt>a<&b</rt></ruby>"},
  };
  for (const auto& c : cases) {
    const EngineSettings settings = SettingsWith({{"RUBY/RUBYSTRING", c.ruby_string},
                                                  {"RUBY/CHKRB", c.chk_rb},
                                                  {"Default/alphabet", c.alphabet}});
    const Outcome<Text> element =
        RubyElement(Utf8ToText(c.run), Utf8ToText(c.reading), settings);
    ASSERT_TRUE(element) << element.reason().toStdString();
    EXPECT_EQ(Utf8(*element), c.expected)
        << c.ruby_string << "/" << c.chk_rb << "/" << c.alphabet;
  }
}

TEST(RubyMarkupTest, BracketsAreTakenAsStoredEvenWhenEmpty) {
  const EngineSettings settings =
      SettingsWith({{"RUBY/CHKRB", "1"}, {"RUBY/RBSTART", ""}, {"RUBY/RBEND", "<&>"}});
  const Outcome<Text> element = RubyElement(U"字", U"じ", settings);
  ASSERT_TRUE(element);
  EXPECT_EQ(Utf8(*element), "<ruby>字<rp></rp><rt>じ</rt><rp><&></rp></ruby>");
}

TEST(RubyMarkupTest, UnreadableNumbersFailAndNameTheKey) {
  for (const char* key : {"RUBY/RUBYSTRING", "RUBY/CHKRB", "Default/alphabet"}) {
    const Outcome<Text> element = RubyElement(U"字", U"じ", SettingsWith({{key, "abc"}}));
    ASSERT_FALSE(element) << key;
    EXPECT_TRUE(element.reason().contains(Q(key))) << element.reason().toStdString();
    EXPECT_TRUE(element.reason().contains(Q("abc")));
  }
}

// A reading holding the run's own characters marks what nothing could read.
TEST(RubyMarkupTest, SplitAtUnreadKanji) {
  struct Part {
    const char* text;
    const char* reading;  // nullptr: left without ruby
  };
  const struct {
    const char* run;
    const char* reading;
    std::vector<Part> parts;
  } cases[] = {
      {"漢字", "かんじ", {{"漢字", "かんじ"}}},
      {"本", "", {{"本", ""}}},
      {"𩸽", "𩸽", {{"𩸽", nullptr}}},
      {"人𩸽々魚", "ひと𩸽々さかな", {{"人", "ひと"}, {"𩸽", nullptr}, {"々", nullptr}, {"魚", "さかな"}}},
      {"𩸽\uFE00魚", "𩸽さかな", {{"𩸽\uFE00", nullptr}, {"魚", "さかな"}}},
      // readings that do not fit the run leave it whole without ruby
      {"人𩸽", "𩸽ひと", {{"人𩸽", nullptr}}},
      {"𩸽魚", "𩸽", {{"𩸽魚", nullptr}}},
      {"𩸽", "𩸽さかな", {{"𩸽", nullptr}}},
      {"人魚", "に鮫", {{"人魚", nullptr}}},
  };
  for (const auto& c : cases) {
    std::vector<RunPart> expected;
    for (const Part& p : c.parts) {
      expected.push_back({Utf8ToText(p.text),
                          p.reading ? std::optional<Text>(Utf8ToText(p.reading)) : std::nullopt});
    }
    EXPECT_EQ(SplitAtUnreadKanji(Utf8ToText(c.run), Utf8ToText(c.reading)), expected) << c.run;
  }
}

}  // namespace
}  // namespace yomika
