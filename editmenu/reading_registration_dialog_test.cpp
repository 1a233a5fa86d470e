#include "editmenu/reading_registration_dialog.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace yomika {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

class RegistrationDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void OpensWithTheWordAndAnEmptyReading();
  void Accept_data();
  void Accept();
  void ChoosingALineChangesItsReading();
  void RemoveTakesTheWordOutOfTheFile();
  void WriteFailureIsShownAndKeepsTheDialogOpen();
  void SkippedLinesAreReported();
  void UnreadableFileIsReported();

 private:
  QString Path() const { return dir_->filePath(QStringLiteral("readings.tsv")); }
  void WriteFile(const char* content);
  QByteArray ReadFile() const;
  template <typename T>
  static T* Child(ReadingRegistrationDialog& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromUtf8(name));
  }

  std::unique_ptr<QTemporaryDir> dir_;
};

void RegistrationDialogTest::init() { dir_ = std::make_unique<QTemporaryDir>(); }

void RegistrationDialogTest::WriteFile(const char* content) {
  QFile file(Path());
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(content);
}

QByteArray RegistrationDialogTest::ReadFile() const {
  QFile file(Path());
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("(none)");
  return file.readAll();
}

void RegistrationDialogTest::OpensWithTheWordAndAnEmptyReading() {
  WriteFile("# mine\n東京\tとうきょう\n明日\tあす\n");
  ReadingRegistrationDialog dialog(Q("葛飾"), nullptr, Path());
  QCOMPARE(Child<QLineEdit>(dialog, "txtWord")->text(), Q("葛飾"));
  QCOMPARE(Child<QLineEdit>(dialog, "txtReading")->text(), QString());
  auto* list = Child<QTableWidget>(dialog, "lstWords");
  QCOMPARE(list->rowCount(), 2);
  QCOMPARE(list->item(1, 0)->text(), Q("明日"));
  QCOMPARE(list->item(1, 1)->text(), Q("あす"));
  QCOMPARE(dialog.Message(), QString());
  QVERIFY(!Child<QPushButton>(dialog, "cmdRemove")->isEnabled());
}

void RegistrationDialogTest::Accept_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<QString>("reading");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QByteArray>("file");
  const QByteArray before = QByteArray("東京\tとうきょう\n");
  // normal
  QTest::newRow("hiragana") << Q("葛飾") << Q("かつしか") << true << QString()
                            << before + "葛飾\tかつしか\n";
  QTest::newRow("katakana is stored as hiragana")
      << Q("葛飾") << Q("カツシカ") << true << QString() << before + "葛飾\tかつしか\n";
  QTest::newRow("existing word gets the new reading")
      << Q("東京") << Q("とーきょー") << true << QString() << QByteArray("東京\tとーきょー\n");
  // edge
  QTest::newRow("blanks around are dropped")
      << Q(" 葛飾 ") << Q(" かつしか　") << true << QString() << before + "葛飾\tかつしか\n";
  QTest::newRow("long vowel mark")
      << Q("ラーメン") << Q("らーめん") << true << QString() << before + "ラーメン\tらーめん\n";
  // bad input: the dialog stays open and the file is untouched
  QTest::newRow("empty reading") << Q("葛飾") << QString() << false << Q("読みを入力してください。")
                                 << before;
  QTest::newRow("blank reading") << Q("葛飾") << Q("  ") << false << Q("読みを入力してください。")
                                 << before;
  QTest::newRow("kanji in the reading")
      << Q("葛飾") << Q("かつ飾") << false
      << Q("読み「かつ飾」には、ひらがなとカタカナ（ー を含む）だけを使ってください。") << before;
  QTest::newRow("latin reading")
      << Q("葛飾") << Q("katsushika") << false
      << Q("読み「katsushika」には、ひらがなとカタカナ（ー を含む）だけを使ってください。")
      << before;
  QTest::newRow("empty word") << QString() << Q("かつしか") << false
                              << Q("単語を入力してください。") << before;
  QTest::newRow("selection over a line break")
      << Q("葛\r\n飾") << Q("かつしか") << false
      << Q("登録できませんでした。語「葛\r\n飾」にタブや改行は使えません。") << before;
}

void RegistrationDialogTest::Accept() {
  QFETCH(QString, word);
  QFETCH(QString, reading);
  QFETCH(bool, accepted);
  QFETCH(QString, message);
  QFETCH(QByteArray, file);
  WriteFile("東京\tとうきょう\n");
  ReadingRegistrationDialog dialog(word, nullptr, Path());
  dialog.show();
  Child<QLineEdit>(dialog, "txtReading")->setText(reading);
  QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
  QCOMPARE(dialog.isVisible(), !accepted);
  QCOMPARE(dialog.Message(), message);
  QCOMPARE(Child<QLabel>(dialog, "lblMessage")->isVisibleTo(&dialog), !message.isEmpty());
  QCOMPARE(QString::fromUtf8(ReadFile()), QString::fromUtf8(file));
}

