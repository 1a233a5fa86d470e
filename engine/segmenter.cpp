#include "engine/segmenter.h"

#include <vector>

#include "engine/char_class.h"
#include "engine/review.h"
#include "engine/ruby_markup.h"

namespace yomika {
namespace {

void AppendCharacter(QString& out, char32_t c) {
  if (c > 0xFFFF) {
    out += QChar(QChar::highSurrogate(c));
    out += QChar(QChar::lowSurrogate(c));
  } else {
    out += QChar(static_cast<char16_t>(c));
  }
}

void AppendText(QString& out, const Text& text) {
  for (const char32_t c : text) AppendCharacter(out, c);
}

// The pass over one working text. Positions are 0-based indexes here; the progress
// fraction uses the 1-based position, on which the percentage the user sees is based.
class Segmenter {
 public:
  Segmenter(const Text& text, ReadingService& service, RubyWriter& writer,
            const ProgressCallback& progress, const WarningCallback& warning,
            std::vector<ReviewedRun>* reviewed)
      : text_(text),
        in_run_(MarkKanjiRuns(text)),
        service_(service),
        writer_(writer),
        progress_(progress),
        warning_(warning),
        reviewed_(reviewed) {}

  Outcome<QString> Run() {
    const std::size_t length = text_.size();
    // Ruby elements can triple a Japanese text; untouched reserved pages cost nothing.
    body_.reserve(static_cast<qsizetype>(length) * 4 + 64);
    // An entry per run, most often: growing the list entry by entry would copy it many times.
    if (reviewed_ != nullptr) reviewed_->reserve(reviewed_->size() + CountRuns());
    std::size_t index = 0;
    while (index + 1 < length || run_length_ > 0) {
      ReportProgress(index + 1);
      if (in_run_[index]) {
        ++run_length_;
      } else if (run_length_ == 0) {
        AppendCharacter(body_, text_[index]);
      } else if (const Status flushed = Flush(index); !flushed) {
        return Failure{flushed.reason()};
      }
      ++index;
    }
    return std::move(body_);
  }

 private:
  std::size_t CountRuns() const {
    std::size_t runs = 0;
    for (std::size_t i = 0; i < in_run_.size(); ++i) {
      if (in_run_[i] && (i == 0 || !in_run_[i - 1])) ++runs;
    }
    return runs;
  }

  void ReportProgress(std::size_t position) const {
    if (!progress_) return;
    // Computed in double as position ÷ L ÷ 100 × 90, then handed on as float.
    const double fraction =
        static_cast<double>(position) / static_cast<double>(text_.size()) / 100.0 * 90.0;
    progress_(static_cast<float>(fraction));
  }

  // Flushes the pending run; `index` holds the non-kanji character that ended it.
  Status Flush(std::size_t index) {
    const std::size_t run_start = index - run_length_;
    Text lookup;
    if (run_start > 0 && text_[run_start - 1] == kHonorificO) lookup += kHonorificO;
    lookup.append(text_, run_start, run_length_);
    const std::size_t tail_count = AppendTail(index, lookup);

    const Outcome<Text> reading = LookUp(lookup);
    if (!reading) return Failure{reading.reason()};
    if (reading->size() < tail_count) {
      return Failure{QStringLiteral("「%1」の読み「%2」が送り仮名より短くなっています。")
                         .arg(ToQString(lookup), ToQString(*reading))};
    }
    Text run = lookup.substr(0, lookup.size() - tail_count);
    Text run_reading = reading->substr(0, reading->size() - tail_count);
    if (!run.empty() && run.front() == kHonorificO) {
      run.erase(0, 1);
      if (!run_reading.empty()) run_reading.erase(0, 1);
    }

    if (!HoldsUnreadMark(run_reading)) {
      // The usual run, read whole.
      const Outcome<Text> element = writer_.Write(run, run_reading);
      if (!element) return Failure{element.reason()};
      const qsizetype offset = body_.size();
      AppendText(body_, *element);
      if (reviewed_ != nullptr && *element != run) {
        AddReviewed(run_start, offset, run, run_reading, service_.TakeRunReview());
      }
    } else if (const Status split = AppendSplitRun(run_start, run, run_reading); !split) {
      return split;
    }
    if (index + 1 < text_.size()) AppendCharacter(body_, text_[index]);
    run_length_ = 0;
    return Ok();
  }

