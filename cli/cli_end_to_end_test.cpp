// Runs the built yomika-convert with the real MeCab dictionary, in a private home folder so
// the user's settings and reading dictionary are never read or touched.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

#include "encoding/cp932.h"

namespace yomika::cli {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct RunResult {
  int exit_code = -1;
  QByteArray out;
  QString err;
};

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    WriteFile(QStringLiteral("empty.ini"), QByteArray());
  }

  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  void WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = PathOf(name);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  QByteArray ReadFile(const QString& name) const {
    QFile file(PathOf(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
  }

  // Runs the converter; with `own_settings` it reads the empty INI file instead of the
  // store in the private home.
  RunResult Run(QStringList args, const QByteArray& input = QByteArray(),
                bool own_settings = true) {
    if (own_settings)
      args.prepend(QStringLiteral("--settings=") + PathOf(QStringLiteral("empty.ini")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), PathOf(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), PathOf(QStringLiteral("data")));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir_.path());
    process.start(QStringLiteral(YOMIKA_CONVERT_PATH), args);
    if (!process.waitForStarted()) return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) return {};
    RunResult result;
    result.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
  }

  QTemporaryDir dir_;
};

const QByteArray kSentence = "漢字を読む。\n";
const QByteArray kRubyKanji = "<ruby>漢字<rt>かんじ</rt></ruby>";

// --- normal -------------------------------------------------------------------------------

struct BodyCase {
  const char* name;
  std::vector<const char*> args;
  QByteArray input;
  QByteArray expected_body;
};

TEST_F(ConverterTest, ConvertsStandardInputToTheBody) {
  const BodyCase cases[] = {
      {"defaults",
       {},
       kSentence,
       "<font color=\"#000000\">" + kRubyKanji + "を<ruby>読<rt>よ</rt></ruby>む。<br>\r\n</font>"},
      {"as the scorer runs it, one body line per input line",
       {"--set", "Default/CreateColor=0", "--set", "Default/Convert=0"},
       "漢字\n\n読む\n",
       kRubyKanji + "\r\n\r\n<ruby>読<rt>よ</rt></ruby>む\r\n"},
      {"CR and CR LF breaks",
       {"--set", "Default/CreateColor=0", "--set", "Default/Convert=0"},
       "漢字\r読む\r\n",
       kRubyKanji + "\r\n<ruby>読<rt>よ</rt></ruby>む\r\n"},
      {"upper-case tags",
       {"--set", "Default/alphabet=1", "--set", "Default/CreateColor=0"},
       "漢字",
       "<RUBY>漢字<RT>かんじ</RT></RUBY>"},
      {"explicit standard input and output",
       {"-o", "-", "-"},
       "漢字",
       "<font color=\"#000000\">" + kRubyKanji + "</font>"},
      {"CP932 input", {"--set", "Default/CreateColor=0"}, "\x8A\xBF\x8E\x9A", kRubyKanji},
      {"aozora, first occurrence only",
       {"--format", "aozora", "--set", "RUBY/FirstOnly=1"},
       "漢字と漢字\n",
       "｜漢字《かんじ》と漢字\r\n"},
      {"brackets in katakana",
       {"--format=brackets", "--set", "RUBY/RUBYSTRING=1"},
       "漢字",
       "漢字（カンジ）"},
      {"level 2: kanji of the first two school years need none",
       {"--set", "Default/CreateColor=0", "--set", "RUBY/Level=2"},
       "学校で勉強する。",
       "学校で<ruby>勉強<rt>べんきょう</rt></ruby>する。"},
      {"level 2, one element per kanji",
       {"--set", "Default/CreateColor=0", "--set", "RUBY/Level=2", "--set", "RUBY/Mono=1"},
       "学校で勉強する。",
       "学校で<ruby>勉<rt>べん</rt></ruby>強する。"},
      {"mono in aozora form, a run that does not divide kept whole",
       {"--format", "aozora", "--set", "RUBY/Mono=1"},
       "漢字と今日",
       "｜漢《かん》｜字《じ》と｜今日《きょう》"},
      {"review, defaults: colour tags and <br> move no column; CR LF ends a line",
       {"--review"},
       "漢字\r\nかな、漢字\n",
       "{\"line\": 1, \"column\": 1, \"text\": \"漢字\", \"reading\": \"かんじ\", "
       "\"uncertain\": false, \"candidates\": [\"かんじ\"]}\n"
       "{\"line\": 2, \"column\": 4, \"text\": \"漢字\", \"reading\": \"かんじ\", "
       "\"uncertain\": false, \"candidates\": [\"かんじ\"]}\n"},
      {"review, katakana readings",
       {"--review", "--set", "RUBY/RUBYSTRING=1"},
       "漢字",
       "{\"line\": 1, \"column\": 1, \"text\": \"漢字\", \"reading\": \"カンジ\", "
       "\"uncertain\": false, \"candidates\": [\"カンジ\"]}\n"},
  };
  for (const BodyCase& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList args;
    for (const char* a : c.args) args.append(U(a));
    const RunResult result = Run(args, c.input);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, c.expected_body);
  }
}

