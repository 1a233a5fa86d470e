#ifndef YOMIKA_TESTS_FAKE_PREVIEW_HOST_H_
#define YOMIKA_TESTS_FAKE_PREVIEW_HOST_H_

// A stand-in for the embedded browser: a plain widget that "loads" on the next turn of the
// event loop and counts its navigations.

#include <QTimer>
#include <QWidget>
#include <functional>

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

  int navigations = 0;

 private:
  QWidget* widget_;  // owned by the frame
  bool busy_ = false;
  std::function<void()> callback_;
  std::function<void(const QString&)> on_failure_;
};

}  // namespace yomika::testing

#endif  // YOMIKA_TESTS_FAKE_PREVIEW_HOST_H_
