#include "engine/html5_document.h"

namespace yomika {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

Outcome<QString> StyleLines(const EngineSettings& settings) {
  const Outcome<int> style = settings.style_sheet.Get();
  if (!style) return Failure{style.reason()};
  if (*style == 0 || *style == 1) {
    return QStringLiteral("<style>") + kCrLf + settings.txt_style_sheet + kCrLf +
           QStringLiteral("</style>") + kCrLf;
  }
  if (settings.txt_style_sheet.isEmpty()) return QString();
  return settings.txt_style_sheet + kCrLf;
}

Outcome<QString> BodyTag(const EngineSettings& settings) {
  const Outcome<bool> backcolor = settings.backcolor.Get();
  if (!backcolor) return Failure{backcolor.reason()};
  if (!*backcolor) return QStringLiteral("<body>");
  return QStringLiteral("<body style=\"background-color:") +
         settings.txt_backcolor.toHtmlEscaped() + QStringLiteral("\">");
}

}  // namespace

Outcome<QString> Html5Document(const QString& body, const EngineSettings& settings) {
  const Outcome<QString> style = StyleLines(settings);
  if (!style) return Failure{style.reason()};
  const Outcome<QString> body_tag = BodyTag(settings);
  if (!body_tag) return Failure{body_tag.reason()};
  return QStringLiteral("<!DOCTYPE html>") + kCrLf + QStringLiteral("<html lang=\"ja\">") + kCrLf +
         QStringLiteral("<head>") + kCrLf + QStringLiteral("<meta charset=\"utf-8\">") + kCrLf +
         *style + QStringLiteral("</head>") + kCrLf + *body_tag + kCrLf + body + kCrLf +
         QStringLiteral("</body>") + kCrLf + QStringLiteral("</html>") + kCrLf;
}

}  // namespace yomika
