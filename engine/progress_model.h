#ifndef YOMIKA_ENGINE_PROGRESS_MODEL_H_
#define YOMIKA_ENGINE_PROGRESS_MODEL_H_

// What the progress display shows for a fraction: the percentage text and the bar's width.
// The drawing itself lives with the window; this is the arithmetic it draws from.

#include <QString>

namespace yomika {

// The percentage shown for `fraction` (0 … 1): the integer part of fraction × 100 + 0.5.
// Without the exact flag 0 shows as 1 and 100 as 99. Examples: 0.25 → 25, 0.996 → 100,
// 0.004 → 0; inexact 0 → 1, inexact 1 → 99.
int ProgressPercent(float fraction, bool exact);

// "25%".
QString ProgressText(int percent);

// The bar's width in pixels for an area `area_width` pixels wide; 0 draws no bar.
int ProgressBarWidth(float fraction, int area_width);

// What one call draws; two calls that give equal pictures need only one repaint.
struct ProgressPicture {
  int percent = 0;
  int bar_width = 0;  // pixels; 0: no bar
  friend bool operator==(const ProgressPicture&, const ProgressPicture&) = default;
};

ProgressPicture MakeProgressPicture(float fraction, bool exact, int area_width);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_PROGRESS_MODEL_H_
