#ifndef YOMIKA_MAINWINDOW_PROGRESS_DISPLAY_H_
#define YOMIKA_MAINWINDOW_PROGRESS_DISPLAY_H_

// The status bar's progress display (picStatus): a percentage centred in navy on white and a
// bar that grows from the left, drawn in not-xor mode so the covered text shows white on navy.

#include <QFont>
#include <QImage>
#include <QWidget>
#include <optional>

#include "engine/progress_model.h"

namespace yomika {

// Draws the display for `fraction` into `image` (the whole image is the area).
void RenderProgress(QImage& image, const QFont& font, float fraction, bool exact);

class ProgressDisplay final : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressDisplay(QWidget* parent = nullptr);

  // Shows the progress, repainting at once (the conversion does not return to the event
  // loop), but only when the picture differs from what is shown. Progress only moves
  // forward: a fraction below the one shown is ignored until Clear() starts a new run.
  void DrawProgress(float fraction, bool exact = false);
  // Erases the area and ends the run.
  void Clear();

  // What is shown now; std::nullopt when cleared.
  const std::optional<ProgressPicture>& picture() const { return picture_; }
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage image_;
  std::optional<ProgressPicture> picture_;
  float fraction_ = 0;
  bool exact_ = false;
};

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_PROGRESS_DISPLAY_H_
