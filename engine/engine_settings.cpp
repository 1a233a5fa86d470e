#include "engine/engine_settings.h"

#include <functional>

#include "settings/setting_readers.h"

namespace yomika {
namespace {

using Lookup = std::function<QString(const SettingKey&)>;

template <typename T, typename Parse>
NumericSetting<T> ReadNumeric(const Lookup& lookup, const SettingKey& key, Parse parse) {
  const QString text = lookup(key);
  return NumericSetting<T>{parse(text), key, text};
}

}  // namespace

EngineSettings EngineSettings::ReadWith(const Lookup& lookup) {
  EngineSettings s;
  s.create_color = ReadNumeric<bool>(lookup, keys::kCreateColor, ParseFlag);
  s.alphabet = ReadNumeric<int>(lookup, keys::kAlphabet, ParseInt16);
  s.convert = ReadNumeric<int>(lookup, keys::kConvert, ParseInt16);
  s.ruby_string = ReadNumeric<int>(lookup, keys::kRubyString, ParseWholeNumber);
  s.chk_rb = ReadNumeric<int>(lookup, keys::kChkRb, ParseWholeNumber);
  s.rb_start = lookup(keys::kRbStart);
  s.rb_end = lookup(keys::kRbEnd);
  s.ruby_level = ReadNumeric<int>(lookup, keys::kRubyLevel, ParseInt16);
  s.first_only = ReadNumeric<bool>(lookup, keys::kFirstOnly, ParseFlag);
  s.mono = ReadNumeric<bool>(lookup, keys::kMono, ParseFlag);
  s.backcolor = ReadNumeric<bool>(lookup, keys::kBackcolor, ParseFlag);
  s.txt_backcolor = lookup(keys::kTxtBackcolor);
  s.style_sheet = ReadNumeric<int>(lookup, keys::kStyleSheet, ParseInt16);
  s.txt_style_sheet = lookup(keys::kTxtStyleSheet);
  return s;
}

EngineSettings EngineSettings::Read(const SettingsStore& store) {
  return ReadWith([&store](const SettingKey& key) { return store.Get(key); });
}

EngineSettings EngineSettings::Defaults() { return ReadWith(DefaultValue); }

}  // namespace yomika
