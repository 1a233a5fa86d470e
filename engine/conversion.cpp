#include "engine/conversion.h"

#include "engine/char_class.h"
#include "engine/document.h"

namespace yomika {

namespace {

// The settings as a format applies them: html5 writes its tags in lower case whatever
// Default/alphabet says.
EngineSettings SettingsFor(const EngineSettings& settings, OutputFormat format) {
  EngineSettings used = settings;
  if (format == OutputFormat::kHtml5) {
    used.alphabet = NumericSetting<int>{0, keys::kAlphabet, QStringLiteral("0")};
  }
  return used;
}

}  // namespace

Outcome<Text> PrepareWorkingText(const InputText& input, const EngineSettings& settings) {
  return PrepareWorkingText(input, settings, OutputFormat::kHtml);
}

Outcome<Text> PrepareWorkingText(const InputText& input, const EngineSettings& settings,
                                 OutputFormat format) {
  if (IsPlainTextFormat(format)) return input.text + kTerminator;
  const Outcome<bool> create_color = settings.create_color.Get();
  if (!create_color) return Failure{create_color.reason()};
  Text working;
  if (*create_color) {
    Outcome<Text> coloured = ApplyColourRuns(
        input, settings,
        format == OutputFormat::kHtml5 ? ColourMarkup::kSpans : ColourMarkup::kFontTags);
    if (!coloured) return coloured;
    working = std::move(coloured).value();
  } else {
    working = input.text + kTerminator;
  }
  return ConvertNewlines(std::move(working), settings);
}

Outcome<QString> ConvertToBody(const InputText& input, ReadingService& service,
                               const EngineSettings& settings, const ProgressCallback& progress,
                               const WarningCallback& warning) {
  ConversionOptions options;
  options.warning = warning;
  return ConvertToBody(input, service, settings, progress, options);
}

Outcome<QString> ConvertToBody(const InputText& input, ReadingService& service,
                               const EngineSettings& settings, const ProgressCallback& progress,
                               const ConversionOptions& options) {
  Text working;
  return ConvertWorkingText(input, service, settings, progress, options, working, nullptr);
}

Outcome<QString> ConvertWorkingText(const InputText& input, ReadingService& service,
                                    const EngineSettings& settings,
                                    const ProgressCallback& progress,
                                    const ConversionOptions& options, Text& working,
                                    std::vector<ReviewedRun>* reviewed) {
  const EngineSettings used = SettingsFor(settings, options.format);
  Outcome<Text> prepared = PrepareWorkingText(input, used, options.format);
  if (!prepared) return Failure{prepared.reason()};
  working = std::move(prepared).value();
  service.PrepareConversion(working);
  RubyWriter writer(used, options.format, options.aids);
  return SegmentText(working, service, writer, progress, options.warning, reviewed);
}

InputText PlainInput(const QString& text) {
  InputText input{ToText(text), {}};
  input.colours.assign(input.text.size(), 0);
  return input;
}

}  // namespace yomika
