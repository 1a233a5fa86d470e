#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "engine/conversion.h"
#include "reading/mecab_reading_service.h"
#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::Q;

// One service for the file: loading the dictionary is the slow part.
class MecabServiceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<QTemporaryDir>();
    MecabOptions options;
    options.user_dictionary_path = dir_->filePath(QStringLiteral("readings.tsv"));
    auto made = CreateMecabReadingService(options);
    ASSERT_TRUE(made.ok()) << made.reason().toStdString();
    service_ = std::move(made).value();
  }
  static void TearDownTestSuite() {
    service_.reset();
    dir_.reset();
  }

  static std::string LookUp(const char* lookup) {
    EXPECT_TRUE(service_->Open());
    const auto reading = service_->GetPhonetic(QString::fromUtf8(lookup), 1, -1);
    EXPECT_TRUE(service_->Close());
    return reading ? reading->toStdString() : std::string("(failed)");
  }

  // The body of `text` as the scorer converts it; warnings go to `warnings`.
  static std::string Convert(const QString& text, QStringList* warnings = nullptr) {
    const EngineSettings settings =
        testing::SettingsWith({{"Default/CreateColor", "0"}, {"Default/Convert", "0"}});
    const Outcome<QString> body =
        ConvertToBody(PlainInput(text), *service_, settings, nullptr, [&](const QString& w) {
          if (warnings) warnings->append(w);
        });
    return body ? body->toStdString() : "(failed) " + body.reason().toStdString();
  }

  static void WriteUserDictionary(const char* content) {
    QFile file(dir_->filePath(QStringLiteral("readings.tsv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
  }

  static inline std::unique_ptr<QTemporaryDir> dir_;
  static inline std::unique_ptr<ReadingService> service_;
};

struct LookupCase {
  const char* lookup;
  const char* reading;
};

class MecabLookupTest : public MecabServiceTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(MecabLookupTest, KeepsNonKanjiAsWritten) {
  service_->PrepareConversion(QString());  // no hint: every lookup stands alone
  EXPECT_EQ(LookUp(GetParam().lookup), GetParam().reading);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MecabLookupTest,
    ::testing::Values(
        // normal: okurigana, お prefix, 々, ヶ, tails up to a break character
        LookupCase{"払う。", "はらう。"}, LookupCase{"食べる", "たべる"},
        LookupCase{"お金を", "おかねを"}, LookupCase{"人々と", "ひとびとと"},
        LookupCase{"三ヶ月、", "さんかげつ、"}, LookupCase{"漢字テスト・", "かんじテスト・"},
        LookupCase{"一人", "ひとり"}, LookupCase{"三本", "さんぼん"},
        // a suffix with no word before it is read as the noun (君 くん → きみ)
        LookupCase{"、君に", "、きみに"}, LookupCase{"田中君に", "たなかくんに"},
        LookupCase{"ぴゅうぴゅう風が", "ぴゅうぴゅうかぜが"},
        LookupCase{"何なのか", "なんなのか"},
        // 方 after a verb: a person before は, も, だけ; a comparison before が, a tendency
        // before だ, and after an adjective or の it stays ほう
        LookupCase{"参加される方は", "さんかされるかたは"},
        LookupCase{"くださる方だけ", "くださるかただけ"},
        LookupCase{"した方がいい", "したほうがいい"}, LookupCase{"よく寝る方だ", "よくねるほうだ"},
        LookupCase{"早い方は", "はやいほうは"}, LookupCase{"母の方も", "ははのほうも"},
        // 来る before the passive and causative, and 来るべき closing a sentence, is くる;
        // 来るべき before a noun and 来る before a date are きたる
        LookupCase{"彼に来られて", "かれにこられて"}, LookupCase{"子を来させる", "こをこさせる"},
        LookupCase{"君は来るべきだ。", "きみはくるべきだ。"},
        LookupCase{"来るべき時代に", "きたるべきじだいに"},
        LookupCase{"来る五月に", "きたるごがつに"},
        // 年 before に and a number is a year counted; before other words an age
        LookupCase{"年に一度", "ねんにいちど"}, LookupCase{"年に似合わず", "としににあわず"},
        // 後 standing alone is あと, in a compound or after a noun not
        LookupCase{"、後の犬は", "、あとのいぬは"}, LookupCase{"食後の", "しょくごの"},
        LookupCase{"その後、", "そのご、"},
        // 強 after a noun before an adjective's ending is the adjective; after a quantity
        // "a little over"
        LookupCase{"喧嘩強そうだ", "けんかつよそうだ"}, LookupCase{"一年強の", "いちねんきょうの"},
        LookupCase{"二十強そう", "にじゅうきょうそう"},
        // 出す split as 出る's stem and する after kana; 出る itself stays
        LookupCase{"中身がとび出した", "なかみがとびだした"}, LookupCase{"とび出る", "とびでる"},
        // the verb a particle before it points to (EDICT's phrases: 〜も行く, 〜が入れる), and
        // not where the phrases do not agree (〜を行う, 〜を行く)
        LookupCase{"一度も行った。", "いちどもいった。"},
        LookupCase{"彼が入れるほど", "かれがはいれるほど"},
        LookupCase{"実験を行った。", "じっけんをおこなった。"},
        // the first of a month; one day counted
        LookupCase{"四月一日は", "しがつついたちは"}, LookupCase{"一日に", "いちにちに"},
        // edge: full-width digits and symbols in the tail stay as written
        LookupCase{"漢字１２３！", "かんじ１２３！"}, LookupCase{"今日は", "きょうは"},
        // edge: kanji the dictionary has no word for still get a reading
        LookupCase{"彁", "か"}, LookupCase{"鬱", "うつ"},
        // bad input: nothing to read
        LookupCase{"", ""}));

TEST_F(MecabServiceTest, HonoursStartAndLength) {
  service_->PrepareConversion(QString());
  EXPECT_EQ(service_->GetPhonetic(QStringLiteral("xx漢字"), 3, -1), QStringLiteral("かんじ"));
  EXPECT_EQ(service_->GetPhonetic(QStringLiteral("漢字かな"), 1, 2), QStringLiteral("かんじ"));
  EXPECT_EQ(service_->GetPhonetic(QStringLiteral("漢字"), 0, -1), std::nullopt);
  EXPECT_EQ(service_->GetPhonetic(QStringLiteral("漢字"), 9, -1), std::nullopt);
}

TEST_F(MecabServiceTest, ReadsFromTheWholeSentence) {
  // Alone, 場は reads じょうは; in its sentence it is the ば of 逃げ場.
  service_->PrepareConversion(QStringLiteral("逃げ場はどこにもなかった。あ"));
  EXPECT_EQ(LookUp("逃げ"), "にげ");
  EXPECT_EQ(LookUp("場は"), "ばは");
}

TEST_F(MecabServiceTest, ReadsCountersAfterDigits) {
  service_->PrepareConversion(QStringLiteral("むかし、１人の老人が<br>\r\n3本の木。あ"));
  EXPECT_EQ(LookUp("人の"), "ひとりの");
  EXPECT_EQ(LookUp("老人が"), "ろうじんが");
  EXPECT_EQ(LookUp("本の"), "ぼんの");
  EXPECT_EQ(LookUp("木。"), "き。");
}

TEST_F(MecabServiceTest, ColourTagsSplitWordsAndLookupsStillMatch) {
  service_->PrepareConversion(QStringLiteral(
      "<font color=\"#000000\">お金</font><font color=\"#ff0000\">持ち</font>の人々。</font>あ"));
  EXPECT_EQ(LookUp("お金"), "おかね");
  EXPECT_EQ(LookUp("持ち"), "もち");
  EXPECT_EQ(LookUp("人々。"), "ひとびと。");
}

TEST_F(MecabServiceTest, LookupMissingFromHintIsReadAlone) {
  service_->PrepareConversion(QStringLiteral("漢字。あ"));
  EXPECT_EQ(LookUp("払う。"), "はらう。");
  EXPECT_EQ(LookUp("漢字。"), "かんじ。");
}

TEST_F(MecabServiceTest, UserDictionaryOverridesAnalyser) {
  WriteUserDictionary("今日\tこんにち\n今日会\tきょうかい\n");
  service_->PrepareConversion(QStringLiteral("今日は今日会に行く。あ"));
  EXPECT_EQ(LookUp("今日は"), "こんにちは");
  EXPECT_EQ(LookUp("今日会に"), "きょうかいに");  // the longer entry wins
  EXPECT_EQ(LookUp("行く。"), "いく。");
  WriteUserDictionary("");
  service_->PrepareConversion(QStringLiteral("今日は。あ"));
  EXPECT_EQ(LookUp("今日は。"), "きょうは。");
}

// --- input that once failed or read the wrong characters ---

TEST_F(MecabServiceTest, ReadsEveryKanjiWhereverItStands) {
  const struct {
    const char* text;
    const char* body;
  } cases[] = {
      // kanji inside tags: attribute values are read as text of their own
      {"写真です。<img alt=\"富士山\">",
       "<ruby>写真<rt>しゃしん</rt></ruby>です。<img "
       "alt=\"<ruby>富士山<rt>ふじさん</rt></ruby>\">"},
      {"<a title=\"説明\">リンク</a>",
       "<a title=\"<ruby>説明<rt>せつめい</rt></ruby>\">リンク</a>"},
      {"<img alt=\"花を見る\">",
       "<img alt=\"<ruby>花<rt>はな</rt></ruby>を<ruby>見<rt>み</rt></ruby>る\">"},
      {"<img alt=山>", "<img alt=<ruby>山<rt>やま</rt></ruby>>"},
      {"<font face=\"ＭＳ 明朝\">字</font>",
       "<font face=\"ＭＳ "
       "<ruby>明朝<rt>みんちょう</rt></ruby>\"><ruby>字<rt>じ</rt></ruby></font>"},
      // text that only looks like a tag is text
      {"条件はa<b、かつ結果>0です。",
       "<ruby>条件<rt>じょうけん</rt></ruby>はa<b、かつ<ruby>結果<rt>けっか</rt></ruby>>0です。"},
      // variants the dictionary lacks are read as the form it knows; the text keeps its own
      {"髙橋さん", "<ruby>髙橋<rt>たかはし</rt></ruby>さん"},
      {"山﨑", "<ruby>山﨑<rt>やまざき</rt></ruby>"},
      {"鷗外", "<ruby>鷗外<rt>おうがい</rt></ruby>"},
      {"德川", "<ruby>德川<rt>とくがわ</rt></ruby>"},
      // a variation selector stays with its kanji and is not read
      {"葛\U000E0100城市", "<ruby>葛\U000E0100城市<rt>かつらぎし</rt></ruby>"},
      // readings on the right characters when symbols stand inside a word
      {"〆切", "〆<ruby>切<rt>きり</rt></ruby>"},
      {"人々々", "<ruby>人々々<rt>ひとびとびと</rt></ruby>"},
      {"4月14日", "4<ruby>月<rt>がつ</rt></ruby>14<ruby>日<rt>よっか</rt></ruby>"},
  };
  for (const auto& c : cases) {
    QStringList warnings;
    EXPECT_EQ(Convert(Q(c.text), &warnings), c.body) << c.text;
    EXPECT_TRUE(warnings.isEmpty()) << c.text << ": " << warnings.join(u' ').toStdString();
  }
}

TEST_F(MecabServiceTest, KanjiNothingReadsStaysBareWithAWarning) {
  QStringList warnings;
  // 𰀀 (U+30000) has no Japanese reading anywhere; 𩸽 only in the SKK dictionary.
  EXPECT_EQ(Convert(Q("𰀀と𩸽を焼く"), &warnings),
            "𰀀と<ruby>𩸽<rt>ほっけ</rt></ruby>を<ruby>焼<rt>や</rt></ruby>く");
  ASSERT_EQ(warnings.size(), 1);
  EXPECT_TRUE(warnings[0].contains(Q("「𰀀」")));
}

// The analysis cuts a run longer than its longest sentence; no part may lose its reading.
TEST_F(MecabServiceTest, LongKanjiOnlyLineIsReadWhole) {
  QString text;
  while (text.size() < 10000) text += Q("東京都知事選挙");
  const std::string body = Convert(text);
  const std::string open = "<ruby>" + text.toStdString() + "<rt>";
  ASSERT_TRUE(body.starts_with(open)) << body.substr(0, 80);
  const QString reading = QString::fromStdString(body.substr(open.size())).chopped(12);
  EXPECT_TRUE(body.ends_with("</rt></ruby>"));
  EXPECT_GE(reading.size(), text.size());
  for (const QChar c : reading) {
    ASSERT_TRUE(c >= u'ぁ' && c <= u'ゖ') << reading.toStdString();
  }
}

// --- regression: the analysis runs ahead on a thread of its own ---

TEST_F(MecabServiceTest, LongTextReadsEveryRunInItsSentence) {
  // Far more text than the analysis runs ahead of a waiting lookup, and than the parser runs
  // ahead of the passes.
  QString text;
  constexpr int kSentences = 12000;
  for (int i = 0; i < kSentences; ++i) text += QStringLiteral("逃げ場はどこにもなかった。");
  service_->PrepareConversion(text + QStringLiteral("あ"));
  for (int i = 0; i < kSentences; ++i) {
    ASSERT_EQ(LookUp("逃げ"), "にげ") << "sentence " << i;
    ASSERT_EQ(LookUp("場は"), "ばは") << "sentence " << i;
  }
  // Every run was looked up: what follows is read on its own.
  EXPECT_EQ(LookUp("漢字。"), "かんじ。");
}

TEST_F(MecabServiceTest, NewConversionAbandonsTheUnfinishedOne) {
  QString text;
  for (int i = 0; i < 2000; ++i) text += QStringLiteral("石油会社の老人が三本の木を見た。");
  service_->PrepareConversion(text + QStringLiteral("あ"));
  EXPECT_EQ(LookUp("石油会社の"), "せきゆがいしゃの");
  service_->PrepareConversion(QStringLiteral("逃げ場はどこにもなかった。あ"));
  EXPECT_EQ(LookUp("逃げ"), "にげ");
  EXPECT_EQ(LookUp("場は"), "ばは");
}

TEST(MecabServiceLifetimeTest, DestroyedWhileStillAnalysing) {
  auto made = CreateMecabReadingService(MecabOptions{});
  ASSERT_TRUE(made);
  std::unique_ptr<ReadingService> service = std::move(made).value();
  QString text;
  for (int i = 0; i < 2000; ++i) text += QStringLiteral("三ヶ月の間、人々は漢字を学んだ。");
  service->PrepareConversion(text + QStringLiteral("あ"));
  EXPECT_EQ(service->GetPhonetic(QStringLiteral("三ヶ月の"), 1, -1),
            QStringLiteral("さんかげつの"));
  service.reset();  // joins the analysis without waiting for the rest of the text
}

TEST(MecabCreateTest, WrongFolderNamesIt) {
  MecabOptions options;
  options.dictionary_folder = QStringLiteral("/nonexistent/ipadic");
  const auto made = CreateMecabReadingService(options);
  ASSERT_FALSE(made.ok());
  EXPECT_TRUE(made.reason().contains(QStringLiteral("/nonexistent/ipadic")));
  EXPECT_TRUE(made.reason().contains(QStringLiteral("mecab-ipadic-utf8")));
}

TEST(MecabCreateTest, FolderWithoutDictionaryFiles) {
  QTemporaryDir dir;
  QFile sys(dir.filePath(QStringLiteral("sys.dic")));
  ASSERT_TRUE(sys.open(QIODevice::WriteOnly));
  sys.write("not a dictionary");
  sys.close();
  MecabOptions options;
  options.dictionary_folder = dir.path();
  const auto made = CreateMecabReadingService(options);
  ASSERT_FALSE(made.ok());
  EXPECT_TRUE(made.reason().contains(dir.path()));
}

}  // namespace
}  // namespace yomika
