#ifndef YOMIKA_EDITMENU_READING_CHECK_H_
#define YOMIKA_EDITMENU_READING_CHECK_H_

// The check a reading the user typed must pass, shared by the registration dialog and the
// review popup so both accept and refuse the same readings with the same words.

#include <QString>
#include <optional>

namespace yomika {

// Why `reading` (already trimmed) cannot be a reading, for the user; std::nullopt when it
// can: not empty, hiragana and katakana (with ー) only.
// Example: ReadingProblem("かんじ") → nullopt; ReadingProblem("kanji") → 読み「kanji」には…
std::optional<QString> ReadingProblem(const QString& reading);

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_READING_CHECK_H_
