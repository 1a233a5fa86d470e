#include "encoding/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Readable failure output: the text plus its UTF-16 units, the bytes in hex.
void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << "\" [";
  for (QChar unit : text)
    *os << ' ' << std::hex << static_cast<unsigned>(unit.unicode()) << std::dec;
  *os << " ]";
}
void PrintTo(const QByteArray& bytes, std::ostream* os) {
  *os << '[' << bytes.toHex(' ').toStdString() << ']';
}

namespace yomika::cp932 {
namespace {

using namespace std::string_view_literals;

QString Utf16(std::u16string_view units) {
  return QString(reinterpret_cast<const QChar*>(units.data()), units.size());
}

QByteArray Bytes(std::string_view bytes) { return QByteArray(bytes.data(), bytes.size()); }

// The bytes of a code as CodeOf() reports it.
QByteArray CodeBytes(int code) {
  QByteArray bytes;
  if (code > 0xFF) bytes += static_cast<char>(code >> 8);
  bytes += static_cast<char>(code & 0xFF);
  return bytes;
}

struct CodeCase {
  char32_t c;
  std::optional<std::uint16_t> code;
};

void ExpectCodes(const std::vector<CodeCase>& cases) {
  for (const CodeCase& row : cases) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<std::uint32_t>(row.c));
    EXPECT_EQ(CodeOf(row.c), row.code);
  }
}

TEST(Cp932CodeOfTest, Normal) {
  ExpectCodes({
      {U'A', 0x41},         // ASCII
      {U'\\', 0x5C},        // backslash, not the yen sign
      {U'~', 0x7E},         // tilde, not the overline
      {U'\x1A', 0x1A},      // control codes stay themselves
      {U'\x1C', 0x1C},      //
      {U'\x7F', 0x7F},      //
      {U'ｶ', 0xB6},         // half-width katakana
      {U'あ', 0x82A0},      // hiragana
      {U'漢', 0x8ABF},      // level-1 kanji
      {U'々', 0x8158},      // iteration mark
      {U'〜', 0x8160},      // U+301C wave dash
      {U'～', 0x8160},      // U+FF5E, what 0x8160 decodes to
      {U'−', 0x817C},       // U+2212
      {U'‖', 0x8161},       // U+2016
      {U'∥', 0x8161},       // U+2225, what 0x8161 decodes to
      {U'濾', 0xE068},      // level-2 kanji, lead 0xE0 and up
      {U'炒', 0xE075},      //
      {U'煌', 0xE08A},      //
      {U'澤', 0xE056},      //
      {U'髙', 0xFBFC},      // IBM extension
      {U'﨑', 0xFAB1},      //
      {U'\uE000', 0xF040},  // user-defined area
      {U'\uE757', 0xF9FC},  //
  });
}

// Characters reachable from several codes, and characters glibc only encodes.
TEST(Cp932CodeOfTest, EdgeDuplicatesAndOneWayMappings) {
  ExpectCodes({
      {U'≒', 0x81E0},   // JIS X 0208 over NEC row 13 (0x8790)
      {U'∵', 0x81E6},   // JIS X 0208 over NEC row 13 and IBM (0xFA5B)
      {U'￢', 0x81CA},  // JIS X 0208 over 0xEEF9 and 0xFA54
      {U'Ⅰ', 0x8754},   // NEC row 13 over IBM (0xFA4A)
      {U'ⅰ', 0xFA40},   // IBM over NEC-selected IBM (0xEEEF)
      {U'纊', 0xFA5C},  // IBM over NEC-selected IBM (0xED40)
      {U'＂', 0xFA57},  // IBM over NEC-selected IBM (0xEEFC)
      {U'¥', 0x5C},     // U+00A5
      {U'‾', 0x7E},     // U+203E
      {U'¢', 0x8191},   // U+00A2; 0x8191 decodes to U+FFE0
      {U'£', 0x8192},   // U+00A3
      {U'¬', 0x81CA},   // U+00AC
      {U'—', 0x815C},   // U+2014; 0x815C decodes to U+2015
      {U'\0', 0x00},    // NUL
  });
}

TEST(Cp932CodeOfTest, BadInput) {
  ExpectCodes({
      {U'𠮷', std::nullopt},       // outside the BMP
      {U'\u00A0', std::nullopt},   // no-break space
      {U'\uFFFD', std::nullopt},   // replacement character
      {0xD800, std::nullopt},      // lone surrogate code point
      {0xDFFF, std::nullopt},      //
      {0xE0001, std::nullopt},     // tag character, which glibc silently drops
      {0x110000, std::nullopt},    // beyond Unicode
      {0xFFFFFFFF, std::nullopt},  //
  });
}

