#include "editmenu/reading_choice_popup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

namespace yomika {

class ReadingChoicePopupTest : public QObject {
  Q_OBJECT

 private slots:
  void ClickOnALineChoosesItsReadingInHiragana();
  void TypedReadingIsCheckedAndTheBoxIsPassedOn();

 private:
  static std::vector<ChoiceLine> Lines() {
    return {{u"カミ"_qs, u"候補"_qs, true}, {u"ウエ"_qs, u"辞書"_qs, false}};
  }
};

void ReadingChoicePopupTest::ClickOnALineChoosesItsReadingInHiragana() {
  ReadingChoicePopup popup;
  std::vector<ReadingChoice> chosen;
  popup.SetChosenCallback([&](const ReadingChoice& choice) { chosen.push_back(choice); });
  popup.Open(u"上"_qs, Lines(), QPoint(10, 10));
  QVERIFY(popup.isVisible());
  auto* list = popup.findChild<QTreeWidget*>(QStringLiteral("lstCandidates"));
  QCOMPARE(list->topLevelItemCount(), 2);
  QCOMPARE(list->currentItem()->text(0), u"カミ"_qs);
  QCOMPARE(list->topLevelItem(1)->text(1), u"辞書"_qs);
  const QRect row = list->visualItemRect(list->topLevelItem(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  QCOMPARE(chosen, (std::vector<ReadingChoice>{{u"うえ"_qs, false}}));
  QVERIFY(!popup.isVisible());
}

void ReadingChoicePopupTest::TypedReadingIsCheckedAndTheBoxIsPassedOn() {
  ReadingChoicePopup popup;
  std::vector<ReadingChoice> chosen;
  popup.SetChosenCallback([&](const ReadingChoice& choice) { chosen.push_back(choice); });
  popup.Open(u"上"_qs, Lines(), QPoint(10, 10));
  auto* field = popup.findChild<QLineEdit*>(QStringLiteral("txtReading"));
  popup.findChild<QCheckBox*>(QStringLiteral("chkRemember"))->setChecked(true);
  field->setText(u"ue"_qs);
  QTest::keyClick(field, Qt::Key_Return);
  QVERIFY(chosen.empty());
  QVERIFY(popup.isVisible());
  QVERIFY(popup.Message().contains(u"ひらがなとカタカナ"_qs));
  field->setText(u"ほとり"_qs);
  QTest::keyClick(field, Qt::Key_Return);
  QCOMPARE(chosen, (std::vector<ReadingChoice>{{u"ほとり"_qs, true}}));
  // Opened again: a fresh start.
  popup.Open(u"上"_qs, Lines(), QPoint(10, 10));
  QVERIFY(field->text().isEmpty());
  QVERIFY(!popup.findChild<QCheckBox*>(QStringLiteral("chkRemember"))->isChecked());
  QVERIFY(popup.Message().isEmpty());
}

}  // namespace yomika

QTEST_MAIN(yomika::ReadingChoicePopupTest)
#include "reading_choice_popup_test.moc"
