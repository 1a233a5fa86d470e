#ifndef YOMIKA_SETTINGS_SETTING_READERS_H_
#define YOMIKA_SETTINGS_SETTING_READERS_H_

// Typed readers of stored setting texts. Each returns std::nullopt when the text cannot be
// read as the number its type needs; the caller then takes its failure path instead of
// guessing a value.

#include <QString>
#include <optional>
#include <vector>

#include "settings/settings_store.h"

namespace yomika {

// A decimal number read as a 16-bit integer, rounded half to even (banker's rounding):
// " 2 " → 2, "1.5" → 2, "2.5" → 2, "-1" → -1; "abc", "" and "70000" → nullopt.
std::optional<int> ParseInt16(const QString& text);

// A decimal number with its fraction dropped (towards zero): "1.9" → 1, "-0.5" → 0;
// nullopt when not a number or outside the 32-bit range.
std::optional<int> ParseWholeNumber(const QString& text);

// A truth value: any non-zero number, or the word True (any case), is true; 0 or False is
// false; anything else → nullopt.
std::optional<bool> ParseTruth(const QString& text);

// A flag: on only when the 16-bit integer equals 1 ("2" and "-1" are off).
std::optional<bool> ParseFlag(const QString& text);

// The same, reading the key from the store with the key's own default.
std::optional<int> ReadInt16(const SettingsStore& store, const SettingKey& key);
std::optional<int> ReadWholeNumber(const SettingsStore& store, const SettingKey& key);
std::optional<bool> ReadTruth(const SettingsStore& store, const SettingKey& key);
std::optional<bool> ReadFlag(const SettingsStore& store, const SettingKey& key);
QString ReadText(const SettingsStore& store, const SettingKey& key);

// Whether the stored text of `key` reads as what its type needs (a text always does).
// Example: chkRUBY=abc is not readable, chkRUBY=2 is (a flag that is off).
bool IsReadable(const SettingsStore& store, const SettingKey& key);
// The declared keys (AllSettingKeys()) whose stored text is not readable, in table order.
std::vector<SettingKey> UnreadableKeys(const SettingsStore& store);

// "Default/Convert" — the key as people name it in messages.
QString KeyPath(const SettingKey& key);

}  // namespace yomika

#endif  // YOMIKA_SETTINGS_SETTING_READERS_H_
