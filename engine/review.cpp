#include "engine/review.h"

#include <algorithm>

#include "engine/kana_form.h"

namespace yomika {
namespace {

// Keeps the service in review mode for as long as it lives.
class ReviewMode {
 public:
  explicit ReviewMode(ReadingService& service) : service_(service) {
    on_ = service_.SetReviewing(true);
  }
  ~ReviewMode() {
    if (on_) service_.SetReviewing(false);
  }
  ReviewMode(const ReviewMode&) = delete;
  ReviewMode& operator=(const ReviewMode&) = delete;
  bool on() const { return on_; }

 private:
  ReadingService& service_;
  bool on_ = false;
};

// The run's reading and candidates in kana form `form`, the candidates that become equal
// merged into the first of them.
void ApplyKanaFormTo(ReviewedRun& run, int form) {
  run.reading = ApplyKanaForm(run.reading, form);
  std::vector<ReadingCandidate> kept;
  kept.reserve(run.review.candidates.size());
  for (ReadingCandidate& candidate : run.review.candidates) {
    candidate.reading = ApplyKanaForm(candidate.reading, form);
    const bool known = std::any_of(kept.begin(), kept.end(), [&](const ReadingCandidate& k) {
      return k.reading == candidate.reading;
    });
    if (!known) kept.push_back(std::move(candidate));
  }
  run.review.candidates = std::move(kept);
}

bool IsAscii(char32_t c) { return c < 0x80; }

}  // namespace

Outcome<ReviewedBody> ConvertForReview(const InputText& input, ReadingService& service,
                                       const EngineSettings& settings,
                                       const ProgressCallback& progress,
                                       const ConversionOptions& options) {
  const Outcome<int> form = settings.ruby_string.Get();
  if (!form) return Failure{form.reason()};
  const ReviewMode mode(service);
  if (!mode.on()) return Failure{QStringLiteral("この読みの辞書は読みの確認に対応していません。")};
  ReviewedBody reviewed;
  Text working;
  Outcome<QString> body =
      ConvertWorkingText(input, service, settings, progress, options, working, &reviewed.runs);
  if (!body) return Failure{body.reason()};
  reviewed.body = std::move(body).value();

  std::vector<std::size_t> positions;
  positions.reserve(reviewed.runs.size());
  for (const ReviewedRun& run : reviewed.runs) positions.push_back(run.working_begin);
  const std::vector<std::size_t> in_input = InputPositions(input.text, working, positions);
  for (std::size_t i = 0; i < reviewed.runs.size(); ++i) {
    reviewed.runs[i].input_begin = in_input[i];
    ApplyKanaFormTo(reviewed.runs[i], *form);
  }
  return reviewed;
}

std::vector<std::size_t> InputPositions(const Text& input, const Text& working,
                                        const std::vector<std::size_t>& positions) {
  std::vector<std::size_t> mapped;
  mapped.reserve(positions.size());
  std::size_t w = 0;  // in the working text
  std::size_t i = 0;  // in the input, on the non-ASCII character matching working[w] when
                      // working[w] is non-ASCII
  const auto next_in_input = [&](std::size_t from) {
    while (from < input.size() && IsAscii(input[from])) ++from;
    return from;
  };
  i = next_in_input(0);
  for (const std::size_t position : positions) {
    for (; w < position && w < working.size(); ++w) {
      if (!IsAscii(working[w])) i = next_in_input(std::min(i + 1, input.size()));
    }
    mapped.push_back(i);
  }
  return mapped;
}

}  // namespace yomika
