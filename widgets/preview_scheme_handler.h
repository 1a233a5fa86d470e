#ifndef YOMIKA_WIDGETS_PREVIEW_SCHEME_HANDLER_H_
#define YOMIKA_WIDGETS_PREVIEW_SCHEME_HANDLER_H_

// Serves the "yomika" URL scheme to the preview browser: the preview file as Shift-JIS HTML,
// every other path from the base folder, and only regular files that really lie inside it.
// Each request reads the disk afresh.

#include <QByteArray>
#include <QString>
#include <QWebEngineUrlSchemeHandler>
#include <optional>

class QWebEngineUrlRequestJob;

namespace yomika {

// The scheme name and the host every preview URL carries.
inline constexpr char kPreviewScheme[] = "yomika";
inline constexpr char kPreviewHost[] = "preview";

// The path of a file under `base_folder` named by a decoded URL path, or std::nullopt when the
// path leaves the folder or cannot name a file.
// Example: ResolveUnderBase("/p", "/img/a.png") == "/p/img/a.png";
//          ResolveUnderBase("/p", "/../etc/passwd") == std::nullopt.
std::optional<QString> ResolveUnderBase(const QString& base_folder, const QString& url_path);

// The canonical path of `file_path` when it is a regular file whose canonical path (every
// symbolic link followed) lies inside the canonical `base_folder`; std::nullopt otherwise.
// Example: a link /p/a.css → /etc/passwd gives std::nullopt; /p/css/a.css gives itself.
std::optional<QString> ServableFile(const QString& base_folder, const QString& file_path);

// The content type a file is served with, from its name and contents.
// Example: ContentTypeFor("/p/style.css") == "text/css".
QByteArray ContentTypeFor(const QString& file_path);

class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT

 public:
  // `preview_file` is served under the URL path "/" + its file name.
  PreviewSchemeHandler(QString preview_file, QString base_folder, QObject* parent = nullptr);

  // The URL path (without query) the preview file is served under, e.g. "/sample.html".
  QString PreviewPath() const;

  void requestStarted(QWebEngineUrlRequestJob* job) override;

 private:
  void ServePreviewFile(QWebEngineUrlRequestJob* job) const;
  void ServeBaseFile(QWebEngineUrlRequestJob* job, const QString& url_path) const;

  QString preview_file_;
  QString base_folder_;
};

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_PREVIEW_SCHEME_HANDLER_H_
