#include "widgets/preview_lockdown.h"

#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "widgets/preview_scheme_handler.h"

namespace yomika {

bool PreviewMayLoad(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == QLatin1String(kPreviewScheme) || scheme == QLatin1String("data") ||
         scheme == QLatin1String("about");
}

void PreviewRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (!PreviewMayLoad(info.requestUrl())) info.block(true);
}

bool PreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
  return PreviewMayLoad(url);
}

QWebEnginePage* PreviewPage::createWindow(WebWindowType) { return nullptr; }

void LockDownPreviewProfile(QWebEngineProfile* profile) {
  profile->setUrlRequestInterceptor(new PreviewRequestInterceptor(profile));
  QWebEngineSettings* settings = profile->settings();
  const QWebEngineSettings::WebAttribute kOff[] = {
      QWebEngineSettings::JavascriptEnabled,
      QWebEngineSettings::JavascriptCanOpenWindows,
      QWebEngineSettings::JavascriptCanAccessClipboard,
      QWebEngineSettings::LocalContentCanAccessFileUrls,
      QWebEngineSettings::LocalContentCanAccessRemoteUrls,
      QWebEngineSettings::PluginsEnabled,
      QWebEngineSettings::DnsPrefetchEnabled,
      QWebEngineSettings::AutoLoadIconsForPage,
      QWebEngineSettings::HyperlinkAuditingEnabled,
      QWebEngineSettings::NavigateOnDropEnabled,
      QWebEngineSettings::PdfViewerEnabled,
      QWebEngineSettings::LocalStorageEnabled,
      QWebEngineSettings::ScreenCaptureEnabled,
      QWebEngineSettings::AllowRunningInsecureContent,
  };
  for (const QWebEngineSettings::WebAttribute attribute : kOff) {
    settings->setAttribute(attribute, false);
  }
  settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
}

}  // namespace yomika
