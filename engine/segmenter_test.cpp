#include "engine/segmenter.h"

#include <gtest/gtest.h>

#include "tests/engine_test_util.h"
#include "tests/fake_reading_service.h"

namespace yomika {
namespace {

using testing::FakeReadingService;
using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

struct Lookup {
  const char* text;
  const char* reading;
};

struct SegmentCase {
  const char* name;
  const char* working;  // terminator included
  std::vector<Lookup> readings;
  const char* expected_body;
  std::vector<const char*> expected_lookups;
};

// Lookups answer with the scripted readings; everything else fails the test's conversion.
Outcome<QString> Segment(const char* working, const std::vector<Lookup>& readings,
                      FakeReadingService& service, const EngineSettings& settings) {
  for (const auto& r : readings) service.Answer(Q(r.text), Q(r.reading));
  return SegmentText(Utf8ToText(working), service, settings, nullptr);
}

QStringList LookupsOf(const FakeReadingService& service) {
  QStringList lookups;
  for (const QString& call : service.calls()) {
    if (call.startsWith(QStringLiteral("GetPhonetic:"))) lookups.append(call.mid(12));
  }
  return lookups;
}

TEST(SegmenterTest, RunsLookupsAndCuts) {
  const SegmentCase cases[] = {
      {"worked example", "お金を払う。あ", {{"お金を", "おかねを"}, {"払う。", "はらう。"}},
       "お<ruby>金<rt>かね</rt></ruby>を<ruby>払<rt>はら</rt></ruby>う。",
       {"お金を", "払う。"}},
      {"text ends in kanji: nothing taken, terminator dropped", "漢字あ",
       {{"漢字", "かんじ"}}, "<ruby>漢字<rt>かんじ</rt></ruby>", {"漢字"}},
      {"text begins with kanji: no honorific", "金だあ", {{"金だ", "かねだ"}},
       "<ruby>金<rt>かね</rt></ruby>だ", {"金だ"}},
      {"お is copied once, not inside the element", "お茶あ", {{"お茶", "おちゃ"}},
       "お<ruby>茶<rt>ちゃ</rt></ruby>", {"お茶"}},
      {"ASCII after a run ends the tail", "本abcあ", {{"本", "ほん"}},
       "<ruby>本<rt>ほん</rt></ruby>abc", {"本"}},
      {"< is a break character: taken and cut off again", "本<b>あ", {{"本<", "ほん<"}},
       "<ruby>本<rt>ほん</rt></ruby><b>", {"本<"}},
      {"> is not taken", "本>あ", {{"本", "ほん"}}, "<ruby>本<rt>ほん</rt></ruby>>", {"本"}},
      {"half-width katakana end the tail", "本ｶﾅあ", {{"本", "ほん"}},
       "<ruby>本<rt>ほん</rt></ruby>ｶﾅ", {"本"}},
      {"the tail stops before the next kanji", "見た目あ",
       {{"見た", "みた"}, {"目", "め"}},
       "<ruby>見<rt>み</rt></ruby>た<ruby>目<rt>め</rt></ruby>", {"見た", "目"}},
      {"人々 is one run", "人々はあ", {{"人々は", "ひとびとは"}},
       "<ruby>人々<rt>ひとびと</rt></ruby>は", {"人々は"}},
      {"々 after kana travels in the tail", "時あ々あ", {{"時あ々", "ときあ々"}},
       "<ruby>時<rt>とき</rt></ruby>あ々", {"時あ々"}},
      {"三ヶ月 is one run", "三ヶ月だあ", {{"三ヶ月だ", "さんかげつだ"}},
       "<ruby>三ヶ月<rt>さんかげつ</rt></ruby>だ", {"三ヶ月だ"}},
      {"level-2 kanji get ruby", "濾過あ", {{"濾過", "ろか"}},
       "<ruby>濾過<rt>ろか</rt></ruby>", {"濾過"}},
      {"a surrogate pair is never split", "𠮷野家あ", {{"𠮷野家", "よしのや"}},
       "<ruby>𠮷野家<rt>よしのや</rt></ruby>", {"𠮷野家"}},
      {"kanji inside a tag attribute get ruby too", "<img alt=\"花\">あ", {{"花", "はな"}},
       "<img alt=\"<ruby>花<rt>はな</rt></ruby>\">", {"花"}},
      {"line break: CR ends the tail", "本\r\n木あ", {{"本", "ほん"}, {"木", "き"}},
       "<ruby>本<rt>ほん</rt></ruby>\r\n<ruby>木<rt>き</rt></ruby>", {"本", "木"}},
      {"inserted <br> is lent and cut off", "本<br>\r\nあ", {{"本<", "ほん<"}},
       "<ruby>本<rt>ほん</rt></ruby><br>\r\n", {"本<"}},
      {"reading as long as the tail gives an empty reading", "本をあ", {{"本を", "を"}},
       "<ruby>本<rt></rt></ruby>を", {"本を"}},
      {"honorific cut from an empty reading", "お本をあ", {{"お本を", "おを"}},
       "お<ruby>本<rt></rt></ruby>を", {"お本を"}},
      {"the tail takes full-width symbols and kana up to the break", "本「だ」、ねあ",
       {{"本「だ」、", "ほん「だ」、"}}, "<ruby>本<rt>ほん</rt></ruby>「だ」、ね",
       {"本「だ」、"}},
      {"a variation selector stays in its run", "葛\U000E0100城だあ",
       {{"葛\U000E0100城だ", "かつらぎだ"}}, "<ruby>葛\U000E0100城<rt>かつらぎ</rt></ruby>だ",
       {"葛\U000E0100城だ"}},
      {"a kanji read as itself gets no ruby", "𩸽を焼くあ", {{"𩸽を", "𩸽を"}, {"焼く", "やく"}},
       "𩸽を<ruby>焼<rt>や</rt></ruby>く", {"𩸽を", "焼く"}},
      {"only the unread part of a run stays bare", "お人𩸽々だあ", {{"お人𩸽々だ", "おひと𩸽々だ"}},
       "お<ruby>人<rt>ひと</rt></ruby>𩸽々だ", {"お人𩸽々だ"}},
      {"no kanji: no lookup", "かなだけ。あ", {}, "かなだけ。", {}},
      {"terminator alone: empty body", "あ", {}, "", {}},
  };
  for (const auto& c : cases) {
    FakeReadingService service;
    const Outcome<QString> body = Segment(c.working, c.readings, service, SettingsWith({}));
    ASSERT_TRUE(body) << c.name << ": " << body.reason().toStdString();
    EXPECT_EQ(Utf8(*body), c.expected_body) << c.name;
    QStringList expected_lookups;
    for (const char* l : c.expected_lookups) expected_lookups.append(Q(l));
    EXPECT_EQ(LookupsOf(service), expected_lookups) << c.name;
  }
}

TEST(SegmenterTest, EachUnreadKanjiIsNamedOnce) {
  FakeReadingService service;
  for (const char* run : {"𩸽", "人𩸽鱈"}) service.Answer(Q(run), Q(run));
  QStringList warnings;
  const Outcome<QString> body =
      SegmentText(Utf8ToText("𩸽a人𩸽鱈あ"), service, SettingsWith({}), nullptr,
                  [&](const QString& warning) { warnings.append(warning); });
  ASSERT_TRUE(body);
  EXPECT_EQ(Utf8(*body), "𩸽a人𩸽鱈");
  ASSERT_EQ(warnings.size(), 3);
  EXPECT_TRUE(warnings[0].contains(Q("「𩸽」")));
  EXPECT_TRUE(warnings[1].contains(Q("「人」")));
  EXPECT_TRUE(warnings[2].contains(Q("「鱈」")));
}

TEST(SegmenterTest, EveryLookupIsOpenGetPhoneticClose) {
  FakeReadingService service;
  ASSERT_TRUE(Segment("本と木あ", {{"本と", "ほんと"}, {"木", "き"}}, service, SettingsWith({})));
  EXPECT_EQ(service.calls(), (QStringList{Q("Open"), Q("GetPhonetic:本と"), Q("Close"),
                                          Q("Open"), Q("GetPhonetic:木"), Q("Close")}));
}

TEST(SegmenterTest, FailuresEndThePass) {
  struct FailCase {
    const char* name;
    std::vector<Lookup> readings;
    bool fail_open;
    bool fail_close;
    QStringList expected_calls;
  };
  const FailCase cases[] = {
      {"open fails", {}, true, false, {Q("Open")}},
      {"lookup fails: no Close", {}, false, false, {Q("Open"), Q("GetPhonetic:本を")}},
      {"empty reading: closed, then failure", {{"本を", ""}}, false, false,
       {Q("Open"), Q("GetPhonetic:本を"), Q("Close")}},
      {"reading shorter than the tail", {{"本を", ""}}, false, false,
       {Q("Open"), Q("GetPhonetic:本を"), Q("Close")}},
      {"close fails", {{"本を", "ほんを"}}, false, true,
       {Q("Open"), Q("GetPhonetic:本を"), Q("Close")}},
  };
  for (const auto& c : cases) {
    FakeReadingService service;
    service.FailOpen(c.fail_open);
    service.FailClose(c.fail_close);
    EXPECT_FALSE(Segment("本をあ", c.readings, service, SettingsWith({}))) << c.name;
    EXPECT_EQ(service.calls(), c.expected_calls) << c.name;
  }
}

TEST(SegmenterTest, ReadingShorterThanItsTailFails) {
  FakeReadingService service;
  const Outcome<QString> body = Segment("本です。あ", {{"本です。", "す。"}}, service, SettingsWith({}));
  ASSERT_FALSE(body);
  EXPECT_TRUE(body.reason().contains(Q("本です。")));
}

TEST(SegmenterTest, UnreadableRubySettingFailsOnlyWhenARunIsFlushed) {
  const EngineSettings bad = SettingsWith({{"RUBY/RUBYSTRING", "abc"}});
  FakeReadingService service;
  EXPECT_TRUE(Segment("かなあ", {}, service, bad));
  EXPECT_FALSE(Segment("本あ", {{"本", "ほん"}}, service, bad));
}

TEST(SegmenterTest, TextWithoutTerminatorIsRefused) {
  FakeReadingService service;
  EXPECT_FALSE(Segment("本", {{"本", "ほん"}}, service, SettingsWith({})));
}

TEST(SegmenterTest, ProgressClimbsTowardsNinetyPercent) {
  FakeReadingService service;
  service.Answer(Q("本"), Q("ほん"));
  std::vector<float> fractions;
  const Text working = Utf8ToText("ab本あ");
  ASSERT_TRUE(SegmentText(working, service, SettingsWith({}),
                          [&](float f) { fractions.push_back(f); }));
  // One report per iteration at positions 1, 2, 3 and 4 (the flush at the terminator).
  ASSERT_EQ(fractions.size(), 4u);
  for (std::size_t i = 0; i < fractions.size(); ++i) {
    const double position = static_cast<double>(i + 1);
    EXPECT_EQ(fractions[i], static_cast<float>(position / 4.0 / 100.0 * 90.0));
  }
  EXPECT_FLOAT_EQ(fractions.back(), 0.9f);
}

}  // namespace
}  // namespace yomika
