#ifndef YOMIKA_BENCH_DEVELOPMENT_SENTENCES_H_
#define YOMIKA_BENCH_DEVELOPMENT_SENTENCES_H_

// The sentences of the reading-accuracy development set, the benchmarks' sample text.

#include <QFile>
#include <QStringList>

namespace yomika {

// The sentences of jsut_dev.tsv (one short stand-in when the file is missing).
inline QStringList DevelopmentSentences() {
  QFile file(QStringLiteral(YOMIKA_EVAL_DIR "/jsut_dev.tsv"));
  QStringList sentences;
  if (file.open(QIODevice::ReadOnly)) {
    for (const QByteArray& line : file.readAll().split('\n')) {
      const QList<QByteArray> fields = line.split('\t');
      if (fields.size() >= 2) sentences.append(QString::fromUtf8(fields[1]));
    }
  }
  if (sentences.isEmpty()) sentences.append(QStringLiteral("お金を払う。漢字の読みを付ける。"));
  return sentences;
}

}  // namespace yomika

#endif  // YOMIKA_BENCH_DEVELOPMENT_SENTENCES_H_