  // The run, starting at `run_start`, with the kanji its reading gives back as themselves
  // left bare.
  Status AppendSplitRun(std::size_t run_start, const Text& run, const Text& run_reading) {
    std::size_t part_start = run_start;
    for (const RunPart& part : SplitAtUnreadKanji(run, run_reading)) {
      if (!part.reading) {
        AppendText(body_, part.text);
        WarnUnread(part.text);
      } else {
        const Outcome<Text> element = writer_.Write(part.text, *part.reading);
        if (!element) return Failure{element.reason()};
        const qsizetype offset = body_.size();
        AppendText(body_, *element);
        if (reviewed_ != nullptr && *element != part.text) {
          // Half the run went unread: whatever the service thought of it, this part is doubtful.
          AddReviewed(part_start, offset, part.text, *part.reading, RunReview{true, {}});
        }
      }
      part_start += part.text.size();
    }
    return Ok();
  }

  // Records the run at working position `start` whose text was written from body offset
  // `offset` to the body's end, its reading first among the candidates.
  void AddReviewed(std::size_t start, qsizetype offset, const Text& run, const Text& reading,
                   std::optional<RunReview> review) {
    ReviewedRun entry;
    entry.working_begin = start;
    entry.body_offset = offset;
    entry.body_length = body_.size() - offset;
    entry.text = run;
    entry.reading = reading;
    if (review) entry.review = std::move(*review);
    std::vector<ReadingCandidate>& candidates = entry.review.candidates;
    if (candidates.empty() || candidates.front().reading != reading) {
      std::erase_if(candidates, [&](const ReadingCandidate& c) { return c.reading == reading; });
      candidates.insert(candidates.begin(), ReadingCandidate{reading, CandidateSource::kAnalysis});
    }
    reviewed_->push_back(std::move(entry));
  }

  // Lends the kana after the run to the lookup, up to and including a break character;
  // returns how many characters were taken. The terminator is never taken.
  std::size_t AppendTail(std::size_t index, Text& lookup) const {
    std::size_t taken = 0;
    for (std::size_t scan = index; scan + 1 < text_.size(); ++scan) {
      const char32_t d = text_[scan];
      if (in_run_[scan]) break;
      if (IsBreakCharacter(d)) {
        lookup += d;
        ++taken;
        break;
      }
      if (ClassifyCharacter(d) == CharClass::kSingleByte) break;
      lookup += d;
      ++taken;
    }
    return taken;
  }

  // Names each kanji of `unread` that no earlier warning of the pass named.
  void WarnUnread(const Text& unread) {
    for (const char32_t c : unread) {
      if (ClassifyCharacter(c) != CharClass::kKanji || warned_.find(c) != Text::npos) continue;
      warned_ += c;
      if (warning_) {
        warning_(QStringLiteral("「%1」の読みが分からないため、ルビを付けていません。")
                     .arg(ToQString(Text(1, c))));
      }
    }
  }

  // One lookup: Open, GetPhonetic, Close.
  Outcome<Text> LookUp(const Text& lookup) {
    const QString query = ToQString(lookup);
    if (!service_.Open()) return Failure{QStringLiteral("読みの辞書を開けませんでした。")};
    const std::optional<QString> reading = service_.GetPhonetic(query, 1, -1);
    if (!reading) return Failure{QStringLiteral("「%1」の読みを取得できませんでした。").arg(query)};
    const bool closed = service_.Close();
    if (reading->isEmpty()) return Failure{QStringLiteral("「%1」の読みが空です。").arg(query)};
    if (!closed) return Failure{QStringLiteral("読みの辞書を閉じられませんでした。")};
    return ToText(*reading);
  }

  const Text& text_;
  const std::vector<bool> in_run_;
  ReadingService& service_;
  RubyWriter& writer_;
  const ProgressCallback& progress_;
  const WarningCallback& warning_;
  std::vector<ReviewedRun>* reviewed_;  // null: no review
  Text warned_;                         // the kanji warned about
  QString body_;                        // built in UTF-16, the form it leaves the engine in
  std::size_t run_length_ = 0;
};

}  // namespace

Outcome<QString> SegmentText(const Text& working_text, ReadingService& service,
                             const EngineSettings& settings, const ProgressCallback& progress,
                             const WarningCallback& warning) {
  RubyWriter writer(settings, OutputFormat::kHtml, KanjiAids{});
  return SegmentText(working_text, service, writer, progress, warning);
}

Outcome<QString> SegmentText(const Text& working_text, ReadingService& service, RubyWriter& writer,
                             const ProgressCallback& progress, const WarningCallback& warning,
                             std::vector<ReviewedRun>* reviewed) {
  if (working_text.empty()) return QString();
  // The pass relies on a last character outside any run, so every run gets flushed.
  if (MarkKanjiRuns(working_text.substr(working_text.size() - 1)).front()) {
    return Failure{QStringLiteral("作業用テキストが終端文字で終わっていません。")};
  }
  return Segmenter(working_text, service, writer, progress, warning, reviewed).Run();
}

}  // namespace yomika
