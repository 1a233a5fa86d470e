#include "dialogs/frm_about.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

namespace yomika::testing {

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void VersionLineFormat_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("expected");
    QTest::newRow("this release") << 1 << 0 << 1 << QStringLiteral("Ver. 1.0.1");
    QTest::newRow("two-digit minor, no padding") << 2 << 10 << 3 << QStringLiteral("Ver. 2.10.3");
    QTest::newRow("all zero") << 0 << 0 << 0 << QStringLiteral("Ver. 0.0.0");
  }
  void VersionLineFormat() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, expected);
    QCOMPARE(VersionLine(major, minor, revision), expected);
  }

  void Labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("maker, Latin") << QStringLiteral("Label6") << QStringLiteral("YOMIKA Project");
    QTest::newRow("maker, Japanese")
        << QStringLiteral("Label1") << QStringLiteral("読み仮名ツール工房");
    QTest::newRow("version from the build")
        << QStringLiteral("lblVer")
        << VersionLine(YOMIKA_VERSION_MAJOR, YOMIKA_VERSION_MINOR, YOMIKA_VERSION_PATCH);
  }
  void Labels() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    frmAbout box(nullptr, [](const QUrl&) { return true; });
    const auto* label = box.findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), text);
  }

  void BoxLayout() {
    frmAbout box(nullptr, [](const QUrl&) { return true; });
    QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY(box.isModal());
    const auto* image = box.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image != nullptr);
    QVERIFY2(!image->pixmap().isNull(), "the logo resource is not linked in");
    const auto* web = box.findChild<QLabel*>(QStringLiteral("Label4"));
    QVERIFY(web != nullptr);
    // The README page that ships with the program, not a web site.
    const QUrl address(ProjectWebAddress());
    QVERIFY(address.isLocalFile());
    QCOMPARE(QFileInfo(address.toLocalFile()).fileName(), QStringLiteral("README.html"));
    QVERIFY(web->text().contains(ProjectWebAddress()));
    QCOMPARE(web->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(box.findChildren<QAbstractButton*>().isEmpty());
    QVERIFY(box.findChildren<QDialogButtonBox*>().isEmpty());
  }

  void OpensWebAddress_data() {
    QTest::addColumn<bool>("by_key");
    QTest::addColumn<bool>("opener_succeeds");
    QTest::newRow("click") << false << true;
    QTest::newRow("Enter on the focused link") << true << true;
    QTest::newRow("opener fails: nothing else happens") << false << false;
  }
  void OpensWebAddress() {
    QFETCH(bool, by_key);
    QFETCH(bool, opener_succeeds);
    QList<QUrl> opened;
    frmAbout box(nullptr, [&](const QUrl& url) {
      opened.append(url);
      return opener_succeeds;
    });
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* web = box.findChild<QLabel*>(QStringLiteral("Label4"));
    if (by_key) {
      web->setFocus();
      QTest::keyClick(web, Qt::Key_Return);
    } else {
      QTest::mouseClick(web, Qt::LeftButton);
    }
    QCOMPARE(opened, QList<QUrl>{QUrl(ProjectWebAddress())});
    QVERIFY(box.isVisible());
  }

  void EscapeCloses() {
    frmAbout box(nullptr, [](const QUrl&) { return true; });
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_Escape);
    QVERIFY(!box.isVisible());
  }
};

int RunAboutBoxTests(int argc, char** argv) {
  AboutBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace yomika::testing

#include "frm_about_test.moc"
