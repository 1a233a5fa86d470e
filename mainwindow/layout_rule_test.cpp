#include "mainwindow/layout_rule.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

LayoutInput Input(int w, int h, double s = kInitialSplitterTop) {
  return LayoutInput{w, h, kInitialToolbarHeight, s, false};
}

TEST(LayoutRuleTest, StartUpGeometry) {
  const Layout layout = ApplyLayoutRule(Layout{}, Input(9735, 7000));
  EXPECT_EQ(layout.input_pane, (TwipsRect{20, 470, 9585, 2155}));
  EXPECT_EQ(layout.lower_area, (TwipsRect{10, 2690, 9585, 7000 - 3410}));
  EXPECT_EQ(layout.view, (TwipsRect{0, 0, 9585, 3590}));
  EXPECT_EQ(layout.rule_width, 9835);
  EXPECT_EQ(layout.status_top, 85);
}

TEST(LayoutRuleTest, StatusNeverMovesLeftOf3740) {
  const struct {
    int width;
    int left;
  } cases[] = {{5000, 3740}, {9000, 7400}, {5340, 3740}, {5341, 3741}};
  for (const auto& c : cases) {
    EXPECT_EQ(ApplyLayoutRule(Layout{}, Input(c.width, 7000)).status_left, c.left) << c.width;
  }
}

TEST(LayoutRuleTest, FailedStepsKeepThePreviousGeometry) {
  const Layout before = ApplyLayoutRule(Layout{}, Input(9735, 7000));
  // Too low for the lower area: Frame1 and the views keep their geometry, the rest moves.
  const Layout small = ApplyLayoutRule(before, Input(8000, 3000));
  EXPECT_EQ(small.lower_area, before.lower_area);
  EXPECT_EQ(small.view, before.view);
  EXPECT_EQ(small.input_pane.width, 7850);
  EXPECT_EQ(small.status_left, 6400);
  // A splitter above the input pane's room: the pane keeps its geometry.
  const Layout high = ApplyLayoutRule(before, Input(9735, 7000, 400));
  EXPECT_EQ(high.input_pane, before.input_pane);
  EXPECT_EQ(high.lower_area.top, 450);
}

TEST(LayoutRuleTest, NothingMovesWhileMinimised) {
  const Layout before = ApplyLayoutRule(Layout{}, Input(9735, 7000));
  LayoutInput minimised = Input(2000, 500);
  minimised.minimised = true;
  EXPECT_EQ(ApplyLayoutRule(before, minimised), before);
}

TEST(LayoutRuleTest, AfterADragThePanesFollowTheBar) {
  const Layout layout = ApplyLayoutRule(Layout{}, Input(9735, 7000, 3000));
  // The formula leaves the pane's bottom 15 twips above the bar.
  EXPECT_EQ(layout.input_pane.top + layout.input_pane.height, 3000 - 15);
  EXPECT_EQ(layout.lower_area.top, 3000 + kSplitterHeight);
}

TEST(LayoutRuleTest, DragLimitsAreStrict) {
  // With the initial toolbar height the bar moves only within 855 < S < H − 1800.
  EXPECT_EQ(DragSplitterTo(2640, 100, 20, 330, 7000), 2720.0);
  EXPECT_EQ(DragSplitterTo(2640, -1785, 0, 330, 7000), std::nullopt);  // 855 exactly
  EXPECT_EQ(DragSplitterTo(2640, -1784, 0, 330, 7000), 856.0);
  EXPECT_EQ(DragSplitterTo(2640, 2560, 0, 330, 7000), std::nullopt);   // 5200 exactly
  EXPECT_EQ(DragSplitterTo(2640, 2559, 0, 330, 7000), 5199.0);
  EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
}

}  // namespace
}  // namespace yomika
