#include "reading/kanji_ruby_aids.h"

namespace yomika {

KanjiRubyAids::KanjiRubyAids(const QString& kanjidic2_path)
    : path_(kanjidic2_path), kanjidic_(kanjidic2_path), need_(kanjidic_), divider_(kanjidic_) {}

Outcome<KanjiAids> KanjiRubyAids::Aids() const {
  if (kanjidic_.size() == 0) {
    return Failure{QStringLiteral("漢字の辞書 %1 を読めません（RUBY/Level と RUBY/Mono が"
                                  "使います。Debian のパッケージ kanjidic-xml に入っています）。")
                       .arg(path_)};
  }
  return KanjiAids{&need_, &divider_};
}

}  // namespace yomika
