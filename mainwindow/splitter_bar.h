#ifndef YOMIKA_MAINWINDOW_SPLITTER_BAR_H_
#define YOMIKA_MAINWINDOW_SPLITTER_BAR_H_

// The horizontal bar between the input pane and the lower area (picSplitter). It only
// reports the pointer; the main window decides where the bar goes.

#include <QWidget>

namespace yomika {

class SplitterBar final : public QWidget {
  Q_OBJECT

 public:
  explicit SplitterBar(QWidget* parent = nullptr);

 signals:
  // Pointer positions in pixels, relative to the bar.
  void Pressed(double y);
  void Moved(double y);
  void Released();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_SPLITTER_BAR_H_
