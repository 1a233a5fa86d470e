#include "reading/reading_dictionary.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<missing>");
  return file.readAll();
}

class ReadingDictionaryTest : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  // A dictionary file holding `bytes`, loaded.
  QString FileWith(const QByteArray& bytes) {
    const QString path = PathOf("readings.tsv");
    WriteBytes(path, bytes);
    return path;
  }

  QTemporaryDir dir_;
};

// --- normal -------------------------------------------------------------------------------

struct LoadCase {
  const char* name;
  const char* file;
  std::vector<std::pair<const char*, const char*>> entries;
};

TEST_F(ReadingDictionaryTest, LoadsEntries) {
  const LoadCase cases[] = {
      {"one line", "漢字\tかんじ\n", {{"漢字", "かんじ"}}},
      {"no final line end", "漢字\tかんじ", {{"漢字", "かんじ"}}},
      {"katakana stored as hiragana", "東京\tトウキョウ\n", {{"東京", "とうきょう"}}},
      {"long vowel mark stays", "ケーキ\tケーキ\n", {{"ケーキ", "けーき"}}},
      {"comments and blank lines", "# mine\n\n  \n#x\ty\n語\tご\n", {{"語", "ご"}}},
      {"spaces around fields", " 語 \t ご \n", {{"語", "ご"}}},
      {"later line overrides",
       "日本\tにほん\n他\tた\n日本\tにっぽん\n",
       {{"日本", "にっぽん"}, {"他", "た"}}},
      {"BOM and CR LF",
       "\xEF\xBB\xBF漢字\tかんじ\r\n語\tご\r\n",
       {{"漢字", "かんじ"}, {"語", "ご"}}},
      {"empty file", "", {}},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadingDictionary dictionary(FileWith(QByteArray(c.file)));
    QList<ReadingEntry> expected;
    for (const auto& [word, reading] : c.entries) expected.append({U(word), U(reading)});
    EXPECT_EQ(dictionary.entries(), expected);
    EXPECT_TRUE(dictionary.problems().isEmpty());
    for (const ReadingEntry& e : expected) EXPECT_EQ(dictionary.ReadingOf(e.word), e.reading);
  }
}

TEST_F(ReadingDictionaryTest, MissingFileIsEmpty) {
  ReadingDictionary dictionary(PathOf("absent.tsv"));
  EXPECT_TRUE(dictionary.Load());
  EXPECT_TRUE(dictionary.entries().isEmpty());
  EXPECT_TRUE(dictionary.problems().isEmpty());
  EXPECT_EQ(dictionary.ReadingOf(U("語")), std::nullopt);
}

TEST_F(ReadingDictionaryTest, DefaultPathIsInThePerUserDataFolder) {
  EXPECT_TRUE(ReadingDictionary::DefaultPath().endsWith(QStringLiteral("/YOMIKA/readings.tsv")))
      << ReadingDictionary::DefaultPath().toStdString();
}

TEST(ReadingDictionaryStatic, ValidReadings) {
  const std::pair<const char*, bool> cases[] = {
      {"かんじ", true}, {"カンジ", true}, {"ケーキ", true},  {"ゔぁ", true},  {"ヴァ", true},
      {"ヶ", true},     {"", false},      {"kanji", false},  {"漢字", false}, {"か じ", false},
      {"ｶﾝｼﾞ", false},  {"・", false},    {"かな。", false},
  };
  for (const auto& [reading, valid] : cases) {
    EXPECT_EQ(ReadingDictionary::IsValidReading(U(reading)), valid) << reading;
  }
}

