#ifndef YOMIKA_READING_SECOND_OPINION_H_
#define YOMIKA_READING_SECOND_OPINION_H_

// A second analyser for the words the first one's dictionary hardly tells apart: MeCab with the
// JUMAN dictionary (Debian's mecab-jumandic-utf8), whose words, costs and readings were made
// apart from IPADIC's. Its reading field (the sixth) is hiragana.

#include <QString>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "engine/text.h"

namespace MeCab {
class Model;
class Tagger;
class Lattice;
}  // namespace MeCab

namespace yomika {

class SecondOpinion {
 public:
  // Nothing is loaded until the first question; an empty or missing folder means no opinion.
  explicit SecondOpinion(QString dictionary_folder);
  ~SecondOpinion();
  SecondOpinion(const SecondOpinion&) = delete;
  SecondOpinion& operator=(const SecondOpinion&) = delete;

  // The reading the analyser's best analysis of `text` gives text[begin, end): its words there
  // must begin at `begin` and end at `end`, and none may tie (same cost) with a word of the
  // same characters read otherwise (人: ひと and じん tie). std::nullopt otherwise, or without
  // the dictionary. The analysis of `text` is kept for the next question about the same text.
  // Example: (大勢の人が, 0, 2) → おおぜい.
  std::optional<Text> ReadingOf(const Text& text, std::size_t begin, std::size_t end);

 private:
  struct Word {
    std::size_t begin;
    std::size_t end;
    Text reading;  // empty: none, or tied with another reading
  };
  bool LoadOnce();
  void Analyse(const Text& text);

  QString folder_;
  bool tried_ = false;
  std::unique_ptr<MeCab::Model> model_;
  std::unique_ptr<MeCab::Tagger> tagger_;
  std::unique_ptr<MeCab::Lattice> lattice_;
  Text analysed_;
  std::vector<Word> words_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_SECOND_OPINION_H_
