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

class MecabAnalyzer {
 public:
  // Loads the dictionary in `dictionary_folder` (IPADIC, UTF-8), never reading a mecabrc.
  // The reason of a failure names the folder and how to install the dictionary.
  static Outcome<std::unique_ptr<MecabAnalyzer>> Create(const QString& dictionary_folder);

  // Only Create makes a usable analyzer; the key keeps the constructor to it.
  class Key {
    friend class MecabAnalyzer;
    Key() = default;
  };
  explicit MecabAnalyzer(Key);
  ~MecabAnalyzer();
  MecabAnalyzer(const MecabAnalyzer&) = delete;
  MecabAnalyzer& operator=(const MecabAnalyzer&) = delete;

  // The words of `text`, in order, covering it completely. `boundaries` are character
  // positions where a word must begin (0 < position < text.size()).
  // Example: 三ヶ月 → 三 (さん, 名詞,数,*), ヶ月 (かげつ, 名詞,接尾,助数詞).
  std::vector<Morpheme> Analyse(const Text& text, const std::vector<std::size_t>& boundaries);

  // The same words, and in `lattice` every word of the lattice that at least
  // kLeastProbability of the analyses use and that holds a character other than kana, with
  // its marginal probability. The best analysis is the same as without `lattice`.
  std::vector<Morpheme> Analyse(const Text& text, const std::vector<std::size_t>& boundaries,
                                std::vector<LatticeWord>& lattice);
  static constexpr float kLeastProbability = 1e-4f;
  // Theta scales the word and connection costs into log probabilities. IPADIC's costs are
  // about 800 times the negative log probability, so theta near 1/800 gives the probabilities
  // the dictionary means; the library's own 0.75 makes every choice certain.
  static constexpr double kTheta = 1.0 / 1024;

  // The other verbs the lattice of the last Analyse gives the characters [begin, end): words
  // of the same span whose reading differs from `reading`, in lattice order. None when one of
  // the verbs there conjugates irregularly (来る, する: their kanji read differently by form).
  // Example: 行っ (おこなっ) → 行っ (いっ, 行く).
  std::vector<Morpheme> OtherVerbs(std::size_t begin, std::size_t end, const Text& reading);

  // The dictionary's other readings of the word the last Analyse chose for the characters
  // [begin, end): words of the same span and word class (the first two feature fields) whose
  // reading differs from `reading` and whose word cost is at most kCloseCost above the chosen
  // one's, so that the dictionary hardly prefers either. Example: 大勢 (たいせい) → 大勢
  // (おおぜい), 165 above.
  std::vector<Morpheme> CloseReadings(std::size_t begin, std::size_t end, const Text& reading);
  // IPADIC's cost factor: word costs are log probabilities times 800, so a word within it is at
  // least 1/e as likely.
  static constexpr int kCloseCost = 800;

 private:
  // The byte range of the characters [begin, end) of the last analysed text.
  std::optional<std::pair<std::size_t, std::size_t>> ByteRange(std::size_t begin,
                                                                std::size_t end);
  // The features of one dictionary word, decoded.
  struct WordFeatures {
    const char* feature = nullptr;  // the dictionary's own string
    Text reading;
    std::u32string_view part_of_speech;
    Text base_form;
    std::u32string_view grammar;  // word class (two fields) and conjugation form
  };
  const WordFeatures& FeaturesOf(const char* feature);
  std::vector<Morpheme> AnalyseWith(const Text& text, const std::vector<std::size_t>& boundaries,
                                    std::vector<LatticeWord>* lattice);
  // The forward-backward sums over the connections of the parsed lattice, costs scaled by
  // kTheta: every word's alpha and beta, from which CollectLattice takes its probability.
  void ComputeMarginals();
  // The words of the parsed lattice that LatticeWord's contract asks for.
  void CollectLattice(std::vector<LatticeWord>& lattice);
  // A noun suffix (君 くん, 後 ご) at the start, after a symbol or particle, or after hiragana
  // the analyser has no word for (ぴゅうぴゅう風) has no word to attach to and is no suffix:
  // the noun of the same characters that the lattice reaches at the least cost (君 きみ, 風
  // かぜ) stands instead;
  // `node` itself when it is no suffix or nothing else fits.
  static const MeCab::Node* NonSuffixInstead(MeCab::Lattice& lattice, const MeCab::Node* node);

  std::unique_ptr<MeCab::Model> model_;
  std::unique_ptr<MeCab::Tagger> tagger_;
  std::unique_ptr<MeCab::Lattice> lattice_;
  std::string utf8_;
  std::vector<std::size_t> byte_of_char_;
  std::vector<std::size_t> char_of_byte_;  // CollectLattice's map of the last analysed text
  std::vector<std::size_t> char_bytes_;  // ByteRange's map of the last analysed text
  bool char_bytes_ready_ = false;
  // Decoded features by the dictionary's feature string, which stays in place while the model
  // is loaded: an open-addressing table of indexes into words_ plus one (0: empty slot).
  std::vector<std::uint32_t> feature_slots_;
  std::vector<WordFeatures> words_;
  std::unordered_set<Text> parts_of_speech_;  // the characters part_of_speech views point at
};

}  // namespace yomika

#endif  // YOMIKA_READING_MECAB_ANALYZER_H_
