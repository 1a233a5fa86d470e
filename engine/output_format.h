#ifndef YOMIKA_ENGINE_OUTPUT_FORMAT_H_
#define YOMIKA_ENGINE_OUTPUT_FORMAT_H_

// The formats a conversion can be written in, and what each writes around the body.

#include <QByteArray>
#include <QString>
#include <optional>

#include "engine/engine_settings.h"
#include "engine/outcome.h"

namespace yomika {

enum class OutputFormat {
  kHtml,      // the program's own HTML: font tags, <br>, ruby elements; the page in CP932
  kHtml5,     // a complete UTF-8 HTML5 page: colour spans, lower-case ruby elements
  kAozora,    // plain text, ruby as ｜漢字《かんじ》
  kBrackets,  // plain text, ruby as 漢字（かんじ）
};

inline constexpr OutputFormat kOutputFormats[] = {OutputFormat::kHtml, OutputFormat::kHtml5,
                                                  OutputFormat::kAozora, OutputFormat::kBrackets};

// The format's name on the command line: "html", "html5", "aozora", "brackets".
QString OutputFormatName(OutputFormat format);

// The format with that name (exactly as OutputFormatName spells it), else std::nullopt.
std::optional<OutputFormat> ParseOutputFormat(const QString& name);

// Plain-text formats carry no markup the input did not have: no colour tags, no <br>, line
// breaks kept as they are.
bool IsPlainTextFormat(OutputFormat format);

// The usual file name extension, without the dot: "html" or "txt".
QString FileExtension(OutputFormat format);

// The text written for a converted body: for html the body itself, or with `html_document`
// the page of AssembleDocument; for html5 always the page of Html5Document; for the
// plain-text formats the body itself.
Outcome<QString> OutputText(const QString& body, const EngineSettings& settings,
                            OutputFormat format, bool html_document);

// The bytes of that text: the html page in code page 932 (as the preview file), everything
// else UTF-8 without a byte order mark.
QByteArray OutputBytes(const QString& text, OutputFormat format, bool html_document);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_OUTPUT_FORMAT_H_
