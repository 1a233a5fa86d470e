#include "engine/reading_review.h"

namespace yomika {

QString CandidateSourceLabel(CandidateSource source) {
  switch (source) {
    case CandidateSource::kAnalysis:
      return QStringLiteral("候補");
    case CandidateSource::kDictionary:
      return QStringLiteral("辞書");
    case CandidateSource::kKanji:
      return QStringLiteral("漢字の読み");
    case CandidateSource::kUser:
      return QStringLiteral("ユーザー辞書");
  }
  return QStringLiteral("候補");
}

}  // namespace yomika
