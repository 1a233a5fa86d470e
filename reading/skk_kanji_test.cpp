#include "reading/skk_kanji.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace yomika {
namespace {

TEST(SkkKanjiTest, ParsesLinesWithoutOkurigana) {
  const struct {
    const char* line;
    const char* reading;  // "" : nothing taken
    std::u32string kanji;
  } cases[] = {
      {"はえ /拼/掽;木材や俵の山/縞𩸽/𩸽;通例「ほっけ」/", "はえ", U"拼掽𩸽"},
      {"ほっけ /𩸽/", "ほっけ", U"𩸽"},
      {"をはr /踆;‖ラ行五段[rt]/", "", U""},  // okurigana entry
      {"!? /⁉/", "", U""},
      {";; comment /亜/", "", U""},
      {"ほっけ", "", U""},
  };
  for (const auto& c : cases) {
    const auto [reading, kanji] = ParseSkkLine(Utf8ToText(c.line));
    EXPECT_EQ(reading, Utf8ToText(c.reading)) << c.line;
    EXPECT_EQ(Text(kanji.begin(), kanji.end()), c.kanji) << c.line;
  }
}

TEST(SkkKanjiTest, DecodesEucJis2004) {
  // 𩸽 is plane 2 (three bytes: 8F FE F0 is not it; plane 2 row 93 cell 44 is 8F FD CC),
  // 亜 plane 1; a stray byte becomes U+FFFD.
  EXPECT_EQ(DecodeEucJis2004(QByteArray("\xB0\xA1 \x8F\xFD\xCC\xFF"
                                        "a")),
            U"亜 𩸽\uFFFDa");
}

TEST(SkkKanjiTest, ReadingsListingTheKanjiFirstComeFirst) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("jisyo"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  // はえ /亜/唖/  ほっけ /唖/ in EUC-JIS-2004
  file.write("\xA4\xCF\xA4\xA8 /\xB0\xA1/\xB0\xA2/\n\xA4\xDB\xA4\xC3\xA4\xB1 /\xB0\xA2/\n");
  file.close();
  const SkkKanjiReadings readings(path);
  EXPECT_EQ(readings.ReadingsOf(U'唖'), (std::vector<Text>{U"ほっけ", U"はえ"}));
  EXPECT_EQ(readings.ReadingsOf(U'亜'), std::vector<Text>{U"はえ"});
  EXPECT_TRUE(readings.ReadingsOf(U'阿').empty());
  EXPECT_TRUE(SkkKanjiReadings(dir.filePath(QStringLiteral("none"))).ReadingsOf(U'亜').empty());
}

}  // namespace
}  // namespace yomika
