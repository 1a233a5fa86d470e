#include "widgets/preview_scheme_handler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlRequestJob>
#include <utility>

#include "encoding/file_reader.h"

namespace yomika {

std::optional<QString> ResolveUnderBase(const QString& base_folder, const QString& url_path) {
  if (url_path.contains(QChar(u'\0'))) return std::nullopt;
  // Chromium has already folded "." and ".." segments; one that is still here came in
  // percent-encoded ("..%2F") and is refused outright rather than folded again.
  QStringList kept;
  for (const QString& segment : url_path.split(QChar(u'/'), Qt::SkipEmptyParts)) {
    if (segment == QLatin1String("..")) return std::nullopt;
    if (segment == QLatin1String(".")) continue;
    kept.append(segment);
  }
  if (kept.isEmpty()) return std::nullopt;
  return QDir::cleanPath(base_folder + QChar(u'/') + kept.join(QChar(u'/')));
}

std::optional<QString> ServableFile(const QString& base_folder, const QString& file_path) {
  const QFileInfo file(file_path);
  const QString canonical = file.canonicalFilePath();
  const QString base = QFileInfo(base_folder).canonicalFilePath();
  if (canonical.isEmpty() || base.isEmpty() || !file.isFile()) return std::nullopt;
  if (!canonical.startsWith(base + QChar(u'/'))) return std::nullopt;
  return canonical;
}

QByteArray ContentTypeFor(const QString& file_path) {
  static const QMimeDatabase kDatabase;
  return kDatabase.mimeTypeForFile(file_path).name().toLatin1();
}

PreviewSchemeHandler::PreviewSchemeHandler(QString preview_file, QString base_folder,
                                           QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      preview_file_(std::move(preview_file)),
      base_folder_(std::move(base_folder)) {}

QString PreviewSchemeHandler::PreviewPath() const {
  return QChar(u'/') + QFileInfo(preview_file_).fileName();
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  if (url.host() != QLatin1String(kPreviewHost)) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  const QString path = url.path(QUrl::FullyDecoded);
  if (path == PreviewPath()) {
    ServePreviewFile(job);
  } else {
    ServeBaseFile(job, path);
  }
}

void PreviewSchemeHandler::ServePreviewFile(QWebEngineUrlRequestJob* job) const {
  // Read whole now: the converter rewrites the file at every run, and the page must show
  // the bytes that were there when it was asked for.
  QByteArray bytes;
  if (ReadRegularFile(preview_file_, bytes)) {
    job->fail(QFileInfo::exists(preview_file_) ? QWebEngineUrlRequestJob::RequestDenied
                                               : QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  job->reply(QByteArrayLiteral("text/html;charset=Shift_JIS"), buffer);
}

void PreviewSchemeHandler::ServeBaseFile(QWebEngineUrlRequestJob* job,
                                         const QString& url_path) const {
  const std::optional<QString> file_path = ResolveUnderBase(base_folder_, url_path);
  if (!file_path) {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  const std::optional<QString> servable = ServableFile(base_folder_, *file_path);
  if (!servable) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* file = new QFile(*servable, job);
  if (!file->open(QIODevice::ReadOnly)) {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
    return;
  }
  job->reply(ContentTypeFor(*file_path), file);
}

}  // namespace yomika
