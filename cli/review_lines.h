#ifndef YOMIKA_CLI_REVIEW_LINES_H_
#define YOMIKA_CLI_REVIEW_LINES_H_

// The output of yomika-convert --review: one JSON object a line for each run with ruby.

#include <QByteArray>
#include <vector>

#include "engine/review.h"
#include "engine/text.h"

namespace yomika::cli {

// The runs of a conversion of `input`, in order, as UTF-8 lines ending in LF:
// {"line": 1, "column": 3, "text": "行", "reading": "い", "uncertain": true,
//  "candidates": ["い", "おこな"]}
// `line` and `column` are 1-based, the column counted in characters of the input line; CR LF,
// LF and CR each end a line. Readings as the runs hold them (the output's kana form).
QByteArray ReviewLines(const Text& input, const std::vector<ReviewedRun>& runs);

}  // namespace yomika::cli

#endif  // YOMIKA_CLI_REVIEW_LINES_H_
