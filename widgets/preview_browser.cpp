#include "widgets/preview_browser.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlScheme>
#include <QWebEngineView>
#include <utility>

#include "widgets/preview_lockdown.h"
#include "widgets/preview_menu.h"
#include "widgets/preview_review.h"
#include "widgets/preview_scheme_handler.h"

namespace yomika {
namespace {

// Whether Chromium may use the GPU. YOMIKA_BROWSER_GPU=0 or 1 overrides the guess.
bool GpuUsable() {
  const QByteArray forced = qgetenv("YOMIKA_BROWSER_GPU");
  if (forced == "0") return false;
  if (forced == "1") return true;
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.startsWith("offscreen") || platform.startsWith("minimal")) return false;
  return !QDir(QStringLiteral("/dev/dri"))
              .entryList({QStringLiteral("renderD*")}, QDir::System)
              .isEmpty();
}

void AppendChromiumFlags(const QStringList& flags) {
  QStringList all = QString::fromLocal8Bit(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"))
                        .split(QChar(u' '), Qt::SkipEmptyParts);
  for (const QString& flag : flags) {
    if (!all.contains(flag)) all.append(flag);
  }
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", all.join(QChar(u' ')).toLocal8Bit());
}

QString RendererEndedMessage(QWebEnginePage::RenderProcessTerminationStatus status) {
  const QString why = status == QWebEnginePage::KilledTerminationStatus
                          ? QStringLiteral("表示処理が止められました（メモリ不足など）")
                          : QStringLiteral("表示処理が異常終了しました（ページが大きすぎるなど）");
  return QStringLiteral(
             "プレビューを表示できませんでした: %1。\n"
             "HTML はソース表示（F2）とプレビューファイルに完全に残っています。"
             "次の変換やプレビューでは表示をやり直します。")
      .arg(why);
}

}  // namespace

void PrepareEmbeddedBrowser() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;

  // Host syntax gives the pages a real origin (yomika://preview), so relative links resolve
  // and the page may style itself from the same scheme. Not a local scheme: a page of it may
  // never load file: URLs, and local pages' access to file: URLs stays switched off.
  QWebEngineUrlScheme scheme(kPreviewScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);

  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

  // Chromium refuses to start its sandbox as root; containers and CI run as root.
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }

  QStringList flags;
  // Without a render node Chromium's GPU process fails and restarts several times before
  // falling back, which costs seconds on the first page.
  if (!GpuUsable()) flags.append(QStringLiteral("--disable-gpu"));
  // The preview only ever shows local files; nothing should phone out.
  flags.append({QStringLiteral("--disable-background-networking"),
                QStringLiteral("--disable-component-update"),
                QStringLiteral("--disable-domain-reliability")});
  AppendChromiumFlags(flags);
}

PreviewBrowser::PreviewBrowser(QString preview_file, QString base_folder, QWidget* parent)
    : QWidget(parent),
      view_(new QWebEngineView(this)),
      preview_file_(std::move(preview_file)),
      base_folder_(std::move(base_folder)) {
  // Children are destroyed in creation order, so the view and its page go before the
  // profile they use, as WebEngine requires. A private off-the-record profile keeps its
  // own scheme handler and writes nothing to disk.
  profile_ = new QWebEngineProfile(this);
  profile_->setHttpCacheType(QWebEngineProfile::NoCache);
  profile_->installUrlSchemeHandler(
      kPreviewScheme, new PreviewSchemeHandler(preview_file_, base_folder_, profile_));
  LockDownPreviewProfile(profile_);
  view_->setPage(new PreviewPage(profile_, view_));
  review_ = new PreviewReview(view_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_);

  connect(view_->page(), &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            busy_ = false;
            emit PageFailed(RendererEndedMessage(status));
            emit LoadFinished(false);
          });
  InstallPreviewMenu(view_, [this] { emit SourceViewRequested(); });
  connect(view_, &QWebEngineView::loadStarted, this, [this] { busy_ = true; });
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
    // A navigation cut short by a newer one finishes too; the newer one keeps us busy.
    busy_ = view_->page()->isLoading();
    emit LoadFinished(ok);
  });
}

PreviewBrowser::~PreviewBrowser() = default;

void PreviewBrowser::ShowPreviewFile() {
  // The file is rewritten at every conversion; a new query makes each navigation a new URL
  // so nothing along the way can hand back the old page.
  QUrl url = PreviewUrl();
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("n"), QString::number(++navigation_count_));
  url.setQuery(query);
  busy_ = true;
  view_->load(url);
}

bool PreviewBrowser::IsBusy() const { return busy_; }

QUrl PreviewBrowser::PreviewUrl() const {
  QUrl url;
  url.setScheme(QLatin1String(kPreviewScheme));
  url.setHost(QLatin1String(kPreviewHost));
  url.setPath(QChar(u'/') + QFileInfo(preview_file_).fileName());
  return url;
}

}  // namespace yomika
