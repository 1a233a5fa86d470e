#ifndef YOMIKA_READING_MECAB_ANALYZER_H_
#define YOMIKA_READING_MECAB_ANALYZER_H_

// Morphological analysis with MeCab and an IPADIC-format dictionary: the model is loaded
// once; every analysis reuses one tagger and one lattice.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/outcome.h"
#include "engine/text.h"

struct mecab_node_t;

namespace MeCab {
typedef struct ::mecab_node_t Node;
class Model;
class Tagger;
class Lattice;
}  // namespace MeCab

namespace yomika {

// One word of an analysis, over character positions [begin, end) of the analysed text.
struct Morpheme {
  std::size_t begin = 0;
  std::size_t end = 0;
  Text reading;  // IPADIC's reading field in hiragana; empty when the word has none
  // The first three feature fields joined by ",", e.g. 名詞,接尾,助数詞; the analyzer keeps
  // the characters for as long as it lives.
  std::u32string_view part_of_speech;
  Text base_form;      // the dictionary form of a conjugated word (強く → 強い); empty: none
  bool known = false;  // a dictionary word (not made up for an unknown stretch)
};

// A word of the analyser's lattice over characters [begin, end) of the analysed text, with
// the share of all analyses that use it.
struct LatticeWord {
  std::size_t begin = 0;
  std::size_t end = 0;
  Text reading;  // hiragana; empty: none
  // Word class (two fields) and conjugation form, e.g. 動詞,自立,連用タ接続: words alike in it
  // differ in nothing the grammar around them could tell apart. The analyzer keeps the
  // characters for as long as it lives.
  std::u32string_view grammar;
  float probability = 0;  // marginal: the share of all analyses that use this word
  bool best = false;      // on the analyser's best analysis
};

// A word of an analysis as the analyser leaves it, over characters [begin, end): the
// dictionary's feature string (nullptr: no dictionary word, as for white space) stays valid
// while any analyser of the dictionary lives, and MecabAnalyzer::Decode makes a Morpheme of
// it. Plain data, so an analysis can go to another thread without allocating there.
struct AnalysedWord {
  std::size_t begin = 0;
  std::size_t end = 0;
  const char* feature = nullptr;
  bool known = false;
};

// A word of the lattice, likewise before decoding (MecabAnalyzer::Decode makes a LatticeWord).
struct AnalysedLatticeWord {
  std::size_t begin = 0;
  std::size_t end = 0;
  const char* feature = nullptr;
  float probability = 0;
  bool best = false;
};

class LatticeRecord;

// An analysis of one text as the analyser leaves it. Reused, its vectors keep their room.
struct Analysis {
  std::vector<AnalysedWord> words;  // in order, covering the text
  // Every word of the lattice that at least MecabAnalyzer::kLeastProbability of the analyses
  // use and that holds a character other than kana, with its marginal probability; only when
  // asked for.
  std::vector<AnalysedLatticeWord> lattice;
};

class MecabAnalyzer {
 public:
  // Loads the dictionary in `dictionary_folder` (IPADIC, UTF-8), never reading a mecabrc.
  // The reason of a failure names the folder and how to install the dictionary.
  static Outcome<std::unique_ptr<MecabAnalyzer>> Create(const QString& dictionary_folder);

  // Only Create and Twin make a usable analyzer; the key keeps the constructor to them.
  class Key {
    friend class MecabAnalyzer;
    Key() = default;
  };
  explicit MecabAnalyzer(Key);
  ~MecabAnalyzer();
  MecabAnalyzer(const MecabAnalyzer&) = delete;
  MecabAnalyzer& operator=(const MecabAnalyzer&) = delete;

  // Another analyser on the same loaded dictionary, for another thread: the two analyse at
  // the same time. nullptr when MeCab cannot make one.
  std::unique_ptr<MecabAnalyzer> Twin() const;

  // The words of `text`, in order, covering it completely. `boundaries` are character
  // positions where a word must begin (0 < position < text.size()).
  // Example: 三ヶ月 → 三 (さん, 名詞,数,*), ヶ月 (かげつ, 名詞,接尾,助数詞).
  std::vector<Morpheme> Analyse(const Text& text, const std::vector<std::size_t>& boundaries);

