#ifndef YOMIKA_ENGINE_DOCUMENT_H_
#define YOMIKA_ENGINE_DOCUMENT_H_

// Line-break conversion of the working text and the six-line HTML document around a body.

#include <QString>

#include "engine/engine_settings.h"
#include "engine/outcome.h"
#include "engine/text.h"

namespace yomika {

// Replaces every CR LF by "<br>" (Convert 1) or "<br>" CR LF (Convert 2), "<BR>" when
// alphabet is not 0; any other Convert leaves the text as it is. A lone CR or LF stays.
// Fails when Convert, or alphabet where needed, cannot be read as a number.
Outcome<Text> ConvertNewlines(Text text, const EngineSettings& settings);

// " BGCOLOR=\"<txtBackcolor>\"" when Backcolor is 1, else empty.
Outcome<QString> BodyAttribute(const EngineSettings& settings);

// The style text wrapped as "<STYLE>" CR LF text CR LF "</STYLE>" when StyleSheet is 0 or 1;
// otherwise the style text bare.
Outcome<QString> StylePart(const EngineSettings& settings);

// The preview document: <HTML>, style part, <BODY…>, body, </BODY>, </HTML>, each line
// ending in CR LF.
Outcome<QString> AssembleDocument(const QString& body, const EngineSettings& settings);

// The body line the program starts with, before any conversion.
QString SampleBody();

}  // namespace yomika

#endif  // YOMIKA_ENGINE_DOCUMENT_H_
