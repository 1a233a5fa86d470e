#include "engine/document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "engine/preview_file.h"
#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

TEST(NewlineTest, ConvertModes) {
  const struct {
    const char* convert;
    const char* alphabet;
    const char* text;
    const char* expected;
  } cases[] = {
      {"2", "0", "A\r\nB", "A<br>\r\nB"},
      {"1", "0", "A\r\nB", "A<br>B"},
      {"0", "0", "A\r\nB", "A\r\nB"},
      {"3", "0", "A\r\nB", "A\r\nB"},
      {"2", "1", "A\r\nB", "A<BR>\r\nB"},
      {"1", "0", "A\rB\nC\r\r\n", "A\rB\nC\r<br>"},
      {"1", "0", "\r\n\r\n", "<br><br>"},
      {"1.4", "0", "A\r\nB", "A<br>B"},
  };
  for (const auto& c : cases) {
    const Outcome<Text> out = ConvertNewlines(
        Utf8ToText(c.text),
        SettingsWith({{"Default/Convert", c.convert}, {"Default/alphabet", c.alphabet}}));
    ASSERT_TRUE(out);
    EXPECT_EQ(Utf8(*out), c.expected) << c.convert << " " << c.text;
  }
}

TEST(NewlineTest, UnreadableSettingsFail) {
  EXPECT_FALSE(ConvertNewlines(U"A", SettingsWith({{"Default/Convert", "abc"}})));
  EXPECT_FALSE(ConvertNewlines(U"A", SettingsWith({{"Default/Convert", "70000"}})));
  // alphabet is only read when a conversion happens
  EXPECT_TRUE(ConvertNewlines(
      U"A", SettingsWith({{"Default/Convert", "0"}, {"Default/alphabet", "abc"}})));
  EXPECT_FALSE(ConvertNewlines(
      U"A", SettingsWith({{"Default/Convert", "1"}, {"Default/alphabet", "abc"}})));
}

TEST(DocumentTest, DefaultDocumentByteForByte) {
  const Outcome<QString> document = AssembleDocument(Q("本文"), SettingsWith({}));
  ASSERT_TRUE(document);
  const QByteArray expected =
      "<HTML>\r\n<STYLE>\r\nBODY {FONT-SIZE: 11pt}\r\nRUBY {FONT-SIZE: 11pt}\r\n"
      "RT   {FONT-SIZE:  7pt\r\n     ;TEXT-DECORATION: none}\r\n</STYLE>\r\n<BODY>\r\n"
      "\x96\x7B\x95\xB6\r\n</BODY>\r\n</HTML>\r\n";
  EXPECT_EQ(EncodePreviewDocument(*document), expected);
}

TEST(DocumentTest, StylePartAndBodyAttribute) {
  const struct {
    const char* name;
    testing::KeyValues settings;
    const char* expected;
  } cases[] = {
      {"background colour, not validated",
       {{"Preview/Backcolor", "1"}, {"Preview/txtBackcolor", "#FFCC00"},
        {"Preview/StyleSheet", "2"}, {"Preview/txtStyleSheet", ""}},
       "<HTML>\r\n\r\n<BODY BGCOLOR=\"#FFCC00\">\r\nB\r\n</BODY>\r\n</HTML>\r\n"},
      {"any text reaches BGCOLOR",
       {{"Preview/Backcolor", "1"}, {"Preview/txtBackcolor", "red"},
        {"Preview/StyleSheet", "2"}, {"Preview/txtStyleSheet", ""}},
       "<HTML>\r\n\r\n<BODY BGCOLOR=\"red\">\r\nB\r\n</BODY>\r\n</HTML>\r\n"},
      {"Backcolor 2 is off",
       {{"Preview/Backcolor", "2"}, {"Preview/StyleSheet", "2"}, {"Preview/txtStyleSheet", ""}},
       "<HTML>\r\n\r\n<BODY>\r\nB\r\n</BODY>\r\n</HTML>\r\n"},
      {"own style wrapped",
       {{"Preview/StyleSheet", "1"}, {"Preview/txtStyleSheet", "P {}"}},
       "<HTML>\r\n<STYLE>\r\nP {}\r\n</STYLE>\r\n<BODY>\r\nB\r\n</BODY>\r\n</HTML>\r\n"},
      {"StyleSheet 3 writes the style text bare",
       {{"Preview/StyleSheet", "3"}, {"Preview/txtStyleSheet", "P {}"}},
       "<HTML>\r\nP {}\r\n<BODY>\r\nB\r\n</BODY>\r\n</HTML>\r\n"},
  };
  for (const auto& c : cases) {
    const Outcome<QString> document = AssembleDocument(Q("B"), SettingsWith(c.settings));
    ASSERT_TRUE(document) << c.name;
    EXPECT_EQ(Utf8(*document), c.expected) << c.name;
  }
}

TEST(DocumentTest, UnreadableSettingsFail) {
  EXPECT_FALSE(AssembleDocument(Q("B"), SettingsWith({{"Preview/Backcolor", "x"}})));
  EXPECT_FALSE(AssembleDocument(Q("B"), SettingsWith({{"Preview/StyleSheet", "x"}})));
}

TEST(PreviewFileTest, CharactersWithoutCp932FormBecomeReferences) {
  EXPECT_EQ(EncodePreviewDocument(Q("a𠮷b")), QByteArray("a&#x20BB7;b"));
  EXPECT_EQ(EncodePreviewDocument(Q("\\~")), QByteArray("\\~"));
}

TEST(PreviewFileTest, WriteReplacesTheFileAtomically) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sample.html"));
  ASSERT_TRUE(WritePreviewFile(path, Q("一")));
  ASSERT_TRUE(WritePreviewFile(path, Q("二")));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("\x93\xF1"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("sample.html")});
}

TEST(PreviewFileTest, FailedWriteKeepsThePreviousFile) {
  QTemporaryDir dir;
  // A folder where the file should be: the write must fail, not destroy anything.
  const QString path = dir.filePath(QStringLiteral("sample.html"));
  ASSERT_TRUE(QDir().mkpath(path));
  EXPECT_FALSE(WritePreviewFile(path, Q("x")));
  EXPECT_TRUE(QFileInfo(path).isDir());
  // A parent that is a file cannot hold the preview file.
  QFile blocker(dir.filePath(QStringLiteral("blocker")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.write("keep");
  blocker.close();
  EXPECT_FALSE(WritePreviewFile(dir.filePath(QStringLiteral("blocker/sample.html")), Q("x")));
  ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
  EXPECT_EQ(blocker.readAll(), QByteArray("keep"));
}

TEST(PreviewFileTest, UnwritableProgramFolderFallsBackToUserData) {
  QTemporaryDir dir;
  EXPECT_EQ(ChoosePreviewFolder(dir.path(), Q("/data")), dir.path());
  EXPECT_EQ(ChoosePreviewFolder(dir.filePath(QStringLiteral("missing")), Q("/data")),
            Q("/data"));
}

}  // namespace
}  // namespace yomika
