// yomika-convert: the Start command's conversion for scripts and batches.

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/file_io.h"
#include "cli/options.h"
#include "cli/output_plan.h"
#include "cli/review_lines.h"
#include "encoding/file_reader.h"
#include "encoding/text_codec.h"
#include "engine/conversion.h"
#include "engine/engine_settings.h"
#include "engine/output_format.h"
#include "engine/review.h"
#include "engine/ruby_writer.h"
#include "reading/kanji_ruby_aids.h"
#include "reading/mecab_reading_service.h"
#include "reading/reading_dictionary.h"
#include "settings/settings_store.h"

namespace yomika::cli {
namespace {

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
}
void PrintError(const QString& message) { Print(stderr, message + QLatin1Char('\n')); }

std::optional<QString> CheckNamedFile(const QString& path, const QString& what) {
  const QFileInfo info(path);
  if (!info.exists()) return QStringLiteral("%1 %2 がありません。").arg(what, path);
  if (const std::optional<QString> problem = CheckRegularFile(path)) {
    return QStringLiteral("%1 %2 を読めません: %3。").arg(what, path, *problem);
  }
  return std::nullopt;
}

// The input as the input pane would hold it. The raw bytes and the decoded copy are gone
// once this returns, which keeps them out of the conversion's peak memory.
Outcome<InputText> ReadInput(const QString& input) {
  const Outcome<QByteArray> bytes = ReadInputBytes(input);
  if (!bytes) return Failure{bytes.reason()};
  const DecodedInput decoded = DecodeInput(*bytes);
  if (decoded.encoding == InputEncoding::kBinary) {
    return Failure{DescribeDecoding(DisplayName(input), decoded)};
  }
  if (decoded.invalid_count > 0) {
    PrintError(QStringLiteral("警告: ") + DescribeDecoding(DisplayName(input), decoded));
  }
  return PlainInput(NormaliseLineBreaks(decoded.text));
}

// The bytes written for one input in the chosen format: for html the UTF-8 body or the CP932
// document, for every other format UTF-8.
Outcome<QByteArray> ConvertOne(const QString& input, ReadingService& service,
                               const EngineSettings& settings, const ConverterOptions& options,
                               const KanjiAids& aids) {
  const Outcome<InputText> text = ReadInput(input);
  if (!text) return Failure{text.reason()};
  ConversionOptions conversion{.format = options.format, .aids = aids};
  conversion.warning = [&input](const QString& warning) {
    PrintError(QStringLiteral("警告: %1: %2").arg(DisplayName(input), warning));
  };
  if (options.review) {
    const Outcome<ReviewedBody> reviewed =
        ConvertForReview(*text, service, settings, ProgressCallback(), conversion);
    if (!reviewed) {
      return Failure{
          QStringLiteral("%1 を変換できません: %2").arg(DisplayName(input), reviewed.reason())};
    }
    return ReviewLines(text->text, reviewed->runs);
  }
  const Outcome<QString> body =
      ConvertToBody(*text, service, settings, ProgressCallback(), conversion);
  if (!body) {
    return Failure{
        QStringLiteral("%1 を変換できません: %2").arg(DisplayName(input), body.reason())};
  }
  const Outcome<QString> whole = OutputText(*body, settings, options.format, options.document);
  if (!whole) {
    return Failure{
        QStringLiteral("%1 を変換できません: %2").arg(DisplayName(input), whole.reason())};
  }
  return OutputBytes(*whole, options.format, options.document);
}

// The user's reading dictionary is read by the service too; reading it here only serves to
// tell the user about lines the service skips.
void WarnAboutReadingDictionary(const QString& path) {
  const ReadingDictionary dictionary(path);
  for (const DictionaryProblem& problem : dictionary.problems()) {
    if (problem.line == 0) {
      PrintError(QStringLiteral("警告: %1").arg(problem.message));
    } else {
      PrintError(QStringLiteral("警告: 読みの辞書 %1 の %2 行目を飛ばしました: %3")
                     .arg(path)
                     .arg(problem.line)
                     .arg(problem.message));
    }
  }
}

int Run(const QStringList& arguments) {
  const Outcome<ConverterOptions> parsed = ParseOptions(arguments);
  if (!parsed) {
    PrintError(parsed.reason());
    PrintError(QStringLiteral("使い方は yomika-convert --help で表示します。"));
    return kExitBadCommandLine;
  }
  const ConverterOptions& options = *parsed;
  if (options.action == ConverterOptions::Action::kHelp) {
    Print(stdout, HelpText(MecabOptions().dictionary_folder, ReadingDictionary::DefaultPath()));
    return kExitOk;
  }
  if (options.action == ConverterOptions::Action::kVersion) {
    Print(stdout,
          QStringLiteral("yomika-convert %1\n").arg(QCoreApplication::applicationVersion()));
    return kExitOk;
  }

  const Outcome<QList<OutputJob>> jobs =
      PlanOutputs(options.inputs, options.output, ClassifyOutput(options.output),
                  options.review ? QStringLiteral("jsonl") : FileExtension(options.format));
  if (!jobs) {
    PrintError(jobs.reason());
    return kExitBadCommandLine;
  }
  // Every named file is checked before anything is converted, so a typo costs no output.
  QStringList problems;
  for (const OutputJob& job : *jobs) {
    if (const std::optional<QString> problem = CheckInput(job.input)) problems.append(*problem);
  }
  if (!options.settings_file.isEmpty()) {
    if (auto problem = CheckNamedFile(options.settings_file, QStringLiteral("設定ファイル"))) {
      problems.append(*problem);
    }
  }
  if (!options.user_dictionary.isEmpty()) {
    if (auto problem = CheckNamedFile(options.user_dictionary, QStringLiteral("読みの辞書"))) {
      problems.append(*problem);
    }
  }
  if (!problems.isEmpty()) {
    for (const QString& problem : problems) PrintError(problem);
    return kExitFailed;
  }

  const std::unique_ptr<SettingsStore> store =
      options.settings_file.isEmpty() ? std::make_unique<SettingsStore>()
                                      : std::make_unique<SettingsStore>(options.settings_file);
  if (store->Problem()) PrintError(QStringLiteral("警告: %1").arg(*store->Problem()));
  for (const SettingOverride& o : options.overrides) store->SetOverride(o.section, o.key, o.value);
  const EngineSettings settings = EngineSettings::Read(*store);

  MecabOptions mecab;
  if (!options.dictionary_folder.isEmpty()) mecab.dictionary_folder = options.dictionary_folder;
  mecab.user_dictionary_path = options.user_dictionary;
  WarnAboutReadingDictionary(options.user_dictionary.isEmpty() ? ReadingDictionary::DefaultPath()
                                                               : options.user_dictionary);
  Outcome<std::unique_ptr<ReadingService>> service = CreateMecabReadingService(mecab);
  if (!service) {
    PrintError(service.reason());
    return kExitNoReadingService;
  }

  // KANJIDIC2 is read only when RUBY/Level or RUBY/Mono need it.
  const KanjiRubyAids kanji;
  KanjiAids aids;
  if (UsesKanjiAids(settings)) {
    const Outcome<KanjiAids> loaded = kanji.Aids();
    if (!loaded) {
      PrintError(loaded.reason());
      return kExitNoReadingService;
    }
    aids = *loaded;
  }

  int status = kExitOk;
  for (const OutputJob& job : *jobs) {
    const Outcome<QByteArray> converted = ConvertOne(job.input, **service, settings, options, aids);
    if (!converted) {
      PrintError(converted.reason());
      status = kExitFailed;
      continue;
    }
    if (const Status written = WriteOutputBytes(job.output, *converted); !written) {
      PrintError(written.reason());
      status = kExitFailed;
    }
  }
  return status;
}

}  // namespace
}  // namespace yomika::cli

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("YOMIKA"));
  QCoreApplication::setApplicationVersion(QStringLiteral(YOMIKA_VERSION));
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  return yomika::cli::Run(arguments);
}
