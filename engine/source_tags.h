#ifndef YOMIKA_ENGINE_SOURCE_TAGS_H_
#define YOMIKA_ENGINE_SOURCE_TAGS_H_

// Where the source pane colours its ruby markup: the ruby tags in blue, the readings in red.
// Positions are offsets into the pane's plain text (UTF-16 units, as the pane counts).

#include <QString>
#include <QStringView>
#include <vector>

#include "engine/text.h"

namespace yomika {

inline constexpr Colour kTagColour = 0xFF0000;       // blue in 0x00BBGGRR
inline constexpr Colour kRubyTextColour = 0x0000FF;  // red
inline constexpr Colour kResetColour = 0x000000;

struct ColourSpan {
  qsizetype start = 0;
  qsizetype length = 0;
  Colour colour = 0;
  friend bool operator==(const ColourSpan&, const ColourSpan&) = default;
};

// Every occurrence of `tag`, ignoring letter case, each search starting right after the
// previous occurrence. Example: "<ruby>a</RUBY><ruby>", "<RUBY>" → spans at 0 and 14.
std::vector<ColourSpan> FindTagOccurrences(QStringView text, QStringView tag, Colour colour);

// The readings: the text between each "<RT>" and the next "</RT>" (any case). Stops at an
// opening tag without a closing one.
std::vector<ColourSpan> FindRubyTextSpans(QStringView text);

// The four tag searches, in the order they are coloured: <RUBY>, </RUBY>, <RT>, </RT>.
inline constexpr const char16_t* kRubyTags[] = {u"<RUBY>", u"</RUBY>", u"<RT>", u"</RT>"};

}  // namespace yomika

#endif  // YOMIKA_ENGINE_SOURCE_TAGS_H_
