#include "mainwindow/review_marks.h"

#include <algorithm>

namespace yomika {
namespace {

// The part of `before` that `after` replaced, as [begin, before_end) of `before` and
// [begin, after_end) of `after`, looking only inside the reported window when it fits the
// texts' lengths, else over the whole texts. Equal texts give an empty difference.
struct Difference {
  int begin = 0;
  int before_end = 0;
  int after_end = 0;
};

Difference Differ(QStringView before, QStringView after, int position, int removed, int added) {
  int begin = 0;
  int before_end = static_cast<int>(before.size());
  int after_end = static_cast<int>(after.size());
  const bool window_fits = position >= 0 && removed >= 0 && added >= 0 &&
                           position + removed <= before_end && position + added <= after_end &&
                           before_end - removed == after_end - added;
  if (window_fits) {
    begin = position;
    before_end = position + removed;
    after_end = position + added;
  }
  while (begin < before_end && begin < after_end && before[begin] == after[begin]) ++begin;
  while (before_end > begin && after_end > begin &&
         before[before_end - 1] == after[after_end - 1]) {
    --before_end;
    --after_end;
  }
  return {begin, before_end, after_end};
}

}  // namespace

void ReviewMarks::Reset(std::vector<MarkedRun> runs, const QString& document_text) {
  runs_ = std::move(runs);
  shadow_ = document_text;
  elements_ = FindRubyElements(shadow_);
  KeepValid();
}

void ReviewMarks::Clear() {
  runs_.clear();
  shadow_.clear();
  elements_.clear();
}

void ReviewMarks::Remap(int position, int removed, int added, const QString& document_text) {
  if (runs_.empty()) {
    shadow_ = document_text;
    return;
  }
  const Difference change = Differ(shadow_, document_text, position, removed, added);
  if (change.before_end == change.begin && change.after_end == change.begin) {
    shadow_ = document_text;
    return;
  }
  // A run the change reaches into goes; an insertion right before or after a run leaves it
  // whole (the check against the elements below still applies).
  std::erase_if(runs_, [&](const MarkedRun& run) {
    return run.start < change.before_end && run.end() > change.begin;
  });
  const int delta = change.after_end - change.before_end;
  for (MarkedRun& run : runs_) {
    if (run.start >= change.before_end) run.start += delta;
  }
  shadow_ = document_text;
  elements_ = FindRubyElements(shadow_);
  KeepValid();
}

void ReviewMarks::KeepValid() {
  // Both lists are in text order: one walk pairs each run with the element at its start.
  std::size_t e = 0;
  std::erase_if(runs_, [&](const MarkedRun& run) {
    while (e < elements_.size() && elements_[e].start < run.start) ++e;
    return e == elements_.size() || elements_[e].start != run.start ||
           elements_[e].end != run.end() || elements_[e].base != run.text ||
           elements_[e].rt_start < 0;
  });
}

std::optional<std::size_t> ReviewMarks::RunAt(int position) const {
  const auto it = std::upper_bound(runs_.begin(), runs_.end(), position,
                                   [](int at, const MarkedRun& run) { return at < run.start; });
  if (it == runs_.begin()) return std::nullopt;
  const auto run = std::prev(it);
  if (position >= run->end()) return std::nullopt;
  return static_cast<std::size_t>(run - runs_.begin());
}

std::optional<std::size_t> ReviewMarks::RunOfElement(int ordinal) const {
  if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= elements_.size()) return std::nullopt;
  const std::optional<std::size_t> run = RunAt(static_cast<int>(elements_[ordinal].start));
  if (!run || runs_[*run].start != elements_[ordinal].start) return std::nullopt;
  return run;
}

int ReviewMarks::ElementOrdinal(std::size_t index) const {
  const auto it = std::lower_bound(
      elements_.begin(), elements_.end(), runs_.at(index).start,
      [](const RubyElementSpan& element, int start) { return element.start < start; });
  return static_cast<int>(it - elements_.begin());
}

std::optional<std::size_t> ReviewMarks::NextDoubtful(int position) const {
  std::optional<std::size_t> first;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (!runs_[i].Doubtful()) continue;
    if (runs_[i].start > position) return i;
    if (!first) first = i;
  }
  return first;
}

int ReviewMarks::DoubtfulCount() const {
  return static_cast<int>(std::count_if(runs_.begin(), runs_.end(),
                                        [](const MarkedRun& run) { return run.Doubtful(); }));
}

void ReviewMarks::Resolve(std::size_t index, const QString& element) {
  MarkedRun& run = runs_.at(index);
  const int delta = static_cast<int>(element.size()) - run.length;
  shadow_.replace(run.start, run.length, element);
  run.length = static_cast<int>(element.size());
  run.resolved = true;
  for (std::size_t i = index + 1; i < runs_.size(); ++i) runs_[i].start += delta;
  elements_ = FindRubyElements(shadow_);
  KeepValid();
}

std::vector<PreviewMark> ReviewMarks::Marks(int first_ordinal) const {
  std::vector<PreviewMark> marks;
  std::size_t e = 0;
  for (const MarkedRun& run : runs_) {
    while (e < elements_.size() && elements_[e].start < run.start) ++e;
    if (e == elements_.size()) break;
    if (!run.Doubtful()) continue;
    const RubyElementSpan& element = elements_[e];
    marks.push_back({first_ordinal + static_cast<int>(e), run.text,
                     shadow_.sliced(element.rt_start, element.rt_end - element.rt_start)});
  }
  return marks;
}

std::vector<int> DocumentPositions(QStringView text, const std::vector<qsizetype>& offsets) {
  std::vector<int> positions;
  positions.reserve(offsets.size());
  qsizetype at = 0;
  qsizetype pairs = 0;  // CR LF pairs before `at`
  for (const qsizetype offset : offsets) {
    for (; at < offset && at < text.size(); ++at) {
      if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++pairs;
    }
    positions.push_back(static_cast<int>(offset - pairs));
  }
  return positions;
}

}  // namespace yomika
