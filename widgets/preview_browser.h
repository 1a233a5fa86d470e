#ifndef YOMIKA_WIDGETS_PREVIEW_BROWSER_H_
#define YOMIKA_WIDGETS_PREVIEW_BROWSER_H_

// The preview pane: an embedded browser that shows the preview file. The file has no
// character set declaration, so it is served through the "yomika" URL scheme with the
// content type "text/html;charset=Shift_JIS"; relative links in it resolve against the
// program's folder, where the preview file lives.

#include <QString>
#include <QUrl>
#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;

namespace yomika {

class PreviewReview;

// Must run before the QApplication is created: registers the URL scheme and sets what
// Chromium needs here (no sandbox when running as root; no GPU where none is usable, which
// YOMIKA_BROWSER_GPU=0 or 1 overrides; no background networking). Later calls do nothing.
void PrepareEmbeddedBrowser();

class PreviewBrowser : public QWidget {
  Q_OBJECT

 public:
  // `preview_file`: the preview file's path; `base_folder`: where relative links resolve.
  // Nothing is read until ShowPreviewFile().
  PreviewBrowser(QString preview_file, QString base_folder, QWidget* parent = nullptr);
  ~PreviewBrowser() override;

  // Shows the preview file as it is on disk now (reloading it when already shown); IsBusy()
  // is true until LoadFinished. A missing file gives LoadFinished(false).
  void ShowPreviewFile();
  // True while a page is loading.
  bool IsBusy() const;
  // The URL the preview file is served under, without the query each navigation adds.
  // Example: for "/opt/yomika/sample.html", yomika://preview/sample.html.
  QUrl PreviewUrl() const;

  QWebEngineView* view() const { return view_; }
  // The marks of doubtful readings and the clicks on ruby elements.
  PreviewReview* review() const { return review_; }

 signals:
  // A page finished loading (ok: it loaded without error; false also for a navigation that
  // a newer one cut short).
  void LoadFinished(bool ok);
  // The browser could not show the page: its renderer ended (ran out of memory on a huge
  // page, crashed or was killed). LoadFinished(false) follows, so no one waits forever; the
  // next ShowPreviewFile() starts a new renderer. `message` is for the user.
  void PageFailed(const QString& message);
  // ソース表示 was chosen in the preview's menu.
  void SourceViewRequested();

 private:
  QWebEngineView* view_;  // owned through the Qt parent
  PreviewReview* review_ = nullptr;  // owned by view_
  QString preview_file_;
  QString base_folder_;
  bool busy_ = false;
  QWebEngineProfile* profile_;  // owned through the Qt parent; created after view_
  int navigation_count_ = 0;    // makes every navigation's URL new
};

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_PREVIEW_BROWSER_H_
