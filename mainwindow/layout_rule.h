#ifndef YOMIKA_MAINWINDOW_LAYOUT_RULE_H_
#define YOMIKA_MAINWINDOW_LAYOUT_RULE_H_

// Where the main window's parts go, in twips (1/1440 inch), from the window's outer size,
// the toolbar's height and the splitter position. Pure arithmetic; the window applies it.

#include <optional>

namespace yomika {

inline constexpr int kRuleHeight = 75;       // Frame2, the rule below the toolbar
inline constexpr int kSplitterHeight = 50;   // picSplitter
inline constexpr int kInitialSplitterTop = 2640;
inline constexpr int kInitialToolbarHeight = 330;
inline constexpr int kStatusWidth = 1455;    // picStatus
inline constexpr int kStatusHeight = 285;

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The geometry the layout rule sets. Parts it never moves are not listed.
struct Layout {
  TwipsRect input_pane;      // txtKanji
  int status_left = 0;       // picStatus (top and size fixed)
  int status_top = 0;
  int rule_width = 0;        // picSplitter, Frame2 and Frame3
  TwipsRect lower_area;      // Frame1
  TwipsRect view;            // fraWeb, WebBrowser1 and txtHTML inside Frame1
  friend bool operator==(const Layout&, const Layout&) = default;
};

struct LayoutInput {
  int window_width = 0;    // W: outer width, frame and caption included
  int window_height = 0;   // H
  int toolbar_height = kInitialToolbarHeight;  // TBH
  double splitter_top = kInitialSplitterTop;   // S
  bool minimised = false;
};

// Lays the parts out. Each step stands alone: a step whose width or height would be negative
// is skipped and its part keeps its `previous` geometry. Nothing moves while minimised.
// Example: W 9735, H 7000, TBH 330, S 2640 → input pane (20, 470, 9585, 2155),
// lower area top 2690, height 3590.
Layout ApplyLayoutRule(const Layout& previous, const LayoutInput& input);

// The splitter top a drag moves to: S + (y − start_y) when it lies strictly between
// TBH + 400 + 75 + 50 and H − 1800; std::nullopt when the bar stays where it is.
std::optional<double> DragSplitterTo(double splitter_top, double pointer_y, double start_y,
                                     int toolbar_height, int window_height);

// Twips per pixel for a logical resolution: 15 at 96 dpi.
double TwipsPerPixel(double logical_dpi);

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_LAYOUT_RULE_H_
