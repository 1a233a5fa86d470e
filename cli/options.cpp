#include "cli/options.h"

#include <QSet>
#include <optional>

#include "settings/setting_keys.h"

namespace yomika::cli {
namespace {

enum class OptionId {
  kOutput,
  kDocument,
  kReview,
  kFormat,
  kSettings,
  kSet,
  kDictionary,
  kUserDictionary,
  kHelp,
  kVersion
};

struct OptionSpec {
  OptionId id;
  const char* long_name;
  const char* short_name;  // nullptr: none
  bool takes_value;
};

constexpr OptionSpec kOptions[] = {
    {OptionId::kOutput, "--output", "-o", true},
    {OptionId::kDocument, "--document", nullptr, false},
    {OptionId::kReview, "--review", nullptr, false},
    {OptionId::kFormat, "--format", nullptr, true},
    {OptionId::kSettings, "--settings", nullptr, true},
    {OptionId::kSet, "--set", nullptr, true},
    {OptionId::kDictionary, "--dictionary", nullptr, true},
    {OptionId::kUserDictionary, "--user-dictionary", nullptr, true},
    {OptionId::kHelp, "--help", "-h", false},
    {OptionId::kVersion, "--version", nullptr, false},
};

const OptionSpec* FindOption(const QString& name) {
  for (const OptionSpec& spec : kOptions) {
    if (name == QLatin1String(spec.long_name) ||
        (spec.short_name != nullptr && name == QLatin1String(spec.short_name))) {
      return &spec;
    }
  }
  return nullptr;
}

Failure SetFormFailure(const QString& text) {
  return Failure{QStringLiteral("--set %1: 「セクション/キー=値」の形で指定してください"
                                "（例: --set Default/Convert=0）。")
                     .arg(text)};
}

}  // namespace

Outcome<SettingOverride> ParseSetOverride(const QString& text) {
  const qsizetype equals = text.indexOf(QLatin1Char('='));
  if (equals < 0) return SetFormFailure(text);
  const QString path = text.left(equals);
  const qsizetype slash = path.indexOf(QLatin1Char('/'));
  if (slash <= 0 || slash == path.size() - 1 || path.indexOf(QLatin1Char('/'), slash + 1) >= 0) {
    return SetFormFailure(text);
  }
  const QString section = path.left(slash);
  const QString key = path.mid(slash + 1);
  // The store matches keys exactly, so a near miss in case would silently change nothing.
  for (const SettingKey& declared : AllSettingKeys()) {
    if (section.compare(QLatin1String(declared.section), Qt::CaseInsensitive) == 0 &&
        key.compare(QLatin1String(declared.name), Qt::CaseInsensitive) == 0) {
      return SettingOverride{QString::fromUtf8(declared.section), QString::fromUtf8(declared.name),
                             text.mid(equals + 1)};
    }
  }
  return Failure{QStringLiteral("--set %1: 設定 %2 はありません。").arg(text, path)};
}

Outcome<ConverterOptions> ParseOptions(const QStringList& arguments) {
  ConverterOptions options;
  QSet<OptionId> given;
  bool options_ended = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (options_ended || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
      options.inputs.append(argument);
      continue;
    }
    if (argument == QLatin1String("--")) {
      options_ended = true;
      continue;
    }

    QString name = argument;
    std::optional<QString> inline_value;
    if (const qsizetype equals = argument.indexOf(QLatin1Char('='));
        argument.startsWith(QLatin1String("--")) && equals > 0) {
      name = argument.left(equals);
      inline_value = argument.mid(equals + 1);
    }
    const OptionSpec* spec = FindOption(name);
    if (spec == nullptr) {
      return Failure{QStringLiteral("不明なオプションです: %1").arg(argument)};
    }
    if (!spec->takes_value && inline_value) {
      return Failure{QStringLiteral("オプション %1 は値を取りません: %2").arg(name, argument)};
    }
    if (spec->id == OptionId::kHelp || spec->id == OptionId::kVersion) {
      ConverterOptions only;
      only.action = spec->id == OptionId::kHelp ? ConverterOptions::Action::kHelp
                                                : ConverterOptions::Action::kVersion;
      return only;
    }
    if (spec->id != OptionId::kSet && given.contains(spec->id)) {
      return Failure{QStringLiteral("オプション %1 は一度だけ指定できます。").arg(name)};
    }
    given.insert(spec->id);
    if (spec->id == OptionId::kDocument) {
      options.document = true;
      continue;
    }
    if (spec->id == OptionId::kReview) {
      options.review = true;
      continue;
    }

    if (!inline_value && i + 1 >= arguments.size()) {
      return Failure{QStringLiteral("オプション %1 には値が必要です。").arg(name)};
    }
    const QString value = inline_value ? *inline_value : arguments[++i];
    if (value.isEmpty() && spec->id != OptionId::kSet) {
      return Failure{QStringLiteral("オプション %1 の値が空です。").arg(name)};
    }
    switch (spec->id) {
      case OptionId::kOutput:
        if (value != QLatin1String("-")) options.output = value;
        break;
      case OptionId::kFormat: {
        const std::optional<OutputFormat> format = ParseOutputFormat(value);
        if (!format) {
          return Failure{QStringLiteral("--format %1: 形式は html, html5, aozora, brackets の"
                                        "どれかです。")
                             .arg(value)};
        }
        options.format = *format;
        break;
      }
      case OptionId::kSettings:
        options.settings_file = value;
        break;
      case OptionId::kSet: {
        Outcome<SettingOverride> set = ParseSetOverride(value);
        if (!set) return Failure{set.reason()};
        options.overrides.append(std::move(set).value());
        break;
      }
      case OptionId::kDictionary:
        options.dictionary_folder = value;
        break;
      case OptionId::kUserDictionary:
        options.user_dictionary = value;
        break;
      default:
        break;
    }
  }

