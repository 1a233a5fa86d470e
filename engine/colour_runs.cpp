#include "engine/colour_runs.h"

#include "engine/char_class.h"

namespace yomika {
namespace {

constexpr char32_t kHexDigits[] = U"0123456789ABCDEF";
constexpr std::size_t kClosingPartLength = 7;  // "</font>" in front of the first opening tag

void AppendHexByte(Text& out, unsigned value) {
  out += kHexDigits[(value >> 4) & 0xF];
  out += kHexDigits[value & 0xF];
}

// "RRGGBB" of the colour, in upper or lower case.
Text HexColour(Colour colour, bool upper_case) {
  const unsigned red = colour & 0xFF;
  const unsigned green = (colour & 0xFF00) / 0x100;
  const unsigned blue = (colour & 0xFF0000) / 0x10000;
  Text digits;
  AppendHexByte(digits, red);
  AppendHexByte(digits, green);
  AppendHexByte(digits, blue);
  if (!upper_case) {
    for (char32_t& d : digits) {
      if (d >= U'A' && d <= U'F') d += U'a' - U'A';
    }
  }
  return digits;
}

}  // namespace

Text ColourTag(Colour colour, bool upper_case) {
  const Text tag = upper_case ? U"</FONT><FONT COLOR=\"#" : U"</font><font color=\"#";
  return tag + HexColour(colour, upper_case) + U"\">";
}

Text SpanColourTag(Colour colour) {
  return U"</span><span style=\"color:#" + HexColour(colour, false) + U"\">";
}

Outcome<Text> ApplyColourRuns(const InputText& input, const EngineSettings& settings,
                              ColourMarkup markup) {
  Text working;
  working.reserve(input.text.size() + input.text.size() / 4 + 16);
  // -1 is no colour a character can have, so the first character always opens a tag.
  std::int64_t previous = -1;
  for (std::size_t i = 0; i < input.text.size(); ++i) {
    const Colour colour = i < input.colours.size() ? input.colours[i] : 0;
    if (static_cast<std::int64_t>(colour) != previous) {
      const Outcome<int> alphabet = settings.alphabet.Get();
      if (!alphabet) return Failure{alphabet.reason()};
      const Text tag = markup == ColourMarkup::kSpans ? SpanColourTag(colour)
                                                      : ColourTag(colour, *alphabet != 0);
      // The first tag has nothing to close: its "</font>" part is left out.
      working.append(tag, previous == -1 ? kClosingPartLength : 0);
      previous = colour;
    }
    working += input.text[i];
  }
  working += markup == ColourMarkup::kSpans ? U"</span>" : U"</font>";
  working += kTerminator;
  return working;
}

}  // namespace yomika
