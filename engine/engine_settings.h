#ifndef YOMIKA_ENGINE_ENGINE_SETTINGS_H_
#define YOMIKA_ENGINE_ENGINE_SETTINGS_H_

// The settings one conversion uses, read from the store when the conversion starts.
// A value that cannot be read as its number stays unreadable here and fails the conversion
// only when a step actually needs it, exactly where a fresh read would have failed.

#include <QString>
#include <functional>
#include <optional>

#include "engine/outcome.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace yomika {

// One numeric setting: its value, or what was stored when that is not a number.
template <typename T>
struct NumericSetting {
  std::optional<T> value;
  SettingKey key;
  QString stored_text;

  // The value, or the failure that names the key and its unreadable text.
  Outcome<T> Get() const {
    if (value) return *value;
    return Failure{QStringLiteral("設定 %1/%2 の値「%3」を数値として読めません。")
                       .arg(QString::fromUtf8(key.section), QString::fromUtf8(key.name),
                            stored_text)};
  }
};

struct EngineSettings {
  NumericSetting<bool> create_color;  // Default/CreateColor: colour tags
  NumericSetting<int> alphabet;       // Default/alphabet: 0 lower-case tags, else upper case
  NumericSetting<int> convert;        // Default/Convert: line-break conversion
  NumericSetting<int> ruby_string;    // RUBY/RUBYSTRING: kana form of readings
  NumericSetting<int> chk_rb;         // RUBY/CHKRB: 1 adds fallback brackets
  QString rb_start;                   // RUBY/RBSTART
  QString rb_end;                     // RUBY/RBEND
  NumericSetting<int> ruby_level;     // RUBY/Level: which kanji need ruby
  NumericSetting<bool> first_only;    // RUBY/FirstOnly: ruby on a run's first occurrence only
  NumericSetting<bool> mono;          // RUBY/Mono: one ruby element per kanji
  NumericSetting<bool> backcolor;     // Preview/Backcolor: BODY gets BGCOLOR
  QString txt_backcolor;              // Preview/txtBackcolor
  NumericSetting<int> style_sheet;    // Preview/StyleSheet
  QString txt_style_sheet;            // Preview/txtStyleSheet

  // Reads every setting above from the store (defaults for absent keys).
  static EngineSettings Read(const SettingsStore& store);
  // Reads every setting above through `lookup`, which answers a key's stored text.
  static EngineSettings ReadWith(const std::function<QString(const SettingKey&)>& lookup);
  // The settings of a fresh store.
  static EngineSettings Defaults();
};

}  // namespace yomika

#endif  // YOMIKA_ENGINE_ENGINE_SETTINGS_H_