TEST(ReadingDictionaryStatic, ToHiragana) {
  const std::pair<const char*, const char*> cases[] = {
      {"カンジー", "かんじー"}, {"ヴァイオリン", "ゔぁいおりん"},
      {"ヽヾ", "ゝゞ"},         {"ヷ", "ヷ"},
      {"ひらがな", "ひらがな"}, {"ァィゥ", "ぁぃぅ"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ReadingDictionary::ToHiragana(U(in)), U(out)) << in;
}

// --- bad input ----------------------------------------------------------------------------

struct BadCase {
  const char* name;
  const char* file;
  std::vector<int> problem_lines;
  std::vector<std::pair<const char*, const char*>> entries;
};

TEST_F(ReadingDictionaryTest, BadLinesAreSkippedWithTheirLineNumbers) {
  const BadCase cases[] = {
      {"no tab", "漢字 かんじ\n", {1}, {}},
      {"empty word", "\tかんじ\n", {1}, {}},
      {"empty reading", "漢字\t\n", {1}, {}},
      {"reading not kana", "漢字\tkanji\n", {1}, {}},
      {"reading in kanji", "漢字\t漢字\n", {1}, {}},
      {"too many fields", "漢字\tかん\tじ\n", {1}, {}},
      {"invalid UTF-8", "\xff\xfe\tかな\n語\tご\n", {1}, {{"語", "ご"}}},
      {"numbers count comments, blanks, BOM and CR LF",
       "\xEF\xBB\xBF# c\r\n\r\n語\tご\r\nbad\r\n他\tx\r\n",
       {4, 5},
       {{"語", "ご"}}},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadingDictionary dictionary(FileWith(QByteArray(c.file)));
    std::vector<int> lines;
    for (const DictionaryProblem& p : dictionary.problems()) {
      lines.push_back(p.line);
      EXPECT_FALSE(p.message.isEmpty());
    }
    EXPECT_EQ(lines, c.problem_lines);
    QList<ReadingEntry> expected;
    for (const auto& [word, reading] : c.entries) expected.append({U(word), U(reading)});
    EXPECT_EQ(dictionary.entries(), expected);
  }
}

TEST_F(ReadingDictionaryTest, PutRejectsBadEntriesWithoutWriting) {
  const QString path = FileWith("語\tご\n");
  ReadingDictionary dictionary(path);
  const ReadingEntry cases[] = {
      {U(""), U("かな")},     {U("  "), U("かな")}, {U("a\tb"), U("かな")},
      {U("a\nb"), U("かな")}, {U("語"), U("")},     {U("語"), U("go")},
  };
  for (const ReadingEntry& e : cases) {
    EXPECT_TRUE(dictionary.Put(e).has_value()) << e.word.toStdString();
  }
  EXPECT_EQ(ReadBytes(path), QByteArray("語\tご\n"));
}

TEST_F(ReadingDictionaryTest, UnreadableFileIsReportedAndNeverOverwritten) {
  const QString path = PathOf("folder.tsv");
  ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
  ReadingDictionary dictionary(path);
  EXPECT_FALSE(dictionary.Load());
  ASSERT_EQ(dictionary.problems().size(), 1);
  EXPECT_EQ(dictionary.problems()[0].line, 0);
  EXPECT_TRUE(dictionary.Put({U("語"), U("ご")}).has_value());
  EXPECT_TRUE(QFileInfo(path).isDir());
}

// --- reload and save ----------------------------------------------------------------------

TEST_F(ReadingDictionaryTest, ReloadsAfterAnExternalChange) {
  const QString path = FileWith("語\tご\n");
  ReadingDictionary dictionary(path);
  dictionary.ReloadIfChanged();
  EXPECT_EQ(dictionary.ReadingOf(U("語")), U("ご"));

  // Same size, so only the time tells the change.
  WriteBytes(path, "語\tこ\n");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(
      file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
  file.close();
  dictionary.ReloadIfChanged();
  EXPECT_EQ(dictionary.ReadingOf(U("語")), U("こ"));

  WriteBytes(path, "語\tご\n他\tた\n");
  dictionary.ReloadIfChanged();
  EXPECT_EQ(dictionary.entries().size(), 2);

  ASSERT_TRUE(QFile::remove(path));
  dictionary.ReloadIfChanged();
  EXPECT_TRUE(dictionary.entries().isEmpty());
}

struct EditCase {
  const char* name;
  const char* before;
  bool put;  // Put when true, Remove when false
  const char* word;
  const char* reading;
  const char* after;
};

TEST_F(ReadingDictionaryTest, PutAndRemoveKeepEveryOtherLineVerbatim) {
  const EditCase cases[] = {
      {"add to comments and bad lines", "# mine\nbad line\n漢字\tカンジ\n", true, "東京",
       "トウキョウ", "# mine\nbad line\n漢字\tカンジ\n東京\tとうきょう\n"},
      {"same reading keeps the user's spelling", "漢字\tカンジ\n", true, "漢字", "かんじ",
       "漢字\tカンジ\n"},
      {"replace in place", "a\tあ\n漢字\tかんじ\nb\tい\n", true, "漢字", "かんず",
       "a\tあ\n漢字\tかんず\nb\tい\n"},
      {"duplicates collapse to one line", "日本\tにほん\n#\n日本\tにっぽん\n", true, "日本",
       "にほん", "日本\tにほん\n#\n"},
      {"BOM and CR LF kept", "\xEF\xBB\xBF# c\r\n語\tご\r\n", true, "他", "た",
       "\xEF\xBB\xBF# c\r\n語\tご\r\n他\tた\r\n"},
      {"invalid UTF-8 line kept", "\xff\n", true, "語", "ご", "\xff\n語\tご\n"},
      {"missing final line end added", "語\tご", true, "他", "た", "語\tご\n他\tた\n"},
      {"remove keeps the rest", "# c\n語\tご\nbad\n他\tた\n語\tこ\n", false, "語", "",
       "# c\nbad\n他\tた\n"},
      {"remove absent word writes nothing", "bad", false, "語", "", "bad"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = FileWith(QByteArray(c.before));
    ReadingDictionary dictionary(path);
    const std::optional<QString> error =
        c.put ? dictionary.Put({U(c.word), U(c.reading)}) : dictionary.Remove(U(c.word));
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(ReadBytes(path), QByteArray(c.after));
    // The object and a fresh read agree.
    const ReadingDictionary reread(path);
    EXPECT_EQ(dictionary.entries(), reread.entries());
    EXPECT_EQ(dictionary.problems(), reread.problems());
  }
}

TEST_F(ReadingDictionaryTest, PutKeepsEntriesAnotherProcessAdded) {
  const QString path = FileWith("# shared\n");
  ReadingDictionary program(path);
  ReadingDictionary converter(path);
  ASSERT_EQ(program.Put({U("甲"), U("こう")}), std::nullopt);
  ASSERT_EQ(converter.Put({U("乙"), U("おつ")}), std::nullopt);
  ASSERT_EQ(program.Remove(U("丙")), std::nullopt);
  ASSERT_EQ(program.Put({U("丙"), U("へい")}), std::nullopt);
  EXPECT_EQ(ReadBytes(path), QByteArray("# shared\n甲\tこう\n乙\tおつ\n丙\tへい\n"));
  converter.ReloadIfChanged();
  EXPECT_EQ(converter.entries().size(), 3);
}

TEST_F(ReadingDictionaryTest, PutCreatesTheFolder) {
  const QString path = PathOf("a/b/readings.tsv");
  ReadingDictionary dictionary(path);
  ASSERT_EQ(dictionary.Put({U("語"), U("ゴ")}), std::nullopt);
  EXPECT_EQ(ReadBytes(path), QByteArray("語\tご\n"));
}

// --- failed saves leave everything as it was ----------------------------------------------

TEST_F(ReadingDictionaryTest, FolderThatCannotBeMadeFailsThePut) {
  WriteBytes(PathOf("plain"), "x");
  ReadingDictionary dictionary(PathOf("plain/readings.tsv"));
  EXPECT_TRUE(dictionary.Put({U("語"), U("ご")}).has_value());
  EXPECT_TRUE(dictionary.entries().isEmpty());
  EXPECT_EQ(ReadBytes(PathOf("plain")), QByteArray("x"));
}

TEST_F(ReadingDictionaryTest, ReadOnlyFolderLeavesTheFileIntact) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  const QString folder = PathOf("locked");
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + QStringLiteral("/readings.tsv");
  WriteBytes(path, "# c\n語\tご\n");
  ReadingDictionary dictionary(path);
  ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  const std::optional<QString> error = dictionary.Put({U("他"), U("た")});
  const std::optional<QString> remove_error = dictionary.Remove(U("語"));
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_TRUE(error.has_value());
  EXPECT_TRUE(remove_error.has_value());
  EXPECT_EQ(ReadBytes(path), QByteArray("# c\n語\tご\n"));
  EXPECT_EQ(dictionary.entries(), (QList<ReadingEntry>{{U("語"), U("ご")}}));
}

// A write that runs out of room (here: the file size limit) must not touch the old file;
// this also works when the tests run as root.
TEST_F(ReadingDictionaryTest, WriteFailureLeavesTheFileIntact) {
  QByteArray before = "# a comment long enough to pass the size limit below\n語\tご\n";
  const QString path = FileWith(before);
  ReadingDictionary dictionary(path);

  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::optional<QString> error = dictionary.Put({U("他"), U("た")});
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);

  EXPECT_TRUE(error.has_value());
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(dictionary.ReadingOf(U("他")), std::nullopt);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("readings.tsv")});
}

TEST_F(ReadingDictionaryTest, FifoIsRefusedWithoutWaitingAndNeverWritten) {
  const QString path = PathOf("readings.tsv");
  ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  ReadingDictionary dictionary(path);
  EXPECT_FALSE(dictionary.Load());
  ASSERT_EQ(dictionary.problems().size(), 1);
  EXPECT_TRUE(dictionary.problems().first().message.contains(U("名前付きパイプ")));
  EXPECT_TRUE(dictionary.Put({U("語"), U("ご")}).has_value());
  EXPECT_FALSE(QFileInfo(path).isFile());
}

}  // namespace
}  // namespace yomika
