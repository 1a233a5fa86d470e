#include "settings/setting_readers.h"

#include <cmath>
#include <limits>

namespace yomika {
namespace {

// A finite decimal number, surrounding blanks allowed; no hexadecimal, no thousands separators.
std::optional<double> ParseNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = trimmed.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> ParseInt16(const QString& text) {
  const std::optional<double> number = ParseNumber(text);
  if (!number) return std::nullopt;
  const double rounded = std::nearbyint(*number);  // default rounding mode: half to even
  if (rounded < std::numeric_limits<qint16>::min() ||
      rounded > std::numeric_limits<qint16>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(rounded);
}

std::optional<int> ParseWholeNumber(const QString& text) {
  const std::optional<double> number = ParseNumber(text);
  if (!number) return std::nullopt;
  const double whole = std::trunc(*number);
  if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(whole);
}

std::optional<bool> ParseTruth(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  const std::optional<double> number = ParseNumber(trimmed);
  if (!number) return std::nullopt;
  return *number != 0.0;
}

std::optional<bool> ParseFlag(const QString& text) {
  const std::optional<int> value = ParseInt16(text);
  if (!value) return std::nullopt;
  return *value == 1;
}

std::optional<int> ReadInt16(const SettingsStore& store, const SettingKey& key) {
  return ParseInt16(store.Get(key));
}

std::optional<int> ReadWholeNumber(const SettingsStore& store, const SettingKey& key) {
  return ParseWholeNumber(store.Get(key));
}

std::optional<bool> ReadTruth(const SettingsStore& store, const SettingKey& key) {
  return ParseTruth(store.Get(key));
}

std::optional<bool> ReadFlag(const SettingsStore& store, const SettingKey& key) {
  return ParseFlag(store.Get(key));
}

QString ReadText(const SettingsStore& store, const SettingKey& key) { return store.Get(key); }

bool IsReadable(const SettingsStore& store, const SettingKey& key) {
  switch (key.type) {
    case SettingType::kFlag:
    case SettingType::kChoice:
      return ReadInt16(store, key).has_value();
    case SettingType::kTruthFlag:
    case SettingType::kListFlag:
      return ReadTruth(store, key).has_value();
    case SettingType::kWholeNumber:
      return ReadWholeNumber(store, key).has_value();
    case SettingType::kText:
      return true;
  }
  return true;
}

std::vector<SettingKey> UnreadableKeys(const SettingsStore& store) {
  std::vector<SettingKey> unreadable;
  for (const SettingKey& key : AllSettingKeys()) {
    if (!IsReadable(store, key)) unreadable.push_back(key);
  }
  return unreadable;
}

QString KeyPath(const SettingKey& key) {
  return QString::fromUtf8(key.section) + QLatin1Char('/') + QString::fromUtf8(key.name);
}

}  // namespace yomika
