#include "mainwindow/progress_display.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace yomika {
namespace {

const QColor kForeColour(0x00, 0x00, 0x80);  // navy
const QColor kBackColour(0xFF, 0xFF, 0xFF);

}  // namespace

void RenderProgress(QImage& image, const QFont& font, float fraction, bool exact) {
  image.fill(kBackColour);
  const ProgressPicture picture = MakeProgressPicture(fraction, exact, image.width());
  const QString text = ProgressText(picture.percent);

  QPainter painter(&image);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int w = metrics.horizontalAdvance(text);
  const int h = metrics.height();
  const int x = static_cast<int>(std::nearbyint(image.width() / 2.0 - w / 2.0));
  const int y = static_cast<int>(std::nearbyint(image.height() / 2.0 - h / 2.0));
  painter.fillRect(x, y, w, h, kBackColour);
  painter.setPen(kForeColour);
  painter.drawText(x, y + metrics.ascent(), text);

  // Each pixel becomes NOT(pen XOR screen): white turns navy, navy text turns white.
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  if (picture.bar_width > 0) {
    painter.fillRect(0, 0, picture.bar_width, image.height(), kForeColour);
  } else {
    painter.fillRect(image.rect(), kBackColour);
  }
}

ProgressDisplay::ProgressDisplay(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);  // the conversion moves the focus here
}

void ProgressDisplay::DrawProgress(float fraction, bool exact) {
  if (picture_ && fraction < fraction_) return;
  const ProgressPicture picture = MakeProgressPicture(fraction, exact, width());
  fraction_ = fraction;
  exact_ = exact;
  if (picture_ == picture && image_.size() == size()) return;
  picture_ = picture;
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
  RenderProgress(image_, font(), fraction, exact);
  repaint();
}

void ProgressDisplay::Clear() {
  picture_.reset();
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(kBackColour);
  repaint();
}

void ProgressDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (image_.size() == size()) {
    painter.drawImage(0, 0, image_);
  } else {
    painter.fillRect(rect(), kBackColour);
  }
}

void ProgressDisplay::resizeEvent(QResizeEvent*) {
  image_ = QImage(size(), QImage::Format_RGB32);
  if (picture_) {
    picture_ = MakeProgressPicture(fraction_, exact_, width());
    RenderProgress(image_, font(), fraction_, exact_);
  } else {
    image_.fill(kBackColour);
  }
}

}  // namespace yomika
