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

// Every day with a native reading, as a day of the month (四月一日) and counted (一日).
struct DayCase {
  std::uint64_t value;
  const char* number;
  const char* day_of_month;
  const char* counted;
};

class NativeDayTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(NativeDayTest, ReadsEachDay) {
  const DayCase& c = GetParam();
  for (const bool of_month : {true, false}) {
    const auto counted = ReadCounted(c.value, Utf8ToText(c.number), U"日", of_month);
    ASSERT_TRUE(counted.has_value());
    EXPECT_EQ(ToQString(counted->number + counted->counter).toStdString(),
              of_month ? c.day_of_month : c.counted);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NativeDayTest,
    ::testing::Values(DayCase{1, "いち", "ついたち", "いちにち"},
                      DayCase{2, "に", "ふつか", "ふつか"}, DayCase{3, "さん", "みっか", "みっか"},
                      DayCase{4, "よん", "よっか", "よっか"}, DayCase{5, "ご", "いつか", "いつか"},
                      DayCase{6, "ろく", "むいか", "むいか"},
                      DayCase{7, "なな", "なのか", "なのか"},
                      DayCase{8, "はち", "ようか", "ようか"},
                      DayCase{9, "きゅう", "ここのか", "ここのか"},
                      DayCase{10, "じゅう", "とおか", "とおか"},
                      DayCase{11, "じゅういち", "じゅういちにち", "じゅういちにち"},
                      DayCase{14, "じゅうよん", "じゅうよっか", "じゅうよっか"},
                      DayCase{20, "にじゅう", "はつか", "はつか"},
                      DayCase{24, "にじゅうよん", "にじゅうよっか", "にじゅうよっか"}));

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
