#ifndef YOMIKA_MAINWINDOW_PREVIEW_HOST_H_
#define YOMIKA_MAINWINDOW_PREVIEW_HOST_H_

// What the main window needs of its preview browser (WebBrowser1). The program uses the
// embedded browser; widget tests use a stand-in that loads instantly.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "widgets/preview_marks.h"

namespace yomika {

class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // The browser widget, parented to the frame given at creation.
  virtual QWidget* Widget() = 0;
  // Shows the preview file as it is on disk now.
  virtual void Navigate() = 0;
  virtual bool IsBusy() const = 0;
  // Called whenever a page finished loading.
  virtual void SetLoadFinishedCallback(std::function<void()> callback) = 0;
  // Called with a message for the user when a page could not be shown at all.
  virtual void SetFailureCallback(std::function<void(const QString&)> callback) = 0;
  // Called when the user asks the preview for the source view (its menu's ソース表示).
  virtual void SetSourceViewCallback(std::function<void()> /*callback*/) {}

  // Review of readings. The ruby elements to mark as doubtful, in the page shown and in the
  // pages shown after it; marks change the live page only.
  virtual void SetMarks(const std::vector<PreviewMark>& /*marks*/) {}
  // Brings the ordinal-th ruby element of the page into view and reports it like a click.
  virtual void Reveal(int /*ordinal*/) {}
  // Called when the author clicks a ruby element of the page (or one is revealed).
  virtual void SetRubyClickedCallback(std::function<void(const RubyClick&)> /*callback*/) {}
  // Navigate(), the new page scrolled to where the page shown stands.
  virtual void NavigateKeepingScroll() { Navigate(); }
};

// Creates the preview inside `frame` for the preview file.
using PreviewFactory =
    std::function<std::unique_ptr<PreviewHost>(QWidget* frame, const QString& preview_file)>;

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_PREVIEW_HOST_H_