struct DecodeCase {
  std::string_view bytes;
  std::u16string_view text;
};

void ExpectDecodes(const std::vector<DecodeCase>& cases) {
  for (const DecodeCase& row : cases) {
    SCOPED_TRACE(testing::Message() << "bytes " << Bytes(row.bytes).toHex(' ').toStdString());
    EXPECT_EQ(Decode(Bytes(row.bytes)), Utf16(row.text));
  }
}

TEST(Cp932DecodeTest, Normal) {
  ExpectDecodes({
      {""sv, u""},
      {"A\\~"sv, u"A\\~"},
      {"\x1A\x1C\x7F"sv, u"\x1A\x1C\x7F"},
      {"\0a"sv, u"\0a"sv},
      {"\xB6"sv, u"ｶ"},
      {"\x82\xA0\x8A\xBF"sv, u"あ漢"},
      {"\x81\x60\x81\x7C\x81\x61"sv, u"～－∥"},
      {"\x87\x90\xFA\x5B"sv, u"≒∵"},
      {"\xFB\xFC\xFA\xB1"sv, u"髙﨑"},
      {"\xF0\x40\xF9\xFC"sv, u"\uE000\uE757"},
  });
}

TEST(Cp932DecodeTest, BadInputReplacesOneBytePerError) {
  ExpectDecodes({
      {"\x82"sv, u"\uFFFD"},  // lone lead at the end
      {"a\x82\xA0\x82"sv, u"aあ\uFFFD"},
      {"\x82\x20"sv, u"\uFFFD "},     // trail below 0x40
      {"\x81\x7F"sv, u"\uFFFD\x7F"},  // 0x7F is never a trail
      {"\x81\xB6"sv, u"\uFFFDｶ"},     // unassigned pair: the trail decodes anew
      {"\x85\x40"sv, u"\uFFFD@"},     // lead of an empty row
      {"\x81\xFD"sv, u"\uFFFD\uFFFD"},
      {"\x85\x81\x40"sv, u"\uFFFD\u3000"},  // bad pair whose trail starts a character
      {"\x80\xA0\xFD\xFE\xFF"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
  });
}

struct EncodeCase {
  std::u16string text;  // not a view: rows may hold lone surrogates
  std::string_view with_references;
  std::optional<std::string_view> strict;
};

TEST(Cp932EncodeTest, NormalEdgeAndBadInput) {
  const EncodeCase cases[] = {
      {u"", ""sv, ""sv},
      {u"A\\~\x1A", "A\\~\x1A"sv, "A\\~\x1A"sv},
      {std::u16string(u"a\0b", 3), "a\0b"sv, "a\0b"sv},
      {u"あ漢ｶ", "\x82\xA0\x8A\xBF\xB6"sv, "\x82\xA0\x8A\xBF\xB6"sv},
      {u"〜−‖", "\x81\x60\x81\x7C\x81\x61"sv, "\x81\x60\x81\x7C\x81\x61"sv},
      {u"a𠮷b", "a&#x20BB7;b"sv, std::nullopt},
      {u"\u00A0", "&#xA0;"sv, std::nullopt},
      {u"\uFFFD", "&#xFFFD;"sv, std::nullopt},
      {u"\U000E0001", "&#xE0001;"sv, std::nullopt},
      {u"\U0010FFFF", "&#x10FFFF;"sv, std::nullopt},
      {{u'a', 0xD842, u'b'}, "a&#xD842;b"sv, std::nullopt},    // lone high surrogate
      {{0xDFB7, u'漢'}, "&#xDFB7;\x8A\xBF"sv, std::nullopt},   // lone low surrogate
      {{u'漢', 0xD842}, "\x8A\xBF&#xD842;"sv, std::nullopt},   // high surrogate at the end
      {{0xDFB7, 0xD842}, "&#xDFB7;&#xD842;"sv, std::nullopt},  // reversed pair
  };
  for (const EncodeCase& row : cases) {
    SCOPED_TRACE(testing::Message()
                 << "text " << QString::fromStdU16String(row.text).toStdString());
    EXPECT_EQ(EncodeWithCharacterReferences(row.text), Bytes(row.with_references));
    const std::optional<QByteArray> strict = Encode(row.text);
    ASSERT_EQ(strict.has_value(), row.strict.has_value());
    if (strict) {
      EXPECT_EQ(*strict, Bytes(*row.strict));
    }
  }
}

// Regression: references are longer than the two bytes per unit reserved up front.
TEST(Cp932EncodeTest, ManyReferencesGrowTheOutput) {
  std::u16string text;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    text += (i % 2 == 0) ? std::u16string{0xDC00} : std::u16string(u"𠮷あ");
    expected += (i % 2 == 0) ? "&#xDC00;" : "&#x20BB7;\x82\xA0";
  }
  EXPECT_EQ(EncodeWithCharacterReferences(text), Bytes(expected));
}

