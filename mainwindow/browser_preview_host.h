#ifndef YOMIKA_MAINWINDOW_BROWSER_PREVIEW_HOST_H_
#define YOMIKA_MAINWINDOW_BROWSER_PREVIEW_HOST_H_

// The program's preview: the embedded browser showing the preview file.

#include <QObject>
#include <QString>
#include <memory>

#include "mainwindow/preview_host.h"

namespace yomika {

class PreviewBrowser;

class BrowserPreviewHost final : public PreviewHost {
 public:
  // Relative links in the preview resolve against `base_folder`.
  BrowserPreviewHost(QWidget* frame, const QString& preview_file, const QString& base_folder);

  QWidget* Widget() override;
  void Navigate() override;
  bool IsBusy() const override;
  void SetLoadFinishedCallback(std::function<void()> callback) override;
  void SetFailureCallback(std::function<void(const QString&)> callback) override;
  void SetSourceViewCallback(std::function<void()> callback) override;
  void SetMarks(const std::vector<PreviewMark>& marks) override;
  void Reveal(int ordinal) override;
  void SetRubyClickedCallback(std::function<void(const RubyClick&)> callback) override;
  void NavigateKeepingScroll() override;

 private:
  PreviewBrowser* browser_;  // owned by the frame, which may outlive this host
  std::function<void()> on_load_finished_;
  std::function<void(const QString&)> on_failure_;
  std::function<void()> on_source_view_;
  // The context of the browser's connections to this host: they end with the host.
  QObject lifetime_;
};

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_BROWSER_PREVIEW_HOST_H_
