#ifndef YOMIKA_TESTS_ENGINE_TEST_UTIL_H_
#define YOMIKA_TESTS_ENGINE_TEST_UTIL_H_

// Small helpers shared by the engine tests.

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_settings.h"
#include "engine/text.h"
#include "settings/settings_store.h"

namespace yomika::testing {

inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
inline std::string Utf8(const Text& t) { return ToQString(t).toStdString(); }
inline std::string Utf8(const QString& s) { return s.toStdString(); }

// The engine settings of a fresh store holding the given "Section/Key" → value pairs.
using KeyValues = std::vector<std::pair<const char*, const char*>>;

inline EngineSettings SettingsWith(const KeyValues& values) {
  QTemporaryDir dir;
  SettingsStore store(dir.filePath(QStringLiteral("YOMIKA.ini")));
  for (const auto& [path, value] : values) {
    const QString key_path = Q(path);
    const qsizetype slash = key_path.indexOf(QLatin1Char('/'));
    store.SaveSetting(key_path.left(slash), key_path.mid(slash + 1), Q(value));
  }
  return EngineSettings::Read(store);
}

}  // namespace yomika::testing

#endif  // YOMIKA_TESTS_ENGINE_TEST_UTIL_H_
