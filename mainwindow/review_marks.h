#ifndef YOMIKA_MAINWINDOW_REVIEW_MARKS_H_
#define YOMIKA_MAINWINDOW_REVIEW_MARKS_H_

// The reviewed runs of the last conversion as they stand in the source pane: where each ruby
// element is, whether its reading is doubtful, the readings to offer. Hand edits of the source
// move the runs after them and drop the runs they touch, so a mark never lands on other text.
// Positions are document positions of the source pane (a line break is one unit), and the
// texts given are the pane's plain text in those units (QTextDocument::toPlainText()).

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "engine/reading_review.h"
#include "engine/ruby_elements.h"
#include "widgets/preview_marks.h"

namespace yomika {

struct MarkedRun {
  int start = 0;  // the ruby element
  int length = 0;
  QString text;           // the run (the ruby's base)
  RunReview review;       // candidates in the output's kana form, the first the element's reading
  bool resolved = false;  // the author chose the reading
  bool Doubtful() const { return review.uncertain && !resolved; }
  int end() const { return start + length; }
};

class ReviewMarks {
 public:
  // The runs of a conversion whose pane text is `document_text`; `runs` in text order. Runs
  // whose place does not hold a ruby element of their text are left out.
  void Reset(std::vector<MarkedRun> runs, const QString& document_text);
  void Clear();
  const std::vector<MarkedRun>& runs() const { return runs_; }
  bool empty() const { return runs_.empty(); }

  // The pane's text became `document_text`; the document reported [position, position +
  // removed) replaced by `added` units. Only what really differs from the text before counts
  // (a change of colours alone, or a report wider than the edit, moves nothing): runs before
  // the difference stay, runs after it move, runs it touches are dropped.
  void Remap(int position, int removed, int added, const QString& document_text);

  // The run whose element covers the document position `position`.
  std::optional<std::size_t> RunAt(int position) const;
  // The run that is the k-th ruby element of `document_text` (0-based), when one is.
  std::optional<std::size_t> RunOfElement(int ordinal) const;
  // The ordinal of the run's element among the ruby elements of the text.
  int ElementOrdinal(std::size_t index) const;
  // The first doubtful run starting after `position`, else the first doubtful run at all.
  std::optional<std::size_t> NextDoubtful(int position) const;
  int DoubtfulCount() const;

  // The author chose a reading: the run's element becomes `element` (same start), the run is
  // resolved, the runs after it move. Call before the pane changes; the pane's own change
  // report then finds nothing new.
  void Resolve(std::size_t index, const QString& element);

  // The marks for the preview: doubtful runs with the ordinal of their element among the
  // text's ruby elements, plus `first_ordinal` (the ruby elements of the page before the text).
  std::vector<PreviewMark> Marks(int first_ordinal) const;

 private:
  // Drops every run whose place no longer holds a ruby element with its base text.
  void KeepValid();

  std::vector<MarkedRun> runs_;            // in text order
  QString shadow_;                         // the pane's text the runs are placed in
  std::vector<RubyElementSpan> elements_;  // the ruby elements of shadow_
};

// Document positions of `offsets` (ascending UTF-16 offsets into `text`): a CR LF pair before
// an offset counts as one unit, as the pane holds a line break.
// Example: in "a\r\nb", offset 3 ("b") → 2.
std::vector<int> DocumentPositions(QStringView text, const std::vector<qsizetype>& offsets);

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_REVIEW_MARKS_H_
