#include "reading/lattice_answers.h"

#include <algorithm>

namespace yomika {

void LatticeRecord::AddCloseWords(std::size_t begin, std::size_t end,
                                  const std::vector<const char*>& words) {
  close_.push_back({begin, end, close_features_.size(), words.size()});
  close_features_.insert(close_features_.end(), words.begin(), words.end());
}

void LatticeRecord::AddVerb(std::size_t begin, std::size_t end, const char* feature,
                            bool irregular) {
  verbs_.push_back({begin, end, feature, irregular});
}

void LatticeRecord::Clear() {
  close_.clear();
  close_features_.clear();
  verbs_.clear();
}

std::vector<Morpheme> LatticeAnswers::CloseReadings(std::size_t begin, std::size_t end,
                                                    const Text& reading) const {
  std::vector<Morpheme> close;
  const auto& entries = record_.close_;
  const auto found = std::lower_bound(
      entries.begin(), entries.end(), begin,
      [](const LatticeRecord::CloseWords& words, std::size_t at) { return words.begin < at; });
  if (found == entries.end() || found->begin != begin || found->end != end) return close;
  for (std::size_t k = found->first; k < found->first + found->count; ++k) {
    Morpheme word = decoder_.Decode({begin, end, record_.close_features_[k], true});
    if (word.reading.empty() || word.reading == reading) continue;
    const bool seen = std::any_of(close.begin(), close.end(), [&](const Morpheme& other) {
      return other.reading == word.reading;
    });
    if (!seen) close.push_back(std::move(word));
  }
  return close;
}

std::vector<Morpheme> LatticeAnswers::OtherVerbs(std::size_t begin, std::size_t end,
                                                 const Text& reading) const {
  std::vector<Morpheme> others;
  const auto& verbs = record_.verbs_;
  auto verb = std::lower_bound(
      verbs.begin(), verbs.end(), begin,
      [](const LatticeRecord::Verb& v, std::size_t at) { return v.begin < at; });
  for (; verb != verbs.end() && verb->begin == begin; ++verb) {
    if (verb->end != end) continue;
    if (verb->irregular) return {};
    Morpheme word = decoder_.Decode({begin, end, verb->feature, true});
    if (word.reading.empty() || word.reading == reading) continue;
    const bool seen = std::any_of(others.begin(), others.end(), [&](const Morpheme& other) {
      return other.reading == word.reading && other.base_form == word.base_form;
    });
    if (!seen) others.push_back(std::move(word));
  }
  return others;
}

}  // namespace yomika
