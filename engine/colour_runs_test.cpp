#include "engine/colour_runs.h"

#include <gtest/gtest.h>

#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::SettingsWith;
using testing::Utf8;

constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;  // 0x00BBGGRR

InputText Input(const char* utf8, std::vector<Colour> colours) {
  return InputText{Utf8ToText(utf8), std::move(colours)};
}

struct ColourCase {
  const char* name;
  InputText input;
  const char* alphabet;
  const char* expected;
};

TEST(ColourRunsTest, FontTagAtEveryColourChange) {
  const ColourCase cases[] = {
      {"uniform black", Input("ABC", {kBlack, kBlack, kBlack}), "0",
       "<font color=\"#000000\">ABC</font>あ"},
      {"red middle character", Input("ABC", {kBlack, kRed, kBlack}), "0",
       "<font color=\"#000000\">A</font><font color=\"#ff0000\">B"
       "</font><font color=\"#000000\">C</font>あ"},
      {"one-digit hex parts, red first", Input("X", {0x050A0F}), "0",
       "<font color=\"#0f0a05\">X</font>あ"},
      {"upper case: whole tag in capitals, last closing tag lower case",
       Input("AB", {kRed, kBlack}), "1",
       "<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#000000\">B</font>あ"},
      {"empty input", Input("", {}), "0", "</font>あ"},
      {"colour change between CR and LF", Input("A\r\nB", {kBlack, kBlack, kRed, kRed}), "0",
       "<font color=\"#000000\">A\r</font><font color=\"#ff0000\">\nB</font>あ"},
      {"a surrogate pair is one character with one colour",
       Input("𠮷a", {kRed, kBlack}), "0",
       "<font color=\"#ff0000\">𠮷</font><font color=\"#000000\">a</font>あ"},
  };
  for (const auto& c : cases) {
    const Outcome<Text> working =
        ApplyColourRuns(c.input, SettingsWith({{"Default/alphabet", c.alphabet}}));
    ASSERT_TRUE(working) << c.name;
    EXPECT_EQ(Utf8(*working), c.expected) << c.name;
  }
}

TEST(ColourRunsTest, UnreadableCaseFailsOnlyWhenATagIsWritten) {
  const EngineSettings bad = SettingsWith({{"Default/alphabet", "x"}});
  EXPECT_FALSE(ApplyColourRuns(Input("A", {kBlack}), bad));
  EXPECT_TRUE(ApplyColourRuns(Input("", {}), bad));
}

TEST(ColourRunsTest, MissingColoursCountAsBlack) {
  const Outcome<Text> working =
      ApplyColourRuns(Input("AB", {kRed}), SettingsWith({}));
  ASSERT_TRUE(working);
  EXPECT_EQ(Utf8(*working),
            "<font color=\"#ff0000\">A</font><font color=\"#000000\">B</font>あ");
}

}  // namespace
}  // namespace yomika
