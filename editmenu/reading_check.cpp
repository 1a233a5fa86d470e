#include "editmenu/reading_check.h"

#include "reading/reading_dictionary.h"

namespace yomika {

std::optional<QString> ReadingProblem(const QString& reading) {
  if (reading.isEmpty()) return QStringLiteral("読みを入力してください。");
  if (!ReadingDictionary::IsValidReading(reading)) {
    return QStringLiteral("読み「%1」には、ひらがなとカタカナ（ー を含む）だけを使ってください。")
        .arg(reading);
  }
  return std::nullopt;
}

}  // namespace yomika