TEST_F(ConverterTest, DocumentIsThePreviewFileInCp932) {
  const RunResult result = Run({QStringLiteral("--document")}, kSentence);
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_TRUE(result.out.startsWith("<HTML>\r\n<STYLE>")) << result.out.left(40).toStdString();
  EXPECT_TRUE(result.out.endsWith("</BODY>\r\n</HTML>\r\n"));
  EXPECT_TRUE(cp932::Decode(result.out).contains(QString::fromUtf8(kRubyKanji)));
}

TEST_F(ConverterTest, ReadsTheProgramsSettingsStoreAndNeverWritesIt) {
  const QString ini = QStringLiteral("config/YOMIKA/YOMIKA.ini");
  const QByteArray stored = "[Default]\nalphabet=1\nCreateColor=0\n";
  WriteFile(ini, stored);
  const RunResult result = Run({QStringLiteral("--set"), QStringLiteral("Default/Convert=1")},
                               "漢字\n", /*own_settings=*/false);
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_EQ(result.out, QByteArray("<RUBY>漢字<RT>かんじ</RT></RUBY><BR>"));
  EXPECT_EQ(ReadFile(ini), stored);
}

TEST_F(ConverterTest, UserDictionaryOverridesTheReading) {
  WriteFile(QStringLiteral("mine.tsv"), "漢字\tカンズ\n");
  const RunResult result =
      Run({QStringLiteral("--user-dictionary"), PathOf(QStringLiteral("mine.tsv")),
           QStringLiteral("--set"), QStringLiteral("Default/CreateColor=0")},
          "漢字");
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_EQ(result.out, QByteArray("<ruby>漢字<rt>かんず</rt></ruby>"));
}

TEST_F(ConverterTest, SeveralFilesIntoAFolder) {
  WriteFile(QStringLiteral("in/a.txt"), "漢字");
  WriteFile(QStringLiteral("in/b.txt"), "\x8A\xBF\x8E\x9A");  // CP932
  const RunResult result =
      Run({QStringLiteral("--set"), QStringLiteral("Default/CreateColor=0"), QStringLiteral("-o"),
           QStringLiteral("out"), QStringLiteral("in/a.txt"), QStringLiteral("in/b.txt")});
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_TRUE(result.out.isEmpty());
  EXPECT_EQ(ReadFile(QStringLiteral("out/a.html")), kRubyKanji);
  EXPECT_EQ(ReadFile(QStringLiteral("out/b.html")), kRubyKanji);

  const RunResult documents =
      Run({QStringLiteral("--document"), QStringLiteral("-o"), QStringLiteral("docs"),
           QStringLiteral("in/a.txt"), QStringLiteral("in/b.txt")});
  ASSERT_EQ(documents.exit_code, 0) << documents.err.toStdString();
  EXPECT_TRUE(ReadFile(QStringLiteral("docs/a.html")).startsWith("<HTML>\r\n"));
  EXPECT_TRUE(ReadFile(QStringLiteral("docs/b.html")).startsWith("<HTML>\r\n"));
}

TEST_F(ConverterTest, HelpAndVersion) {
  const RunResult version = Run({QStringLiteral("--version")});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, QByteArray("yomika-convert " YOMIKA_VERSION "\n"));
  const RunResult help = Run({QStringLiteral("--help")});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_TRUE(help.out.contains("--set"));
}

