#include "engine/document.h"

namespace yomika {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

Outcome<Text> ConvertNewlines(Text text, const EngineSettings& settings) {
  const Outcome<int> convert = settings.convert.Get();
  if (!convert) return Failure{convert.reason()};
  if (*convert != 1 && *convert != 2) return text;
  const Outcome<int> alphabet = settings.alphabet.Get();
  if (!alphabet) return Failure{alphabet.reason()};

  Text replacement = *alphabet == 0 ? U"<br>" : U"<BR>";
  if (*convert == 2) replacement += U"\r\n";
  if (text.find(U"\r\n") == Text::npos) return text;
  Text out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
      out += replacement;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

Outcome<QString> BodyAttribute(const EngineSettings& settings) {
  const Outcome<bool> backcolor = settings.backcolor.Get();
  if (!backcolor) return Failure{backcolor.reason()};
  if (!*backcolor) return QString();
  return QStringLiteral(" BGCOLOR=\"") + settings.txt_backcolor + QLatin1Char('"');
}

Outcome<QString> StylePart(const EngineSettings& settings) {
  const Outcome<int> style = settings.style_sheet.Get();
  if (!style) return Failure{style.reason()};
  if (*style != 0 && *style != 1) return settings.txt_style_sheet;
  return QStringLiteral("<STYLE>") + kCrLf + settings.txt_style_sheet + kCrLf +
         QStringLiteral("</STYLE>");
}

Outcome<QString> AssembleDocument(const QString& body, const EngineSettings& settings) {
  const Outcome<QString> attribute = BodyAttribute(settings);
  if (!attribute) return Failure{attribute.reason()};
  const Outcome<QString> style = StylePart(settings);
  if (!style) return Failure{style.reason()};
  return QStringLiteral("<HTML>") + kCrLf + *style + kCrLf + QStringLiteral("<BODY") +
         *attribute + QStringLiteral(">") + kCrLf + body + kCrLf + QStringLiteral("</BODY>") +
         kCrLf + QStringLiteral("</HTML>") + kCrLf;
}

QString SampleBody() {
  return QStringLiteral(
      "ここにルビをつけたい<RUBY>文字<RT>もじ</RT></RUBY>を<RUBY>入力<RT>にゅうりょく</RT></"
      "RUBY>します。");
}

}  // namespace yomika