void RegistrationDialogTest::ChoosingALineChangesItsReading() {
  WriteFile("東京\tとうきょう\n明日\tあした\n");
  ReadingRegistrationDialog dialog(Q("葛飾"), nullptr, Path());
  auto* list = Child<QTableWidget>(dialog, "lstWords");
  list->selectRow(1);
  QCOMPARE(Child<QLineEdit>(dialog, "txtWord")->text(), Q("明日"));
  QCOMPARE(Child<QLineEdit>(dialog, "txtReading")->text(), Q("あした"));
  QVERIFY(Child<QPushButton>(dialog, "cmdRemove")->isEnabled());
  Child<QLineEdit>(dialog, "txtReading")->setText(Q("あす"));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(QString::fromUtf8(ReadFile()), Q("東京\tとうきょう\n明日\tあす\n"));
}

void RegistrationDialogTest::RemoveTakesTheWordOutOfTheFile() {
  WriteFile("# keep me\n東京\tとうきょう\n明日\tあす\n");
  ReadingRegistrationDialog dialog(Q("葛飾"), nullptr, Path());
  auto* list = Child<QTableWidget>(dialog, "lstWords");
  list->selectRow(0);
  QTest::mouseClick(Child<QPushButton>(dialog, "cmdRemove"), Qt::LeftButton);
  QCOMPARE(list->rowCount(), 1);
  QCOMPARE(list->item(0, 0)->text(), Q("明日"));
  QCOMPARE(QString::fromUtf8(ReadFile()), Q("# keep me\n明日\tあす\n"));
  QCOMPARE(dialog.Message(), QString());
  // Nothing selected: nothing removed.
  dialog.RemoveSelected();
  QCOMPARE(list->rowCount(), 1);
}

void RegistrationDialogTest::WriteFailureIsShownAndKeepsTheDialogOpen() {
  // The dictionary's folder would have to be where a file already is.
  const QString blocker = dir_->filePath(QStringLiteral("blocker"));
  {
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  const QString path = blocker + QStringLiteral("/readings.tsv");
  ReadingRegistrationDialog dialog(Q("葛飾"), nullptr, path);
  dialog.show();
  Child<QLineEdit>(dialog, "txtReading")->setText(Q("かつしか"));
  dialog.accept();
  QVERIFY(dialog.isVisible());
  QVERIFY2(dialog.Message().startsWith(Q("登録できませんでした。")), qPrintable(dialog.Message()));
  QVERIFY2(dialog.Message().contains(blocker), qPrintable(dialog.Message()));
  QCOMPARE(Child<QLineEdit>(dialog, "txtReading")->text(), Q("かつしか"));  // nothing lost
  QVERIFY(!QFile::exists(path));
}

void RegistrationDialogTest::SkippedLinesAreReported() {
  WriteFile("東京\tとうきょう\nbroken line\n明日\tasu\n");
  ReadingRegistrationDialog dialog(Q("葛飾"), nullptr, Path());
  QVERIFY2(dialog.Message().contains(Q("2 行を読み飛ばしました（2 行目:")),
           qPrintable(dialog.Message()));
  QCOMPARE(Child<QTableWidget>(dialog, "lstWords")->rowCount(), 1);
  // Registering keeps the lines the user wrote, even the ones that could not be read.
  Child<QLineEdit>(dialog, "txtReading")->setText(Q("かつしか"));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(QString::fromUtf8(ReadFile()),
           Q("東京\tとうきょう\nbroken line\n明日\tasu\n葛飾\tかつしか\n"));
}

void RegistrationDialogTest::UnreadableFileIsReported() {
  // A folder where the file should be cannot be read as a dictionary.
  QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("readings.tsv")));
  ReadingRegistrationDialog dialog(Q("葛飾"), nullptr, Path());
  QVERIFY2(dialog.Message().contains(Q("を読めません")), qPrintable(dialog.Message()));
  dialog.show();
  Child<QLineEdit>(dialog, "txtReading")->setText(Q("かつしか"));
  dialog.accept();
  QVERIFY(dialog.isVisible());
  QVERIFY(dialog.Message().startsWith(Q("登録できませんでした。")));
}

}  // namespace yomika

QTEST_MAIN(yomika::RegistrationDialogTest)
#include "reading_registration_dialog_test.moc"
