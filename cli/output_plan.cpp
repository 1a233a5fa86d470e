#include "cli/output_plan.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace yomika::cli {
namespace {

const QString kStandardInput = QStringLiteral("-");

QString AbsolutePath(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

OutputTarget ClassifyOutput(const QString& output) {
  if (output.isEmpty()) return OutputTarget::kStandardOutput;
  const QFileInfo info(output);
  if (info.isDir()) return OutputTarget::kExistingFolder;
  if (info.exists()) return OutputTarget::kExistingFile;
  return OutputTarget::kAbsent;
}

QString OutputNameFor(const QString& input, const QString& extension) {
  const QFileInfo info(input);
  QString base = info.completeBaseName();
  if (base.isEmpty()) base = info.fileName();
  return base + QLatin1Char('.') + extension;
}

Outcome<QList<OutputJob>> PlanOutputs(const QStringList& inputs, const QString& output,
                                      OutputTarget target, const QString& extension) {
  const QStringList sources = inputs.isEmpty() ? QStringList{kStandardInput} : inputs;
  if (target == OutputTarget::kStandardOutput) {
    if (sources.size() > 1) {
      return Failure{
          QStringLiteral("入力ファイルが複数あるときは、-o で出力先のフォルダを"
                         "指定してください。")};
    }
    return QList<OutputJob>{{sources.first(), QString()}};
  }
  if (sources.size() > 1 && target == OutputTarget::kExistingFile) {
    return Failure{QStringLiteral("出力先 %1 はフォルダではありません。入力ファイルが複数あるときは"
                                  "フォルダを指定してください。")
                       .arg(output)};
  }
  const bool into_folder = target == OutputTarget::kExistingFolder ||
                           (target == OutputTarget::kAbsent &&
                            (sources.size() > 1 || output.endsWith(QLatin1Char('/'))));

  QList<OutputJob> jobs;
  QHash<QString, QString> input_of;  // absolute output path → the input writing it
  for (const QString& input : sources) {
    QString destination = output;
    if (into_folder) {
      if (input == kStandardInput) {
        return Failure{QStringLiteral("出力先 %1 はフォルダです。標準入力を変換するときは"
                                      "出力ファイルの名前を指定してください。")
                           .arg(output)};
      }
      destination = QDir(output).filePath(OutputNameFor(input, extension));
    }
    const QString absolute = AbsolutePath(destination);
    if (input != kStandardInput && AbsolutePath(input) == absolute) {
      return Failure{QStringLiteral("出力先 %1 が入力ファイルと同じです。").arg(destination)};
    }
    if (const auto it = input_of.constFind(absolute); it != input_of.constEnd()) {
      return Failure{
          QStringLiteral("%1 と %2 の出力がどちらも %3 になります。").arg(*it, input, destination)};
    }
    input_of.insert(absolute, input);
    jobs.append(OutputJob{input, destination});
  }
  // An output may not overwrite a later input either.
  for (const QString& input : sources) {
    if (input == kStandardInput) continue;
    if (const auto it = input_of.constFind(AbsolutePath(input)); it != input_of.constEnd()) {
      return Failure{
          QStringLiteral("%1 の出力が入力ファイル %2 を上書きしてしまいます。").arg(*it, input)};
    }
  }
  return jobs;
}

}  // namespace yomika::cli
