#ifndef YOMIKA_SETTINGS_SETTINGS_STORE_H_
#define YOMIKA_SETTINGS_SETTINGS_STORE_H_

// The per-user settings store: application "YOMIKA", section → key → text.
// Readers ask the store at the moment they need a value; nothing is cached here.

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "settings/setting_keys.h"

class QSettings;

namespace yomika {

class SettingsStore {
 public:
  // The user's own store (QSettings, organisation and application "YOMIKA").
  SettingsStore();
  // A store kept in the given INI file; tests and the converter's --settings use it.
  // A file that is there but is no regular file of a sane size (a FIFO, a device, a huge
  // file) is never opened: the store then answers the defaults, keeps what is saved for this
  // run only, and Problem() says why.
  explicit SettingsStore(const QString& ini_file);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // The stored value of section/key, or `default_value` when the key is absent.
  QString GetSetting(const QString& section, const QString& key,
                     const QString& default_value) const;
  // Creates or replaces section/key and writes it through to storage.
  void SaveSetting(const QString& section, const QString& key, const QString& value);

  // Makes GetSetting answer `value` for section/key in this object only; never saved.
  void SetOverride(const QString& section, const QString& key, const QString& value);

  // The stored text of a declared key, with the key's own default.
  QString Get(const SettingKey& key) const;
  void Save(const SettingKey& key, const QString& value);
  // Creates or replaces every pair, then writes the store through once. False when it could
  // not be written (a read-only folder): the values still answer in this object, but are
  // lost when the program ends.
  bool SaveAll(std::span<const std::pair<SettingKey, QString>> values);

  // Where the store keeps its data (for messages).
  QString Location() const;

  // Why the settings file is not used, naming it; std::nullopt when it is.
  const std::optional<QString>& Problem() const { return problem_; }

 private:
  std::optional<QString> problem_;
  QString refused_file_;
  std::unique_ptr<QSettings> settings_;  // null when the file was refused
  QHash<QString, QString> overrides_;  // "section/key" → value
};

}  // namespace yomika

#endif  // YOMIKA_SETTINGS_SETTINGS_STORE_H_
