// Layout of the window's parts and the splitter drag, in twips as the layout rule counts.

#include <QEvent>
#include <QFrame>
#include <QToolBar>
#include <cmath>

#include "mainwindow/frm_main.h"
#include "mainwindow/progress_display.h"
#include "mainwindow/splitter_bar.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

constexpr int kRuleLeft = -50;
constexpr int kFrame2Top = 360;
constexpr int kFrame3Top = -52;
// The rule counts in the outer size of a window with 4-pixel borders, a caption and a menu
// bar; the client area here is what is left of that frame.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 720;

}  // namespace

void FrmMain::ApplyLayout() {
  if (txt_html_ == nullptr) return;  // still being built
  const double tpp = TwipsPerPixel();
  LayoutInput input;
  input.window_width = static_cast<int>(std::lround(client_->width() * tpp)) + kFrameWidth;
  input.window_height = static_cast<int>(std::lround(client_->height() * tpp)) + kFrameHeight;
  input.toolbar_height = static_cast<int>(std::lround(toolbar_->height() * tpp));
  input.splitter_top = splitter_top_;
  input.minimised = isMinimized();
  layout_ = ApplyLayoutRule(layout_, input);
  if (input.minimised) return;

  const auto place = [this](QWidget* widget, const TwipsRect& r) {
    widget->setGeometry(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width),
                        ToPixels(r.height));
  };
  place(txt_kanji_, layout_.input_pane);
  pic_status_->move(ToPixels(layout_.status_left), ToPixels(layout_.status_top));
  place(pic_splitter_, {kRuleLeft, static_cast<int>(std::lround(splitter_top_)),
                        layout_.rule_width, kSplitterHeight});
  place(frame2_, {kRuleLeft, kFrame2Top, layout_.rule_width, kRuleHeight});
  place(frame3_, {kRuleLeft, kFrame3Top, layout_.rule_width, kRuleHeight});
  place(frame1_, layout_.lower_area);
  place(fra_web_, layout_.view);
  place(preview_->Widget(), layout_.view);
  place(txt_html_, layout_.view);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  // The client area is laid out whenever its size changes.
  if (watched == client_ && event->type() == QEvent::Resize) ApplyLayout();
  return QMainWindow::eventFilter(watched, event);
}

void FrmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) ApplyLayout();
}

void FrmMain::OnSplitterPressed(double y_pixels) {
  SplitterDragging = true;
  SplitterStartY = std::nearbyint(y_pixels * TwipsPerPixel());
}

void FrmMain::OnSplitterMoved(double y_pixels) {
  if (!SplitterDragging) return;
  const double tpp = TwipsPerPixel();
  const std::optional<double> top = DragSplitterTo(
      splitter_top_, y_pixels * tpp, SplitterStartY,
      static_cast<int>(std::lround(toolbar_->height() * tpp)),
      static_cast<int>(std::lround(client_->height() * tpp)) + kFrameHeight);
  if (!top) return;
  splitter_top_ = *top;
  pic_splitter_->move(pic_splitter_->x(), ToPixels(splitter_top_));
}

void FrmMain::OnSplitterReleased() {
  if (!SplitterDragging) return;
  SplitterDragging = false;
  ApplyLayout();
}

}  // namespace yomika
