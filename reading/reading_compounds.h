#ifndef YOMIKA_READING_READING_COMPOUNDS_H_
#define YOMIKA_READING_READING_COMPOUNDS_H_

// Readings of whole compound words from EDICT (Debian's /usr/share/edict/edict, EUC-JP, one
// "headword [reading] /gloss/" a line). The analyser often splits a compound into words it
// knows and reads each alone, missing the sound changes of the whole (石油会社: かいしゃ →
// がいしゃ) and lexicalised readings (一晩: ひとばん); the whole word's entry knows both.

#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text.h"
#include "reading/mecab_analyzer.h"

namespace yomika {

// One reading of a headword, in hiragana; `common` for entries marked (P). For headwords with
// kana among their kanji (phrases) also `irregular` for entries marked as an old, irregular or
// ateji writing or reading ((arch), (ok), (oK), (io), (iK), (ik), (ateji)) or as an
// interjection or conjunction ((int), (conj)), and `usually_kana` for (uk). For any headword
// `takes_no` when its first sense is a noun that modifies another with の ((adj-no)).
struct CompoundReading {
  Text reading;
  bool common = false;
  bool irregular = false;
  bool usually_kana = false;
  bool takes_no = false;
  friend bool operator==(const CompoundReading&, const CompoundReading&) = default;
};

// One EDICT line split into its headword and reading (EUC-JP bytes, as in the file) and its
// marks (see CompoundReading). Only lines whose headword starts with a kanji, or starts with
// kana and holds a kanji, and whose headword and reading are all two-byte JIS X 0208
// characters count; others give std::nullopt.
// Example: "夜更け [よふけ] /(n) late at night/(P)/" → (夜更け, よふけ, common).
struct EdictLine {
  std::string_view headword;
  std::string_view reading;
  bool common = false;
  bool irregular = false;
  bool usually_kana = false;
  bool takes_no = false;
};
std::optional<EdictLine> SplitEdictLine(std::string_view line);

class CompoundLexicon {
 public:
  // Nothing is read until the first lookup; an empty path means no lexicon.
  explicit CompoundLexicon(QString path);

  // The readings of `headword`, as listed. Only headwords of 2 to 12 JIS X 0208 characters that
  // begin with a kanji are kept. Empty when none or the file cannot be read (it is not tried
  // again).
  std::vector<CompoundReading> ReadingsOf(const Text& headword);

  // Whether the file was read and held at least one entry (reads it if not done yet).
  bool Available();

  // Whether `headword` is listed with `reading` (kana of either script alike): std::nullopt
  // when the headword is not listed at all. Decodes nothing: a quick test before ReadingsOf.
  // Example: (市場, しじょう) → true; (市場, いちじょう) → false; (石油会社, …) → std::nullopt.
  std::optional<bool> ListsReading(std::u32string_view headword, const Text& reading);

  // The readings of the headwords that spell `written` (two or more kanji) with one to three
  // hiragana among or after its kanji that the writer left out (綿入 → 綿入れ わたいれ, 取扱 →
  // 取り扱い), the particles の が を は へ や never among them. A headword whose kana go on
  // after the kanji counts only when `next`, the character after `written` in the text, does
  // not begin them (取扱い is written in full). Empty when none.
  std::vector<CompoundReading> ReadingsWithoutKana(const Text& written, char32_t next);

  // ReadingsOf for a headword already in the lexicon's encoding (Encode).
  std::vector<CompoundReading> ReadingsOfEncoded(std::string_view headword);

  // Whether some headword of three or more characters with kana among its kanji (a phrase)
  // may begin with the first three characters of `start` (false for fewer), and whether
  // `headword` may be such a phrase: quick tests before the lookups of the phrases there.
  bool MayBeginPhrase(std::u32string_view start);
  bool MayBePhrase(std::u32string_view headword);
  // Builds the filters of those two, and the index of ReadingsWithoutKana, now (on a loading
  // thread) rather than on first use.
  void PreparePhrases();

  // `text` in the lexicon's encoding (EUC-JP); std::nullopt when a character has no two-byte
  // JIS X 0208 code.
  static std::optional<std::string> Encode(std::u32string_view text);

  // Calls visit(headword, reading) for every entry whose headword (in the lexicon's encoding,
  // two or more characters) `wanted` accepts, in file order (reads the file if not done yet).
  void ForEachEntry(const std::function<bool(std::string_view)>& wanted,
                    const std::function<void(const Text&, const CompoundReading&)>& visit);

  // Whether the lexicon's compounds that end in `tail` (a word of two or more characters,
  // read `tail_reading`) voice its first sound: true when most do (会社: 株式会社 かぶしき
  // がいしゃ, 子会社 こがいしゃ …), false when most do not, std::nullopt when too few tell.
  std::optional<bool> VoicesTail(const Text& tail, const Text& tail_reading);

