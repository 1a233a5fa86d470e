#include "editmenu/frm_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "options/tag_catalogue.h"
#include "settings/setting_keys.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

class FrmMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void InputMenuHasTheItemsInOrder();
  void LoadTagMenuMakes23ItemsOnce();
  void FreshStoreShowsNoTagItems();
  void TagVisibilityFollowsTheListKeys_data();
  void TagVisibilityFollowsTheListKeys();
  void VisibilityIsReadAtEveryRightClick();
  void InputEnabledStates_data();
  void InputEnabledStates();
  void SourceMenuEnabledStates_data();
  void SourceMenuEnabledStates();
  void OnlyTheRightButtonOpensAMenu_data();
  void OnlyTheRightButtonOpensAMenu();
  void RightClickKeepsTheSelection();
  void ClipboardCommands_data();
  void ClipboardCommands();
  void PasteWithoutTextDeletesTheSelection();
  void TagItemsInsert_data();
  void TagItemsInsert();
  void UnreadableLetterCaseWarnsAndKeepsTheText();
  void ColourAndRegistrationCallTheMainWindow();
  void ColourResultIsAppliedOnlyWhenConfirmed();

 private:
  void Select(RichTextPane* pane, int start, int length);
  QList<QAction*> VisibleItems(QMenu* menu) const;

  QTemporaryDir dir_;
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<QWidget> owner_;
  RichTextPane* input_ = nullptr;
  RichTextPane* source_ = nullptr;
  std::unique_ptr<FrmMenu> menu_;
  int colour_calls_ = 0;
  QStringList registered_;
  QStringList warnings_;
};

void FrmMenuTest::init() {
  QFile::remove(dir_.filePath(QStringLiteral("YOMIKA.ini")));
  store_ = std::make_unique<SettingsStore>(dir_.filePath(QStringLiteral("YOMIKA.ini")));
  owner_ = std::make_unique<QWidget>();
  auto* layout = new QHBoxLayout(owner_.get());
  input_ = new RichTextPane(owner_.get());
  source_ = new RichTextPane(owner_.get());
  layout->addWidget(input_);
  layout->addWidget(source_);
  owner_->resize(400, 200);
  owner_->show();
  QVERIFY(QTest::qWaitForWindowExposed(owner_.get()));
  colour_calls_ = 0;
  registered_.clear();
  warnings_.clear();
  FrmMenuCallbacks callbacks;
  callbacks.on_colour = [this] { ++colour_calls_; };
  callbacks.register_word = [this](const QString& word) { registered_.append(word); };
  callbacks.warn = [this](const QString& text) { warnings_.append(text); };
  menu_ = std::make_unique<FrmMenu>(owner_.get(), *store_, input_, source_, callbacks);
  menu_->LoadTagMenu();
}

void FrmMenuTest::cleanup() {
  menu_.reset();
  owner_.reset();
  store_.reset();
}

void FrmMenuTest::Select(RichTextPane* pane, int start, int length) {
  pane->SetSelStart(start);
  pane->SetSelLength(length);
}

QList<QAction*> FrmMenuTest::VisibleItems(QMenu* menu) const {
  QList<QAction*> visible;
  for (QAction* action : menu->actions()) {
    if (action->isVisible()) visible.append(action);
  }
  return visible;
}

