#include "mainwindow/text_files.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "dialogs/fake_common_dialog_backend.h"
#include "encoding/text_codec.h"
#include "tests/small_disk.h"
#include "widgets/rich_text_pane.h"

Q_DECLARE_METATYPE(yomika::TextFileOutcome)

namespace yomika::testing {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
QByteArray B(const char* bytes) { return QByteArray(bytes); }

const QByteArray kBom("\xEF\xBB\xBF");

}  // namespace

class TextFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_.emplace();
    QVERIFY(dir_->isValid());
  }

  // --- pure parts ---

  void CompleteTxtNameCases_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    // normal
    QTest::newRow("no extension") << U("memo") << U("memo.txt");
    QTest::newRow("already .txt") << U("/tmp/memo.txt") << U("/tmp/memo.txt");
    QTest::newRow("other extension") << U("memo.htm") << U("memo.htm.txt");
    // edge: the check is case-sensitive and looks at the whole path
    QTest::newRow("upper case is not .txt") << U("memo.TXT") << U("memo.TXT.txt");
    QTest::newRow(".txt in the middle") << U("memo.txt.bak") << U("memo.txt.bak");
    QTest::newRow(".txt in a folder name")
        << U("/tmp/my.txt files/memo") << U("/tmp/my.txt files/memo");
    QTest::newRow("Japanese name") << U("/tmp/読み") << U("/tmp/読み.txt");
  }
  void CompleteTxtNameCases() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(CompleteTxtName(path), expected);
  }

  void Decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    // normal
    QTest::newRow("CP932") << B("\x8A\xBF\x8E\x9A\x82\xA9\x82\xC8\r\n") << U("漢字かな\r\n");
    QTest::newRow("UTF-8 without BOM") << B("\xE6\xBC\xA2\xE5\xAD\x97") << U("漢字");
    QTest::newRow("UTF-8 with BOM, BOM dropped") << kBom + B("\xF0\xA0\xAE\xB7") << U("𠮷");
    QTest::newRow("UTF-16LE with BOM") << QByteArray("\xFF\xFE\x22\x6F", 4) << U("漢");
    QTest::newRow("ASCII") << B("abc\\~") << U("abc\\~");
    // edge
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("BOM only") << kBom << QString();
    // bad input
    QTest::newRow("invalid CP932 byte") << B("\x82\xA0\xFF") << U("あ\uFFFD");
    QTest::newRow("lone lead byte at the end") << B("\x82\xA0\x82") << U("あ\uFFFD");
    QTest::newRow("broken UTF-8 after BOM") << kBom + B("a\xFFz") << U("a\uFFFDz");
  }
  void Decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(DecodeInput(bytes).text, expected);
  }

  void Encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("has_bytes");
    QTest::addColumn<QByteArray>("bytes");
    // normal
    QTest::newRow("CP932 text, no question")
        << U("漢字\r\n") << false << false << true << B("\x8A\xBF\x8E\x9A\r\n");
    QTest::newRow("empty") << QString() << false << false << true << QByteArray();
    // characters CP932 cannot hold
    QTest::newRow("yes: UTF-8 with BOM")
        << U("𠮷野家") << true << true << true << kBom + U("𠮷野家").toUtf8();
    QTest::newRow("no: nothing") << U("𠮷野家") << false << true << false << QByteArray();
  }
  void Encode() {
    QFETCH(QString, text);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, has_bytes);
    QFETCH(QByteArray, bytes);
    bool was_asked = false;
    const std::optional<QByteArray> result = EncodeTextFile(text, [&] {
      was_asked = true;
      return answer;
    });
    QCOMPARE(was_asked, asked);
    QCOMPARE(result.has_value(), has_bytes);
    if (result) QCOMPARE(*result, bytes);
  }

  // --- opening ---

  void OpenFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CP932 file") << B("\x93\xC7\x82\xDD\r\n\x89\xBC\x96\xBC") << U("読み\r\n仮名");
    QTest::newRow("UTF-8 file") << B("\xE8\xAA\xAD\xE3\x81\xBF") << U("読み");
    QTest::newRow("UTF-8 file with BOM") << kBom + B("\xF0\xA0\xAE\xB7") << U("𠮷");
    QTest::newRow("LF line breaks become CR LF") << B("a\nb") << U("a\r\nb");
    QTest::newRow("invalid bytes") << B("\x82\xA0\xFF\x82") << U("あ\uFFFD\uFFFD");
  }
  void OpenFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString path = Path(QStringLiteral("in.txt"));
    QVERIFY(WriteAll(path, bytes));
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{path, 0};
    RichTextPane pane;
    QCOMPARE(OpenTextFile(pane, nullptr, backend).outcome, TextFileOutcome::kDone);
    QCOMPARE(pane.Text(), expected);
    const yomika::FileDialogRequest& request = backend.file_requests.first();
    QVERIFY(!request.save);
    QCOMPARE(request.name_filters, QStringList{U("ﾃｷｽﾄﾌｧｲﾙ (*.txt)")});
    QCOMPARE(request.selected_filter, 0);
  }

  void OpenEndsQuietly_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("name");  // relative to the temp folder
    QTest::addColumn<TextFileOutcome>("outcome");
    QTest::newRow("cancel") << true << QString() << TextFileOutcome::kCancelled;
    QTest::newRow("file vanished") << false << U("missing.txt") << TextFileOutcome::kFailed;
    QTest::newRow("a folder") << false << U("folder.txt") << TextFileOutcome::kFailed;
  }
  void OpenEndsQuietly() {
    QFETCH(bool, cancel);
    QFETCH(QString, name);
    QFETCH(TextFileOutcome, outcome);
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("folder.txt")));
    FakeCommonDialogBackend backend;
    if (!cancel) backend.file_answer = FileDialogAnswer{Path(name), 0};
    RichTextPane pane;
    pane.SetText(U("元の文"));
    QCOMPARE(OpenTextFile(pane, nullptr, backend).outcome, outcome);
    QCOMPARE(pane.Text(), U("元の文"));
    QVERIFY(backend.questions.isEmpty());
  }

  // Files that are no text, or no regular file of a sane size, are refused with the reason.
  void OpenRefusesWithAMessage_data() {
    QTest::addColumn<QString>("name");  // relative to the temp folder, or absolute
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << U("fifo.txt") << U("名前付きパイプ");
    QTest::newRow("device") << U("/dev/zero") << U("デバイス");
    QTest::newRow("over 256 MB") << U("huge.txt") << U("大きすぎます");
    QTest::newRow("binary") << U("image.txt") << U("テキストではありません");
    QTest::newRow("missing") << U("missing.txt") << U("ありません");
  }
  void OpenRefusesWithAMessage() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QCOMPARE(mkfifo(QFile::encodeName(Path(U("fifo.txt"))).constData(), 0600), 0);
    QFile huge(Path(U("huge.txt")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((qint64{256} << 20) + 1));  // sparse
    QVERIFY(WriteAll(Path(U("image.txt")), QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0", 18)));
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{name.startsWith(u'/') ? name : Path(name), 0};
    RichTextPane pane;
    pane.SetText(U("元の文"));
    const TextFileResult result = OpenTextFile(pane, nullptr, backend);
    QCOMPARE(result.outcome, TextFileOutcome::kFailed);
    QVERIFY2(result.message.contains(reason), qPrintable(result.message));
    QVERIFY(result.message.contains(backend.file_answer->path));
    QCOMPARE(pane.Text(), U("元の文"));
  }

  // A real, nearly full disk (one page free, the new text fits the write buffer): the old file
  // stays whole and the message names it and the reason.
  void FullDiskKeepsTheOldFileAndSaysWhy() {
    SmallDisk disk(64 * 1024);
    if (!disk.ready()) QSKIP(qPrintable(disk.problem()));
    const QString path = disk.FilePath(QStringLiteral("memo.txt"));
    const QByteArray old = QByteArray(20000, 'a') + "\r\n";
    QVERIFY(WriteAll(path, old));
    disk.Fill(4096);
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{path, 0};
    RichTextPane pane;
    pane.SetText(QString(10000, u'b'));
    const TextFileResult saved = SaveTextFile(pane, nullptr, backend);
    QCOMPARE(saved.outcome, TextFileOutcome::kFailed);
    QVERIFY2(saved.message.contains(path + U(" に保存できませんでした: ディスクがいっぱいです")),
             qPrintable(saved.message));
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(pane.Text(), QString(10000, u'b'));
  }

  // --- saving ---

  void SaveFile_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CP932 with CR LF") << U("memo.txt") << U("memo.txt") << U("読み\n仮名")
                                      << B("\x93\xC7\x82\xDD\r\n\x89\xBC\x96\xBC");
    QTest::newRow(".txt appended") << U("memo") << U("memo.txt") << U("a") << B("a");
    QTest::newRow("upper-case extension") << U("memo.TXT") << U("memo.TXT.txt") << U("a") << B("a");
    QTest::newRow("empty text") << U("empty.txt") << U("empty.txt") << QString() << QByteArray();
  }
  void SaveFile() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{Path(chosen), 0};
    RichTextPane pane;
    pane.SetText(text);
    QCOMPARE(SaveTextFile(pane, nullptr, backend).outcome, TextFileOutcome::kDone);
    QCOMPARE(ReadAll(Path(written)), bytes);
    const yomika::FileDialogRequest& request = backend.file_requests.first();
    QVERIFY(request.save);
    QVERIFY(request.confirm_overwrite);
    QVERIFY(backend.questions.isEmpty());
  }

  void SaveCancelWritesNothing() {
    FakeCommonDialogBackend backend;
    RichTextPane pane;
    pane.SetText(U("文"));
    QCOMPARE(SaveTextFile(pane, nullptr, backend).outcome, TextFileOutcome::kCancelled);
    QVERIFY(QDir(dir_->path()).isEmpty());
  }

  void ColouredTextComesBackBlack() {
    const QString path = Path(QStringLiteral("colour.txt"));
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{path, 0};
    RichTextPane pane;
    pane.SetText(U("赤い字\r\n青"));
    pane.SetSelStart(0);
    pane.SetSelLength(3);
    pane.SetSelColor(0x0000FF);
    pane.SetSelStart(5);
    pane.SetSelLength(1);
    pane.SetSelColor(0xFF0000);
    QCOMPARE(SaveTextFile(pane, nullptr, backend).outcome, TextFileOutcome::kDone);
    RichTextPane reopened;
    QCOMPARE(OpenTextFile(reopened, nullptr, backend).outcome, TextFileOutcome::kDone);
    QCOMPARE(reopened.Text(), U("赤い字\r\n青"));
    const std::vector<Colour> colours = reopened.Colours();
    QCOMPARE(colours.size(), std::size_t{6});
    for (const Colour colour : colours) QCOMPARE(colour, Colour{0});
  }

  void UnencodableText_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QByteArray>("file_after");
    QTest::newRow("yes: saved as UTF-8") << true << kBom + U("𠮷野家\r\nです").toUtf8();
    QTest::newRow("no: old file untouched") << false << B("old");
  }
  void UnencodableText() {
    QFETCH(bool, answer);
    QFETCH(QByteArray, file_after);
    const QString path = Path(QStringLiteral("memo.txt"));
    QVERIFY(WriteAll(path, B("old")));
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{path, 0};
    backend.yes_no_answer = answer;
    RichTextPane pane;
    pane.SetText(U("𠮷野家\nです"));
    QCOMPARE(SaveTextFile(pane, nullptr, backend).outcome,
             answer ? TextFileOutcome::kDone : TextFileOutcome::kCancelled);
    QCOMPARE(backend.questions.size(), 1);
    QVERIFY(backend.questions.first().contains(U("UTF-8")));
    QCOMPARE(ReadAll(path), file_after);
    if (answer) {  // and it reads back
      RichTextPane reopened;
      QCOMPARE(OpenTextFile(reopened, nullptr, backend).outcome, TextFileOutcome::kDone);
      QCOMPARE(reopened.Text(), U("𠮷野家\r\nです"));
    }
  }

  void FailedSaveKeepsExistingFiles_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("existing");  // a file that must survive
    QTest::newRow("target is a folder") << U("folder.txt") << U("folder.txt/inside.txt");
    QTest::newRow("parent is a file") << U("plain.txt/memo.txt") << U("plain.txt");
  }
  void FailedSaveKeepsExistingFiles() {
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("folder.txt")));
    QVERIFY(WriteAll(Path(QStringLiteral("folder.txt/inside.txt")), B("keep me")));
    QVERIFY(WriteAll(Path(QStringLiteral("plain.txt")), B("keep me")));
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{Path(chosen), 0};
    RichTextPane pane;
    pane.SetText(U("新しい文"));
    QCOMPARE(SaveTextFile(pane, nullptr, backend).outcome, TextFileOutcome::kFailed);
    QCOMPARE(ReadAll(Path(existing)), B("keep me"));
    QVERIFY(QFileInfo(Path(QStringLiteral("folder.txt"))).isDir());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{U("plain.txt")});
  }

  // Regression: the dialog confirms replacing "memo.bak", but "memo.bak.txt" is what gets
  // written; an existing "memo.bak.txt" must not be replaced without asking.
  void CompletedNameAsksBeforeReplacing_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QByteArray>("file_after");
    QTest::newRow("yes") << true << B("new");
    QTest::newRow("no") << false << B("old");
  }
  void CompletedNameAsksBeforeReplacing() {
    QFETCH(bool, answer);
    QFETCH(QByteArray, file_after);
    QVERIFY(WriteAll(Path(QStringLiteral("memo.bak.txt")), B("old")));
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{Path(QStringLiteral("memo.bak")), 0};
    backend.yes_no_answer = answer;
    RichTextPane pane;
    pane.SetText(U("new"));
    SaveTextFile(pane, nullptr, backend);
    QCOMPARE(backend.questions.size(), 1);
    QCOMPARE(ReadAll(Path(QStringLiteral("memo.bak.txt"))), file_after);
  }

  void cleanup() { dir_.reset(); }

 private:
  QString Path(const QString& name) const { return dir_->filePath(name); }

  std::optional<QTemporaryDir> dir_;
};

}  // namespace yomika::testing

int main(int argc, char** argv) {
  yomika::testing::EnterPrivateMountNamespace();
  QApplication app(argc, argv);
  yomika::testing::TextFilesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "text_files_test.moc"
