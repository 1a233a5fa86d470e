#include "mainwindow/layout_rule.h"

#include <cmath>

namespace yomika {
namespace {

constexpr int kStatusRightMargin = 1600;
constexpr int kStatusMinimumLeft = 3740;
constexpr int kStatusMoveThreshold = 5340;
constexpr int kLowerAreaBottomMargin = 420 + 300;

bool Fits(const TwipsRect& r) { return r.width >= 0 && r.height >= 0; }

}  // namespace

Layout ApplyLayoutRule(const Layout& previous, const LayoutInput& in) {
  if (in.minimised) return previous;
  Layout out = previous;
  const int top_band = in.toolbar_height + kRuleHeight;
  const int s = static_cast<int>(std::nearbyint(in.splitter_top));

  const TwipsRect input_pane{20, top_band + 65, in.window_width - 150,
                             (s - 30) - (top_band + 50)};
  if (Fits(input_pane)) out.input_pane = input_pane;

  out.status_left =
      in.window_width > kStatusMoveThreshold ? in.window_width - kStatusRightMargin
                                             : kStatusMinimumLeft;
  out.status_top = 85;
  if (in.window_width + 100 >= 0) out.rule_width = in.window_width + 100;

  const int lower_top = static_cast<int>(std::nearbyint(in.splitter_top + kSplitterHeight));
  const TwipsRect lower_area{10, lower_top, in.window_width - 150,
                             in.window_height - lower_top - kLowerAreaBottomMargin};
  if (Fits(lower_area)) out.lower_area = lower_area;

  out.view = TwipsRect{0, 0, out.lower_area.width, out.lower_area.height};
  return out;
}

std::optional<double> DragSplitterTo(double splitter_top, double pointer_y, double start_y,
                                     int toolbar_height, int window_height) {
  const double candidate = splitter_top + (pointer_y - start_y);
  const double lower = toolbar_height + 400 + kRuleHeight + kSplitterHeight;
  const double upper = window_height - 1500 - 300;
  if (lower < candidate && candidate < upper) return candidate;
  return std::nullopt;
}

double TwipsPerPixel(double logical_dpi) { return 1440.0 / logical_dpi; }

}  // namespace yomika
