#ifndef YOMIKA_CLI_OPTIONS_H_
#define YOMIKA_CLI_OPTIONS_H_

// The command line of yomika-convert, parsed without touching files or the settings store.

#include <QList>
#include <QString>
#include <QStringList>

#include "engine/outcome.h"
#include "engine/output_format.h"

namespace yomika::cli {

// Exit statuses of yomika-convert.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // conversion, input or output failed
inline constexpr int kExitBadCommandLine = 2;
inline constexpr int kExitNoReadingService = 3;  // MeCab, its dictionary or KANJIDIC2 is missing

// One --set: a settings key with the value this run uses instead of the stored one.
struct SettingOverride {
  QString section;
  QString key;
  QString value;
  friend bool operator==(const SettingOverride&, const SettingOverride&) = default;
};

struct ConverterOptions {
  enum class Action { kConvert, kHelp, kVersion };
  Action action = Action::kConvert;
  QStringList inputs;     // "-" is standard input; empty: standard input
  QString output;         // file or folder; empty: standard output
  bool document = false;  // whole document in CP932 instead of the UTF-8 body
  bool review = false;    // JSON lines reviewing each reading instead of the converted text
  OutputFormat format = OutputFormat::kHtml;
  QString settings_file;  // INI file; empty: the program's own store
  QList<SettingOverride> overrides;
  QString dictionary_folder;  // MeCab dictionary; empty: the service's default
  QString user_dictionary;    // reading dictionary; empty: the per-user default
  friend bool operator==(const ConverterOptions&, const ConverterOptions&) = default;
};

// Parses the arguments after the program name. "--name value" and "--name=value" are both
// accepted; "--" ends the options; "-" is standard input. Fails, naming the argument, on an
// unknown option, a missing or repeated value, a bad --set, several inputs without -o, or
// standard input named twice, an unknown --format, --document with a plain-text format, or
// --review with --document.
// Example: {"--set", "default/convert=0", "a.txt"} → overrides {Default, Convert, "0"},
//          inputs {"a.txt"}.
Outcome<ConverterOptions> ParseOptions(const QStringList& arguments);

// One --set argument "SECTION/KEY=VALUE" for a declared settings key, the section and key
// matched without regard to case and returned in their declared spelling; the value may be
// empty. Example: "ruby/rbstart=(" → {RUBY, RBSTART, "("}; "Default/Convert" → failure.
Outcome<SettingOverride> ParseSetOverride(const QString& text);

// The --help text, with the defaults the converter uses.
QString HelpText(const QString& default_dictionary_folder, const QString& default_user_dictionary);

}  // namespace yomika::cli

#endif  // YOMIKA_CLI_OPTIONS_H_
