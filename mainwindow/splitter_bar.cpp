#include "mainwindow/splitter_bar.h"

#include <QMouseEvent>

namespace yomika {

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::SizeVerCursor);
  setAutoFillBackground(true);
}

void SplitterBar::mousePressEvent(QMouseEvent* event) { emit Pressed(event->position().y()); }

void SplitterBar::mouseMoveEvent(QMouseEvent* event) { emit Moved(event->position().y()); }

void SplitterBar::mouseReleaseEvent(QMouseEvent*) { emit Released(); }

}  // namespace yomika
