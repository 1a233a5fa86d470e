#include "engine/conversion.h"

#include "engine/char_class.h"
#include "engine/document.h"

namespace yomika {

Outcome<Text> PrepareWorkingText(const InputText& input, const EngineSettings& settings) {
  const Outcome<bool> create_color = settings.create_color.Get();
  if (!create_color) return Failure{create_color.reason()};
  Text working;
  if (*create_color) {
    Outcome<Text> coloured = ApplyColourRuns(input, settings);
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
  const Outcome<Text> working = PrepareWorkingText(input, settings);
  if (!working) return Failure{working.reason()};
  service.PrepareConversion(ToQString(*working));
  return SegmentText(*working, service, settings, progress, warning);
}

InputText PlainInput(const QString& text) {
  InputText input{ToText(text), {}};
  input.colours.assign(input.text.size(), 0);
  return input;
}

}  // namespace yomika
