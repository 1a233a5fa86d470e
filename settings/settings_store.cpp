#include "settings/settings_store.h"

#include <QSettings>

namespace yomika {
namespace {

QString PathOf(const QString& section, const QString& key) {
  return section + QLatin1Char('/') + key;
}

}  // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("YOMIKA"), QStringLiteral("YOMIKA"))) {}

SettingsStore::SettingsStore(const QString& ini_file)
    : settings_(std::make_unique<QSettings>(ini_file, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetSetting(const QString& section, const QString& key,
                                  const QString& default_value) const {
  const QString path = PathOf(section, key);
  if (const auto it = overrides_.constFind(path); it != overrides_.constEnd()) return *it;
  const QVariant value = settings_->value(path);
  if (!value.isValid()) return default_value;
  // A value QSettings parsed as a list (an unquoted comma in a hand-edited file) is joined
  // back, so that no part of the user's text is dropped.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QStringLiteral(", "));
  }
  return value.toString();
}

void SettingsStore::SaveSetting(const QString& section, const QString& key,
                                const QString& value) {
  settings_->setValue(PathOf(section, key), value);
  settings_->sync();
}

void SettingsStore::SetOverride(const QString& section, const QString& key,
                                const QString& value) {
  overrides_.insert(PathOf(section, key), value);
}

QString SettingsStore::Get(const SettingKey& key) const {
  return GetSetting(QString::fromUtf8(key.section), QString::fromUtf8(key.name),
                    DefaultValue(key));
}

void SettingsStore::Save(const SettingKey& key, const QString& value) {
  SaveSetting(QString::fromUtf8(key.section), QString::fromUtf8(key.name), value);
}

bool SettingsStore::SaveAll(std::span<const std::pair<SettingKey, QString>> values) {
  for (const auto& [key, value] : values) {
    settings_->setValue(PathOf(QString::fromUtf8(key.section), QString::fromUtf8(key.name)),
                        value);
  }
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

QString SettingsStore::Location() const { return settings_->fileName(); }

}  // namespace yomika
