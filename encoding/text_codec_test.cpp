#include "encoding/text_codec.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringEncoder>
#include <utility>

#include "encoding/cp932.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct DecodeCase {
  const char* name;
  QByteArray bytes;
  const char* text;
  InputEncoding encoding;
  int invalid;
};

TEST(DecodeInput, DetectsTheEncoding) {
  const DecodeCase cases[] = {
      // normal
      {"ASCII", "abc", "abc", InputEncoding::kUtf8, 0},
      {"UTF-8", "漢字かな", "漢字かな", InputEncoding::kUtf8, 0},
      {"UTF-8 with BOM", "\xEF\xBB\xBF漢字", "漢字", InputEncoding::kUtf8WithBom, 0},
      {"CP932", "\x8A\xBF\x8E\x9A\x82\xA9\x82\xC8", "漢字かな", InputEncoding::kCp932, 0},
      {"CP932 half-width kana", "\xB6\xC5", "ｶﾅ", InputEncoding::kCp932, 0},
      {"UTF-16 LE",
       QByteArray("\xFF\xFE"
                  "a\0\x22\x6F",
                  6),
       "a漢", InputEncoding::kUtf16WithBom, 0},
      {"UTF-16 BE", QByteArray("\xFE\xFF\x6F\x22", 4), "漢", InputEncoding::kUtf16WithBom, 0},
      // edge
      {"empty", "", "", InputEncoding::kUtf8, 0},
      {"BOM only", "\xEF\xBB\xBF", "", InputEncoding::kUtf8WithBom, 0},
      {"U+FFFD written in UTF-8", "\xEF\xBF\xBD", "\xEF\xBF\xBD", InputEncoding::kUtf8, 0},
      {"U+FFFD written after a BOM", "\xEF\xBB\xBF\xEF\xBF\xBD", "\xEF\xBF\xBD",
       InputEncoding::kUtf8WithBom, 0},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedInput decoded = DecodeInput(c.bytes);
    EXPECT_EQ(decoded.text, U(c.text));
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.invalid_count, c.invalid);
  }
}

TEST(DecodeInput, CountsInvalidBytes) {
  const QString fffd(QChar(0xFFFD));
  const struct {
    const char* name;
    QByteArray bytes;
    QString text;
    InputEncoding encoding;
    int invalid;
  } cases[] = {
      {"CP932 with a byte no character starts", "\x82\xA0\xFF", U("あ") + fffd,
       InputEncoding::kCp932, 1},
      {"CP932 lead byte at the end", "a\x82", U("a") + fffd, InputEncoding::kCp932, 1},
      {"CP932 two bad bytes", "\xFD\x41\xFE", fffd + U("A") + fffd, InputEncoding::kCp932, 2},
      {"UTF-8 after a BOM with a bad byte",
       "\xEF\xBB\xBF"
       "a\xFF",
       U("a") + fffd, InputEncoding::kUtf8WithBom, 1},
      {"bad byte beside a written U+FFFD", "\xEF\xBB\xBF\xEF\xBF\xBD\xFF", fffd + fffd,
       InputEncoding::kUtf8WithBom, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedInput decoded = DecodeInput(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.invalid_count, c.invalid);
  }
}

// Files as they come damaged from the outside world: a paragraph in each encoding, cut,
// with a stray byte, or not text at all.
TEST(DecodeInput, WeighsTheEvidenceOfRealFiles) {
  const QString paragraph =
      U("吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。"
        "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\r\n");
  const QByteArray utf8 = paragraph.toUtf8();
  const QByteArray cp932 = *cp932::Encode(paragraph);
  QStringEncoder to_euc("EUC-JP");
  const QByteArray euc = to_euc(paragraph);
  QByteArray utf16(reinterpret_cast<const char*>(paragraph.utf16()), paragraph.size() * 2);
  const QByteArray ascii_utf16(reinterpret_cast<const char*>(u"Hello,\r\nworld\r\n"), 30);
  QByteArray binary("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20);
  for (int i = 0; i < 200; ++i) binary += static_cast<char>((i * 151 + 7) % 256);
  const QString fffd(QChar(0xFFFD));
  const struct {
    const char* name;
    QByteArray bytes;
    InputEncoding encoding;
    int invalid;
    QString text;  // empty: not compared
  } cases[] = {
      {"UTF-8 cut inside the last character", utf8.left(utf8.size() - 4), InputEncoding::kUtf8, 1,
       paragraph.left(paragraph.size() - 3) + fffd},
      {"UTF-8 cut after one character", "\xE6\xBC\xA2\xE5\xAD", InputEncoding::kUtf8, 1,
       U("漢") + fffd},
      {"UTF-8 with a stray byte", utf8.left(30) + "\xFF" + utf8.mid(30), InputEncoding::kUtf8, 1,
       paragraph.left(10) + fffd + paragraph.mid(10)},
      {"UTF-8 with a NUL", QByteArray("a\0b", 3), InputEncoding::kUtf8, 1, U("a") + fffd + U("b")},
      {"CP932 with a stray byte", cp932.left(20) + "\xFF" + cp932.mid(20), InputEncoding::kCp932, 1,
       paragraph.left(10) + fffd + paragraph.mid(10)},
      {"EUC-JP", euc, InputEncoding::kEucJp, 0, paragraph},
      {"EUC-JP with a stray byte", euc.left(20) + "\x80" + euc.mid(20), InputEncoding::kEucJp, 1,
       paragraph.left(10) + fffd + paragraph.mid(10)},
      {"EUC-JP half-width kana and JIS X 0212", "\x8E\xB1\x8F\xB0\xA1\xA4\xA2",
       InputEncoding::kEucJp, 0, U("ｱ丂あ")},
      {"UTF-16 with a lone surrogate",
       "\xFF\xFE" + utf16.left(6) + QByteArray("\x3D\xD8", 2) + utf16.mid(6),
       InputEncoding::kUtf16WithBom, 1, paragraph.left(3) + fffd + paragraph.mid(3)},
      {"UTF-16 with an odd final byte", "\xFE\xFF\x6F\x22\x6F", InputEncoding::kUtf16WithBom, 1,
       U("漢") + fffd},
      {"UTF-16 without a BOM", ascii_utf16, InputEncoding::kUtf16, 0, U("Hello,\r\nworld\r\n")},
      {"binary", binary, InputEncoding::kBinary, 0, QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedInput decoded = DecodeInput(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.invalid_count, c.invalid);
    EXPECT_EQ(decoded.text, c.text);
  }
}

TEST(NormaliseLineBreaks, EveryBreakBecomesCrLf) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"a", "a"},
      {"a\nb", "a\r\nb"},
      {"a\rb", "a\r\nb"},
      {"a\r\nb", "a\r\nb"},
      {"a\n", "a\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"\r\r\n", "\r\n\r\n"},
      {"\n\r", "\r\n\r\n"},
      {"\r\n\r\n", "\r\n\r\n"},
      {"漢\n字", "漢\r\n字"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(NormaliseLineBreaks(U(in)), U(out)) << QString::fromUtf8(in).toStdString();
  }
}

}  // namespace
}  // namespace yomika