// Every code that decodes to a character encodes back to itself, except duplicates, which
// come from the NEC row 13, NEC-selected IBM and IBM ranges and encode to another code of the
// same character.
TEST(Cp932RoundTripTest, EveryDecodableCode) {
  int checked = 0;
  for (int code = 0; code <= 0xFFFF; ++code) {
    if (code > 0xFF && code >> 8 < 0x81) continue;
    const QString text = Decode(CodeBytes(code));
    if (text.size() != 1 || text[0] == QChar(0xFFFD)) continue;
    SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << code);
    ++checked;
    const std::optional<std::uint16_t> back = CodeOf(text[0].unicode());
    ASSERT_TRUE(back.has_value());
    if (*back == code) continue;
    const bool duplicate_range = (code >= 0x8790 && code <= 0x879C) ||
                                 (code >= 0xED40 && code <= 0xEEFC) ||
                                 (code >= 0xFA40 && code <= 0xFA5B);
    EXPECT_TRUE(duplicate_range);
    EXPECT_EQ(Decode(CodeBytes(*back)), text);
  }
  EXPECT_EQ(checked, 191 + 9604);
}

// Live glibc iconv, against which the committed table must not drift.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The whole input converted, or nullopt on any error (including incomplete input).
  std::optional<std::string> Convert(std::string_view input) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in_ptr = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    char* out_ptr = out;
    std::size_t out_left = sizeof out;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) ||
        in_left != 0) {
      return std::nullopt;
    }
    return std::string(out, out_ptr);
  }

 private:
  iconv_t cd_;
};

QString FromUtf32(const std::string& utf32le) {
  QString text;
  for (std::size_t i = 0; i + 4 <= utf32le.size(); i += 4) {
    char32_t c = 0;
    for (int k = 3; k >= 0; --k) c = c << 8 | static_cast<unsigned char>(utf32le[i + k]);
    text += QString::fromUcs4(&c, 1);
  }
  return text;
}

TEST(Cp932GlibcTest, DecodeMatchesIconvForEveryByteAndPair) {
  Iconv glibc("UTF-32LE", "CP932");
  if (!glibc.ok()) GTEST_SKIP() << "glibc iconv has no CP932 here";
  QString single[256];
  for (int b = 0; b < 256; ++b) {
    const std::optional<std::string> out = glibc.Convert(std::string(1, static_cast<char>(b)));
    single[b] = out ? FromUtf32(*out) : QString(QChar(0xFFFD));
    EXPECT_EQ(Decode(QByteArray(1, static_cast<char>(b))), single[b]) << std::hex << "byte " << b;
  }
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::string> out = glibc.Convert(pair);
      // Where glibc rejects the pair, each byte stands on its own.
      const QString expected = out ? FromUtf32(*out) : single[lead] + single[trail];
      ASSERT_EQ(Decode(Bytes(pair)), expected) << std::hex << "bytes " << lead << ' ' << trail;
    }
  }
}

TEST(Cp932GlibcTest, CodeOfMatchesIconvForEveryBmpCodePoint) {
  Iconv glibc("CP932", "UTF-32LE");
  if (!glibc.ok()) GTEST_SKIP() << "glibc iconv has no CP932 here";
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const char utf32le[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8), 0, 0};
    const std::optional<std::string> out = glibc.Convert(std::string_view(utf32le, 4));
    std::optional<std::uint16_t> expected;
    if (out && !out->empty()) {
      expected = 0;
      for (char byte : *out) *expected = *expected << 8 | static_cast<unsigned char>(byte);
    }
    ASSERT_EQ(CodeOf(c), expected) << "U+" << std::hex << static_cast<std::uint32_t>(c);
  }
}

}  // namespace
}  // namespace yomika::cp932
