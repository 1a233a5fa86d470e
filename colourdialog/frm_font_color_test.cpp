#include "colourdialog/frm_font_color.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "colourdialog/named_colours.h"

Q_DECLARE_METATYPE(std::optional<yomika::Colour>)

namespace yomika::testing {
namespace {

constexpr Colour kUntouchedColour = 0x123456;

// A dialog with its result members, the way the main window holds them.
struct Opened {
  explicit Opened(std::optional<Colour> start) : dialog(nullptr, start, Color, OK) {}
  Colour Color = kUntouchedColour;
  bool OK = false;
  frmFontColor dialog;

  QScrollBar* Bar(int i) const {
    return dialog.findChild<QScrollBar*>(QStringLiteral("colorRGB(%1)").arg(i));
  }
  QLineEdit* Field(int i) const {
    return dialog.findChild<QLineEdit*>(QStringLiteral("lblColorValue(%1)").arg(i));
  }
  QLineEdit* Hex() const { return dialog.findChild<QLineEdit*>(QStringLiteral("txtColour")); }
  QListWidget* List() const { return dialog.findChild<QListWidget*>(QStringLiteral("List1")); }
  QPushButton* Button(const char* name) const {
    return dialog.findChild<QPushButton*>(QLatin1String(name));
  }
  QColor SwatchColour() const {
    return dialog.findChild<QLabel*>(QStringLiteral("lblRGBcolor"))
        ->palette()
        .color(QPalette::Window);
  }
  QStringList Fields() const { return {Field(0)->text(), Field(1)->text(), Field(2)->text()}; }
  QList<int> Bars() const { return {Bar(0)->value(), Bar(1)->value(), Bar(2)->value()}; }
};

QStringList L(const char* r, const char* g, const char* b) {
  return {QLatin1String(r), QLatin1String(g), QLatin1String(b)};
}

}  // namespace

class FontColorDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // ---- normal: controls as built ----
  void Controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("OK") << QStringLiteral("Command2") << QStringLiteral("OK");
    QTest::newRow("cancel") << QStringLiteral("Command1") << QStringLiteral("ｷｬﾝｾﾙ");
    QTest::newRow("RGB frame") << QStringLiteral("Frame2") << QStringLiteral("RGB Color");
    QTest::newRow("named frame") << QStringLiteral("Frame5") << QStringLiteral("Named Color");
    QTest::newRow("hex text") << QStringLiteral("txtColour") << QStringLiteral("#000000");
    QTest::newRow("red field") << QStringLiteral("lblColorValue(0)") << QStringLiteral("0");
    QTest::newRow("blue field") << QStringLiteral("lblColorValue(2)") << QStringLiteral("0");
  }
  void Controls() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    Opened o(std::nullopt);
    QCOMPARE(o.dialog.windowTitle(), QStringLiteral("文字色の設定"));
    QVERIFY(o.dialog.isModal());
    QObject* control = o.dialog.findChild<QObject*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      QCOMPARE(button->text(), text);
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
      QCOMPARE(box->title(), text);
    } else {
      auto* edit = qobject_cast<QLineEdit*>(control);
      QVERIFY(edit != nullptr);
      QCOMPARE(edit->text(), text);
    }
  }

  void BarsFieldsAndList() {
    Opened o(std::nullopt);
    for (int i = 0; i < kChannelCount; ++i) {
      QVERIFY(o.Bar(i) != nullptr);
      QCOMPARE(o.Bar(i)->orientation(), Qt::Vertical);
      QCOMPARE(o.Bar(i)->minimum(), 0);
      QCOMPARE(o.Bar(i)->maximum(), 255);
      QCOMPARE(o.Field(i)->maxLength(), 3);
    }
    QCOMPARE(o.List()->count(), kNamedColourCount);
    QCOMPARE(o.List()->item(56)->text(), QStringLiteral("#94OOD3 darkviolet"));
    QCOMPARE(o.List()->item(124)->text(), QStringLiteral("#FFDEAD novajowhite"));
    QVERIFY(o.List()->selectedItems().isEmpty());
    QVERIFY(o.Button("Command2")->isDefault());
  }

  // ---- opening and the result ----
  void OpensOnSelectionAndOkReturnsIt_data() {
    QTest::addColumn<std::optional<Colour>>("start");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<Colour>("result");
    QTest::newRow("green 128") << std::optional<Colour>(32768) << L("0", "128", "0")
                               << QStringLiteral("#008000") << Colour{32768};
    QTest::newRow("several colours: black")
        << std::optional<Colour>() << L("0", "0", "0") << QStringLiteral("#000000") << Colour{0};
    QTest::newRow("blue 16") << std::optional<Colour>(0x100000) << L("0", "0", "16")
                             << QStringLiteral("#000010") << Colour{0x100000};
  }
  void OpensOnSelectionAndOkReturnsIt() {
    QFETCH(std::optional<Colour>, start);
    QFETCH(QStringList, fields);
    QFETCH(QString, hex);
    QFETCH(Colour, result);
    Opened o(start);
    QCOMPARE(o.Fields(), fields);
    QCOMPARE(o.Hex()->text(), hex);
    QCOMPARE(o.SwatchColour(),
             QColor(ChannelOf(result, 0), ChannelOf(result, 1), ChannelOf(result, 2)));
    QTest::mouseClick(o.Button("Command2"), Qt::LeftButton);
    QCOMPARE(o.Color, result);
    QVERIFY(o.OK);
    QCOMPARE(o.dialog.result(), int(QDialog::Accepted));
  }

  void CancelTouchesNothing_data() {
    QTest::addColumn<int>("how");  // 0 cancel button, 1 Esc, 2 close box, 3 Enter on cancel
    QTest::newRow("ｷｬﾝｾﾙ") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close box") << 2;
    QTest::newRow("Enter on a focused ｷｬﾝｾﾙ") << 3;
  }
  void CancelTouchesNothing() {
    QFETCH(int, how);
    Opened o(32768);
    o.dialog.show();
    o.Bar(0)->setValue(200);
    if (how == 0) QTest::mouseClick(o.Button("Command1"), Qt::LeftButton);
    if (how == 1) QTest::keyClick(&o.dialog, Qt::Key_Escape);
    if (how == 2) o.dialog.close();
    if (how == 3) {
      QVERIFY(QTest::qWaitForWindowActive(&o.dialog));
      o.Button("Command1")->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QVERIFY(!o.dialog.isVisible());
    QCOMPARE(o.Color, kUntouchedColour);
    QVERIFY(!o.OK);
  }

  void EnterPressesOk() {
    Opened o(std::nullopt);
    o.dialog.show();
    o.Bar(2)->setValue(15);
    QTest::keyClick(o.Field(0), Qt::Key_Return);
    QVERIFY(o.OK);
    QCOMPARE(o.Color, Colour{0x0F0000});
  }

  // ---- rules between bars, fields, hex text and swatch ----
  void BarMoveRebuildsEverything_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("hex");
    QTest::newRow("blue 15") << 2 << 15 << L("0", "0", "15") << QStringLiteral("#00000F");
    QTest::newRow("blue 16") << 2 << 16 << L("0", "0", "16") << QStringLiteral("#000010");
    QTest::newRow("red 255") << 0 << 255 << L("255", "0", "0") << QStringLiteral("#FF0000");
    QTest::newRow("green 10") << 1 << 10 << L("0", "10", "0") << QStringLiteral("#000A00");
  }
  void BarMoveRebuildsEverything() {
    QFETCH(int, channel);
    QFETCH(int, value);
    QFETCH(QStringList, fields);
    QFETCH(QString, hex);
    Opened o(std::nullopt);
    o.Bar(channel)->setValue(value);
    QCOMPARE(o.Fields(), fields);
    QCOMPARE(o.Hex()->text(), hex);
    QCOMPARE(o.SwatchColour(), QColor(o.Bars()[0], o.Bars()[1], o.Bars()[2]));
    QCOMPARE(o.Bars()[channel], value);
  }

  void TypingInAField_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("bars");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("hex");
    QTest::newRow("255 moves green to its end")
        << 1 << QStringLiteral("255") << QList<int>{0, 255, 0} << QStringLiteral("255")
        << QStringLiteral("#00FF00");
    QTest::newRow("007 reads 7") << 0 << QStringLiteral("007") << QList<int>{7, 0, 0}
                                 << QStringLiteral("7") << QStringLiteral("#070000");
    // Typed key by key: "25" is a value on the way, the final "256" is ignored.
    QTest::newRow("256 ignored") << 1 << QStringLiteral("256") << QList<int>{0, 25, 0}
                                 << QStringLiteral("256") << QStringLiteral("#001900");
    QTest::newRow("abc ignored") << 1 << QStringLiteral("abc") << QList<int>{0, 0, 0}
                                 << QStringLiteral("abc") << QStringLiteral("#000000");
    QTest::newRow("more than 3 characters cut by the field")
        << 2 << QStringLiteral("1234") << QList<int>{0, 0, 123} << QStringLiteral("123")
        << QStringLiteral("#00007B");
  }
  void TypingInAField() {
    QFETCH(int, channel);
    QFETCH(QString, typed);
    QFETCH(QList<int>, bars);
    QFETCH(QString, field);
    QFETCH(QString, hex);
    Opened o(std::nullopt);
    o.Field(channel)->selectAll();
    QTest::keyClicks(o.Field(channel), typed);
    QCOMPARE(o.Bars(), bars);
    QCOMPARE(o.Field(channel)->text(), field);
    QCOMPARE(o.Hex()->text(), hex);
    QCOMPARE(o.SwatchColour(), QColor(bars[0], bars[1], bars[2]));
  }

  void HexTextEditsAreNeverRead() {
    Opened o(32768);
    o.Hex()->selectAll();
    QTest::keyClicks(o.Hex(), QStringLiteral("#FFFFFF"));
    QCOMPARE(o.Bars(), (QList<int>{0, 128, 0}));
    o.Bar(0)->setValue(1);
    QCOMPARE(o.Hex()->text(), QStringLiteral("#018000"));
    QTest::mouseClick(o.Button("Command2"), Qt::LeftButton);
    QCOMPARE(o.Color, PackColour(1, 128, 0));
  }

  void NamedRow_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("bars");
    QTest::addColumn<QString>("hex");
    QTest::newRow("darkviolet with letters O")
        << 56 << QList<int>{148, 0, 211} << QStringLiteral("#94OOD3");
    QTest::newRow("darkgoldenrod blue 11")
        << 69 << QList<int>{184, 134, 11} << QStringLiteral("#B8860B");
    QTest::newRow("novajowhite") << 124 << QList<int>{255, 222, 173} << QStringLiteral("#FFDEAD");
  }
  void NamedRow() {
    QFETCH(int, row);
    QFETCH(QList<int>, bars);
    QFETCH(QString, hex);
    Opened o(std::nullopt);
    o.dialog.show();
    QListWidget* list = o.List();
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QCOMPARE(o.Bars(), bars);
    QCOMPARE(o.Hex()->text(), hex);
    QCOMPARE(o.SwatchColour(), QColor(bars[0], bars[1], bars[2]));
    // Clicking the same row again after moving a bar picks the row again.
    o.Bar(0)->setValue(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QCOMPARE(o.Bars(), bars);
    QCOMPARE(o.Hex()->text(), hex);
  }

  void FocusSelectsWholeText() {
    Opened o(32768);
    o.dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&o.dialog));
    for (QLineEdit* edit : {o.Field(1), o.Hex()}) {
      // A click, not Tab, and a hand that moves a little while the button is down.
      edit->deselect();
      const QPoint at(2, edit->height() / 2);
      QTest::mousePress(edit, Qt::LeftButton, {}, at);
      QTest::mouseMove(edit, at + QPoint(1, 0));
      QTest::mouseRelease(edit, Qt::LeftButton, {}, at + QPoint(1, 0));
      QVERIFY(edit->hasFocus());
      QTRY_COMPARE(edit->selectedText(), edit->text());
    }
    // Typing into a field clicked into replaces its text.
    QLineEdit* red = o.Field(0);
    QTest::mouseClick(red, Qt::LeftButton, {}, QPoint(2, red->height() / 2));
    QTest::keyClicks(red, QStringLiteral("255"));
    QCOMPARE(red->text(), QStringLiteral("255"));
    // A second click into the focused field places the caret as usual.
    QTest::mouseClick(red, Qt::LeftButton, {}, QPoint(2, red->height() / 2));
    QVERIFY(!red->hasSelectedText());
  }

  // ---- the entry point the main window calls ----
  void ShowFontColorDialogRunsModally_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<Colour>("color");
    QTest::newRow("OK") << QStringLiteral("Command2") << true << Colour{32768};
    QTest::newRow("cancel") << QStringLiteral("Command1") << false << kUntouchedColour;
  }
  void ShowFontColorDialogRunsModally() {
    QFETCH(QString, button);
    QFETCH(bool, accepted);
    QFETCH(Colour, color);
    Colour Color = kUntouchedColour;
    bool OK = false;
    QTimer::singleShot(0, [button] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      if (auto* b = modal->findChild<QPushButton*>(button)) b->click();
    });
    QCOMPARE(ShowFontColorDialog(nullptr, Colour{32768}, Color, OK), accepted);
    QCOMPARE(Color, color);
    QCOMPARE(OK, accepted);
  }
};

}  // namespace yomika::testing

QTEST_MAIN(yomika::testing::FontColorDialogTest)
#include "frm_font_color_test.moc"
