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

#include "widgets/preview_menu.h"
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

}  // namespace

void PrepareEmbeddedBrowser() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;

  // Host syntax gives the pages a real origin (yomika://preview), so relative links resolve
  // and the page may fetch and style itself from the same scheme.
  QWebEngineUrlScheme scheme(kPreviewScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                  QWebEngineUrlScheme::CorsEnabled);
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
  view_->setPage(new QWebEnginePage(profile_, view_));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_);

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
