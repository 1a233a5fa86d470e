#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "reading/reading_particle_context.h"

namespace yomika {
namespace {

class ParticleContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.filePath(QStringLiteral("edict"));
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QStringEncoder encoder("EUC-JP");
    file.write(encoder(QStringLiteral("金を使う [かねをつかう] /(exp,v5u) to spend money/\n"
                                      "金を貯める [かねをためる] /(exp,v1) to save money/\n"
                                      "金を落とす [かねをおとす] /(exp,v5s) to lose money/\n"
                                      "金が無い [かねがない] /(exp,adj-i) broke/\n"
                                      "金がない [かねがない] /(exp,adj-i) broke/\n"
                                      "間の手 [あいのて] /(n) interlude/\n"
                                      "間の子 [あいのこ] /(n) half-breed/\n"
                                      "間の悪い [まのわるい] /(adj-i) unlucky/\n"
                                      "彼の人 [あのひと] /(pn) (uk) that person/\n"
                                      "彼の方 [あのかた] /(pn) (uk) that person/\n"
                                      "彼の女 [あのおんな] /(pn) (uk) that woman/\n")));
  }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(ParticleContextTest, NeedsThreePhrasesAndNineInTen) {
  CompoundLexicon lexicon(path_);
  ParticleContext context(lexicon);
  EXPECT_EQ(context.ReadingBefore(U'金', U'を'), Text(U"かね"));
  EXPECT_EQ(context.ReadingBefore(U'金', U'が'), std::nullopt);  // two phrases only
  EXPECT_EQ(context.ReadingBefore(U'間', U'の'), std::nullopt);  // あい twice, ま once
  EXPECT_EQ(context.ReadingBefore(U'彼', U'の'), std::nullopt);  // usually written in kana
  EXPECT_EQ(context.ReadingBefore(U'金', U'に'), std::nullopt);
}

TEST_F(ParticleContextTest, ReadsLoneNounsOnly) {
  CompoundLexicon lexicon(path_);
  ParticleContext context(lexicon);
  const Text text = U"金を借金を金だ";
  const std::vector<bool> in_run = {true, false, true, true, false, true, false};
  std::vector<Morpheme> words = {{0, 1, U"きん", U"名詞,一般,*", {}, true},
                                 {1, 2, U"を", U"助詞,格助詞,一般", {}, true},
                                 {2, 3, U"しゃっ", U"名詞,サ変接続,*", {}, true},
                                 {3, 4, U"きん", U"名詞,一般,*", {}, true},
                                 {4, 5, U"を", U"助詞,格助詞,一般", {}, true},
                                 {5, 6, U"きん", U"名詞,一般,*", {}, true},
                                 {6, 7, U"だ", U"助動詞,*,*", {}, true}};
  context.Apply(text, in_run, words);
  EXPECT_EQ(words[0].reading, U"かね");  // on its own before を
  EXPECT_EQ(words[3].reading, U"きん");  // the end of a compound
  EXPECT_EQ(words[5].reading, U"きん");  // before no particle
}

}  // namespace
}  // namespace yomika
