#ifndef YOMIKA_COLOURDIALOG_COLOUR_MODEL_H_
#define YOMIKA_COLOURDIALOG_COLOUR_MODEL_H_

// The widget-free state of the text colour dialog. The three channel scroll bars are the single
// source of the colour; the swatch, the three decimal fields and the "#RRGGBB" text are rebuilt
// from them by the scroll-bar rule. Channel index 0 is red, 1 green, 2 blue.

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

#include "engine/text.h"

namespace yomika {

inline constexpr int kChannelCount = 3;
inline constexpr int kChannelMax = 255;

// Value of two upper-case hexadecimal digits ("0"-"9", "A"-"F"); any other text gives 0.
// Examples: "0B" -> 11, "FF" -> 255, "OO" (letters O) -> 0, "0b" -> 0, "F" -> 0.
int HexPairValue(QStringView pair);

// Exactly two upper-case hexadecimal digits of a value clamped to 0..255. Example: 15 -> "0F",
// 16 -> "10".
QString HexPair(int value);

// "#" + red, green and blue as hex pairs. Example: (0, 128, 0) -> "#008000".
QString HexColourText(int red, int green, int blue);

// The channel value a decimal field's text stands for: ASCII digits only, 0..255, leading zeros
// allowed. Examples: "007" -> 7, "255" -> 255; "", "256", "-5", "1a", " 7" -> nothing.
std::optional<int> ChannelFieldValue(QStringView text);

// Packs channels into 0x00BBGGRR. Example: (0, 128, 0) -> 32768.
Colour PackColour(int red, int green, int blue);

// Channel i (0 red, 1 green, 2 blue) of a packed colour. Example: ChannelOf(32768, 1) == 128.
int ChannelOf(Colour colour, int channel);

class ColourModel {
 public:
  // The dialog as opened on a selection of colour `start`; no colour (a selection of several
  // colours) starts from black. The top byte of `start` is ignored.
  explicit ColourModel(std::optional<Colour> start);

  // Scroll bar i's value, 0..255; 0 for a channel outside 0..2.
  int ScrollValue(int channel) const;
  // Text of decimal field i, as last typed or rebuilt; empty for a channel outside 0..2.
  QString FieldText(int channel) const;
  // The "#RRGGBB" text (shown as it stands after a named row, e.g. "#94OOD3").
  const QString& HexText() const { return hex_text_; }
  // The swatch colour, which is also the colour the dialog returns on OK.
  Colour Swatch() const { return swatch_; }

  // Scroll bar i moved to `value` (clamped to 0..255); when it differs from the current value
  // the scroll-bar rule rebuilds swatch, fields and hex text. Returns true when it changed.
  // A channel outside 0..2 changes nothing (as do the other mutators).
  bool SetScrollValue(int channel, int value);

  // The user changed decimal field i to `text`. The text is kept; when it is a channel value
  // (see ChannelFieldValue) scroll bar i takes it. Example: "007" from 0 -> value 7, field "7";
  // "256" -> field keeps "256", nothing else changes.
  void SetFieldText(int channel, const QString& text);

  // The user picked a named row "#RRGGBB name": each channel takes HexPairValue of its pair, in
  // the order red, green, blue; the hex text then shows the row's first seven characters as they
  // stand. Example: "#94OOD3 darkviolet" -> 148, 0, 211 and hex text "#94OOD3".
  void SelectNamedRow(QStringView row);

 private:
  static bool IsChannel(int channel) { return channel >= 0 && channel < kChannelCount; }
  // Rebuilds swatch, fields and hex text from the scroll bars.
  void ApplyScrollRule();

  std::array<int, kChannelCount> scroll_{0, 0, 0};
  std::array<QString, kChannelCount> fields_;
  QString hex_text_;
  Colour swatch_ = 0;
};

}  // namespace yomika

#endif  // YOMIKA_COLOURDIALOG_COLOUR_MODEL_H_
