#include "engine/conversion.h"

#include <gtest/gtest.h>

#include "engine/document.h"
#include "tests/engine_test_util.h"
#include "tests/fake_reading_service.h"

namespace yomika {
namespace {

using testing::FakeReadingService;
using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

TEST(ConversionTest, FreshStoreGivesColourTagsLowerCaseAndLineBreakTags) {
  FakeReadingService service;
  service.Answer(Q("漢字<"), Q("かんじ<"));
  InputText input = PlainInput(Q("漢字\r\nかな"));
  input.colours[5] = 0x0000FF;  // な
  const Outcome<QString> body = ConvertToBody(input, service, SettingsWith({}), nullptr);
  ASSERT_TRUE(body) << body.reason().toStdString();
  // The "<" of the inserted <br> is lent to the lookup and cut off again.
  EXPECT_EQ(Utf8(*body),
            "<font color=\"#000000\"><ruby>漢字<rt>かんじ</rt></ruby><br>\r\nか"
            "</font><font color=\"#ff0000\">な</font>");
  EXPECT_EQ(Utf8(service.hint()),
            "<font color=\"#000000\">漢字<br>\r\nか</font><font color=\"#ff0000\">な</font>あ");
}

TEST(ConversionTest, SettingsSteerEveryStage) {
  const struct {
    const char* name;
    testing::KeyValues settings;
    const char* text;
    const char* expected;
  } cases[] = {
      {"colour tags off, no line break conversion",
       {{"Default/CreateColor", "0"}, {"Default/Convert", "0"}}, "本\r\nか",
       "<ruby>本<rt>ほん</rt></ruby>\r\nか"},
      {"a flag holding 2 is off", {{"Default/CreateColor", "2"}, {"Default/Convert", "1"}},
       "本\r\nか", "<ruby>本<rt>ほん</rt></ruby><br>か"},
      {"upper case everywhere but the last closing font tag",
       {{"Default/alphabet", "5"}, {"Default/Convert", "1"}}, "本\r\nか",
       "<FONT COLOR=\"#000000\"><RUBY>本<RT>ほん</RT></RUBY><BR>か</font>"},
      {"empty input with colour tags", {}, "", "</font>"},
      {"empty input without colour tags", {{"Default/CreateColor", "0"}}, "", ""},
  };
  for (const auto& c : cases) {
    FakeReadingService service;
    service.Answer(Q("本"), Q("ほん"));
    service.Answer(Q("本<"), Q("ほん<"));
    const Outcome<QString> body =
        ConvertToBody(PlainInput(Q(c.text)), service, SettingsWith(c.settings), nullptr);
    ASSERT_TRUE(body) << c.name << ": " << body.reason().toStdString();
    EXPECT_EQ(Utf8(*body), c.expected) << c.name;
  }
}

TEST(ConversionTest, UnreadableSwitchesFailBeforeAnyLookup) {
  for (const char* key : {"Default/CreateColor", "Default/Convert"}) {
    FakeReadingService service;
    const Outcome<QString> body =
        ConvertToBody(PlainInput(Q("本")), service, SettingsWith({{key, "abc"}}), nullptr);
    ASSERT_FALSE(body) << key;
    EXPECT_TRUE(body.reason().contains(Q(key)));
    EXPECT_TRUE(service.calls().isEmpty());
  }
}

TEST(ConversionTest, TextWithoutKanjiNeverReachesTheService) {
  FakeReadingService service;
  ASSERT_TRUE(ConvertToBody(PlainInput(Q("ひらがなとABC")), service, SettingsWith({}), nullptr));
  EXPECT_TRUE(service.calls().isEmpty());
}

}  // namespace
}  // namespace yomika
