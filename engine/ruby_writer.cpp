#include "engine/ruby_writer.h"

#include <algorithm>

#include "engine/char_class.h"
#include "engine/ruby_markup.h"

namespace yomika {
namespace {

constexpr char32_t kIterationMark = U'々';

Failure MissingAid(const QString& what, const QString& key) {
  return Failure{QStringLiteral("%1の情報がないため、設定 %2 を使えません。").arg(what, key)};
}

}  // namespace

bool UsesKanjiAids(const EngineSettings& settings) {
  return settings.ruby_level.value.value_or(1) != 0 || settings.mono.value.value_or(true);
}

RubyWriter::RubyWriter(const EngineSettings& settings, OutputFormat format, const KanjiAids& aids)
    : settings_(settings), format_(format), aids_(aids) {}

Outcome<Text> RubyWriter::Write(const Text& run, const Text& reading) {
  const Outcome<std::vector<bool>> needs = CharactersNeedingRuby(run);
  if (!needs) return Failure{needs.reason()};
  if (std::none_of(needs->begin(), needs->end(), [](bool need) { return need; })) return run;

  const Outcome<bool> first_only = settings_.first_only.Get();
  if (!first_only) return Failure{first_only.reason()};
  if (*first_only && !given_.insert(run + U'\0' + reading).second) return run;

  const Outcome<bool> mono = settings_.mono.Get();
  if (!mono) return Failure{mono.reason()};
  if (!*mono) return Element(run, reading);
  return WriteEach(run, reading, *needs);
}

Outcome<Text> RubyWriter::WriteEach(const Text& run, const Text& reading,
                                    const std::vector<bool>& needs) const {
  // A character with the variation selectors after it is one unit: it is divided and written
  // as its base character, and keeps its selectors in the output.
  std::vector<Text> units;
  std::vector<bool> unit_needs;
  Text bases;
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (IsVariationSelector(run[i]) && !units.empty()) {
      units.back() += run[i];
      continue;
    }
    units.emplace_back(1, run[i]);
    unit_needs.push_back(needs[i]);
    bases += run[i];
  }
  if (units.size() < 2) return Element(run, reading);
  if (aids_.divider == nullptr) {
    return MissingAid(QStringLiteral("漢字ごとの読み"), QStringLiteral("RUBY/Mono"));
  }
  const std::optional<std::vector<Text>> parts = aids_.divider->Divide(bases, reading);
  if (!parts || parts->size() != units.size()) return Element(run, reading);
  Text out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (!unit_needs[i]) {
      out += units[i];
      continue;
    }
    const Outcome<Text> element = Element(units[i], (*parts)[i]);
    if (!element) return element;
    out += *element;
  }
  return out;
}

Outcome<std::vector<bool>> RubyWriter::CharactersNeedingRuby(const Text& run) const {
  const Outcome<int> level = settings_.ruby_level.Get();
  if (!level) return Failure{level.reason()};
  if (*level < 0 || *level > kMaxRubyLevel) {
    return Failure{QStringLiteral("設定 RUBY/Level の値「%1」は 0 から %2 までの数ではありません。")
                       .arg(*level)
                       .arg(kMaxRubyLevel)};
  }
  std::vector<bool> needs(run.size(), true);
  if (*level == 0) return needs;
  if (aids_.need == nullptr) {
    return MissingAid(QStringLiteral("漢字の学年"), QStringLiteral("RUBY/Level"));
  }
  for (std::size_t i = 0; i < run.size(); ++i) {
    const char32_t c = run[i];
    if (c == kIterationMark || IsVariationSelector(c)) {
      needs[i] = i > 0 && needs[i - 1];
    } else {
      needs[i] = ClassifyCharacter(c) == CharClass::kKanji && aids_.need->NeedsRuby(c, *level);
    }
  }
  return needs;
}

Outcome<Text> RubyWriter::Element(const Text& run, const Text& reading) const {
  return RubyFor(format_, run, reading, settings_);
}

}  // namespace yomika