  if (options.document && IsPlainTextFormat(options.format)) {
    return Failure{
        QStringLiteral("--document は --format %1 とは一緒に使えません（テキストの形式です）。")
            .arg(OutputFormatName(options.format))};
  }
  if (options.review && options.document) {
    return Failure{QStringLiteral("--review は --document とは一緒に使えません。")};
  }
  if (options.inputs.count(QStringLiteral("-")) > 0 && options.inputs.size() > 1) {
    return Failure{QStringLiteral("標準入力（-）はほかの入力ファイルと一緒には使えません。")};
  }
  if (options.inputs.size() > 1 && options.output.isEmpty()) {
    return Failure{
        QStringLiteral("入力ファイルが複数あるときは、-o で出力先のフォルダを"
                       "指定してください。")};
  }
  return options;
}

QString HelpText(const QString& default_dictionary_folder, const QString& default_user_dictionary) {
  return QStringLiteral(
             "使い方: yomika-convert [オプション] [ファイル...]\n"
             "\n"
             "日本語のテキストを、漢字にルビ（ふりがな）を付けた HTML に変換します。\n"
             "変換はプログラムの「開始」と同じで、設定もプログラムと同じものを使います。\n"
             "ファイルを指定しないとき、または - のときは標準入力を読みます。\n"
             "入力の文字コードは UTF-8（BOM の有無を問わない）、BOM 付き UTF-16、CP932 から\n"
             "自動で判別します。\n"
             "\n"
             "オプション:\n"
             "  -o, --output PATH        出力先（省略時は標準出力）。入力が複数のときはフォルダを\n"
             "                           指定し、入力ごとに「入力の名前.html」（テキストの形式\n"
             "                           では .txt）を書きます。\n"
             "      --document           本文だけでなく、プレビューファイルと同じ HTML 文書全体を\n"
             "                           CP932 で書きます（省略時は本文を UTF-8 で書きます）。\n"
             "      --review             HTML の代わりに、ルビを付けた漢字の並びごとに\n"
             "                           JSON を 1 行ずつ書きます: 行と桁（1 から、入力の\n"
             "                           行の文字で数える）、漢字、読み、要確認か\n"
             "                           （uncertain）、読みの候補（先頭は付けた読み）。\n"
             "                           読みの表記（RUBYSTRING など）は HTML と同じです。\n"
             "                           --document とは一緒に使えません。\n"
             "      --format FORMAT      出力の形式（既定: html）:\n"
             "                             html      プログラムと同じ HTML（上の --document も）\n"
             "                             html5     UTF-8 の HTML5 文書全体（色は span）\n"
             "                             aozora    テキスト、ルビは ｜漢字《かんじ》\n"
             "                             brackets  テキスト、ルビは 漢字（かんじ）\n"
             "                           html 以外は UTF-8 で書きます。テキストの形式は改行を\n"
             "                           そのまま残し、色のタグも <br> も付けません。\n"
             "      --settings FILE      プログラムの設定の代わりに INI ファイル FILE "
             "を使います。\n"
             "      --set SECTION/KEY=VALUE\n"
             "                           この実行に限って設定を上書きします（保存はしません）。\n"
             "                           繰り返し指定できます。例: --set Default/Convert=0\n"
             "      --dictionary DIR     MeCab の辞書フォルダ（既定: %1）\n"
             "      --user-dictionary FILE\n"
             "                           読みの辞書（既定: %2）\n"
             "  -h, --help               この説明を表示します。\n"
             "      --version            版を表示します。\n"
             "\n"
             "終了コード: 0 成功、1 変換または入出力の失敗、2 コマンドラインの誤り、\n"
             "            3 読みの解析（MeCab とその辞書、RUBY/Level と RUBY/Mono には\n"
             "              漢字の辞書 kanjidic2）を用意できない\n")
      .arg(default_dictionary_folder, default_user_dictionary);
}

}  // namespace yomika::cli