  // The same analysis into `analysis`, undecoded, with the lattice when `with_lattice`, and
  // recording in `record` (cleared first) what the passes that follow ask of the lattice: the
  // close readings of every best-path word of two or more characters, and the verbs beginning
  // at each position marked in `verb_positions` (one flag per character). The best analysis
  // is the same either way.
  void Analyse(const Text& text, const std::vector<std::size_t>& boundaries,
               const std::vector<bool>& verb_positions, bool with_lattice, Analysis& analysis,
               LatticeRecord& record);
  static constexpr float kLeastProbability = 1e-4f;
  // Theta scales the word and connection costs into log probabilities. IPADIC's costs are
  // about 800 times the negative log probability, so theta near 1/800 gives the probabilities
  // the dictionary means; the library's own 0.75 makes every choice certain.
  static constexpr double kTheta = 1.0 / 1024;
  // IPADIC's cost factor: word costs are log probabilities times 800, so a word within it is at
  // least 1/e as likely; the close readings of a word are those within it.
  static constexpr int kCloseCost = 800;

  // The words of an analysis by this analyser or its twins, decoded. The part of speech and
  // grammar views point at characters this analyser keeps for as long as it lives.
  Morpheme Decode(const AnalysedWord& word);
  std::vector<Morpheme> Decode(const std::vector<AnalysedWord>& words);
  std::vector<LatticeWord> Decode(const std::vector<AnalysedLatticeWord>& lattice);

 private:
  // The features of one dictionary word, decoded.
  struct WordFeatures {
    const char* feature = nullptr;  // the dictionary's own string
    Text reading;
    std::u32string_view part_of_speech;
    Text base_form;
    std::u32string_view grammar;  // word class (two fields) and conjugation form
  };
  const WordFeatures& FeaturesOf(const char* feature);
  // What the choice of words and the records ask of a feature string, kept by its address.
  struct WordKind {
    bool symbol_or_particle = false;  // 記号 or 助詞: no suffix attaches after it
    bool noun_suffix = false;         // 名詞,接尾
    bool verb = false;                // 動詞
    bool irregular_verb = false;      // カ変 or サ変: its kanji read differently by form
  };
  WordKind KindOf(const char* feature);
  // Parses `text` into the lattice; false when MeCab fails.
  bool Parse(const Text& text, const std::vector<std::size_t>& boundaries, bool with_lattice);
  // The best analysis of the parsed lattice, appended to `words`.
  void CollectWords(std::vector<AnalysedWord>& words);
  // LatticeRecord's records of the parsed lattice.
  void RecordAnswers(const std::vector<bool>& verb_positions, LatticeRecord& record);
  void RecordVerbsAt(std::size_t byte, std::size_t begin, LatticeRecord& record);
  // Character position of every byte of the last analysed text that starts a character, and
  // of its end.
  const std::vector<std::size_t>& CharacterPositions();
  // The forward-backward sums over the connections of the parsed lattice, costs scaled by
  // kTheta: every word's alpha and beta, from which CollectLattice takes its probability.
  void ComputeMarginals();
  // The words of the parsed lattice that Analysis::lattice's contract asks for.
  void CollectLattice(std::vector<AnalysedLatticeWord>& lattice);
  // A noun suffix (君 くん, 後 ご) at the start, after a symbol or particle, or after hiragana
  // the analyser has no word for (ぴゅうぴゅう風) has no word to attach to and is no suffix:
  // the noun of the same characters that the lattice reaches at the least cost (君 きみ, 風
  // かぜ) stands instead of the suffix `node`; `node` itself when nothing else fits.
  static const MeCab::Node* NonSuffixInstead(MeCab::Lattice& lattice, const MeCab::Node* node);

  std::shared_ptr<MeCab::Model> model_;
  std::unique_ptr<MeCab::Tagger> tagger_;
  std::unique_ptr<MeCab::Lattice> lattice_;
  std::string utf8_;
  std::vector<std::size_t> byte_of_char_;
  std::vector<std::size_t> char_of_byte_;  // CharacterPositions' map of the last analysed text
  bool char_of_byte_ready_ = false;
  // Decoded features by the dictionary's feature string, which stays in place while the model
  // is loaded: an open-addressing table of indexes into words_ plus one (0: empty slot).
  std::vector<std::uint32_t> feature_slots_;
  std::vector<WordFeatures> words_;
  std::unordered_set<Text> parts_of_speech_;  // the characters part_of_speech views point at
  // KindOf's table, open addressing by the feature string's address (nullptr: empty slot).
  struct KindSlot {
    const char* feature = nullptr;
    WordKind kind;
  };
  std::vector<KindSlot> kind_slots_;
  std::size_t kinds_ = 0;
  // The slot that holds `feature`, or the empty one where it belongs.
  KindSlot* FindKindSlot(const char* feature);
};

}  // namespace yomika

#endif  // YOMIKA_READING_MECAB_ANALYZER_H_
