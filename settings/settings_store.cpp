#include "settings/settings_store.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "encoding/file_reader.h"

namespace yomika {
namespace {

QString PathOf(const QString& section, const QString& key) {
  return section + QLatin1Char('/') + key;
}

// Where QSettings keeps the user's INI file for organisation and application "YOMIKA".
QString UserSettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/YOMIKA/YOMIKA.ini");
}

// Why an existing settings file must not be opened (QSettings would wait on a FIFO forever
// and read /dev/zero until memory runs out).
std::optional<QString> RefuseSettingsFile(const QString& path) {
  if (!QFileInfo::exists(path)) return std::nullopt;
  const std::optional<QString> problem = CheckRegularFile(path);
  if (!problem) return std::nullopt;
  return QStringLiteral("設定ファイル %1 を使いません: %2。この実行では既定の設定を使います。")
      .arg(path, *problem);
}

}  // namespace

SettingsStore::SettingsStore() : problem_(RefuseSettingsFile(UserSettingsFile())) {
  if (problem_) {
    refused_file_ = UserSettingsFile();
  } else {
    settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("YOMIKA"), QStringLiteral("YOMIKA"));
  }
}

SettingsStore::SettingsStore(const QString& ini_file) : problem_(RefuseSettingsFile(ini_file)) {
  if (problem_) {
    refused_file_ = ini_file;
  } else {
    settings_ = std::make_unique<QSettings>(ini_file, QSettings::IniFormat);
  }
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetSetting(const QString& section, const QString& key,
                                  const QString& default_value) const {
  const QString path = PathOf(section, key);
  if (const auto it = overrides_.constFind(path); it != overrides_.constEnd()) return *it;
  if (!settings_) return default_value;
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
  if (!settings_) {
    overrides_.insert(PathOf(section, key), value);
    return;
  }
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
    const QString path = PathOf(QString::fromUtf8(key.section), QString::fromUtf8(key.name));
    // A refused file is never written: the values hold for this run only.
    if (settings_) {
      settings_->setValue(path, value);
    } else {
      overrides_.insert(path, value);
    }
  }
  if (!settings_) return false;
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

QString SettingsStore::Location() const {
  return settings_ ? settings_->fileName() : refused_file_;
}

}  // namespace yomika
