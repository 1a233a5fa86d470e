#ifndef YOMIKA_ENGINE_HTML5_DOCUMENT_H_
#define YOMIKA_ENGINE_HTML5_DOCUMENT_H_

// The complete HTML5 page around a body converted in the html5 format.

#include <QString>

#include "engine/engine_settings.h"
#include "engine/outcome.h"

namespace yomika {

// <!DOCTYPE html>, <html lang="ja">, a head with <meta charset="utf-8"> and the style part,
// <body> (with style="background-color:…" when Preview/Backcolor is 1), the body, </body>,
// </html>; every line ends in CR LF, like the body's own line breaks. The style part is
// txtStyleSheet in a <style> element for StyleSheet 0 and 1; any other StyleSheet writes the
// text bare, and nothing when it is empty.
// Fails when Backcolor or StyleSheet cannot be read as a number.
Outcome<QString> Html5Document(const QString& body, const EngineSettings& settings);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_HTML5_DOCUMENT_H_
