#ifndef YOMIKA_READING_SECOND_OPINION_H_
#define YOMIKA_READING_SECOND_OPINION_H_

// A second analyser for the words the first one's dictionary hardly tells apart: MeCab with the
// JUMAN dictionary (Debian's mecab-jumandic-utf8), whose words, costs and readings were made
// apart from IPADIC's. Its reading field (the sixth) is hiragana.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/text.h"

struct mecab_node_t;

namespace MeCab {
typedef struct ::mecab_node_t Node;
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

  // The reading the analyser's best analysis of the clause of `text` around [begin, end) gives
  // text[begin, end): its words there must begin at `begin` and end at `end`, and none may tie
  // (same cost) with a word of the same characters read otherwise (人: ひと and じん tie).
  // std::nullopt otherwise, or without the dictionary. The analysis is kept for the next
  // question about the same clause. Example: (大勢の人が, 0, 2) → おおぜい.
  std::optional<Text> ReadingOf(const Text& text, std::size_t begin, std::size_t end);

 private:
  // A word of the best analysis, over characters [begin, end); the node lives as long as the
  // lattice's analysis of `analysed_`.
  struct Word {
    std::size_t begin;
    std::size_t end;
    const MeCab::Node* node;
  };
  bool LoadOnce();
  void Analyse(const Text& text);
  // The node's reading; empty when it has none or ties with a word read otherwise.
  Text ReadingOfNode(const MeCab::Node* node);
  void FindMappings();
  void ReleasePages();

  QString folder_;
  bool tried_ = false;
  std::unique_ptr<MeCab::Model> model_;
  std::unique_ptr<MeCab::Tagger> tagger_;
  std::unique_ptr<MeCab::Lattice> lattice_;
  Text analysed_;
  QByteArray utf8_;  // analysed_ as the lattice holds it
  std::vector<Word> words_;
  // Where the dictionary's files are mapped: (address, length).
  std::vector<std::pair<quintptr, std::size_t>> mappings_;
  int analyses_ = 0;
};

}  // namespace yomika

#endif  // YOMIKA_READING_SECOND_OPINION_H_
