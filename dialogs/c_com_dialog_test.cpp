#include "dialogs/c_com_dialog.h"

#include <QRegularExpression>
#include <QTest>
#include <functional>

#include "dialogs/fake_common_dialog_backend.h"

namespace yomika::testing {
namespace {

// How QFileDialog reads the patterns out of a name filter: the last parenthesised group.
QString PatternsQtReads(const QString& name_filter) {
  static const QRegularExpression kFilterPattern(
      QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
  const QRegularExpressionMatch match = kFilterPattern.match(name_filter);
  return match.hasMatch() ? match.captured(2) : QString();
}

enum class Method { kOpen, kSave, kColor, kFont, kPrinter, kHelp };

void Call(C_ComDialog& dialog, Method method) {
  switch (method) {
    case Method::kOpen:
      dialog.ShowOpen();
      break;
    case Method::kSave:
      dialog.ShowSave();
      break;
    case Method::kColor:
      dialog.ShowColor();
      break;
    case Method::kFont:
      dialog.ShowFont();
      break;
    case Method::kPrinter:
      dialog.ShowPrinter();
      break;
    case Method::kHelp:
      dialog.ShowHelp();
      break;
  }
}

}  // namespace
}  // namespace yomika::testing

Q_DECLARE_METATYPE(yomika::testing::Method)

namespace yomika::testing {

class ComDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void FilterConversion_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("patterns");  // what QFileDialog will match with
    const auto l = [](std::initializer_list<const char*> items) {
      QStringList list;
      for (const char* item : items) list.append(QString::fromUtf8(item));
      return list;
    };
    // normal
    QTest::newRow("label ends with its pattern")
        << QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt") << l({"ﾃｷｽﾄﾌｧｲﾙ (*.txt)"}) << l({"*.txt"});
    QTest::newRow("plain label") << QStringLiteral("Text|*.txt") << l({"Text (*.txt)"})
                                 << l({"*.txt"});
    QTest::newRow("two pairs") << QStringLiteral("Text|*.txt|HTML|*.htm;*.html")
                               << l({"Text (*.txt)", "HTML (*.htm *.html)"})
                               << l({"*.txt", "*.htm *.html"});
    QTest::newRow("star dot star means every file")
        << QStringLiteral("All (*.*)|*.*") << l({"All (*.*) (*)"}) << l({"*"});
    // edge
    QTest::newRow("empty") << QString() << QStringList() << QStringList();
    QTest::newRow("label without pattern") << QStringLiteral("Any") << l({"Any (*)"}) << l({"*"});
    QTest::newRow("pattern without label")
        << QStringLiteral("|*.txt") << l({"*.txt (*.txt)"}) << l({"*.txt"});
    QTest::newRow("trailing bar") << QStringLiteral("Text|*.txt|") << l({"Text (*.txt)"})
                                  << l({"*.txt"});
    QTest::newRow("blanks around parts") << QStringLiteral(" Text | *.txt ; *.log ")
                                         << l({"Text (*.txt *.log)"}) << l({"*.txt *.log"});
    // bad input
    QTest::newRow("label shows another pattern")
        << QStringLiteral("Text (*.txt)|*.log") << l({"Text (*.txt) (*.log)"}) << l({"*.log"});
  }
  void FilterConversion() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, patterns);
    const QStringList actual = ToQtNameFilters(filter);
    QCOMPARE(actual, expected);
    QStringList read;
    for (const QString& name_filter : actual) read.append(PatternsQtReads(name_filter));
    QCOMPARE(read, patterns);
  }

  void FileDialogRequest_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("confirm_overwrite");
    QTest::newRow("open, file must exist") << false << 0x1000 << false;
    QTest::newRow("open ignores overwrite prompt") << false << 0x2 << false;
    QTest::newRow("save with the text file flags") << true << 5134 << true;
    QTest::newRow("save, must-exist alone") << true << 0x1000 << false;
  }
  void FileDialogRequest() {
    QFETCH(bool, save);
    QFETCH(int, flags);
    QFETCH(bool, confirm_overwrite);
    FakeCommonDialogBackend backend;
    C_ComDialog dialog(backend);
    dialog.Setflags(flags);
    dialog.SetFileName(QStringLiteral("  memo.txt   "));
    dialog.SetInitDir(QStringLiteral("/tmp/notes"));
    dialog.SetDialogTitle(QStringLiteral("開く"));
    dialog.SetDefaultExt(QStringLiteral(".txt"));
    dialog.SetFilter(QStringLiteral("HTML|*.htm|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt"));
    dialog.SetFilterIndex(2);
    save ? dialog.ShowSave() : dialog.ShowOpen();
    QCOMPARE(backend.file_requests.size(), 1);
    const yomika::FileDialogRequest& request = backend.file_requests.first();
    QCOMPARE(request.save, save);
    QCOMPARE(request.confirm_overwrite, confirm_overwrite);
    QCOMPARE(request.initial_name, QStringLiteral("memo.txt"));
    QCOMPARE(request.initial_dir, QStringLiteral("/tmp/notes"));
    QCOMPARE(request.title, QStringLiteral("開く"));
    QCOMPARE(request.default_suffix, QStringLiteral("txt"));
    QCOMPARE(request.selected_filter, 1);
  }

  void FileDialogOk_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("open") << false << QStringLiteral("/tmp/a b/memo.txt")
                          << QStringLiteral("memo.txt");
    QTest::newRow("save, Japanese name")
        << true << QStringLiteral("/tmp/文書/読み.txt") << QStringLiteral("読み.txt");
  }
  void FileDialogOk() {
    QFETCH(bool, save);
    QFETCH(QString, path);
    QFETCH(QString, title);
    FakeCommonDialogBackend backend;
    backend.file_answer = FileDialogAnswer{path, 1};
    C_ComDialog dialog(backend);
    dialog.SetFilter(QStringLiteral("A|*.a|B|*.b"));
    dialog.SetCancelError(true);
    save ? dialog.ShowSave() : dialog.ShowOpen();
    QCOMPARE(dialog.APIReturn(), 1);
    QCOMPARE(dialog.FileName(), path);
    QCOMPARE(dialog.FileTitle(), title);
    QCOMPARE(dialog.FilterIndex(), 2);
  }

  void Cancel_data() {
    QTest::addColumn<Method>("method");
    QTest::addColumn<bool>("cancel_error");
    QTest::addColumn<bool>("throws");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("open, CancelError") << Method::kOpen << true << true << 2001 << QString();
    QTest::newRow("open, no CancelError") << Method::kOpen << false << false << 0 << QString();
    QTest::newRow("save, CancelError") << Method::kSave << true << true << 2001 << QString();
    QTest::newRow("save, no CancelError") << Method::kSave << false << false << 0 << QString();
    QTest::newRow("colour, CancelError")
        << Method::kColor << true << true << -2147220610 << QStringLiteral("Cancel Pressed");
    QTest::newRow("colour, no CancelError") << Method::kColor << false << false << 0 << QString();
    QTest::newRow("font, CancelError") << Method::kFont << true << true << 2001 << QString();
    QTest::newRow("printer, CancelError") << Method::kPrinter << true << true << 2001 << QString();
    QTest::newRow("help never raises") << Method::kHelp << true << false << 0 << QString();
  }
  void Cancel() {
    QFETCH(Method, method);
    QFETCH(bool, cancel_error);
    QFETCH(bool, throws);
    QFETCH(int, number);
    QFETCH(QString, description);
    FakeCommonDialogBackend backend;  // every answer std::nullopt: Cancel
    backend.open_url_succeeds = false;
    C_ComDialog dialog(backend);
    dialog.SetCancelError(cancel_error);
    dialog.SetFileName(QStringLiteral("/tmp/keep.txt"));
    dialog.SetColor(0x123456);
    bool thrown = false;
    try {
      Call(dialog, method);
    } catch (const ComDialogCancelError& error) {
      thrown = true;
      QCOMPARE(error.number(), number);
      QCOMPARE(error.description(), description);
    }
    QCOMPARE(thrown, throws);
    QCOMPARE(dialog.APIReturn(), 0);
    QCOMPARE(dialog.FileName(), QStringLiteral("/tmp/keep.txt"));
    QCOMPARE(dialog.FileTitle(), QString());
    QCOMPARE(dialog.Color(), 0x123456);
  }

  void ActionAfterEachMethod_data() {
    QTest::addColumn<QList<Method>>("calls");
    QTest::addColumn<int>("action");
    QTest::newRow("open leaves the initial 0") << QList<Method>{Method::kOpen} << 0;
    QTest::newRow("save leaves the initial 0") << QList<Method>{Method::kSave} << 0;
    QTest::newRow("colour") << QList<Method>{Method::kColor} << 3;
    QTest::newRow("font") << QList<Method>{Method::kFont} << 4;
    QTest::newRow("printer") << QList<Method>{Method::kPrinter} << 5;
    QTest::newRow("help") << QList<Method>{Method::kHelp} << 6;
    QTest::newRow("open after colour keeps 3") << QList<Method>{Method::kColor, Method::kOpen} << 3;
    QTest::newRow("save after help keeps 6") << QList<Method>{Method::kHelp, Method::kSave} << 6;
  }
  void ActionAfterEachMethod() {
    QFETCH(QList<Method>, calls);
    QFETCH(int, action);
    FakeCommonDialogBackend backend;
    C_ComDialog dialog(backend);
    for (const Method method : calls) Call(dialog, method);
    QCOMPARE(dialog.Action(), action);
  }

  void ColorRoundTrip() {
    FakeCommonDialogBackend backend;
    backend.color_answer = QColor(0x01, 0x02, 0x03);
    C_ComDialog dialog(backend);
    dialog.SetColor(0x00336699);  // blue 0x33, green 0x66, red 0x99
    dialog.ShowColor();
    QCOMPARE(backend.color_requests.first(), QColor(0x99, 0x66, 0x33));
    QCOMPARE(dialog.Color(), 0x00030201);
    QCOMPARE(dialog.APIReturn(), 1);
  }

  void FontRoundTrip() {
    FakeCommonDialogBackend backend;
    QFont chosen(QStringLiteral("IPAexGothic"));
    chosen.setPointSizeF(10.6);
    chosen.setBold(true);
    chosen.setUnderline(true);
    backend.font_answer = chosen;
    C_ComDialog dialog(backend);
    dialog.SetFontName(QStringLiteral("IPAexMincho"));
    dialog.SetFontSize(12);
    dialog.SetFontItalic(true);
    dialog.SetFontStrikethru(true);
    dialog.ShowFont();
    const QFont& initial = backend.font_requests.first().initial;
    QCOMPARE(initial.family(), QStringLiteral("IPAexMincho"));
    QCOMPARE(initial.pointSizeF(), 12.0);
    QVERIFY(initial.italic() && initial.strikeOut() && !initial.bold());
    QCOMPARE(dialog.FontName(), QStringLiteral("IPAexGothic"));
    QCOMPARE(dialog.FontSize(), 11.0f);
    QVERIFY(dialog.FontBold() && dialog.FontUnderline());
    QVERIFY(!dialog.FontItalic() && !dialog.FontStrikethru());
  }

  void Printer_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("shown");
    QTest::newRow("normal") << 2 << 3 << true;
    QTest::newRow("largest 16-bit value") << 2 << 65535 << true;
    QTest::newRow("copies beyond 16 bits") << 2 << 65536 << false;
    QTest::newRow("negative page") << -1 << 1 << false;
  }
  void Printer() {
    QFETCH(int, from);
    QFETCH(int, copies);
    QFETCH(bool, shown);
    FakeCommonDialogBackend backend;
    backend.printer_answer = PrinterDialogValues{3, 4, 1, 9, 2};
    C_ComDialog dialog(backend);
    dialog.SetCancelError(true);
    dialog.SetFromPage(from);
    dialog.SetToPage(5);
    dialog.SetMin(1);
    dialog.SetMax(10);
    dialog.SetCopies(copies);
    dialog.ShowPrinter();  // never throws: either shown (OK) or ended quietly
    QCOMPARE(backend.printer_requests.size(), shown ? 1 : 0);
    QCOMPARE(dialog.Action(), 5);
    QCOMPARE(dialog.APIReturn(), shown ? 1 : 0);
    if (shown) {
      QCOMPARE(backend.printer_requests.first().from_page, from);
      QCOMPARE(backend.printer_requests.first().copies, copies);
      QCOMPARE(dialog.FromPage(), 3);
      QCOMPARE(dialog.ToPage(), 4);
      QCOMPARE(dialog.Max(), 9);
      QCOMPARE(dialog.Copies(), 2);
    } else {
      QCOMPARE(dialog.FromPage(), from);
      QCOMPARE(dialog.Copies(), copies);
    }
  }

  void Help_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("api_return");
    QTest::newRow("opened") << QStringLiteral("/tmp/help/index.html") << true << 1 << 1;
    QTest::newRow("nothing can open it")
        << QStringLiteral("/tmp/help/index.html") << false << 1 << 0;
    QTest::newRow("no help file") << QString() << true << 0 << 0;
  }
  void Help() {
    QFETCH(QString, file);
    QFETCH(bool, opens);
    QFETCH(int, calls);
    QFETCH(int, api_return);
    FakeCommonDialogBackend backend;
    backend.open_url_succeeds = opens;
    C_ComDialog dialog(backend);
    dialog.SetHelpFile(file);
    dialog.ShowHelp();
    QCOMPARE(backend.opened_urls.size(), calls);
    if (calls > 0) QCOMPARE(backend.opened_urls.first(), QUrl::fromLocalFile(file));
    QCOMPARE(dialog.APIReturn(), api_return);
  }
};

int RunComDialogTests(int argc, char** argv) {
  ComDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace yomika::testing

#include "c_com_dialog_test.moc"
