#include <gtest/gtest.h>

#include "reading/reading_rules.h"

namespace yomika {
namespace {

struct NumberCase {
  const char* numerals;
  const char* reading;  // nullptr: not a number
};

class ReadKanjiNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadKanjiNumberTest, ReadsWholeNumber) {
  const NumberCase& c = GetParam();
  const auto reading = ReadKanjiNumber(Utf8ToText(c.numerals));
  if (!c.reading) {
    EXPECT_FALSE(reading.has_value());
  } else {
    EXPECT_EQ(reading, Utf8ToText(c.reading));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadKanjiNumberTest,
    ::testing::Values(
        // normal
        NumberCase{"三", "さん"}, NumberCase{"二十五", "にじゅうご"},
        NumberCase{"三百", "さんびゃく"}, NumberCase{"六百", "ろっぴゃく"},
        NumberCase{"八千", "はっせん"}, NumberCase{"三千", "さんぜん"},
        NumberCase{"一万二千", "いちまんにせん"}, NumberCase{"十兆", "じゅっちょう"},
        // edge: positional writing
        NumberCase{"二〇一九", "にせんじゅうきゅう"}, NumberCase{"〇", "ぜろ"},
        // bad input
        NumberCase{"三本", nullptr}, NumberCase{"", nullptr}, NumberCase{"12", nullptr}));

struct CountCase {
  std::uint64_t value;
  const char* number;
  const char* counter;
  const char* expected;  // "number+counter"; nullptr: not a counter
};

class ReadCountedTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(ReadCountedTest, AppliesSoundChanges) {
  const CountCase& c = GetParam();
  const auto counted = ReadCounted(c.value, Utf8ToText(c.number), Utf8ToText(c.counter));
  if (!c.expected) {
    EXPECT_FALSE(counted.has_value());
    return;
  }
  ASSERT_TRUE(counted.has_value());
  EXPECT_EQ(ToQString(counted->number + U"+" + counted->counter).toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadCountedTest,
    ::testing::Values(
        // normal
        CountCase{3, "さん", "本", "さん+ぼん"}, CountCase{1, "いち", "本", "いっ+ぽん"},
        CountCase{6, "ろく", "杯", "ろっ+ぱい"}, CountCase{8, "はち", "回", "はっ+かい"},
        CountCase{10, "じゅう", "冊", "じゅっ+さつ"}, CountCase{1, "いち", "ヶ月", "いっ+かげつ"},
        CountCase{3, "さん", "階", "さん+がい"}, CountCase{5, "ご", "本", "ご+ほん"},
        // edge: irregular and old-style numbers
        CountCase{1, "いち", "人", "+ひとり"}, CountCase{2, "に", "人", "+ふたり"},
        CountCase{4, "よん", "人", "よ+にん"}, CountCase{2, "に", "日", "+ふつか"},
        CountCase{20, "にじゅう", "日", "+はつか"}, CountCase{9, "きゅう", "時", "く+じ"},
        CountCase{4, "よん", "月", "し+がつ"}, CountCase{0, "なん", "匹", "なん+びき"},
        CountCase{11, "じゅういち", "人", "じゅういち+にん"},
        CountCase{20, "にじゅう", "歳", "+はたち"}, CountCase{20, "にじゅう", "才", "+はたち"},
        CountCase{1, "いち", "小節", "いっ+しょうせつ"},
        // bad input: not a counter
        CountCase{3, "さん", "猫", nullptr}));

// Every day with a native reading, and neighbours without one.
TEST(ReadCountedTest, DaysOfTheMonth) {
  const std::pair<const char*, const char*> days[] = {
      {"一", "いち+にち"},         {"二", "+ふつか"},   {"三", "+みっか"},
      {"四", "+よっか"},           {"五", "+いつか"},   {"六", "+むいか"},
      {"七", "+なのか"},           {"八", "+ようか"},   {"九", "+ここのか"},
      {"十", "+とおか"},           {"十一", "じゅういち+にち"}, {"十四", "じゅう+よっか"},
      {"二十", "+はつか"},         {"二十四", "にじゅう+よっか"}, {"三十", "さんじゅう+にち"},
  };
  for (const auto& [numerals, expected] : days) {
    const Text number = Utf8ToText(numerals);
    const std::optional<CountedReading> counted =
        ReadCounted(*NumberValue(number), *ReadKanjiNumber(number), U"日");
    ASSERT_TRUE(counted.has_value()) << numerals;
    EXPECT_EQ(ToQString(counted->number + U"+" + counted->counter).toStdString(), expected)
        << numerals;
  }
}

TEST(ReadCountedTest, TheFirstOfAMonth) {
  // 四月一日: ついたち; the other native days read alike as days of the month.
  EXPECT_EQ(ReadCounted(1, U"いち", U"日", true), (CountedReading{U"", U"ついたち"}));
  EXPECT_EQ(ReadCounted(7, U"なな", U"日", true), (CountedReading{U"", U"なのか"}));
  EXPECT_EQ(ReadCounted(31, U"さんじゅういち", U"日", true),
            (CountedReading{U"さんじゅういち", U"にち"}));
}

TEST(NumberValueTest, ReadsKanjiAndDigits) {
  EXPECT_EQ(NumberValue(Utf8ToText("三百二十五")), 325u);
  EXPECT_EQ(NumberValue(Utf8ToText("３２")), 32u);
  EXPECT_EQ(NumberValue(Utf8ToText("十")), 10u);
  EXPECT_EQ(NumberValue(Utf8ToText("五万")), 50000u);
  EXPECT_EQ(NumberValue(Utf8ToText("三x")), std::nullopt);
  // units out of order are no number (百千万劫)
  EXPECT_EQ(NumberValue(Utf8ToText("百千万")), std::nullopt);
  EXPECT_EQ(NumberValue(Utf8ToText("万億")), std::nullopt);
  EXPECT_EQ(NumberValue(Utf8ToText("千百")), 1100u);
}

}  // namespace
}  // namespace yomika