void FrmMenuTest::InputMenuHasTheItemsInOrder() {
  QStringList names;
  QStringList captions;
  for (QAction* action : menu_->mnuMenu()->actions()) {
    names.append(action->objectName());
    captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  QStringList expected_names{Q("mnuCut"), Q("mnuCopy"), Q("mnuPaste"),
                             Q("mnuAll"), Q("mnuBar"),  Q("mnuColor")};
  for (int n = 0; n < 23; ++n) expected_names.append(Q("mnuTag"));
  expected_names << Q("mnuBar2") << Q("mnuSetIME");
  QCOMPARE(names, expected_names);
  QCOMPARE(captions.mid(0, 6), (QStringList{Q("切り取り(&T)"), Q("コピー(&C)"), Q("貼り付け(&P)"),
                                            Q("全て選択(&A)"), Q("-"), Q("COLOR")}));
  QCOMPARE(captions.mid(6, 23), TagMenuCaptions());
  QCOMPARE(captions.mid(29), (QStringList{Q("-"), Q("IME単語登録")}));
  QCOMPARE(menu_->mnuMenu()->title(), Q("menu"));

  QStringList source;
  for (QAction* action : menu_->mnuMenu2()->actions()) {
    source.append(action->objectName() + u'=' + action->text());
  }
  QCOMPARE(source, (QStringList{Q("mnuCut2=切り取り(&T)"), Q("mnuCopy2=コピー(&C)"),
                                Q("mnuPaste2=貼り付け(&P)"), Q("mnuAll2=全て選択(&A)")}));
  QCOMPARE(menu_->mnuMenu2()->title(), Q("menu2"));
}

void FrmMenuTest::LoadTagMenuMakes23ItemsOnce() {
  FrmMenu fresh(owner_.get(), *store_, input_, source_, {});
  QCOMPARE(fresh.TagItemCount(), 1);
  QCOMPARE(fresh.mnuTag(0)->text(), QString());
  QVERIFY(fresh.mnuTag(1) == nullptr);
  fresh.LoadTagMenu();
  fresh.LoadTagMenu();
  QCOMPARE(fresh.TagItemCount(), 23);
  QCOMPARE(fresh.mnuMenu()->actions().size(), 31);
  QCOMPARE(fresh.mnuTag(0)->text(), Q("<A>"));
  QCOMPARE(fresh.mnuTag(22)->text(), Q("<BODY>"));
  QCOMPARE(fresh.mnuTag(22)->property("index").toInt(), 22);
}

void FrmMenuTest::FreshStoreShowsNoTagItems() {
  menu_->OpenInputMenu(QPoint(10, 10));
  QStringList visible;
  for (QAction* action : VisibleItems(menu_->mnuMenu())) visible.append(action->objectName());
  QCOMPARE(visible, (QStringList{Q("mnuCut"), Q("mnuCopy"), Q("mnuPaste"), Q("mnuAll"), Q("mnuBar"),
                                 Q("mnuColor"), Q("mnuBar2"), Q("mnuSetIME")}));
}

void FrmMenuTest::TagVisibilityFollowsTheListKeys_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<bool>("shown");
  // normal
  QTest::newRow("-1 selected") << Q("-1") << true;
  QTest::newRow("0 not selected") << Q("0") << false;
  QTest::newRow("1 from a check box") << Q("1") << true;
  // edge
  QTest::newRow("any non-zero number") << Q("7") << true;
  QTest::newRow("the word True") << Q("True") << true;
  QTest::newRow("the word false") << Q("false") << false;
  // bad input: hidden, and the menu still opens
  QTest::newRow("not a number") << Q("abc") << false;
  QTest::newRow("empty") << QString() << false;
}

void FrmMenuTest::TagVisibilityFollowsTheListKeys() {
  QFETCH(QString, stored);
  QFETCH(bool, shown);
  for (int n : {0, 5, 22}) store_->Save(TagListKey(n), stored);
  menu_->OpenInputMenu(QPoint(10, 10));
  QVERIFY(menu_->mnuMenu()->isVisible());
  for (int n = 0; n < 23; ++n) {
    const bool expected = (n == 0 || n == 5 || n == 22) && shown;
    QVERIFY2(menu_->mnuTag(n)->isVisible() == expected, qPrintable(QString::number(n)));
  }
}

void FrmMenuTest::VisibilityIsReadAtEveryRightClick() {
  store_->Save(TagListKey(6), Q("-1"));
  menu_->OpenInputMenu(QPoint(10, 10));
  QVERIFY(menu_->mnuTag(6)->isVisible());
  menu_->mnuMenu()->hide();
  store_->Save(TagListKey(6), Q("0"));
  store_->Save(TagListKey(7), Q("-1"));
  menu_->OpenInputMenu(QPoint(10, 10));
  QVERIFY(!menu_->mnuTag(6)->isVisible());
  QVERIFY(menu_->mnuTag(7)->isVisible());
}

void FrmMenuTest::InputEnabledStates_data() {
  QTest::addColumn<bool>("selected");
  QTest::newRow("selection empty") << false;
  QTest::newRow("text selected") << true;
}

void FrmMenuTest::InputEnabledStates() {
  QFETCH(bool, selected);
  // A hidden action never reports itself enabled, so every tag item is shown here.
  for (int n = 0; n < 23; ++n) store_->Save(TagListKey(n), Q("-1"));
  input_->SetText(Q("漢字とかな"));
  Select(input_, 0, selected ? 2 : 0);
  menu_->OpenInputMenu(QPoint(10, 10));
  const auto enabled = [this](const char* name) {
    return menu_->mnuMenu()->findChild<QAction*>(Q(name))->isEnabled();
  };
  for (const char* name : {"mnuCut", "mnuCopy", "mnuColor", "mnuSetIME"}) {
    QVERIFY2(enabled(name) == selected, name);
  }
  QVERIFY(enabled("mnuPaste"));
  QVERIFY(enabled("mnuAll"));
  for (int n = 0; n < 23; ++n) {
    const bool replaces = n == 2 || n == 3 || n == 4 || n == 16;
    QVERIFY2(menu_->mnuTag(n)->isEnabled() == (!selected || !replaces),
             qPrintable(QString::number(n)));
  }
}

