#ifndef YOMIKA_READING_MECAB_READING_SERVICE_H_
#define YOMIKA_READING_MECAB_READING_SERVICE_H_

// The reading service on MeCab with the IPADIC dictionary, the user's reading dictionary and
// a fallback chain for kanji the dictionary has no word for.

#include <QString>
#include <memory>

#include "engine/outcome.h"
#include "engine/reading_service.h"

namespace yomika {

struct MecabOptions {
  // The IPADIC (UTF-8) dictionary folder; always passed to MeCab explicitly.
  QString dictionary_folder = QStringLiteral("/var/lib/mecab/dic/ipadic-utf8");
  // Kanji readings used as the last fallback (Debian's kanjidic); empty: none.
  QString kanjidic_path = QStringLiteral("/usr/share/edict/kanjidic");
  // Compound words with their readings (Debian's edict); empty or missing: compounds are read
  // as the analyser splits them. Both files are read on a thread of their own from the
  // service's creation on; conversions wait for them only if they start sooner.
  QString compound_dictionary_path = QStringLiteral("/usr/share/edict/edict");
  // Kanji facts (Debian's kanjidic-xml), Unicode's Unihan readings and variants (Debian's
  // unicode-data) and the SKK dictionary of JIS X 0213 kanji (Debian's skkdic-extra), for
  // kanji the dictionary cannot spell or nothing else reads: their common variant (髙 → 高)
  // or a reading of their own. Read on first need only; empty or missing: none.
  QString kanjidic2_path = QStringLiteral("/usr/share/edict/kanjidic2.xml.gz");
  QString unihan_folder = QStringLiteral("/usr/share/unicode");
  QString skk_path = QStringLiteral("/usr/share/skk/SKK-JISYO.JIS3_4");
  // The user's reading dictionary; empty: ReadingDictionary::DefaultPath().
  QString user_dictionary_path;
};

// Creates the service, loading the model once. On failure the reason names what is missing
// and how to install it.
Outcome<std::unique_ptr<ReadingService>> CreateMecabReadingService(const MecabOptions& options);

}  // namespace yomika

#endif  // YOMIKA_READING_MECAB_READING_SERVICE_H_
