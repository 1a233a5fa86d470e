#include "options/frm_setup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "options/tag_catalogue.h"
#include "settings/setting_keys.h"
#include "settings/setting_readers.h"
#include "settings/settings_store.h"

namespace yomika::testing {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// What GetSetting answers for a key that was never written.
const QString kAbsent = QStringLiteral("<absent>");

}  // namespace

class SetupDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<SettingsStore> store_;

  template <typename T>
  static T* Find(const frmSetup& dialog, const QString& name) {
    T* widget = dialog.findChild<T*>(name);
    if (widget == nullptr) qWarning("no %s", qPrintable(name));
    return widget;
  }
  static QAbstractButton* Button(const frmSetup& d, const char* name) {
    return Find<QAbstractButton>(d, QString::fromLatin1(name));
  }
  static bool Checked(const frmSetup& d, const char* name) { return Button(d, name)->isChecked(); }
  static bool Enabled(const frmSetup& d, const char* name) {
    return Find<QWidget>(d, QString::fromLatin1(name))->isEnabled();
  }
  static bool Shown(const frmSetup& d, const char* name) {
    return !Find<QWidget>(d, QString::fromLatin1(name))->isHidden();
  }
  QString Stored(const SettingKey& key) const {
    return store_->GetSetting(QString::fromUtf8(key.section), QString::fromUtf8(key.name), kAbsent);
  }
  int StoredKeyCount() const {
    int count = 0;
    for (const SettingKey& key : AllSettingKeys()) count += Stored(key) != kAbsent ? 1 : 0;
    return count;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<SettingsStore>(dir_->filePath(QStringLiteral("YOMIKA.ini")));
  }
  void cleanup() {
    store_.reset();
    dir_.reset();
  }

  // --- normal ---

  void CaptionsAndNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const char* const rows[][2] = {
        {"Command2", "OK"},
        {"Command1", "ｷｬﾝｾﾙ"},
        {"Frame1", "タグ文字"},
        {"optAlfa_0", "英字小文字"},
        {"optAlfa_1", "英字大文字"},
        {"fraConv", "改行コード変換"},
        {"optConv_0", "変換しない"},
        {"optConv_1", "改行→<BR>"},
        {"optConv_2", "改行→<BR>改行"},
        {"fraSpeed", "処理設定"},
        {"chkClipBoardCopy", "タグ生成時にクリップボードにコピー"},
        {"optSet_0", "通常処理"},
        {"optSet_1", "単純処理"},
        {"optSet_2", "カスタマイズ"},
        {"Frame3", "処理内容"},
        {"chkColor", "色の指定タグの生成"},
        {"chkRUBY", "<RUBY>,<RT>タグの色変更"},
        {"chkString", "ルビ文字の色変更"},
        {"chkReadOnly", "読み取り専用"},
        {"fraBackColor", "背景色"},
        {"chkBackcolor", "背景色指定"},
        {"lblBgColor", "bgcolor="},
        {"Frame2", "スタイルシートの設定"},
        {"optStyle_0", "初期値"},
        {"optStyle_1", "自由設定"},
        {"optStyle_2", "なし"},
        {"fraA", "アンカーの設定"},
        {"chkhref", "href 指定"},
        {"lblHref", "（移動先URLの指定）"},
        {"chkName", "name 指定"},
        {"lblName", "（名前の指定）"},
        {"chkTarget", "target 指定"},
        {"optTargetValue_0", "_blank"},
        {"lblBlank", "（別ウィンドウを開く）"},
        {"optTargetValue_1", "_top"},
        {"lblTop", "（表示中のウィンドウで表示）"},
        {"fraRuby", "ルビの設定"},
        {"Frame5", "ルビ"},
        {"optRUBY_0", "全角ひらがな"},
        {"optRUBY_1", "全角カタカナ"},
        {"optRUBY_2", "半角ｶﾀｶﾅ"},
        {"chkRB", "非対応ブラウザ設定"},
        {"Frame4", ""},
        {"lblRBStart", "開始文字"},
        {"lblRBEnd", "終了文字"},
        {"Frame7", "ルビを付ける漢字"},
        {"optLevel_0", "すべての漢字"},
        {"optLevel_1", "小学1年で習う漢字を除く"},
        {"optLevel_6", "小学6年までに習う漢字を除く"},
        {"optLevel_7", "常用漢字を除く"},
        {"optLevel_8", "常用漢字と人名用漢字を除く"},
        {"chkFirstOnly", "同じ語は最初の1回だけ"},
        {"chkMono", "1字ずつ（読みを漢字ごとに分けられる語）"},
        {"Frame6", ""},
        {"optTag_0", "カスタマイズ"},
        {"optTag_1", "全て選択"},
        {"optTag_2", "全て解除"},
    };
    for (const auto& row : rows) {
      QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << U(row[1]);
    }
  }
  void CaptionsAndNames() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frmSetup dialog(*store_);
    QWidget* widget = dialog.findChild<QWidget*>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      QCOMPARE(button->text(), caption);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
      QCOMPARE(box->title(), caption);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      QCOMPARE(label->text(), caption);
    } else {
      QFAIL("unexpected widget class");
    }
  }

  void DialogAndTabs() {
    frmSetup dialog(*store_);
    QCOMPARE(dialog.windowTitle(), U("設定画面"));
    QVERIFY(dialog.isModal());
    auto* tabs = Find<QTabWidget>(dialog, QStringLiteral("TabStrip1"));
    QVERIFY(tabs != nullptr);
    const QStringList captions = {U("\u3000基本\u3000"), U("処理設定"),       U("プレビュー"),
                                  U("<Ａ>アンカー"),     U("<ＲＵＢＹ>ルビ"), U("ルビの対象"),
                                  U("タグ指定")};
    const QStringList pages = {QStringLiteral("fraNormal"),  QStringLiteral("fraSpeed"),
                               QStringLiteral("fraPreview"), QStringLiteral("fraA"),
                               QStringLiteral("fraRuby"),    QStringLiteral("fraRubyTarget"),
                               QStringLiteral("fraAddTag")};
    QCOMPARE(tabs->count(), 7);
    for (int k = 0; k < 7; ++k) {
      QCOMPARE(tabs->tabText(k), captions[k]);
      QCOMPARE(tabs->widget(k)->objectName(), pages[k]);
    }
    QCOMPARE(tabs->tabText(0).size(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    auto* ok = Find<QPushButton>(dialog, QStringLiteral("Command2"));
    QVERIFY(ok->isDefault());
    QCOMPARE(Find<QPlainTextEdit>(dialog, QStringLiteral("txtStyleSheet")) != nullptr, true);
  }

  void FreshStoreShowsTheDefaults() {
    frmSetup d(*store_);
    // Tab 1
    QVERIFY(Checked(d, "optAlfa_0"));
    QVERIFY(Checked(d, "optConv_2"));
    // Tab 2
    QVERIFY(Checked(d, "optSet_0"));
    for (const char* box : {"chkColor", "chkRUBY", "chkString"}) {
      QVERIFY2(Checked(d, box) && !Enabled(d, box), box);
    }
    QVERIFY(!Checked(d, "chkClipBoardCopy"));
    // Tab 3
    QVERIFY(Checked(d, "chkReadOnly"));
    QVERIFY(!Checked(d, "chkBackcolor"));
    QVERIFY(!Shown(d, "txtBgColor") && !Shown(d, "lblBgColor"));
    QCOMPARE(Find<QLineEdit>(d, QStringLiteral("txtBgColor"))->text(), U("#FFFFFF"));
    QVERIFY(Checked(d, "optStyle_0"));
    auto* sheet = Find<QPlainTextEdit>(d, QStringLiteral("txtStyleSheet"));
    QCOMPARE(sheet->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")),
             DefaultStyleSheet());
    QVERIFY(!sheet->isEnabled());
    // Tab 4
    QVERIFY(Checked(d, "chkhref") && !Checked(d, "chkName") && !Checked(d, "chkTarget"));
    QVERIFY(Checked(d, "optTargetValue_0"));
    QVERIFY(!Enabled(d, "optTargetValue_0") && !Enabled(d, "optTargetValue_1"));
    // Tab 5
    QVERIFY(Checked(d, "optRUBY_0") && !Checked(d, "chkRB"));
    QCOMPARE(Find<QLineEdit>(d, QStringLiteral("txtRBStart"))->text(), U("【"));
    QCOMPARE(Find<QLineEdit>(d, QStringLiteral("txtRBEnd"))->text(), U("】"));
    QVERIFY(!Enabled(d, "txtRBStart") && !Enabled(d, "txtRBEnd"));
    // Tab 6
    QVERIFY(Checked(d, "optLevel_0"));
    QVERIFY(!Checked(d, "chkFirstOnly") && !Checked(d, "chkMono"));
    // Tab 7
    QVERIFY(Checked(d, "optTag_0"));
    auto* list = Find<QListWidget>(d, QStringLiteral("List1"));
    QCOMPARE(list->count(), 23);
    for (int row = 0; row < list->count(); ++row) {
      QCOMPARE(list->item(row)->text(), ListText(TagCatalogue()[row]));
      QCOMPARE(list->item(row)->checkState(), Qt::Unchecked);
    }
    QVERIFY(list->isEnabled());
  }

  void ClickRules() {
    frmSetup d(*store_);
    Button(d, "optSet_1")->click();
    QVERIFY(!Checked(d, "chkColor") && !Checked(d, "chkRUBY") && Checked(d, "chkString"));
    QVERIFY(!Enabled(d, "chkString"));
    Button(d, "optSet_2")->click();
    QVERIFY(!Checked(d, "chkColor") && !Checked(d, "chkRUBY") && Checked(d, "chkString"));
    QVERIFY(Enabled(d, "chkColor") && Enabled(d, "chkString"));

    Button(d, "chkBackcolor")->click();
    QVERIFY(Shown(d, "txtBgColor") && Shown(d, "lblBgColor"));
    Button(d, "chkTarget")->click();
    QVERIFY(Enabled(d, "optTargetValue_0") && Enabled(d, "optTargetValue_1"));
    Button(d, "chkRB")->click();
    QVERIFY(Enabled(d, "txtRBStart") && Enabled(d, "txtRBEnd"));

    auto* sheet = Find<QPlainTextEdit>(d, QStringLiteral("txtStyleSheet"));
    Button(d, "optStyle_1")->click();
    QVERIFY(sheet->isEnabled());
    sheet->setPlainText(QStringLiteral("P {}"));
    Button(d, "optStyle_0")->click();  // throws the edit away
    QCOMPARE(d.model().style_sheet, DefaultStyleSheet());
    Button(d, "optStyle_1")->click();
    Button(d, "optStyle_2")->click();
    Button(d, "optStyle_1")->click();
    QCOMPARE(sheet->toPlainText(), QString());
    QVERIFY(sheet->isEnabled());
  }

  void TagListModesAndCurrentEntry() {
    frmSetup d(*store_);
    auto* tabs = Find<QTabWidget>(d, QStringLiteral("TabStrip1"));
    auto* list = Find<QListWidget>(d, QStringLiteral("List1"));
    tabs->setCurrentIndex(6);
    QCOMPARE(list->currentRow(), 0);
    list->item(6)->setCheckState(Qt::Checked);  // the user marks <B>
    QVERIFY(d.model().tag_marked(6));
    list->setCurrentRow(9);
    Button(d, "optTag_1")->click();
    QVERIFY(!list->isEnabled());
    QCOMPARE(list->currentRow(), 0);
    for (int row = 0; row < 23; ++row) QCOMPARE(list->item(row)->checkState(), Qt::Checked);
    Button(d, "optTag_0")->click();
    QVERIFY(list->isEnabled());
    QCOMPARE(list->item(22)->checkState(), Qt::Checked);
    Button(d, "optTag_2")->click();
    for (int row = 0; row < 23; ++row) QCOMPARE(list->item(row)->checkState(), Qt::Unchecked);
  }

  void OkWritesEveryKeyAndAllSelectedGivesMinusOne() {
    frmSetup d(*store_);
    QSignalSpy saved(&d, &frmSetup::Saved);
    Button(d, "optTag_1")->click();
    Button(d, "Command2")->click();
    QCOMPARE(saved.count(), 1);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(StoredKeyCount(), int(AllSettingKeys().size()));
    QCOMPARE(Stored(keys::kTagsChecked), QStringLiteral("1"));
    for (int n = 0; n < 23; ++n) QCOMPARE(Stored(TagListKey(n)), QStringLiteral("-1"));
    QCOMPARE(Stored(keys::kTxtStyleSheet), DefaultStyleSheet());  // CR LF kept
    QCOMPARE(Stored(keys::kReadOnly), QStringLiteral("1"));
  }

  void RubyTargetsAreSavedOnOkAndShownAgain() {
    {
      frmSetup d(*store_);
      Button(d, "optLevel_7")->click();
      Button(d, "chkMono")->click();
      Button(d, "Command2")->click();
    }
    QCOMPARE(Stored(keys::kRubyLevel), QStringLiteral("7"));
    QCOMPARE(Stored(keys::kMono), QStringLiteral("1"));
    QCOMPARE(Stored(keys::kFirstOnly), QStringLiteral("0"));
    store_->Save(keys::kFirstOnly, QStringLiteral("1"));
    frmSetup again(*store_);
    QVERIFY(Checked(again, "optLevel_7") && Checked(again, "chkMono"));
    QVERIFY(Checked(again, "chkFirstOnly"));
  }

  void OkWithReadOnlyClearedIsReadableWhenSavedFires() {
    frmSetup d(*store_);
    std::optional<bool> read_only_at_saved;
    connect(&d, &frmSetup::Saved, this,
            [&] { read_only_at_saved = ReadTruth(*store_, keys::kReadOnly); });
    Button(d, "chkReadOnly")->click();
    d.show();
    QTest::keyClick(&d, Qt::Key_Return);  // Enter presses OK
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(read_only_at_saved, std::optional<bool>(false));
  }

  void CancelEscAndCloseWriteNothing_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("ｷｬﾝｾﾙ") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close box") << 2;
    QTest::newRow("Enter on a focused ｷｬﾝｾﾙ") << 3;
  }
  void CancelEscAndCloseWriteNothing() {
    QFETCH(int, how);
    frmSetup d(*store_);
    QSignalSpy saved(&d, &frmSetup::Saved);
    Button(d, "chkReadOnly")->click();
    Button(d, "optTag_1")->click();
    d.show();
    if (how == 0) Button(d, "Command1")->click();
    if (how == 1) QTest::keyClick(&d, Qt::Key_Escape);
    if (how == 2) d.close();
    if (how == 3) {
      QVERIFY(QTest::qWaitForWindowActive(&d));
      Button(d, "Command1")->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(StoredKeyCount(), 0);
  }

  // --- edge ---

  void FieldLimits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("colour stops at 7")
        << QStringLiteral("txtBgColor") << QStringLiteral("#12345678") << QStringLiteral("#123456");
    QTest::newRow("opening bracket stops at 1")
        << QStringLiteral("txtRBStart") << QStringLiteral("([") << QStringLiteral("(");
    QTest::newRow("closing bracket stops at 1")
        << QStringLiteral("txtRBEnd") << QStringLiteral(")]") << QStringLiteral(")");
  }
  void FieldLimits() {
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    store_->Save(keys::kBackcolor, QStringLiteral("1"));
    store_->Save(keys::kChkRb, QStringLiteral("1"));
    frmSetup d(*store_);
    auto* edit = Find<QLineEdit>(d, name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), kept);
    Button(d, "Command2")->click();
    const SettingKey key = name == QLatin1String("txtBgColor")   ? keys::kTxtBackcolor
                           : name == QLatin1String("txtRBStart") ? keys::kRbStart
                                                                 : keys::kRbEnd;
    QCOMPARE(Stored(key), kept);
  }

  void LongStoredTextsAreNotCut() {
    store_->Save(keys::kTxtBackcolor, QStringLiteral("rgb(1,2,3)"));
    store_->Save(keys::kRbEnd, QStringLiteral("))"));
    frmSetup d(*store_);
    QCOMPARE(Find<QLineEdit>(d, QStringLiteral("txtBgColor"))->text(),
             QStringLiteral("rgb(1,2,3)"));
    Button(d, "Command2")->click();
    QCOMPARE(Stored(keys::kTxtBackcolor), QStringLiteral("rgb(1,2,3)"));
    QCOMPARE(Stored(keys::kRbEnd), QStringLiteral("))"));
  }

  void EditedStyleSheetIsStoredWithCrLf() {
    store_->Save(keys::kStyleSheet, QStringLiteral("1"));
    frmSetup d(*store_);
    auto* sheet = Find<QPlainTextEdit>(d, QStringLiteral("txtStyleSheet"));
    sheet->setPlainText(QStringLiteral("A {}\nB {}"));
    Button(d, "Command2")->click();
    QCOMPARE(Stored(keys::kTxtStyleSheet), QStringLiteral("A {}\r\nB {}"));
  }

  void OddStoredChoiceOpensOnTheDefaultButton() {
    store_->Save(keys::kMode, QStringLiteral("7"));
    store_->Save(keys::kRubyString, QStringLiteral("1.9"));
    store_->Save(keys::kCreateColor, QStringLiteral("0"));
    frmSetup d(*store_);
    QVERIFY(Checked(d, "optSet_0"));
    QVERIFY(!Checked(d, "chkColor") && !Enabled(d, "chkColor"));
    QVERIFY(Checked(d, "optRUBY_1"));
    QVERIFY(d.model().unreadable_keys().contains(QStringLiteral("Default/Mode")));
  }

  void FillTagListTwiceKeepsTwentyThreeLines() {
    store_->Save(TagListKey(22), QStringLiteral("-1"));
    frmSetup d(*store_);
    d.FillTagList();
    d.FillTagList();
    auto* list = Find<QListWidget>(d, QStringLiteral("List1"));
    QCOMPARE(list->count(), 23);
    QCOMPARE(list->item(22)->checkState(), Qt::Checked);  // marks follow the loaded state
  }

  void FocusSelectsTheWholeField() {
    store_->Save(keys::kBackcolor, QStringLiteral("1"));
    frmSetup d(*store_);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    Find<QTabWidget>(d, QStringLiteral("TabStrip1"))->setCurrentIndex(2);
    auto* edit = Find<QLineEdit>(d, QStringLiteral("txtBgColor"));
    edit->deselect();
    edit->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(edit->selectedText(), QStringLiteral("#FFFFFF"));
  }

  void OkReportsSettingsThatCannotBeWritten() {
    // A folder that cannot be made, even by root: its parent is a file.
    QFile blocker(dir_->filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(dir_->filePath(QStringLiteral("blocker/YOMIKA.ini")));
    frmSetup d(store);
    QString message;
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        message = box->text();
        box->accept();
      }
    });
    Button(d, "Command2")->click();
    QVERIFY2(message.contains(store.Location()), qPrintable(message));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    // A writable store: nothing to report.
    frmSetup ok(*store_);
    Button(ok, "Command2")->click();
    QCOMPARE(StoredKeyCount(), int(AllSettingKeys().size()));
  }

  void ShowSetupDialogRunsOnSavedOnlyAfterOk() {
    int saved = 0;
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    ShowSetupDialog(nullptr, *store_, [&] { ++saved; });
    QCOMPARE(saved, 0);
    QCOMPARE(StoredKeyCount(), 0);
    QTimer::singleShot(0, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
      }
    });
    ShowSetupDialog(nullptr, *store_, [&] { ++saved; });
    QCOMPARE(saved, 1);
    QCOMPARE(StoredKeyCount(), int(AllSettingKeys().size()));
  }
};

}  // namespace yomika::testing

QTEST_MAIN(yomika::testing::SetupDialogTest)
#include "frm_setup_test.moc"
