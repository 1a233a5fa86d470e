#include "reading/kanjidic2.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QTemporaryDir>
#include <string>

namespace yomika {
namespace {

Text T(const char* utf8) { return Utf8ToText(utf8); }

std::vector<Text> Ts(std::initializer_list<const char*> utf8) {
  std::vector<Text> out;
  for (const char* s : utf8) out.push_back(T(s));
  return out;
}

// One element as the file writes it, with the parts a reader must skip.
std::string Element(const char* literal, const char* ucs, const char* extra) {
  return std::string("<character>\n<literal>") + literal +
         "</literal>\n<codepoint>\n<cp_value cp_type=\"ucs\">" + ucs +
         "</cp_value>\n</codepoint>\n<reading_meaning>\n<rmgroup>\n"
         "<reading r_type=\"pinyin\">ya4</reading>\n<meaning>Asia</meaning>\n" +
         extra + "</rmgroup>\n</reading_meaning>\n</character>\n";
}

TEST(Kanjidic2Test, ParsesOneCharacter) {
  const std::string element =
      "<character>\n<literal>亜</literal>\n<misc>\n<grade>8</grade>\n"
      "<stroke_count>7</stroke_count>\n<variant var_type=\"jis208\">1-48-19</variant>\n"
      "<variant var_type=\"jis208\">1-17-64</variant>\n<variant var_type=\"ucs\">5a03</variant>\n"
      "<variant var_type=\"jis212\">1-17-64</variant>\n"
      "<variant var_type=\"nelson_c\">5008</variant>\n"
      "<freq>1509</freq>\n<jlpt>1</jlpt>\n</misc>\n<reading_meaning>\n<rmgroup>\n"
      "<reading r_type=\"korean_h\">아</reading>\n<reading r_type=\"ja_on\">ア</reading>\n"
      "<reading r_type=\"ja_on\">-ジ</reading>\n<reading r_type=\"ja_kun\">つ.ぐ</reading>\n"
      "<meaning m_lang=\"fr\">Asie</meaning>\n</rmgroup>\n<nanori>や</nanori>\n"
      "<nanori>つぎ</nanori>\n</reading_meaning>\n</character>";
  const std::optional<KanjiInfo> info = ParseKanjidic2Character(element);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->kanji, U'亜');
  EXPECT_EQ(info->on, Ts({"あ", "じ"}));
  EXPECT_EQ(info->kun, Ts({"つ.ぐ"}));
  EXPECT_EQ(info->nanori, Ts({"や", "つぎ"}));
  EXPECT_EQ(info->grade, 8);
  EXPECT_EQ(info->frequency, 1509);
  EXPECT_EQ(info->jlpt, 1);
  // JIS X 0208 codes on an even and an odd row, and a Unicode code; other kinds are skipped.
  EXPECT_EQ(info->variants, (std::vector<char32_t>{U'亞', U'園', U'娃'}));
  EXPECT_TRUE(info->HasReading());

  EXPECT_FALSE(ParseKanjidic2Character("<character><codepoint/></character>").has_value());
  EXPECT_FALSE(ParseKanjidic2Character("<character><literal>亜亜</literal>").has_value());
}

TEST(Kanjidic2Test, KunStem) {
  const std::pair<const char*, const char*> cases[] = {
      {"つ.ぐ", "つ"}, {"-き.り", "き"}, {"かもめ", "かもめ"}, {"あ.たり-", "あ"}, {"", ""}};
  for (const auto& [kun, stem] : cases) EXPECT_EQ(KunStem(T(kun)), T(stem)) << kun;
}

TEST(Kanjidic2Test, ReadsCompressedFileAcrossChunks) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kanjidic2.xml.gz"));
  // Enough elements that some cross the reader's chunk boundaries; the header mentions the
  // element name and must not count.
  std::string xml = "<?xml version=\"1.0\"?>\n<!-- <character> entries -->\n<kanjidic2>\n";
  for (char32_t c = U'一'; c < U'一' + 3000; ++c) {
    const QString literal = QString::fromStdU32String(std::u32string(1, c));
    xml += Element(literal.toUtf8().constData(), "0",
                   "<reading r_type=\"ja_on\">イチ</reading>\n<reading r_type=\"ja_kun\">"
                   "ひと-</reading>\n");
  }
  xml += Element("𩸽", "29E3D", "") + "</kanjidic2>\n";
  gzFile file = gzopen(QFile::encodeName(path).constData(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(gzwrite(file, xml.data(), static_cast<unsigned>(xml.size())),
            static_cast<int>(xml.size()));
  ASSERT_EQ(gzclose(file), Z_OK);

  const Kanjidic2 kanjidic(path);
  EXPECT_EQ(kanjidic.size(), 3001u);
  for (const char32_t c : {char32_t{U'一'}, char32_t{U'一' + 1500}, char32_t{U'一' + 2999}}) {
    const KanjiInfo* info = kanjidic.Find(c);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->on, Ts({"いち"}));
    EXPECT_EQ(info->kun, Ts({"ひと-"}));
  }
  const KanjiInfo* unread = kanjidic.Find(U'𩸽');
  ASSERT_NE(unread, nullptr);
  EXPECT_FALSE(unread->HasReading());
  EXPECT_EQ(kanjidic.Find(U'あ'), nullptr);

  EXPECT_EQ(Kanjidic2(dir.filePath(QStringLiteral("missing.xml.gz"))).Find(U'一'), nullptr);
  EXPECT_EQ(Kanjidic2(QString()).size(), 0u);
}

// The Debian file itself: what the reading service and its later users rely on.
TEST(Kanjidic2Test, DebianFile) {
  const Kanjidic2 kanjidic;
  EXPECT_GE(kanjidic.size(), 13000u);
  const KanjiInfo* a = kanjidic.Find(U'亜');
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->grade, 8);
  EXPECT_GT(a->frequency, 0);
  const KanjiInfo* gull = kanjidic.Find(U'鷗');
  ASSERT_NE(gull, nullptr);
  EXPECT_NE(std::find(gull->variants.begin(), gull->variants.end(), U'鴎'), gull->variants.end());
  const KanjiInfo* cape = kanjidic.Find(U'﨑');
  ASSERT_NE(cape, nullptr);
  EXPECT_EQ(cape->kun, Ts({"さき"}));
  const KanjiInfo* one = kanjidic.Find(U'一');
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->grade, 1);
  EXPECT_EQ(one->jlpt, 4);
}

}  // namespace
}  // namespace yomika
