// Every kanji of code page 932 gets a kana reading.

#include <gtest/gtest.h>

#include <QStringList>
#include <iterator>
#include <set>
#include <string_view>

#include "encoding/cp932.h"
#include "engine/char_class.h"
#include "engine/conversion.h"
#include "reading/mecab_reading_service.h"
#include "tests/engine_test_util.h"

namespace yomika {
namespace {

// The kanji of JIS levels 1 and 2 and of the NEC and IBM extension rows, each once.
std::set<char32_t> Cp932Kanji() {
  std::set<char32_t> kanji;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
      const Text decoded = ToText(cp932::Decode(QByteArrayView(bytes, 2)));
      if (decoded.size() == 1 && ClassifyCharacter(decoded[0]) == CharClass::kKanji) {
        kanji.insert(decoded[0]);
      }
    }
  }
  return kanji;
}

bool IsKanaReading(const QString& reading) {
  if (reading.isEmpty()) return false;
  for (const QChar c : reading) {
    if (!(c >= u'ぁ' && c <= u'ゖ') && !(c >= u'ァ' && c <= u'ヺ') && c != u'ー') return false;
  }
  return true;
}

// IBM extension kanji for which no data on the machine (KANJIDIC2, Unihan 15.0, the SKK
// dictionaries, EDICT) has a Japanese reading or a variant with one: they stay without ruby,
// each named in a warning.
constexpr char32_t kNoSourceReads[] = U"僴凬櫢淲蠇﨎﨣﨧﨨﨩";

TEST(EveryKanjiTest, EachCp932KanjiGetsAKanaReading) {
  const std::set<char32_t> kanji = Cp932Kanji();
  EXPECT_EQ(kanji.size(), 6355u + 360u);  // JIS X 0208 levels 1 and 2, the extension rows

  // One sentence per kanji, so each is read alone, in one conversion.
  QString text;
  for (const char32_t c : kanji) text += ToQString(Text(1, c)) + u'。';
  auto service = CreateMecabReadingService(MecabOptions{});
  ASSERT_TRUE(service.ok()) << service.reason().toStdString();
  QStringList warnings;
  const Outcome<QString> body =
      ConvertToBody(PlainInput(text), **service,
                    testing::SettingsWith({{"Default/CreateColor", "0"}, {"Default/Convert", "0"}}),
                    nullptr, [&](const QString& warning) { warnings.append(warning); });
  ASSERT_TRUE(body) << body.reason().toStdString();
  EXPECT_LE(warnings.size(), static_cast<qsizetype>(std::size(kNoSourceReads) - 1));

  QStringList sentences = body->split(u'。');
  ASSERT_EQ(sentences.size(), static_cast<qsizetype>(kanji.size() + 1));
  auto c = kanji.begin();
  for (qsizetype i = 0; i < sentences.size() - 1; ++i, ++c) {
    const QString open = QStringLiteral("<ruby>") + ToQString(Text(1, *c)) + QStringLiteral("<rt>");
    const QString& sentence = sentences[i];
    if (std::u32string_view(kNoSourceReads).find(*c) != std::u32string_view::npos &&
        sentence == ToQString(Text(1, *c))) {
      EXPECT_TRUE(warnings.join(QString()).contains(sentence)) << sentence.toStdString();
      continue;
    }
    ASSERT_TRUE(sentence.startsWith(open) && sentence.endsWith(QStringLiteral("</rt></ruby>")))
        << sentence.toStdString();
    const QString reading = sentence.sliced(open.size()).chopped(12);
    EXPECT_TRUE(IsKanaReading(reading)) << sentence.toStdString();
  }
}

}  // namespace
}  // namespace yomika
