#include "reading/unihan.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace yomika {
namespace {

TEST(UnihanTest, RomajiToHiragana) {
  const std::pair<const char*, const char*> cases[] = {
      {"KOU", "こう"},      {"TAKAI", "たかい"}, {"SHUTSU", "しゅつ"},  {"KITTE", "きって"},
      {"MATCHI", "まっち"}, {"KANJI", "かんじ"}, {"ANNAI", "あんない"}, {"KYOU", "きょう"},
      {"HUKAI", "ふかい"},  {"SHYUU", "しゅう"}, {"WO", "を"},          {"N", "ん"},
      {"XYZ", nullptr},     {"KA-", nullptr},    {"", nullptr},         {"kou", nullptr},
  };
  for (const auto& [romaji, kana] : cases) {
    const std::optional<Text> got = RomajiToHiragana(romaji);
    if (!kana) {
      EXPECT_FALSE(got.has_value()) << romaji;
    } else {
      EXPECT_EQ(got, Utf8ToText(kana)) << romaji;
    }
  }
}

void Write(const QString& path, const char* text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

TEST(UnihanTest, ReadsPlainFiles) {
  QTemporaryDir dir;
  Write(dir.filePath(QStringLiteral("Unihan_Readings.txt")),
        "# comment\nU+9AD9\tkDefinition\thigh, tall\nU+9AD9\tkJapaneseKun\tTAKAI TAKASA\n"
        "U+9AD9\tkJapaneseOn\tKOU\nU+9AD9\tkMandarin\tgao\nU+5D0E\tkJapaneseOn\tKI");
  Write(dir.filePath(QStringLiteral("Unihan_Variants.txt")),
        "U+FA11\tkSemanticVariant\tU+57FC U+5D0E<kMorohashi:Z\nU+FA11\tkSpoofingVariant\t"
        "U+4E00\nU+FA11\tkZVariant\tU+5D0E\n");
  const Unihan unihan(dir.path());
  EXPECT_EQ(unihan.JapaneseReadings(U'髙'), (std::vector<Text>{U"こう", U"たかい", U"たかさ"}));
  EXPECT_EQ(unihan.OnReadingCount(U'髙'), 1u);
  EXPECT_EQ(unihan.JapaneseReadings(U'崎'), std::vector<Text>{U"き"});  // last line unended
  EXPECT_TRUE(unihan.JapaneseReadings(U'高').empty());
  // Z-variants first, each variant once, spoofing variants not at all.
  EXPECT_EQ(unihan.Variants(U'﨑'), (std::vector<char32_t>{U'崎', U'埼'}));
  EXPECT_TRUE(Unihan(dir.filePath(QStringLiteral("missing"))).Variants(U'﨑').empty());
}

// The Debian files themselves (compressed).
TEST(UnihanTest, DebianFiles) {
  const Unihan unihan;
  const std::vector<Text>& readings = unihan.JapaneseReadings(U'髙');
  ASSERT_FALSE(readings.empty());
  EXPECT_EQ(readings.front(), U"こう");
  const std::vector<char32_t> variants = unihan.Variants(U'髙');
  EXPECT_NE(std::find(variants.begin(), variants.end(), U'高'), variants.end());
}

}  // namespace
}  // namespace yomika
