#include "mainwindow/browser_preview_host.h"

#include "widgets/preview_browser.h"
#include "widgets/preview_review.h"

namespace yomika {

BrowserPreviewHost::BrowserPreviewHost(QWidget* frame, const QString& preview_file,
                                       const QString& base_folder)
    : browser_(new PreviewBrowser(preview_file, base_folder, frame)) {
  QObject::connect(browser_, &PreviewBrowser::LoadFinished, &lifetime_, [this](bool) {
    if (on_load_finished_) on_load_finished_();
  });
  QObject::connect(browser_, &PreviewBrowser::PageFailed, &lifetime_,
                   [this](const QString& message) {
                     if (on_failure_) on_failure_(message);
                   });
  QObject::connect(browser_, &PreviewBrowser::SourceViewRequested, &lifetime_, [this] {
    if (on_source_view_) on_source_view_();
  });
}

QWidget* BrowserPreviewHost::Widget() { return browser_; }

void BrowserPreviewHost::Navigate() { browser_->ShowPreviewFile(); }

bool BrowserPreviewHost::IsBusy() const { return browser_->IsBusy(); }

void BrowserPreviewHost::SetSourceViewCallback(std::function<void()> callback) {
  on_source_view_ = std::move(callback);
}

void BrowserPreviewHost::SetLoadFinishedCallback(std::function<void()> callback) {
  on_load_finished_ = std::move(callback);
}

void BrowserPreviewHost::SetFailureCallback(std::function<void(const QString&)> callback) {
  on_failure_ = std::move(callback);
}

void BrowserPreviewHost::SetMarks(const std::vector<PreviewMark>& marks) {
  browser_->review()->SetMarks(marks);
}

void BrowserPreviewHost::Reveal(int ordinal) { browser_->review()->Reveal(ordinal); }

void BrowserPreviewHost::SetRubyClickedCallback(std::function<void(const RubyClick&)> callback) {
  browser_->review()->SetRubyClickedCallback(std::move(callback));
}

void BrowserPreviewHost::NavigateKeepingScroll() {
  browser_->review()->KeepScrollForNextPage();
  browser_->ShowPreviewFile();
}

}  // namespace yomika
