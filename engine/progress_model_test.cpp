#include "engine/progress_model.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

TEST(ProgressModelTest, PercentRounding) {
  const struct {
    float fraction;
    bool exact;
    int percent;
  } cases[] = {
      {0.0f, true, 0},    {0.0f, false, 1},   {1.0f, true, 100},  {1.0f, false, 99},
      {0.25f, true, 25},  {0.996f, true, 100}, {0.004f, true, 0}, {0.005f, true, 1},
      {0.92f, true, 92},  {0.9f, true, 90},   {0.994f, false, 99}, {0.5f, false, 50},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressPercent(c.fraction, c.exact), c.percent) << c.fraction << " " << c.exact;
  }
  EXPECT_EQ(ProgressText(25), QStringLiteral("25%"));
}

TEST(ProgressModelTest, BarWidthAndPictureEquality) {
  EXPECT_EQ(ProgressBarWidth(0.0f, 97), 0);
  EXPECT_EQ(ProgressBarWidth(1.0f, 97), 97);
  EXPECT_EQ(ProgressBarWidth(0.25f, 97), 24);
  // Nearby fractions that draw the same picture need no second repaint.
  EXPECT_EQ(MakeProgressPicture(0.2500f, true, 97), MakeProgressPicture(0.2501f, true, 97));
  EXPECT_NE(MakeProgressPicture(0.25f, true, 97), MakeProgressPicture(0.26f, true, 97));
}

}  // namespace
}  // namespace yomika
