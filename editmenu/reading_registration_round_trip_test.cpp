// A word registered through the dialog is read with its registered reading by the next
// conversion on the real reading service.

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "editmenu/reading_registration_dialog.h"
#include "engine/conversion.h"
#include "engine/engine_settings.h"
#include "reading/mecab_reading_service.h"

namespace yomika {

class RegistrationRoundTripTest : public QObject {
  Q_OBJECT

 private slots:
  void RegisteredReadingReachesTheConversion();
};

void RegistrationRoundTripTest::RegisteredReadingReachesTheConversion() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("readings.tsv"));
  MecabOptions options;
  options.user_dictionary_path = path;
  auto made = CreateMecabReadingService(options);
  if (!made.ok()) QFAIL(qPrintable(made.reason()));
  std::unique_ptr<ReadingService> service = std::move(made).value();
  const InputText input = PlainInput(QString::fromUtf8("明日は晴れ"));
  const auto convert = [&] {
    Outcome<QString> body =
        ConvertToBody(input, *service, EngineSettings::Defaults(), [](float) {});
    return body.ok() ? body.value() : QStringLiteral("(failed) ") + body.reason();
  };
  const QString before = convert();
  QVERIFY2(before.contains(QString::fromUtf8(">あした<")), qPrintable(before));

  ReadingRegistrationDialog dialog(QString::fromUtf8("明日"), nullptr, path);
  dialog.show();
  dialog.findChild<QLineEdit*>(QStringLiteral("txtReading"))->setText(QString::fromUtf8("アス"));
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  QCOMPARE(dialog.result(), int(QDialog::Accepted));

  const QString after = convert();
  QVERIFY2(after.contains(QString::fromUtf8(">あす<")), qPrintable(after));
  QVERIFY2(!after.contains(QString::fromUtf8("あした")), qPrintable(after));
}

}  // namespace yomika

QTEST_MAIN(yomika::RegistrationRoundTripTest)
#include "reading_registration_round_trip_test.moc"
