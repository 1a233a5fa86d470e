#include "mainwindow/progress_display.h"

#include <QTest>


namespace yomika {
namespace {

constexpr QRgb kNavy = 0xFF000080;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Render(float fraction, bool exact) {
  QImage image(97, 19, QImage::Format_RGB32);
  QFont font;
  font.setPixelSize(12);
  RenderProgress(image, font, fraction, exact);
  return image;
}

int CountColour(const QImage& image, QRect area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) == colour;
  }
  return count;
}

}  // namespace

class ProgressDisplayTest : public QObject {
  Q_OBJECT

 private slots:
  void NoBarAtZero();
  void QuarterBar();
  void FullBarShowsTheTextInWhite();
  void RepaintsOnlyWhenThePictureChanges();
};

void ProgressDisplayTest::NoBarAtZero() {
  const QImage image = Render(0.0f, true);
  // Corners stay white, and the percentage is drawn in navy somewhere in the middle.
  QCOMPARE(image.pixel(0, 0), kWhite);
  QCOMPARE(image.pixel(96, 18), kWhite);
  QVERIFY(CountColour(image, image.rect(), kNavy) > 0);
  QCOMPARE(CountColour(image, QRect(0, 0, 10, 19), kNavy), 0);
}

void ProgressDisplayTest::QuarterBar() {
  const QImage image = Render(0.25f, true);
  // The bar covers the left quarter (24 of 97 pixels) and nothing beyond it.
  QCOMPARE(CountColour(image, QRect(0, 0, 24, 19), kNavy), 24 * 19);
  QCOMPARE(image.pixel(24, 0), kWhite);
  QCOMPARE(image.pixel(96, 0), kWhite);
}

void ProgressDisplayTest::FullBarShowsTheTextInWhite() {
  const QImage full = Render(1.0f, true);
  // The bar covers everything; the text under it shows white (not-xor of navy on navy).
  QCOMPARE(full.pixel(0, 0), kNavy);
  QCOMPARE(full.pixel(96, 18), kNavy);
  QVERIFY(CountColour(full, full.rect(), kWhite) > 0);
  QCOMPARE(CountColour(full, QRect(0, 0, 10, 19), kWhite), 0);
  // Without the exact flag a full bar still shows, with 99%.
  const QImage inexact = Render(1.0f, false);
  QCOMPARE(inexact.pixel(0, 0), kNavy);
  QVERIFY(inexact != full);
}

void ProgressDisplayTest::RepaintsOnlyWhenThePictureChanges() {
  ProgressDisplay display;
  display.resize(97, 19);
  display.DrawProgress(0.25f, true);
  const qint64 first = display.image().cacheKey();
  QImage expected(97, 19, QImage::Format_RGB32);
  RenderProgress(expected, display.font(), 0.25f, true);
  QCOMPARE(display.image(), expected);
  // The same picture: the image is not drawn again.
  display.DrawProgress(0.2501f, true);
  QCOMPARE(display.image().cacheKey(), first);
  display.DrawProgress(0.5f, true);
  QCOMPARE(display.picture()->percent, 50);
  // A late, lower update does not take the display back.
  display.DrawProgress(1.0f, true);
  display.DrawProgress(0.9f, true);
  QCOMPARE(display.picture()->percent, 100);
  display.Clear();
  QVERIFY(!display.picture().has_value());
  QCOMPARE(CountColour(display.image(), display.image().rect(), kNavy), 0);
}

int RunProgressDisplayTests(int argc, char** argv) {
  ProgressDisplayTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace yomika

#include "progress_display_test.moc"