void FrmMenuTest::SourceMenuEnabledStates_data() { InputEnabledStates_data(); }

void FrmMenuTest::SourceMenuEnabledStates() {
  QFETCH(bool, selected);
  source_->SetText(Q("<ruby>漢</ruby>"));
  Select(source_, 1, selected ? 4 : 0);
  menu_->OpenSourceMenu(QPoint(10, 10));
  QVERIFY(menu_->mnuMenu2()->isVisible());
  const auto enabled = [this](const char* name) {
    return menu_->mnuMenu2()->findChild<QAction*>(Q(name))->isEnabled();
  };
  QCOMPARE(enabled("mnuCut2"), selected);
  QCOMPARE(enabled("mnuCopy2"), selected);
  QVERIFY(enabled("mnuPaste2"));
  QVERIFY(enabled("mnuAll2"));
}

void FrmMenuTest::OnlyTheRightButtonOpensAMenu_data() {
  QTest::addColumn<bool>("on_input");
  QTest::addColumn<int>("button");
  QTest::addColumn<bool>("input_menu");
  QTest::addColumn<bool>("source_menu");
  QTest::newRow("right on input") << true << int(Qt::RightButton) << true << false;
  QTest::newRow("right on source") << false << int(Qt::RightButton) << false << true;
  QTest::newRow("left on input") << true << int(Qt::LeftButton) << false << false;
  QTest::newRow("middle on input") << true << int(Qt::MiddleButton) << false << false;
  QTest::newRow("left on source") << false << int(Qt::LeftButton) << false << false;
  QTest::newRow("middle on source") << false << int(Qt::MiddleButton) << false << false;
}

void FrmMenuTest::OnlyTheRightButtonOpensAMenu() {
  QFETCH(bool, on_input);
  QFETCH(int, button);
  QFETCH(bool, input_menu);
  QFETCH(bool, source_menu);
  RichTextPane* pane = on_input ? input_ : source_;
  QTest::mousePress(pane->viewport(), Qt::MouseButton(button), {}, QPoint(5, 5));
  QCOMPARE(menu_->mnuMenu()->isVisible(), input_menu);
  QCOMPARE(menu_->mnuMenu2()->isVisible(), source_menu);
  menu_->mnuMenu()->hide();
  menu_->mnuMenu2()->hide();
  // The keyboard's context menu key opens no built-in menu either.
  QCOMPARE(pane->contextMenuPolicy(), Qt::PreventContextMenu);
}

void FrmMenuTest::RightClickKeepsTheSelection() {
  input_->SetText(Q("abcdef"));
  Select(input_, 1, 3);
  QTest::mousePress(input_->viewport(), Qt::RightButton, {}, QPoint(100, 5));
  QVERIFY(menu_->mnuMenu()->isVisible());
  QCOMPARE(input_->SelStart(), 1);
  QCOMPARE(input_->SelText(), Q("bcd"));
}

void FrmMenuTest::ClipboardCommands_data() {
  QTest::addColumn<bool>("on_input");
  QTest::addColumn<QString>("item");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("text_after");
  QTest::addColumn<QString>("clipboard_after");
  QTest::addColumn<QString>("selected_after");
  const QString text = Q("漢字\r\nかなABC");
  // clipboard before each case: "貼"
  for (bool on_input : {true, false}) {
    const QString two = on_input ? QString() : Q("2");
    const char* pane = on_input ? "input: " : "source: ";
    QTest::addRow("%scut", pane) << on_input << Q("mnuCut") + two << 1 << 4 << Q("漢なABC")
                                 << Q("字\r\nか") << QString();
    QTest::addRow("%scopy", pane) << on_input << Q("mnuCopy") + two << 1 << 4 << text
                                  << Q("字\r\nか") << Q("字\r\nか");
    QTest::addRow("%spaste over selection", pane)
        << on_input << Q("mnuPaste") + two << 0 << 2 << Q("貼\r\nかなABC") << Q("貼") << QString();
    QTest::addRow("%spaste at caret", pane) << on_input << Q("mnuPaste") + two << 9 << 0
                                            << Q("漢字\r\nかなABC貼") << Q("貼") << QString();
    QTest::addRow("%sselect all", pane)
        << on_input << Q("mnuAll") + two << 3 << 0 << text << Q("貼") << text;
  }
}

