#include "colourdialog/colour_model.h"

#include <gtest/gtest.h>

#include "colourdialog/qstring_printer.h"

namespace yomika {
namespace {

QString Q(const char* latin1) { return QLatin1String(latin1); }

// What the dialog shows: the three bars, the three fields, the hex text and the swatch.
struct Shown {
  int r, g, b;
  const char* fields[3];
  const char* hex;
};

void ExpectShows(const ColourModel& m, const Shown& s, const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(m.ScrollValue(0), s.r);
  EXPECT_EQ(m.ScrollValue(1), s.g);
  EXPECT_EQ(m.ScrollValue(2), s.b);
  for (int i = 0; i < kChannelCount; ++i) EXPECT_EQ(m.FieldText(i), Q(s.fields[i])) << i;
  EXPECT_EQ(m.HexText(), Q(s.hex));
  // The swatch always follows the bars, whatever the fields or the hex text say.
  EXPECT_EQ(m.Swatch(), PackColour(s.r, s.g, s.b));
}

// ---- HexPairValue / HexPair ----

TEST(HexPairValue, Table) {
  struct Case {
    const char16_t* pair;
    int value;
  };
  const Case cases[] = {
      // normal
      {u"00", 0},
      {u"0B", 11},
      {u"0F", 15},
      {u"10", 16},
      {u"94", 148},
      {u"D3", 211},
      {u"FF", 255},
      // edge: capital letter O is not a digit, so the darkviolet green pair reads 0
      {u"OO", 0},
      {u"0O", 0},
      {u"O0", 0},
      // bad input: lower case, wrong length, other characters, full-width digits
      {u"0b", 0},
      {u"ff", 0},
      {u"F", 0},
      {u"", 0},
      {u"FFF", 0},
      {u"G0", 0},
      {u" F", 0},
      {u"-1", 0},
      {u"０F", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexPairValue(QStringView(c.pair)), c.value)
        << QString::fromUtf16(c.pair).toStdString();
  }
}

TEST(HexPair, TwoUpperCaseDigits) {
  struct Case {
    int value;
    const char* text;
  };
  const Case cases[] = {
      {0, "00"},  {10, "0A"},  {15, "0F"}, {16, "10"}, {171, "AB"}, {255, "FF"},  // normal
      {-1, "00"}, {256, "FF"},                                                    // clamped
  };
  for (const Case& c : cases) EXPECT_EQ(HexPair(c.value), Q(c.text)) << c.value;
}

TEST(ChannelFieldValue, Table) {
  struct Case {
    const char16_t* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      // normal
      {u"0", 0},
      {u"7", 7},
      {u"128", 128},
      {u"255", 255},
      // edge: leading zeros
      {u"007", 7},
      {u"000", 0},
      {u"0255", 255},
      // bad input: out of range, signs, letters, blanks, full-width digits, huge runs
      {u"", std::nullopt},
      {u"256", std::nullopt},
      {u"300", std::nullopt},
      {u"-5", std::nullopt},
      {u"+5", std::nullopt},
      {u"1a", std::nullopt},
      {u"abc", std::nullopt},
      {u" 7", std::nullopt},
      {u"7 ", std::nullopt},
      {u"１２", std::nullopt},
      {u"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChannelFieldValue(QStringView(c.text)), c.value)
        << QString::fromUtf16(c.text).toStdString();
  }
}

TEST(PackColour, RedInTheLowByte) {
  EXPECT_EQ(PackColour(0, 128, 0), Colour{32768});
  EXPECT_EQ(PackColour(0x12, 0x34, 0x56), Colour{0x563412});
  EXPECT_EQ(ChannelOf(0x563412, 0), 0x12);
  EXPECT_EQ(ChannelOf(0x563412, 2), 0x56);
  EXPECT_EQ(ChannelOf(0xFF563412, 3), 0);  // no fourth channel
}

// ---- opening ----

TEST(ColourModelOpening, StartsFromTheSelectionColour) {
  struct Case {
    std::optional<Colour> start;
    Shown shown;
  };
  const Case cases[] = {
      // normal
      {Colour{32768}, {0, 128, 0, {"0", "128", "0"}, "#008000"}},
      {Colour{0x0A0B0C}, {12, 11, 10, {"12", "11", "10"}, "#0C0B0A"}},
      {Colour{0xFFFFFF}, {255, 255, 255, {"255", "255", "255"}, "#FFFFFF"}},
      // edge: a selection of several colours has no colour and starts from black
      {std::nullopt, {0, 0, 0, {"0", "0", "0"}, "#000000"}},
      {Colour{0}, {0, 0, 0, {"0", "0", "0"}, "#000000"}},
      // bad input: a stray top byte is not part of the colour
      {Colour{0xFF000080}, {128, 0, 0, {"128", "0", "0"}, "#800000"}},
  };
  for (const Case& c : cases) {
    const ColourModel m(c.start);
    ExpectShows(m, c.shown, c.shown.hex);
  }
}

TEST(ColourModelOpening, ResultWithoutChangesIsTheStartColour) {
  EXPECT_EQ(ColourModel(Colour{32768}).Swatch(), Colour{32768});
  EXPECT_EQ(ColourModel(std::nullopt).Swatch(), Colour{0});
}

// ---- scroll-bar rule: bar -> swatch, fields, hex ----

TEST(ColourModelScrollBar, RebuildsSwatchFieldsAndHex) {
  struct Case {
    int channel;
    int value;
    bool changed;
    Shown shown;
  };
  const Case cases[] = {
      // normal, from black
      {0, 255, true, {255, 0, 0, {"255", "0", "0"}, "#FF0000"}},
      {1, 128, true, {0, 128, 0, {"0", "128", "0"}, "#008000"}},
      {2, 15, true, {0, 0, 15, {"0", "0", "15"}, "#00000F"}},
      {2, 16, true, {0, 0, 16, {"0", "0", "16"}, "#000010"}},
      {0, 10, true, {10, 0, 0, {"10", "0", "0"}, "#0A0000"}},
      // edge: no move, and values beyond the bar's ends
      {1, 0, false, {0, 0, 0, {"0", "0", "0"}, "#000000"}},
      {2, 300, true, {0, 0, 255, {"0", "0", "255"}, "#0000FF"}},
      {0, -4, false, {0, 0, 0, {"0", "0", "0"}, "#000000"}},
      // bad input: no such channel
      {3, 100, false, {0, 0, 0, {"0", "0", "0"}, "#000000"}},
      {-1, 100, false, {0, 0, 0, {"0", "0", "0"}, "#000000"}},
  };
  for (const Case& c : cases) {
    ColourModel m(std::nullopt);
    EXPECT_EQ(m.SetScrollValue(c.channel, c.value), c.changed);
    ExpectShows(m, c.shown, std::to_string(c.channel) + " <- " + std::to_string(c.value));
  }
}

TEST(ColourModelScrollBar, KeepsTheOtherChannels) {
  ColourModel m(Colour{0x563412});
  m.SetScrollValue(1, 0xFF);
  ExpectShows(m, {0x12, 0xFF, 0x56, {"18", "255", "86"}, "#12FF56"}, "green up");
}

// ---- value-field rule: field -> bar (-> swatch, hex) ----

TEST(ColourModelField, TypingMovesTheBarOrIsIgnored) {
  struct Case {
    std::optional<Colour> start;
    int channel;
    const char16_t* typed;
    Shown shown;
  };
  const Case cases[] = {
      // normal
      {std::nullopt, 1, u"255", {0, 255, 0, {"0", "255", "0"}, "#00FF00"}},
      {std::nullopt, 2, u"15", {0, 0, 15, {"0", "0", "15"}, "#00000F"}},
      {Colour{32768}, 1, u"16", {0, 16, 0, {"0", "16", "0"}, "#001000"}},
      // edge: leading zeros are read and then dropped when the bar rebuilds the field
      {std::nullopt, 0, u"007", {7, 0, 0, {"7", "0", "0"}, "#070000"}},
      {Colour{32768}, 1, u"0", {0, 0, 0, {"0", "0", "0"}, "#000000"}},
      // edge: the same value leaves the bar still, so nothing rebuilds the typed text
      {Colour{7}, 0, u"007", {7, 0, 0, {"007", "0", "0"}, "#070000"}},
      // bad input: kept in the field, changes nothing else
      {std::nullopt, 1, u"256", {0, 0, 0, {"0", "256", "0"}, "#000000"}},
      {std::nullopt, 1, u"abc", {0, 0, 0, {"0", "abc", "0"}, "#000000"}},
      {Colour{32768}, 1, u"", {0, 128, 0, {"0", "", "0"}, "#008000"}},
      {Colour{32768}, 1, u"300", {0, 128, 0, {"0", "300", "0"}, "#008000"}},
      {Colour{32768}, 1, u"-5", {0, 128, 0, {"0", "-5", "0"}, "#008000"}},
      {Colour{32768}, 1, u"1a", {0, 128, 0, {"0", "1a", "0"}, "#008000"}},
  };
  for (const Case& c : cases) {
    ColourModel m(c.start);
    m.SetFieldText(c.channel, QString::fromUtf16(c.typed));
    ExpectShows(m, c.shown, QString::fromUtf16(c.typed).toStdString());
  }
}

// Regression: text left in a field after being ignored must not survive the next bar move.
TEST(ColourModelField, IgnoredTextIsReplacedWhenAnyBarMoves) {
  ColourModel m(std::nullopt);
  m.SetFieldText(1, Q("256"));
  m.SetScrollValue(0, 1);
  ExpectShows(m, {1, 0, 0, {"1", "0", "0"}, "#010000"}, "after red moved");
}

// ---- named-colour rule: row -> bars, then hex text as the row has it ----

TEST(ColourModelNamed, RowSetsBarsAndShowsItsCodeAsItStands) {
  struct Case {
    const char* row;
    Shown shown;
  };
  const Case cases[] = {
      // normal
      {"#000080 navy", {0, 0, 128, {"0", "0", "128"}, "#000080"}},
      {"#B8860B darkgoldenrod", {184, 134, 11, {"184", "134", "11"}, "#B8860B"}},
      {"#FFDEAD novajowhite", {255, 222, 173, {"255", "222", "173"}, "#FFDEAD"}},
      {"#FFFFFF white", {255, 255, 255, {"255", "255", "255"}, "#FFFFFF"}},
      // edge: letters O read as green 0, but the text shows the row's own characters
      {"#94OOD3 darkviolet", {148, 0, 211, {"148", "0", "211"}, "#94OOD3"}},
      // bad input: a short row sets what it has and shows what it has
      {"#12", {18, 0, 0, {"18", "0", "0"}, "#12"}},
  };
  for (const Case& c : cases) {
    ColourModel m(Colour{0x808080});
    m.SelectNamedRow(Q(c.row));
    ExpectShows(m, c.shown, c.row);
  }
}

// Regression: a row equal to the current colour still shows its own code text.
TEST(ColourModelNamed, RowEqualToCurrentColourStillShowsItsText) {
  ColourModel m(PackColour(148, 0, 211));
  EXPECT_EQ(m.HexText(), Q("#9400D3"));
  m.SelectNamedRow(u"#94OOD3 darkviolet");
  EXPECT_EQ(m.HexText(), Q("#94OOD3"));
}

TEST(ColourModelNamed, NextBarMoveRebuildsTheHexText) {
  ColourModel m(std::nullopt);
  m.SelectNamedRow(u"#94OOD3 darkviolet");
  m.SetScrollValue(0, 149);
  ExpectShows(m, {149, 0, 211, {"149", "0", "211"}, "#9500D3"}, "red moved after darkviolet");
}

}  // namespace
}  // namespace yomika
