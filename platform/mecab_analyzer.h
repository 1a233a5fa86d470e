#ifndef YOMIKA_PLATFORM_MECAB_ANALYZER_H_
#define YOMIKA_PLATFORM_MECAB_ANALYZER_H_

// Morphological analysis with MeCab and an IPADIC-format dictionary: the model is loaded
// once; every analysis reuses one tagger and one lattice.

#include <QString>
#include <cstddef>
#include <memory>
#include <vector>

#include "engine/outcome.h"
#include "engine/text.h"

namespace MeCab {
class Model;
class Tagger;
class Lattice;
}  // namespace MeCab

namespace yomika {

// One word of an analysis, over character positions [begin, end) of the analysed text.
struct Morpheme {
  std::size_t begin = 0;
  std::size_t end = 0;
  Text reading;         // IPADIC's reading field in hiragana; empty when the word has none
  Text part_of_speech;  // the first three feature fields joined by ",", e.g. 名詞,接尾,助数詞
  Text base_form;       // the dictionary form of a conjugated word (強く → 強い); empty: none
  bool known = false;   // a dictionary word (not made up for an unknown stretch)
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

 private:
  std::unique_ptr<MeCab::Model> model_;
  std::unique_ptr<MeCab::Tagger> tagger_;
  std::unique_ptr<MeCab::Lattice> lattice_;
  std::string utf8_;
  std::vector<std::size_t> char_of_byte_;
};

}  // namespace yomika

#endif  // YOMIKA_PLATFORM_MECAB_ANALYZER_H_
