#ifndef YOMIKA_WIDGETS_PREVIEW_LOCKDOWN_H_
#define YOMIKA_WIDGETS_PREVIEW_LOCKDOWN_H_

// What the preview page may reach: its own folder through the "yomika" scheme, data: and
// about:, nothing else. The input text becomes the page's markup, so the page is hostile by
// assumption: it runs no JavaScript, reads no file: URL, and opens no network connection of
// any kind. Profile settings and a request interceptor each hold that on their own.

#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

class QUrl;
class QWebEngineProfile;

namespace yomika {

// Whether the preview may load `url`: the preview scheme, data: and about: only.
// Example: PreviewMayLoad(QUrl("yomika://preview/a.css")) == true;
//          PreviewMayLoad(QUrl("ws://127.0.0.1:80/")) == false.
bool PreviewMayLoad(const QUrl& url);

// Blocks every request PreviewMayLoad refuses: subresources, XHR, WebSocket, frames,
// navigations, prefetches, pings.
class PreviewRequestInterceptor final : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT

 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// The preview's page: refuses navigations PreviewMayLoad refuses (so a link, a form or a
// refresh towards the network leaves the page as it is) and every new window.
class PreviewPage final : public QWebEnginePage {
  Q_OBJECT

 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;
};

// Sets `profile` up for the preview: the interceptor, and settings that turn off JavaScript,
// file: and remote access from local pages, plugins, DNS prefetch, favicons and navigation
// by drop.
void LockDownPreviewProfile(QWebEngineProfile* profile);

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_PREVIEW_LOCKDOWN_H_
