#include "encoding/text_codec.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <utility>

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
