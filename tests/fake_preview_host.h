#ifndef YOMIKA_TESTS_FAKE_PREVIEW_HOST_H_
#define YOMIKA_TESTS_FAKE_PREVIEW_HOST_H_

// A stand-in for the embedded browser: a plain widget that "loads" on the next turn of the
// event loop and counts its navigations.

#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "mainwindow/preview_host.h"

namespace yomika::testing {

class FakePreviewHost final : public PreviewHost {
 public:
  explicit FakePreviewHost(QWidget* frame) : widget_(new QWidget(frame)) {}
  QWidget* Widget() override { return widget_; }
  void Navigate() override {
    ++navigations;
    busy_ = true;
    QTimer::singleShot(0, widget_, [this] {
      busy_ = false;
      if (callback_) callback_();
    });
  }
  bool IsBusy() const override { return busy_; }
  void SetLoadFinishedCallback(std::function<void()> callback) override {
    callback_ = std::move(callback);
  }
  void SetFailureCallback(std::function<void(const QString&)> callback) override {
    on_failure_ = std::move(callback);
  }
  // Plays the browser giving up on the page, as when its renderer runs out of memory.
  void FailPage(const QString& message) {
    busy_ = false;
    if (on_failure_) on_failure_(message);
    if (callback_) callback_();
  }

  void SetMarks(const std::vector<PreviewMark>& new_marks) override { marks = new_marks; }
  // Reports the revealed element as a click when it is marked (the stand-in knows no others).
  void Reveal(int ordinal) override {
    revealed.push_back(ordinal);
    for (const PreviewMark& mark : marks) {
      if (mark.ordinal == ordinal) Click({ordinal, mark.text, mark.reading, QRect(40, 40, 20, 20)});
    }
  }
  void SetRubyClickedCallback(std::function<void(const RubyClick&)> callback) override {
    on_ruby_clicked_ = std::move(callback);
  }
  void NavigateKeepingScroll() override {
    ++scroll_keeping_navigations;
    Navigate();
  }
  // Plays the author clicking a ruby element of the page.
  void Click(const RubyClick& click) {
    if (on_ruby_clicked_) on_ruby_clicked_(click);
  }

  int navigations = 0;
  int scroll_keeping_navigations = 0;
  std::vector<PreviewMark> marks;
  std::vector<int> revealed;

 private:
  QWidget* widget_;  // owned by the frame
  bool busy_ = false;
  std::function<void()> callback_;
  std::function<void(const QString&)> on_failure_;
  std::function<void(const RubyClick&)> on_ruby_clicked_;
};

}  // namespace yomika::testing

#endif  // YOMIKA_TESTS_FAKE_PREVIEW_HOST_H_