// --- bad input ----------------------------------------------------------------------------

struct FailureCase {
  const char* name;
  std::vector<const char*> args;
  int exit_code;
  std::vector<const char*> message_parts;
};

TEST_F(ConverterTest, FailuresExitNonZeroWithAMessage) {
  const FailureCase cases[] = {
      {"unreadable setting", {"--set", "Default/Convert=abc"}, 1, {"Default/Convert", "abc"}},
      {"missing input file", {"nothing.txt"}, 1, {"nothing.txt"}},
      {"missing settings file", {"--settings", "none.ini"}, 1, {"none.ini"}},
      {"missing reading dictionary", {"--user-dictionary", "none.tsv"}, 1, {"none.tsv"}},
      {"wrong MeCab dictionary",
       {"--dictionary", "/nowhere/ipadic"},
       3,
       {"/nowhere/ipadic", "mecab-ipadic-utf8"}},
      {"unknown option", {"--colour"}, 2, {"--colour", "--help"}},
      {"bad --set", {"--set", "Default/Convert"}, 2, {"Default/Convert"}},
      {"several inputs without -o", {"a.txt", "b.txt"}, 2, {"-o"}},
      // files that would hang the converter or fill its memory
      {"device as input", {"/dev/zero"}, 1, {"/dev/zero", "デバイス"}},
      {"FIFO as input", {"fifo"}, 1, {"fifo", "名前付きパイプ"}},
      {"FIFO as settings", {"--settings", "fifo"}, 1, {"fifo", "名前付きパイプ"}},
      {"FIFO as reading dictionary", {"--user-dictionary", "fifo"}, 1, {"fifo", "名前付きパイプ"}},
      {"binary input", {"image.png"}, 1, {"image.png", "テキストではありません"}},
  };
  ASSERT_EQ(mkfifo(QFile::encodeName(PathOf(QStringLiteral("fifo"))).constData(), 0600), 0);
  WriteFile(QStringLiteral("image.png"), QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0", 18));
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList args;
    for (const char* a : c.args) args.append(U(a));
    const RunResult result = Run(args, kSentence, !args.contains(QStringLiteral("--settings")));
    EXPECT_EQ(result.exit_code, c.exit_code) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    for (const char* part : c.message_parts) {
      EXPECT_TRUE(result.err.contains(U(part))) << part << " in " << result.err.toStdString();
    }
  }
}

TEST_F(ConverterTest, InvalidBytesAreReplacedWithAWarning) {
  WriteFile(QStringLiteral("bad.txt"), "\x8A\xBF\x8E\x9A\xFF");
  const RunResult result = Run({QStringLiteral("--set"), QStringLiteral("Default/CreateColor=0"),
                                QStringLiteral("bad.txt")});
  EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_EQ(result.out, kRubyKanji + "\xEF\xBF\xBD");
  EXPECT_TRUE(result.err.contains(QStringLiteral("bad.txt"))) << result.err.toStdString();
  EXPECT_TRUE(result.err.contains(QStringLiteral("1"))) << result.err.toStdString();
}

TEST_F(ConverterTest, KanjiNothingReadsIsNamedOnStandardError) {
  const QByteArray unread = "\xF0\xB0\x80\x80";  // U+30000: no data source reads it
  const RunResult result =
      Run({QStringLiteral("--set"), QStringLiteral("Default/CreateColor=0")}, unread + "と漢字");
  EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_EQ(result.out, unread + "と" + kRubyKanji);
  EXPECT_TRUE(result.err.contains(U("警告")) && result.err.contains(QString::fromUtf8(unread)))
      << result.err.toStdString();
}

TEST_F(ConverterTest, FailedConversionLeavesTheOldOutput) {
  WriteFile(QStringLiteral("old.html"), "old");
  const RunResult result = Run({QStringLiteral("--set"), QStringLiteral("Default/Convert=abc"),
                                QStringLiteral("-o"), QStringLiteral("old.html")},
                               kSentence);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(ReadFile(QStringLiteral("old.html")), QByteArray("old"));
}

}  // namespace
}  // namespace yomika::cli

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