 private:
  struct Entry {
    std::uint32_t offset;          // into pool_: the headword, then the reading
    std::uint8_t headword_length;  // in bytes
    std::uint8_t reading_length;
    bool common;
    std::uint8_t marks;  // kIrregular | kUsuallyKana | kTakesNo
  };
  static constexpr std::uint8_t kIrregular = 1;
  static constexpr std::uint8_t kUsuallyKana = 2;
  static constexpr std::uint8_t kTakesNo = 4;
  CompoundReading ReadingWithMarks(const Entry& entry);

  void LoadOnce();
  void AddEntry(std::string_view line);
  std::optional<bool> ListsReadingUncached(std::u32string_view headword, const Text& reading);
  void IndexEndings();
  std::string_view HeadwordOf(const Entry& entry) const;
  Text ReadingOf(const Entry& entry);

  QString path_;
  bool loaded_ = false;
  std::string pool_;            // EUC-JP, as in the file
  std::vector<Entry> entries_;  // in file order
  // Indexes into entries_ grouped by a hash of the headword, in file order within a group.
  std::vector<std::uint32_t> by_headword_;
  std::vector<std::uint32_t> headword_buckets_;  // where each hash's group starts in by_headword_
  // Indexes into entries_ grouped by a hash of the headword's last two characters: the
  // compounds that end in a word. Built on the first VoicesTail.
  std::vector<std::uint32_t> by_ending_;
  std::vector<std::uint32_t> ending_buckets_;  // where each hash's group starts in by_ending_
  void IndexBareHeadwords();
  // Indexes into entries_ of headwords with left-out kana (ReadingsWithoutKana), grouped by a
  // hash of the headword without its kana. Built by PreparePhrases.
  std::vector<std::uint32_t> by_bare_;
  std::vector<std::uint32_t> bare_buckets_;
  std::vector<bool> bare_headwords_;  // by the high bits of the hash: most misses end there
  void IndexPhrases();
  std::vector<bool> phrase_beginnings_;  // by a hash of the first three characters
  std::vector<bool> phrases_;            // by a hash of the headword; built on first need
  std::vector<bool> headwords_;   // by another hash of the headword: most misses end there
  QStringDecoder decoder_{"EUC-JP"};
  std::unordered_map<Text, std::optional<bool>> voicing_cache_;  // by tail + tab + reading
  std::unordered_map<std::uint64_t, std::optional<bool>> listed_answers_;  // ListsReading's
};

// The reading to give a compound whose parts the analyser read as `analysed`, from the
// compound's `readings`: nothing when the analysed one is among them; else the only one, the
// only common one, or the only one at most two kana changes from the analysed one. Example:
// ({いちば P, しじょう P}, しじょう) → nothing; ({ひとばん P, いちばん}, いちばん) → nothing;
// ({けんしこ}, けんはとら) → けんしこ; ({くにじゅう, こくちゅう}, くにちゅう) → くにじゅう.
std::optional<Text> ChooseCompoundReading(const std::vector<CompoundReading>& readings,
                                          const Text& analysed);

// The reading of a conjugated form from the reading of its dictionary form: the kana after the
// shared start of `form` and `base_form` are exchanged. std::nullopt when the two do not
// differ in kana only or `base_reading` does not end in the base form's kana.
// Example: (喧嘩強く, 喧嘩強い, けんかづよい) → けんかづよく.
std::optional<Text> ConjugateReading(const Text& form, const Text& base_form,
                                     const Text& base_reading);

// The reading with its first sound voiced (か → が, は → ば, つ → づ); std::nullopt when
// the first sound has no voiced form. Example: かいしゃ → がいしゃ.
std::optional<Text> VoiceFirstSound(const Text& reading);

// Joins neighbouring words of `words` (an analysis of `text`) that together spell one
// lexicon headword, every one of them holding a kanji of `in_run`, into one word with the
// headword's reading (longest first, left to right); a conjugated last word is looked up by its
// dictionary form; a compound of nouns of two or more characters stays as analysed when its
// entry only spells one of them another way that word's own entries list (日本|経済: にっぽん
// and にほん listed, 日本経済 にほんけいざい); content words no headword spells are looked up
// by the headwords that spell them with kana the writer left out (綿|入: 綿入れ わたいれ;
// ReadingsWithoutKana). Never joins across `boundaries` (positions where a word must begin),
// and leaves the words alone where the analysed reading is one the lexicon lists, unless it lists
// the last word voiced as well and VoicesTail says that word mostly is (回転寿司: かいてんすし
// and かいてんずし listed, 稲荷寿司, 握り寿司 … voiced: かいてんずし). A noun followed
// directly by a word of two or more characters that no headword joins gets the first sound of
// that word voiced when the lexicon's compounds ending in that word mostly do (VoicesTail).
// Example: 石油|会社 (せきゆ+かいしゃ) → 石油会社 (せきゆがいしゃ); 競争|会社 (not listed) →
// 競争 + がいしゃ.
void ApplyCompoundReadings(const Text& text, const std::vector<bool>& in_run,
                           const std::vector<std::size_t>& boundaries, CompoundLexicon& lexicon,
                           std::vector<Morpheme>& words);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_COMPOUNDS_H_
