#include "engine/ruby_markup.h"

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
