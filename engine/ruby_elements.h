#ifndef YOMIKA_ENGINE_RUBY_ELEMENTS_H_
#define YOMIKA_ENGINE_RUBY_ELEMENTS_H_

// The ruby elements of an HTML text, in the order a browser creates them, so the k-th ruby
// element of the page shown can be found in the text it was made from.

#include <QString>
#include <QStringView>
#include <vector>

namespace yomika {

struct RubyElementSpan {
  qsizetype start = 0;      // offset of "<ruby" in the text (UTF-16 units)
  qsizetype end = 0;        // after its "</ruby>", or where the element ends without one
  QString base;             // its text outside rt and rp, tags left out, references decoded
  qsizetype rt_start = -1;  // the first rt element's content, -1: none
  qsizetype rt_end = -1;
  friend bool operator==(const RubyElementSpan&, const RubyElementSpan&) = default;
};

// Every ruby element of `html` by its start tag (any letter case), in document order. Start
// tags inside comments, inside other tags (attribute values) and inside raw-text elements
// (script, style, textarea, title, xmp, iframe, noembed, noframes) are not elements and are
// left out; noscript content counts, as the preview runs no page scripts.
// Example: "a<ruby>漢<rt>かん</rt></ruby><!--<ruby>-->" → one span {1, 26, "漢", 12, 14}.
std::vector<RubyElementSpan> FindRubyElements(QStringView html);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_RUBY_ELEMENTS_H_
