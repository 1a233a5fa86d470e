#include "colourdialog/named_colours.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <map>

#include "colourdialog/colour_model.h"
#include "colourdialog/qstring_printer.h"

namespace yomika {
namespace {

// ---- normal: the table as the list shows it ----

TEST(NamedColours, HasAllRowsInListOrder) {
  ASSERT_EQ(NamedColourRows().size(), static_cast<std::size_t>(kNamedColourCount));
  struct Case {
    int index;
    const char* row;
  };
  const Case cases[] = {
      {0, "#000000 black"},       {1, "#000080 navy"},           {15, "#00FFFF aqua"},
      {56, "#94OOD3 darkviolet"}, {69, "#B8860B darkgoldenrod"}, {124, "#FFDEAD novajowhite"},
      {111, "#FF00FF fuchsia"},   {139, "#FFFFFF white"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NamedColourRowText(c.index), QLatin1String(c.row)) << c.index;
  }
}

TEST(NamedColours, EveryRowIsHashSixCharactersBlankName) {
  const QRegularExpression shape(QStringLiteral("^#[0-9A-FO]{6} [a-z]+$"));
  for (int i = 0; i < kNamedColourCount; ++i) {
    EXPECT_TRUE(shape.match(NamedColourRowText(i)).hasMatch()) << i;
  }
}

TEST(NamedColours, NamesAreUniqueAndOnlyTwoCodesRepeat) {
  QSet<QString> names;
  std::map<QString, QStringList> names_by_code;
  for (int i = 0; i < kNamedColourCount; ++i) {
    const QString row = NamedColourRowText(i);
    names.insert(NamedColourName(row).toString());
    names_by_code[NamedColourCode(row).toString()].append(NamedColourName(row).toString());
  }
  EXPECT_EQ(names.size(), kNamedColourCount);
  std::map<QString, QStringList> repeated;
  for (const auto& [code, list] : names_by_code) {
    if (list.size() > 1) repeated[code] = list;
  }
  const std::map<QString, QStringList> expected = {
      {QStringLiteral("#00FFFF"), {QStringLiteral("cyan"), QStringLiteral("aqua")}},
      {QStringLiteral("#FF00FF"), {QStringLiteral("magenta"), QStringLiteral("fuchsia")}},
  };
  EXPECT_EQ(repeated, expected);
}

// Every regular row reads back to its own code; only the darkviolet row, with letters O in its
// green pair, does not (its green reads as 0).
TEST(NamedColours, CodesReadBackExceptTheLetterORow) {
  for (int i = 0; i < kNamedColourCount; ++i) {
    const QString code = NamedColourCode(NamedColourRowText(i)).toString();
    const QString rebuilt = HexColourText(HexPairValue(QStringView(code).mid(1, 2)),
                                          HexPairValue(QStringView(code).mid(3, 2)),
                                          HexPairValue(QStringView(code).mid(5, 2)));
    if (i == 56) {
      EXPECT_EQ(rebuilt, QStringLiteral("#9400D3"));
    } else {
      EXPECT_EQ(rebuilt, code) << i;
    }
  }
}

// ---- edge / bad input ----

TEST(NamedColours, RowPartsAndOutOfRangeIndex) {
  struct Case {
    const char* row;
    const char* code;
    const char* name;
  };
  const Case cases[] = {
      {"#FFDEAD novajowhite", "#FFDEAD", "novajowhite"},
      {"#94OOD3 darkviolet", "#94OOD3", "darkviolet"},
      {"#12", "#12", ""},  // too short: no name, no crash
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const QString row = QLatin1String(c.row);
    EXPECT_EQ(NamedColourCode(row), QLatin1String(c.code)) << c.row;
    EXPECT_EQ(NamedColourName(row), QLatin1String(c.name)) << c.row;
  }
  EXPECT_TRUE(NamedColourRowText(-1).isEmpty());
  EXPECT_TRUE(NamedColourRowText(kNamedColourCount).isEmpty());
}

}  // namespace
}  // namespace yomika
