#include "engine/progress_model.h"

#include <cmath>

namespace yomika {

int ProgressPercent(float fraction, bool exact) {
  // The product is taken in single precision, the half added in double, as the display has
  // always rounded: 0.996 shows 100, 0.004 shows 0.
  const float hundredths = fraction * 100.0f;
  const int percent = static_cast<int>(std::floor(static_cast<double>(hundredths) + 0.5));
  if (!exact && percent == 0) return 1;
  if (!exact && percent == 100) return 99;
  return percent;
}

QString ProgressText(int percent) { return QString::number(percent) + QLatin1Char('%'); }

int ProgressBarWidth(float fraction, int area_width) {
  if (!(fraction > 0.0f)) return 0;
  return static_cast<int>(std::lround(static_cast<double>(area_width) * fraction));
}

ProgressPicture MakeProgressPicture(float fraction, bool exact, int area_width) {
  return ProgressPicture{ProgressPercent(fraction, exact), ProgressBarWidth(fraction, area_width)};
}

}  // namespace yomika
