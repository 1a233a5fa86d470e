#include "colourdialog/colour_model.h"

#include <algorithm>

namespace yomika {
namespace {

// Only upper-case digits count: lower-case letters, and look-alikes such as the letter O in the
// darkviolet row, read as "not a digit" and make the whole pair 0.
std::optional<int> UpperHexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return std::nullopt;
}

int ClampChannel(int value) { return std::clamp(value, 0, kChannelMax); }

}  // namespace

int HexPairValue(QStringView pair) {
  if (pair.size() != 2) return 0;
  const std::optional<int> high = UpperHexDigit(pair[0]);
  const std::optional<int> low = UpperHexDigit(pair[1]);
  if (!high || !low) return 0;
  return *high * 16 + *low;
}

QString HexPair(int value) {
  return QStringLiteral("%1").arg(ClampChannel(value), 2, 16, QLatin1Char('0')).toUpper();
}

QString HexColourText(int red, int green, int blue) {
  return QLatin1Char('#') + HexPair(red) + HexPair(green) + HexPair(blue);
}

std::optional<int> ChannelFieldValue(QStringView text) {
  if (text.isEmpty()) return std::nullopt;
  int value = 0;
  for (const QChar c : text) {
    // QChar::isDigit would also accept full-width and other scripts' digits; the field takes
    // ASCII digits only.
    if (c.unicode() < u'0' || c.unicode() > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > kChannelMax) return std::nullopt;  // also keeps long digit runs from overflowing
  }
  return value;
}

Colour PackColour(int red, int green, int blue) {
  return static_cast<Colour>(ClampChannel(red)) | (static_cast<Colour>(ClampChannel(green)) << 8) |
         (static_cast<Colour>(ClampChannel(blue)) << 16);
}

int ChannelOf(Colour colour, int channel) {
  if (channel < 0 || channel >= kChannelCount) return 0;
  return static_cast<int>((colour >> (8 * channel)) & 0xFFu);
}

ColourModel::ColourModel(std::optional<Colour> start) {
  const Colour c = start.value_or(0);
  fields_.fill(QStringLiteral("0"));
  ApplyScrollRule();
  // Opening writes the decimal fields, and each write moves its scroll bar like typing would.
  for (int i = 0; i < kChannelCount; ++i) SetFieldText(i, QString::number(ChannelOf(c, i)));
  hex_text_ = HexColourText(ChannelOf(c, 0), ChannelOf(c, 1), ChannelOf(c, 2));
}

int ColourModel::ScrollValue(int channel) const {
  return IsChannel(channel) ? scroll_[static_cast<std::size_t>(channel)] : 0;
}

QString ColourModel::FieldText(int channel) const {
  return IsChannel(channel) ? fields_[static_cast<std::size_t>(channel)] : QString();
}

bool ColourModel::SetScrollValue(int channel, int value) {
  if (!IsChannel(channel)) return false;
  int& current = scroll_[static_cast<std::size_t>(channel)];
  const int clamped = ClampChannel(value);
  if (current == clamped) return false;
  current = clamped;
  ApplyScrollRule();
  return true;
}

void ColourModel::SetFieldText(int channel, const QString& text) {
  if (!IsChannel(channel)) return;
  fields_[static_cast<std::size_t>(channel)] = text;
  if (const std::optional<int> value = ChannelFieldValue(text)) SetScrollValue(channel, *value);
}

void ColourModel::SelectNamedRow(QStringView row) {
  for (int i = 0; i < kChannelCount; ++i) SetScrollValue(i, HexPairValue(row.mid(1 + 2 * i, 2)));
  hex_text_ = row.left(7).toString();
}

void ColourModel::ApplyScrollRule() {
  const auto [r, g, b] = scroll_;
  swatch_ = PackColour(r, g, b);
  for (int i = 0; i < kChannelCount; ++i) {
    fields_[static_cast<std::size_t>(i)] = QString::number(scroll_[static_cast<std::size_t>(i)]);
  }
  hex_text_ = HexColourText(r, g, b);
}

}  // namespace yomika
