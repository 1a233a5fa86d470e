#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <memory>

#include "reading/mecab_reading_service.h"
#include "reading/reading_compounds.h"

namespace yomika {
namespace {

std::string Euc(const char* utf8) {
  QStringEncoder encoder("EUC-JP");
  const QByteArray bytes = encoder(QString::fromUtf8(utf8));
  return bytes.toStdString();
}

std::string U8(const Text& text) { return ToQString(text).toStdString(); }

// --- one EDICT line ---

struct LineCase {
  const char* line;
  const char* headword;  // nullptr: the line is not taken
  const char* reading;
  bool common;
};

class SplitEdictLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(SplitEdictLineTest, TakesKanjiHeadwords) {
  const std::string line = Euc(GetParam().line);
  const std::optional<EdictLine> split = SplitEdictLine(line);
  if (!GetParam().headword) {
    EXPECT_FALSE(split.has_value());
    return;
  }
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(split->headword, Euc(GetParam().headword));
  EXPECT_EQ(split->reading, Euc(GetParam().reading));
  EXPECT_EQ(split->common, GetParam().common);
}

TEST(SplitEdictLineMarksTest, ReadsTheMarksBeforeTheFirstGloss) {
  const auto marks = [](const char* line) {
    const std::string bytes = Euc(line);
    const std::optional<EdictLine> split = SplitEdictLine(bytes);
    return split ? std::pair{split->irregular, split->usually_kana} : std::pair{true, true};
  };
  EXPECT_EQ(marks("金が無い [かねがない] /(ok) (exp) broke/"), std::pair(true, false));
  EXPECT_EQ(marks("金 [かな] /(ok) (n) (1) money/"), std::pair(false, false));  // no phrase
  EXPECT_EQ(marks("彼の [あの] /(adj-pn) (uk) that/(P)/"), std::pair(false, true));
  EXPECT_EQ(marks("今日は [こんにちは] /(int) (uk) hello/(P)/"), std::pair(true, true));
  // a later sense's mark is not the entry's
  EXPECT_EQ(marks("先生です [せんせいです] /(exp) (1) teacher/(n) (2) (arch) elder/(P)/"),
            std::pair(false, false));
}

TEST(SplitEdictLineMarksTest, TellsNounsThatTakeNo) {
  const auto takes_no = [](const char* line) {
    const std::optional<EdictLine> split = SplitEdictLine(Euc(line));
    return split && split->takes_no;
  };
  // normal: among other parts of speech, in a phrase, with a sense number after it
  EXPECT_TRUE(takes_no("大勢 [おおぜい] /(n,adj-no) (1) crowd/(n-adv) (2) in numbers/(P)/"));
  EXPECT_TRUE(takes_no("野放し [のばなし] /(adj-no,n) leaving unchecked/"));
  // edge: a noun only, another adjective, a later sense's part of speech, after the glosses
  EXPECT_FALSE(takes_no("大勢 [たいせい] /(n) general trend/(P)/"));
  EXPECT_FALSE(takes_no("静か [しずか] /(adj-na) quiet/(P)/"));
  EXPECT_FALSE(takes_no("一目 [ひとめ] /(n) (1) glance/(n,adj-no) (2) view/"));
  EXPECT_FALSE(takes_no("大勢 [おおぜい] /crowd (adj-no)/"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitEdictLineTest,
    ::testing::Values(
        // normal
        LineCase{"夜更け [よふけ] /(n) late at night/(P)/", "夜更け", "よふけ", true},
        LineCase{"剣歯虎 [けんしこ] /(n) (obsc) saber-toothed tiger/", "剣歯虎", "けんしこ", false},
        LineCase{"日本 [ニッポン] /(n) Japan/\r\n", "日本", "ニッポン", false},
        LineCase{"とんぼ返り [とんぼがえり] /(n,vs) somersault/", "とんぼ返り", "とんぼがえり", false},
        // edge: kana headwords, ASCII in the headword, no reading, the file's header line
        LineCase{"あさって /(n) day after tomorrow/", nullptr, nullptr, false},
        LineCase{"あさって [あさって] /(n) day after tomorrow/", nullptr, nullptr, false},
        LineCase{"ＣＤ屋 [シーディーや] /(n) CD shop/", nullptr, nullptr, false},
        LineCase{"漢字Ａ [かんじえー] /x/", "漢字Ａ", "かんじえー", false},
        LineCase{"漢字X [かんじ] /x/", nullptr, nullptr, false},
        LineCase{"漢字 /(n) kanji/", nullptr, nullptr, false},
        LineCase{"　？？？ /EDICT, EDRDG/", nullptr, nullptr, false},
        // bad input
        LineCase{"", nullptr, nullptr, false}, LineCase{"漢字 [", nullptr, nullptr, false}));

// --- choosing among the listed readings ---

struct ChooseCase {
  std::vector<CompoundReading> readings;
  const char32_t* analysed;
  std::optional<Text> chosen;
};

class ChooseCompoundReadingTest : public ::testing::TestWithParam<ChooseCase> {};

TEST_P(ChooseCompoundReadingTest, PrefersAnalysisThenOnlyThenCommon) {
  EXPECT_EQ(ChooseCompoundReading(GetParam().readings, GetParam().analysed), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseCompoundReadingTest,
    ::testing::Values(
        // normal: the only reading; the only common one
        ChooseCase{{{U"けんしこ", false}}, U"けんはとら", Text(U"けんしこ")},
        ChooseCase{{{U"ひとばん", true}, {U"いちばん", false}}, U"いっぱん", Text(U"ひとばん")},
        // the analysed reading is listed: it stays, even when another one is common
        ChooseCase{{{U"いちば", true}, {U"しじょう", true}}, U"しじょう", std::nullopt},
        ChooseCase{{{U"ひとばん", true}, {U"いちばん", false}}, U"いちばん", std::nullopt},
        ChooseCase{{{U"こめや", false}}, U"コメヤ", std::nullopt},
        // edge: several and none or two common; nothing listed
        ChooseCase{{{U"あ", false}, {U"い", false}}, U"う", std::nullopt},
        ChooseCase{{{U"あ", true}, {U"い", true}}, U"う", std::nullopt},
        // the one nearest the analysed reading, when only one is near
        ChooseCase{{{U"くにじゅう", false}, {U"こくちゅう", false}, {U"こくじゅう", false}},
                   U"くにちゅう", Text(U"くにじゅう")},
        ChooseCase{{{U"かきくけ", false}, {U"さしすせ", false}}, U"たちつて", std::nullopt},
        ChooseCase{{}, U"う", std::nullopt}));

// --- conjugated forms ---

struct ConjugateCase {
  const char32_t* form;
  const char32_t* base_form;
  const char32_t* base_reading;
  std::optional<Text> reading;
};

class ConjugateReadingTest : public ::testing::TestWithParam<ConjugateCase> {};

TEST_P(ConjugateReadingTest, ExchangesTheKanaEnding) {
  const ConjugateCase& c = GetParam();
  EXPECT_EQ(ConjugateReading(c.form, c.base_form, c.base_reading), c.reading);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConjugateReadingTest,
    ::testing::Values(
        // normal
        ConjugateCase{U"喧嘩強く", U"喧嘩強い", U"けんかづよい", Text(U"けんかづよく")},
        ConjugateCase{U"尾羽打ち枯らし", U"尾羽打ち枯らす", U"おはうちからす",
                      Text(U"おはうちからし")},
        ConjugateCase{U"夜更け", U"夜更け", U"よふけ", Text(U"よふけ")},
        // edge: the base form's ending is not in the reading; the change reaches a kanji
        ConjugateCase{U"強く", U"強い", U"つよし", std::nullopt},
        ConjugateCase{U"行く", U"往く", U"ゆく", std::nullopt},
        // bad input
        ConjugateCase{U"", U"強い", U"つよい", std::nullopt},
        ConjugateCase{U"強い", U"強い", U"", std::nullopt}));

struct VoiceCase {
  const char32_t* reading;
  std::optional<Text> voiced;
};

class VoiceFirstSoundTest : public ::testing::TestWithParam<VoiceCase> {};

TEST_P(VoiceFirstSoundTest, VoicesOnlyVoiceableSounds) {
  EXPECT_EQ(VoiceFirstSound(GetParam().reading), GetParam().voiced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VoiceFirstSoundTest,
    ::testing::Values(VoiceCase{U"かいしゃ", Text(U"がいしゃ")},
                      VoiceCase{U"ふそく", Text(U"ぶそく")}, VoiceCase{U"つよい", Text(U"づよい")},
                      VoiceCase{U"ほん", Text(U"ぼん")}, VoiceCase{U"がわ", std::nullopt},
                      VoiceCase{U"いろ", std::nullopt}, VoiceCase{U"", std::nullopt}));

// --- the lexicon file and joining words ---

class CompoundLexiconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.filePath(QStringLiteral("edict"));
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        QByteArray::fromStdString(Euc("　？？？ /EDICT header/\n"
                                      "石油会社 [せきゆがいしゃ] /(n) oil company/\n"
                                      "子会社 [こがいしゃ] /(n) subsidiary/(P)/\n"
                                      "株式会社 [かぶしきがいしゃ] /(n) stock company/(P)/\n"
                                      "警備会社 [けいびかいしゃ] /(n) security firm/\n"
                                      "合弁会社 [ごうべんがいしゃ] /(n) joint venture/\n"
                                      "市場 [いちば] /(n) market/(P)/\n"
                                      "市場 [しじょう] /(n) market/(P)/\n"
                                      "喧嘩強い [けんかづよい] /(adj-i) good at fighting/\n"
                                      "家族 [かぞく] /(n) family/(P)/\n"
                                      "大家族 [だいかぞく] /(n) large family/\n"
                                      "大家族 [だいがぞく] /(n) large family/\n"
                                      "回転寿司 [かいてんすし] /(n) conveyor belt sushi/\n"
                                      "回転寿司 [かいてんずし] /(n) conveyor belt sushi/\n"
                                      "稲荷寿司 [いなりずし] /(n) inari sushi/\n"
                                      "握り寿司 [にぎりずし] /(n) nigiri sushi/\n"
                                      "核家族 [かくかぞく] /(n) nuclear family/(P)/\n"
                                      "拡大家族 [かくだいかぞく] /(n) extended family/\n"
                                      "仔馬 [こうま] /(n) foal/\n"
                                      "降伏 [こうふく] /(n,vs) surrender/(P)/\n"
                                      "忠順 [ちゅうじゅん] /(n) homage/\n"
                                      "会社 [かいしゃ] /(n) company/(P)/\n"
                                      "米屋 [コメヤ] /(n) rice shop/\n"
                                      "根付く [ねづく] /(v5k,vi) to take root/\n"
                                      "物言う [ものいう] /(v5u,vt) to talk/\n"
                                      "反す [かえす] /(v5s,vt) to turn over/\n"
                                      "上野 [こうずけ] /(n) Kozuke (former province)/\n"
                                      "綿入れ [わたいれ] /(n) padded garment/\n"
                                      "取り扱い [とりあつかい] /(n) handling/(P)/\n"
                                      "気の毒 [きのどく] /(adj-na) pitiful/(P)/\n"
                                      "打ち合わせる [うちあわせる] /(v1) to arrange/\n"
                                      "分け前 [わけまえ] /(n) share/(P)/\n"
                                      "日本 [にっぽん] /(n) Japan/\n"
                                      "日本 [にほん] /(n) Japan/(P)/\n"
                                      "日本経済 [にほんけいざい] /(n) Japanese economy/(P)/\n"
                                      "一文 [いちぶん] /(n) sentence/\n"
                                      "一文 [いちもん] /(n) one mon/\n"
                                      "一文無し [いちもんなし] /(n) penniless/\n"
                                      "あいう /(n) kana only/\n")));
  }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(CompoundLexiconTest, ListsReadingsOfKanjiHeadwords) {
  CompoundLexicon lexicon(path_);
  EXPECT_TRUE(lexicon.Available());
  EXPECT_EQ(lexicon.ReadingsOf(U"石油会社"),
            (std::vector<CompoundReading>{{U"せきゆがいしゃ", false}}));
  EXPECT_EQ(lexicon.ReadingsOf(U"市場").size(), 2u);
  EXPECT_TRUE(lexicon.ReadingsOf(U"石油").empty());
  EXPECT_TRUE(lexicon.ReadingsOf(U"𠮷野家").empty());  // no JIS code: not found, no failure
  EXPECT_TRUE(lexicon.ReadingsOf(U"あいう").empty());
}

TEST_F(CompoundLexiconTest, TellsWhetherAReadingIsListed) {
  CompoundLexicon lexicon(path_);
  EXPECT_EQ(lexicon.ListsReading(U"市場", U"しじょう"), true);
  EXPECT_EQ(lexicon.ListsReading(U"市場", U"いちば"), true);
  EXPECT_EQ(lexicon.ListsReading(U"市場", U"いちじょう"), false);
  EXPECT_EQ(lexicon.ListsReading(U"市場", U"しじょ"), false);  // a prefix of a listed one
  EXPECT_EQ(lexicon.ListsReading(U"米屋", U"こめや"), true);   // listed in katakana
  EXPECT_EQ(lexicon.ListsReading(U"米屋", U"コメヤ"), true);
  EXPECT_EQ(lexicon.ListsReading(U"石油", U"せきゆ"), std::nullopt);
  EXPECT_EQ(lexicon.ListsReading(U"𠮷野家", U"よしのや"), std::nullopt);  // no JIS code
}

TEST_F(CompoundLexiconTest, FindsHeadwordsWithLeftOutKana) {
  CompoundLexicon lexicon(path_);
  const auto readings = [&lexicon](const char32_t* written, char32_t next) {
    std::vector<Text> found;
    for (const CompoundReading& r : lexicon.ReadingsWithoutKana(written, next)) {
      found.push_back(r.reading);
    }
    return found;
  };
  using Found = std::vector<Text>;
  // normal: kana left out after and among the kanji
  EXPECT_EQ(readings(U"綿入", U'を'), Found{U"わたいれ"});
  EXPECT_EQ(readings(U"取扱", U'\0'), Found{U"とりあつかい"});
  // edge: the kana after the kanji stand in the text; a particle is never left out; more
  // than three kana; one kanji; kana in what is written; listed as written
  EXPECT_EQ(readings(U"取扱", U'い'), Found{});
  EXPECT_EQ(readings(U"気毒", U'だ'), Found{});
  EXPECT_EQ(readings(U"打合", U'\0'), Found{});
  EXPECT_EQ(readings(U"綿", U'を'), Found{});
  EXPECT_EQ(readings(U"綿入れ", U'を'), Found{});
  EXPECT_EQ(readings(U"会社", U'が'), Found{});
  // bad input: nothing, no JIS code
  EXPECT_EQ(readings(U"", U'\0'), Found{});
  EXPECT_EQ(readings(U"𠮷野", U'\0'), Found{});
}

TEST_F(CompoundLexiconTest, CountsVoicingOverCompoundsEndingInTheWord) {
  CompoundLexicon lexicon(path_);
  EXPECT_EQ(lexicon.VoicesTail(U"会社", U"かいしゃ"), true);          // 4 voiced, 1 plain
  EXPECT_EQ(lexicon.VoicesTail(U"家族", U"かぞく"), false);           // 1 voiced, 3 plain
  EXPECT_EQ(lexicon.VoicesTail(U"市場", U"しじょう"), std::nullopt);  // no compounds
  EXPECT_EQ(lexicon.VoicesTail(U"族", U"ぞく"), std::nullopt);        // one character
}

TEST(CompoundLexiconFileTest, MissingFileMeansNoLexicon) {
  CompoundLexicon lexicon(QStringLiteral("/nonexistent/edict"));
  EXPECT_FALSE(lexicon.Available());
  EXPECT_TRUE(lexicon.ReadingsOf(U"石油会社").empty());
  EXPECT_EQ(lexicon.VoicesTail(U"会社", U"かいしゃ"), std::nullopt);
  CompoundLexicon none{QString()};
  EXPECT_FALSE(none.Available());
}

struct WordSpec {
  std::size_t length;
  const char32_t* reading;
  const char32_t* part_of_speech;
  const char32_t* base_form;
};

struct JoinCase {
  const char32_t* text;
  std::vector<WordSpec> words;
  std::vector<std::size_t> boundaries;
  const char* expected;  // words as "surface:reading" joined by "|"
};

class ApplyCompoundReadingsTest : public CompoundLexiconTest,
                                  public ::testing::WithParamInterface<JoinCase> {};

TEST_P(ApplyCompoundReadingsTest, JoinsListedCompounds) {
  const JoinCase& c = GetParam();
  const Text text = c.text;
  std::vector<Morpheme> words;
  std::size_t at = 0;
  for (const WordSpec& spec : c.words) {
    words.push_back(
        {at, at + spec.length, spec.reading, spec.part_of_speech, spec.base_form, true});
    at += spec.length;
  }
  std::vector<bool> in_run(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) in_run[i] = text[i] >= 0x4E00 && text[i] <= 0x9FFF;
  CompoundLexicon lexicon(path_);
  ApplyCompoundReadings(text, in_run, c.boundaries, lexicon, words);
  std::string got;
  for (const Morpheme& word : words) {
    if (!got.empty()) got += "|";
    got += U8(text.substr(word.begin, word.end - word.begin)) + ":" + U8(word.reading);
  }
  EXPECT_EQ(got, c.expected);
}

constexpr const char32_t* kNoun = U"名詞,一般,*";
constexpr const char32_t* kAdverbial = U"名詞,副詞可能,*";
constexpr const char32_t* kAdjective = U"形容詞,自立,*";
constexpr const char32_t* kParticle = U"助詞,格助詞,一般";

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyCompoundReadingsTest,
    ::testing::Values(
        // normal: a listed compound; a conjugated one; voicing from the counted compounds
        JoinCase{
            U"石油会社が",
            {{2, U"せきゆ", kNoun, U""}, {2, U"かいしゃ", kNoun, U""}, {1, U"が", kParticle, U""}},
            {},
            "石油会社:せきゆがいしゃ|が:が"},
        JoinCase{U"喧嘩強く",
                 {{2, U"けんか", kNoun, U""}, {2, U"つよく", kAdjective, U"強い"}},
                 {},
                 "喧嘩強く:けんかづよく"},
        JoinCase{U"競争会社",
                 {{2, U"きょうそう", kNoun, U""}, {2, U"かいしゃ", kNoun, U""}},
                 {},
                 "競争:きょうそう|会社:がいしゃ"},
        JoinCase{U"大家族",
                 {{1, U"おお", U"接頭詞,名詞接続,*", U""}, {2, U"かぞく", kNoun, U""}},
                 {},
                 "大家族:だいかぞく"},
        // listed only with kana the writer left out
        JoinCase{
            U"綿入を",
            {{1, U"めん", kNoun, U""}, {1, U"いり", kNoun, U""}, {1, U"を", kParticle, U""}},
            {},
            "綿入:わたいれ|を:を"},
        JoinCase{U"５分前",
                 {{1, U"５", U"名詞,数,*", U""},
                  {1, U"ふん", U"名詞,接尾,助数詞", U""},
                  {1, U"まえ", U"名詞,接尾,副詞可能", U""}},
                 {},
                 "５:５|分:ふん|前:まえ"},
        // a compound of nouns whose entry only spells one of them another listed way stays as
        // analysed; with a suffix it is read whole
        JoinCase{U"日本経済",
                 {{2, U"にっぽん", kNoun, U""}, {2, U"けいざい", kNoun, U""}},
                 {},
                 "日本:にっぽん|経済:けいざい"},
        JoinCase{U"一文無し",
                 {{2, U"いちぶん", kNoun, U""}, {2, U"なし", U"名詞,接尾,一般", U""}},
                 {},
                 "一文無し:いちもんなし"},
        // the analysed reading is listed: nothing changes
        JoinCase{
            U"市場", {{1, U"し", kNoun, U""}, {1, U"じょう", kNoun, U""}}, {}, "市:し|場:じょう"},
        // listed plain and voiced: voiced where the compounds ending in the word mostly are
        JoinCase{U"回転寿司",
                 {{2, U"かいてん", kNoun, U""}, {2, U"すし", kNoun, U""}},
                 {},
                 "回転寿司:かいてんずし"},
        JoinCase{U"大家族",
                 {{1, U"だい", U"接頭詞,名詞接続,*", U""}, {2, U"かぞく", kNoun, U""}},
                 {},
                 "大:だい|家族:かぞく"},
        // edge: a forced boundary, a word without kanji, an adverbial noun before the word,
        // a word whose compounds mostly stay plain
        JoinCase{U"石油会社",
                 {{2, U"せきゆ", kNoun, U""}, {2, U"かいしゃ", kNoun, U""}},
                 {2},
                 "石油:せきゆ|会社:かいしゃ"},
        JoinCase{
            U"石油の会社",
            {{2, U"せきゆ", kNoun, U""}, {1, U"の", kParticle, U""}, {2, U"かいしゃ", kNoun, U""}},
            {},
            "石油:せきゆ|の:の|会社:かいしゃ"},
        JoinCase{U"一番会社",
                 {{2, U"いちばん", kAdverbial, U""}, {2, U"かいしゃ", kNoun, U""}},
                 {},
                 "一番:いちばん|会社:かいしゃ"},
        JoinCase{U"大型家族",
                 {{2, U"おおがた", kNoun, U""}, {2, U"かぞく", kNoun, U""}},
                 {},
                 "大型:おおがた|家族:かぞく"},
        // bad input: no words
        JoinCase{U"", {}, {}, ""}));

// --- the service with and without the lexicon ---

struct ServiceCase {
  const char* lookup;
  const char* with_lexicon;
  const char* without_lexicon;
};

class CompoundServiceTest : public CompoundLexiconTest,
                            public ::testing::WithParamInterface<ServiceCase> {};

TEST_P(CompoundServiceTest, LexiconIsOptionalAndKanaStayAsWritten) {
  for (const bool with : {true, false}) {
    MecabOptions options;
    options.user_dictionary_path = dir_.filePath(QStringLiteral("readings.tsv"));
    options.compound_dictionary_path = with ? path_ : QStringLiteral("/nonexistent/edict");
    auto made = CreateMecabReadingService(options);
    ASSERT_TRUE(made.ok()) << made.reason().toStdString();
    ReadingService& service = *made.value();
    service.PrepareConversion(QString());
    const auto reading = service.GetPhonetic(QString::fromUtf8(GetParam().lookup), 1, -1);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->toStdString(), with ? GetParam().with_lexicon : GetParam().without_lexicon)
        << (with ? "with" : "without") << " the lexicon";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompoundServiceTest,
    ::testing::Values(ServiceCase{"石油会社。", "せきゆがいしゃ。", "せきゆかいしゃ。"},
                      ServiceCase{"喧嘩強くてネ", "けんかづよくてネ", "けんかつよくてネ"},
                      ServiceCase{"漢字ABC", "かんじABC", "かんじABC"},
                      // a word the analyser does not know, read kanji by kanji without
                      ServiceCase{"仔馬を", "こうまを", "しうまを"},
                      // known nouns read as the lexicon does not list them: its only common
                      // reading, its only one (not a name's); a place keeps its own
                      ServiceCase{"降伏した。", "こうふくした。", "ごうぶくした。"},
                      ServiceCase{"忠順の誓い", "ちゅうじゅんのちかい", "ただよりのちかい"},
                      ServiceCase{"上野に着く", "うえのにつく", "うえのにつく"},
                      // compound verbs likewise, in the form written; not one kanji's verb,
                      // whose dictionary form may be another verb's (反し of 反する)
                      ServiceCase{"根付くらしい", "ねづくらしい", "ねつくらしい"},
                      ServiceCase{"物言えば", "ものいえば", "ものゆえば"},
                      ServiceCase{"主義に反している", "しゅぎにはんしている", "しゅぎにはんしている"},
                      // a compound's voiced second part is listed plain: it stays voiced
                      ServiceCase{"競争会社です", "きょうそうがいしゃです", "きょうそうかいしゃです"}));

}  // namespace
}  // namespace yomika
