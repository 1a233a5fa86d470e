#ifndef YOMIKA_CLI_OUTPUT_PLAN_H_
#define YOMIKA_CLI_OUTPUT_PLAN_H_

// Which output each input of yomika-convert goes to.

#include <QList>
#include <QString>
#include <QStringList>

#include "engine/outcome.h"

namespace yomika::cli {

// One conversion: input "-" is standard input, an empty output is standard output.
struct OutputJob {
  QString input;
  QString output;
  friend bool operator==(const OutputJob&, const OutputJob&) = default;
};

// What the -o path names on disk.
enum class OutputTarget { kStandardOutput, kExistingFolder, kExistingFile, kAbsent };

// Looks the -o path up on disk (empty: standard output).
OutputTarget ClassifyOutput(const QString& output);

// The output file name for an input in a folder: its base name plus "." and `extension`.
// Example: "texts/a.txt" → "a.html", "notes" → "notes.html", "a.b.txt" → "a.b.html".
QString OutputNameFor(const QString& input, const QString& extension = QStringLiteral("html"));

// One job per input (standard input when there is none). An output that is a folder
// (existing, ending in "/", or not yet there with several inputs) gets one file per input
// named by OutputNameFor with `extension`. Fails when several inputs meet an existing file,
// standard input would need a name, two inputs would write the same file, or an output is its
// own input.
Outcome<QList<OutputJob>> PlanOutputs(const QStringList& inputs, const QString& output,
                                      OutputTarget target,
                                      const QString& extension = QStringLiteral("html"));

}  // namespace yomika::cli

#endif  // YOMIKA_CLI_OUTPUT_PLAN_H_
