#include "engine/ruby_markup.h"

#include <algorithm>

#include "engine/char_class.h"
#include "engine/kana_form.h"

namespace yomika {
namespace {

struct RubyTags {
  const char32_t* ruby_open;
  const char32_t* rt_open;
  const char32_t* rt_close;
  const char32_t* ruby_close;
  const char32_t* rp_open;
  const char32_t* rp_close_rt_open;   // "</rp><rt>"
  const char32_t* rt_close_rp_open;   // "</rt><rp>"
  const char32_t* rp_close_ruby_close;  // "</rp></ruby>"
};

constexpr RubyTags kLower{U"<ruby>", U"<rt>", U"</rt>", U"</ruby>",
                          U"<rp>",   U"</rp><rt>", U"</rt><rp>", U"</rp></ruby>"};
constexpr RubyTags kUpper{U"<RUBY>", U"<RT>", U"</RT>", U"</RUBY>",
                          U"<RP>",   U"</RP><RT>", U"</RT><RP>", U"</RP></RUBY>"};

}  // namespace

Outcome<Text> RubyElement(const Text& run, const Text& reading, const EngineSettings& settings) {
  const Outcome<int> form = settings.ruby_string.Get();
  if (!form) return Failure{form.reason()};
  const Outcome<int> brackets = settings.chk_rb.Get();
  if (!brackets) return Failure{brackets.reason()};
  const Outcome<int> alphabet = settings.alphabet.Get();
  if (!alphabet) return Failure{alphabet.reason()};

  const Text kana = ApplyKanaForm(reading, *form);
  const RubyTags& tags = *alphabet == 0 ? kLower : kUpper;
  Text element = tags.ruby_open + run;
  if (*brackets == 1) {
    element += tags.rp_open + ToText(settings.rb_start) + tags.rp_close_rt_open + kana +
               tags.rt_close_rp_open + ToText(settings.rb_end) + tags.rp_close_ruby_close;
  } else {
    element += tags.rt_open + kana + tags.rt_close + tags.ruby_close;
  }
  return element;
}

bool IsUnreadMark(char32_t c) { return c == U'々' || ClassifyCharacter(c) == CharClass::kKanji; }

bool HoldsUnreadMark(const Text& reading) {
  return std::any_of(reading.begin(), reading.end(), IsUnreadMark);
}

std::vector<RunPart> SplitAtUnreadKanji(const Text& run, const Text& reading) {
  if (!HoldsUnreadMark(reading)) return {{run, reading}};
  std::vector<RunPart> parts;
  std::size_t i = 0;  // in the run
  std::size_t j = 0;  // in the reading
  while (j < reading.size()) {
    std::size_t mark = j;
    while (mark < reading.size() && !IsUnreadMark(reading[mark])) ++mark;
    const std::size_t at = mark < reading.size() ? run.find(reading[mark], i) : run.size();
    // Kana and run characters before the mark (or the end) must both be there or both not.
    if (at == Text::npos || (at == i) != (mark == j)) return {{run, std::nullopt}};
    if (at > i) parts.push_back({run.substr(i, at - i), reading.substr(j, mark - j)});
    if (mark == reading.size()) return parts;
    std::size_t end = at + 1;
    while (end < run.size() && IsVariationSelector(run[end])) ++end;
    parts.push_back({run.substr(at, end - at), std::nullopt});
    i = end;
    j = mark + 1;
  }
  if (i < run.size()) return {{run, std::nullopt}};
  return parts;
}

Outcome<Text> RubyFor(OutputFormat format, const Text& run, const Text& reading,
                      const EngineSettings& settings) {
  if (!IsPlainTextFormat(format)) return RubyElement(run, reading, settings);
  const Outcome<int> form = settings.ruby_string.Get();
  if (!form) return Failure{form.reason()};
  const Text kana = ApplyKanaForm(reading, *form);
  if (format == OutputFormat::kAozora) return U"｜" + run + U"《" + kana + U"》";
  return run + U"（" + kana + U"）";
}

}  // namespace yomika
