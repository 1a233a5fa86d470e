#include "engine/output_format.h"

#include "engine/document.h"
#include "engine/html5_document.h"
#include "engine/preview_file.h"

namespace yomika {

QString OutputFormatName(OutputFormat format) {
  switch (format) {
    case OutputFormat::kHtml:
      return QStringLiteral("html");
    case OutputFormat::kHtml5:
      return QStringLiteral("html5");
    case OutputFormat::kAozora:
      return QStringLiteral("aozora");
    case OutputFormat::kBrackets:
      return QStringLiteral("brackets");
  }
  return QString();
}

std::optional<OutputFormat> ParseOutputFormat(const QString& name) {
  for (const OutputFormat format : kOutputFormats) {
    if (name == OutputFormatName(format)) return format;
  }
  return std::nullopt;
}

bool IsPlainTextFormat(OutputFormat format) {
  return format == OutputFormat::kAozora || format == OutputFormat::kBrackets;
}

QString FileExtension(OutputFormat format) {
  return IsPlainTextFormat(format) ? QStringLiteral("txt") : QStringLiteral("html");
}

Outcome<QString> OutputText(const QString& body, const EngineSettings& settings,
                            OutputFormat format, bool html_document) {
  if (format == OutputFormat::kHtml5) return Html5Document(body, settings);
  if (format == OutputFormat::kHtml && html_document) return AssembleDocument(body, settings);
  return body;
}

QByteArray OutputBytes(const QString& text, OutputFormat format, bool html_document) {
  if (format == OutputFormat::kHtml && html_document) return EncodePreviewDocument(text);
  return text.toUtf8();
}

}  // namespace yomika
