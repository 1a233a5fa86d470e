#include "engine/ruby_elements.h"

#include <array>

namespace yomika {
namespace {

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsNameCharacter(QChar c) { return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-'; }

// Elements whose content the browser takes as text, not markup.
bool IsRawTextElement(const QString& name) {
  static const std::array<QString, 8> kNames = {
      QStringLiteral("script"),  QStringLiteral("style"),   QStringLiteral("textarea"),
      QStringLiteral("title"),   QStringLiteral("xmp"),     QStringLiteral("iframe"),
      QStringLiteral("noembed"), QStringLiteral("noframes")};
  for (const QString& raw : kNames) {
    if (name == raw) return true;
  }
  return false;
}

// The position after the ">" that ends the tag whose name ends at `from`; quoted attribute
// values may hold ">". The text's end when the tag is not closed.
qsizetype TagEnd(QStringView html, qsizetype from) {
  QChar quote;
  for (qsizetype i = from; i < html.size(); ++i) {
    const QChar c = html[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'"' || c == u'\'') {
      // Only a quote that opens an attribute value quotes.
      if (i > from && html[i - 1] == u'=') quote = c;
    } else if (c == u'>') {
      return i + 1;
    }
  }
  return html.size();
}

// Decodes the character references the base text of a ruby may hold: numeric ones and
// &amp; &lt; &gt; &quot; &apos; &nbsp;. Others stay as written.
QString DecodeReferences(QStringView text) {
  if (!text.contains(u'&')) return text.toString();
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype semicolon = text[i] == u'&' ? text.indexOf(u';', i) : -1;
    if (semicolon < 0 || semicolon - i > 10) {
      out += text[i];
      continue;
    }
    const QStringView name = text.sliced(i + 1, semicolon - i - 1);
    char32_t decoded = 0;
    if (name.startsWith(u'#')) {
      bool ok = false;
      const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
      const uint value = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
      if (ok && value > 0 && value <= 0x10FFFF) decoded = value;
    } else if (name == u"amp") {
      decoded = U'&';
    } else if (name == u"lt") {
      decoded = U'<';
    } else if (name == u"gt") {
      decoded = U'>';
    } else if (name == u"quot") {
      decoded = U'"';
    } else if (name == u"apos") {
      decoded = U'\'';
    } else if (name == u"nbsp") {
      decoded = 0xA0;
    }
    if (decoded == 0) {
      out += text[i];
      continue;
    }
    out += QString::fromUcs4(&decoded, 1);
    i = semicolon;
  }
  return out;
}

enum class Part { kBase, kRubyText, kBracket };

struct OpenRuby {
  std::size_t index;
  Part part;
};

}  // namespace

std::vector<RubyElementSpan> FindRubyElements(QStringView html) {
  std::vector<RubyElementSpan> elements;
  std::vector<OpenRuby> open;  // innermost last
  const qsizetype n = html.size();
  // Ends the first rt of the innermost ruby where it is open.
  const auto end_ruby_text = [&](qsizetype at) {
    if (open.empty() || open.back().part != Part::kRubyText) return;
    RubyElementSpan& element = elements[open.back().index];
    if (element.rt_end < 0) element.rt_end = at;
  };
  qsizetype i = 0;
  while (i < n) {
    if (html[i] != u'<') {
      qsizetype next = html.indexOf(u'<', i);
      if (next < 0) next = n;
      if (!open.empty() && open.back().part == Part::kBase) {
        elements[open.back().index].base += DecodeReferences(html.sliced(i, next - i));
      }
      i = next;
      continue;
    }
    if (html.sliced(i).startsWith(u"<!--")) {
      const qsizetype close = html.indexOf(u"-->", i + 4);
      i = close < 0 ? n : close + 3;
      continue;
    }
    const bool closing = i + 1 < n && html[i + 1] == u'/';
    const qsizetype name_at = i + (closing ? 2 : 1);
    if (name_at < n && (html[name_at] == u'!' || html[name_at] == u'?')) {
      const qsizetype close = html.indexOf(u'>', i);  // doctype, bogus comment
      i = close < 0 ? n : close + 1;
      continue;
    }
    if (name_at >= n || !IsAsciiLetter(html[name_at])) {
      if (!open.empty() && open.back().part == Part::kBase)
        elements[open.back().index].base += u'<';
      ++i;
      continue;
    }
    qsizetype name_end = name_at;
    while (name_end < n && IsNameCharacter(html[name_end])) ++name_end;
    const QString name = html.sliced(name_at, name_end - name_at).toString().toLower();
    const qsizetype tag_end = TagEnd(html, name_end);
    if (!closing && IsRawTextElement(name)) {
      const qsizetype close =
          html.indexOf(QString(QStringLiteral("</") + name), tag_end, Qt::CaseInsensitive);
      i = close < 0 ? n : TagEnd(html, close + 2 + name.size());
      continue;
    }
    if (name == u"ruby") {
      if (!closing) {
        open.push_back({elements.size(), Part::kBase});
        elements.push_back({i, n, QString(), -1, -1});
      } else if (!open.empty()) {
        end_ruby_text(i);
        elements[open.back().index].end = tag_end;
        open.pop_back();
      }
    } else if (!open.empty() && (name == u"rt" || name == u"rp")) {
      end_ruby_text(i);
      RubyElementSpan& element = elements[open.back().index];
      if (closing) {
        open.back().part = Part::kBase;
      } else if (name == u"rt") {
        open.back().part = Part::kRubyText;
        if (element.rt_start < 0) element.rt_start = tag_end;
      } else {
        open.back().part = Part::kBracket;
      }
    }
    i = tag_end;
  }
  for (const OpenRuby& unclosed : open) {
    if (elements[unclosed.index].rt_start >= 0 && elements[unclosed.index].rt_end < 0) {
      elements[unclosed.index].rt_end = n;
    }
  }
  return elements;
}

}  // namespace yomika