void FrmMenuTest::ClipboardCommands() {
  QFETCH(bool, on_input);
  QFETCH(QString, item);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(QString, text_after);
  QFETCH(QString, clipboard_after);
  QFETCH(QString, selected_after);
  RichTextPane* pane = on_input ? input_ : source_;
  QMenu* menu = on_input ? menu_->mnuMenu() : menu_->mnuMenu2();
  pane->SetText(Q("漢字\r\nかなABC"));
  Select(pane, start, length);
  QGuiApplication::clipboard()->setText(Q("貼"));
  menu->findChild<QAction*>(item)->trigger();
  QCOMPARE(pane->Text(), text_after);
  QCOMPARE(QGuiApplication::clipboard()->text(), clipboard_after);
  QCOMPARE(pane->SelText(), selected_after);
  // The other pane is never touched.
  QCOMPARE((on_input ? source_ : input_)->Text(), QString());
}

void FrmMenuTest::PasteWithoutTextDeletesTheSelection() {
  input_->SetText(Q("abc"));
  Select(input_, 1, 1);
  QGuiApplication::clipboard()->clear();
  menu_->mnuMenu()->findChild<QAction*>(Q("mnuPaste"))->trigger();
  QCOMPARE(input_->Text(), Q("ac"));
}

void FrmMenuTest::TagItemsInsert_data() {
  QTest::addColumn<int>("entry");
  QTest::addColumn<QString>("alphabet");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("text_after");
  QTest::addColumn<int>("caret_after");
  // The pane holds "xAby"; what each kind inserts is covered by the logic tests.
  QTest::newRow("anchor") << 0 << Q("0") << 1 << 2 << Q("x<a href=\"xxxxx\">Ab</a>y") << 23;
  QTest::newRow("comment") << 1 << Q("1") << 1 << 2 << Q("x<!-- Ab -->y") << 12;
  QTest::newRow("image at caret") << 2 << Q("1") << 1 << 0 << Q("x<IMG SRC=\"XXXXX\">Aby") << 18;
  QTest::newRow("br at the end") << 4 << Q("0") << 4 << 0 << Q("xAby<br>") << 8;
  QTest::newRow("b keeps the selection's case") << 6 << Q("0") << 1 << 2 << Q("x<b>Ab</b>y") << 10;
  QTest::newRow("table upper") << 11 << Q("1") << 0 << 4 << Q("<TABLE>xAby</TABLE>") << 19;
  QTest::newRow("wrap at caret") << 22 << Q("0") << 2 << 0 << Q("xA<body></body>by") << 15;
}

void FrmMenuTest::TagItemsInsert() {
  QFETCH(int, entry);
  QFETCH(QString, alphabet);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(QString, text_after);
  QFETCH(int, caret_after);
  store_->Save(keys::kAlphabet, alphabet);
  input_->SetText(Q("xAby"));
  Select(input_, start, length);
  menu_->mnuTag(entry)->trigger();
  QCOMPARE(input_->Text(), text_after);
  QCOMPARE(input_->SelStart(), caret_after);
  QCOMPARE(input_->SelLength(), 0);
  QVERIFY(warnings_.isEmpty());
}

void FrmMenuTest::UnreadableLetterCaseWarnsAndKeepsTheText() {
  store_->Save(keys::kAlphabet, Q("upper"));
  input_->SetText(Q("xAby"));
  Select(input_, 1, 2);
  menu_->mnuTag(6)->trigger();
  QCOMPARE(input_->Text(), Q("xAby"));
  QCOMPARE(input_->SelText(), Q("Ab"));
  QCOMPARE(warnings_,
           QStringList{Q("設定 Default/alphabet の値「upper」を数値として読めません。")});
}

void FrmMenuTest::ColourAndRegistrationCallTheMainWindow() {
  input_->SetText(Q("東京タワー"));
  Select(input_, 0, 2);
  menu_->mnuMenu()->findChild<QAction*>(Q("mnuColor"))->trigger();
  QCOMPARE(colour_calls_, 1);
  menu_->mnuMenu()->findChild<QAction*>(Q("mnuSetIME"))->trigger();
  QCOMPARE(registered_, QStringList{Q("東京")});
  QCOMPARE(input_->Text(), Q("東京タワー"));
}

void FrmMenuTest::ColourResultIsAppliedOnlyWhenConfirmed() {
  input_->SetText(Q("abc"));
  Select(input_, 0, 1);
  Colour color = 0x0000FF;
  bool ok = false;
  ApplyColourResult(color, ok, *input_);  // cancelled: nothing changes
  QCOMPARE(input_->SelColor(), std::optional<Colour>(0));
  QCOMPARE(color, Colour{0x0000FF});
  ok = true;
  ApplyColourResult(color, ok, *input_);
  QCOMPARE(input_->SelColor(), std::optional<Colour>(0x0000FF));
  QCOMPARE(color, Colour{0});
  QCOMPARE(ok, false);
  Select(input_, 1, 2);
  QCOMPARE(input_->SelColor(), std::optional<Colour>(0));
}

}  // namespace yomika

QTEST_MAIN(yomika::FrmMenuTest)
#include "frm_menu_test.moc"
