#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QFile>
#include <QStringEncoder>

#include "reading/reading_kanjidic.h"

namespace yomika {
namespace {

struct LineCase {
  const char* line;
  const char* kanji;    // nullptr: no entry
  const char* reading;
};

class ParseKanjidicLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseKanjidicLineTest, TakesOnReadingThenKunStem) {
  const LineCase& c = GetParam();
  const auto entry = ParseKanjidicLine(QString::fromUtf8(c.line));
  if (!c.kanji) {
    EXPECT_FALSE(entry.has_value());
    return;
  }
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->first, Utf8ToText(c.kanji).front());
  EXPECT_EQ(entry->second, Utf8ToText(c.reading));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseKanjidicLineTest,
    ::testing::Values(
        // normal
        LineCase{"亜 3021 U4e9c B1 G8 ア つ.ぐ T1 や つぎ {Asia}", "亜", "あ"},
        LineCase{"吋 3125 U540b B30 トウ ドウ スン インチ {inch}", "吋", "とう"},
        // edge: kun only, with okurigana and affix marks; name readings are not used
        LineCase{"込 3925 U8fbc B162 -こ.む こ.む {crowded}", "込", "こ"},
        LineCase{"畑 4841 U7551 B102 はた はたけ -ばた {farm}", "畑", "はた"},
        LineCase{"乄 3B3F U4e44 B4 T1 しめ {closing}", nullptr, nullptr},
        // bad input
        LineCase{"# KANJIDIC comment", nullptr, nullptr}, LineCase{"", nullptr, nullptr},
        LineCase{"漢字 1234 カン", nullptr, nullptr}));

TEST(KanjidicReadingsTest, ReadsEucJpFileOnFirstUse) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kanjidic"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QStringEncoder encoder("EUC-JP");
  ASSERT_TRUE(encoder.isValid());
  const QByteArray bytes =
      encoder.encode(QStringLiteral("# comment\n鬱 455D U9b31 B192 ウツ ふさ.ぐ {gloom}\n"));
  file.write(bytes);
  file.close();
  KanjidicReadings readings(path);
  EXPECT_EQ(readings.ReadingOf(U'鬱'), Utf8ToText("うつ"));
  EXPECT_EQ(readings.ReadingOf(U'漢'), std::nullopt);
}

TEST(KanjidicReadingsTest, FindsLinesByCodeFieldOrHead) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kanjidic"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QStringEncoder encoder("EUC-JP");
  // 亜 has no U field; 畑 is listed twice, only the second line has a reading.
  file.write(encoder.encode(QStringLiteral("亜 3021 B1 ア つ.ぐ\n"
                                           "畑 4841 U7551 B102 T1 はた\n"
                                           "畑 4841 U7551 B102 はた はたけ\n"
                                           "鬱 455D U9b31 B192 ウツ {gloom}")));
  file.close();
  KanjidicReadings readings(path);
  EXPECT_EQ(readings.ReadingOf(U'亜'), Utf8ToText("あ"));
  EXPECT_EQ(readings.ReadingOf(U'畑'), Utf8ToText("はた"));
  EXPECT_EQ(readings.ReadingOf(U'鬱'), Utf8ToText("うつ"));  // last line, no line end
  EXPECT_EQ(readings.ReadingOf(U'漢'), std::nullopt);
}

TEST(KanjidicReadingsTest, MissingFileGivesNothing) {
  KanjidicReadings readings(QStringLiteral("/nonexistent/kanjidic"));
  EXPECT_FALSE(readings.Available());
  EXPECT_EQ(readings.ReadingOf(U'鬱'), std::nullopt);
}

}  // namespace
}  // namespace yomika
