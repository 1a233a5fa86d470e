#include "options/setup_model.h"

#include <optional>

#include "settings/setting_readers.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

QString FlagText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

QString IndexText(int index) { return QString::number(index); }

}  // namespace

SetupModel::SetupModel()
    : style_sheet(DefaultStyleSheet()),
      bg_color(DefaultValue(keys::kTxtBackcolor)),
      rb_start(DefaultValue(keys::kRbStart)),
      rb_end(DefaultValue(keys::kRbEnd)) {}

void SetupModel::LoadSettings(const SettingsStore& store) {
  unreadable_keys_.clear();

  // A value that is no number falls back to the key's default. A number outside the group
  // takes `outside`: for the keys other parts of the program read, the button whose effect
  // the program gives that number, so that OK does not change what the program does.
  const auto choice = [&](const SettingKey& key, int count, std::optional<int> outside) {
    const QString text = store.Get(key);
    const std::optional<int> value =
        key.type == SettingType::kWholeNumber ? ParseWholeNumber(text) : ParseInt16(text);
    const int fallback = ParseInt16(DefaultValue(key)).value_or(0);
    if (value && *value >= 0 && *value < count) return *value;
    unreadable_keys_.append(KeyPath(key));
    return value ? outside.value_or(fallback) : fallback;
  };
  // Check boxes show what the readers make of the value: "2" in a flag is off.
  const auto flag = [&](const SettingKey& key) {
    const QString text = store.Get(key);
    std::optional<bool> on;
    if (key.type == SettingType::kWholeNumber) {
      if (const std::optional<int> value = ParseWholeNumber(text)) on = *value == 1;
    } else if (key.type == SettingType::kFlag) {
      on = ParseFlag(text);
    } else {
      on = ParseTruth(text);
    }
    if (on) return *on;
    unreadable_keys_.append(KeyPath(key));
    return ParseTruth(DefaultValue(key)).value_or(false);
  };

  // 1-3: the preset's rule runs, then the stored boxes win over it.
  SelectSetMode(choice(keys::kMode, 3, std::nullopt));
  create_color = flag(keys::kCreateColor);
  color_tags = flag(keys::kChkRuby);
  color_readings = flag(keys::kChkString);
  // 4-5: any non-zero "alphabet" means upper case; an unknown "Convert" converts nothing.
  alphabet_ = choice(keys::kAlphabet, 2, 1);
  convert_ = choice(keys::kConvert, 3, 0);
  clip_copy = flag(keys::kClipCopy);
  // 6: an unknown "StyleSheet" writes the text bare, as "なし" does; the stored text wins
  // over the text the rule put in.
  SelectStyle(choice(keys::kStyleSheet, 3, kStyleNone));
  style_sheet = store.Get(keys::kTxtStyleSheet);
  // 7-8
  backcolor = flag(keys::kBackcolor);
  bg_color = store.Get(keys::kTxtBackcolor);
  read_only = flag(keys::kReadOnly);
  // 9
  href = flag(keys::kHref);
  name = flag(keys::kName);
  target = flag(keys::kTarget);
  target_value_ = choice(keys::kTargetValue, 2, std::nullopt);
  // 10
  ruby_script_ = choice(keys::kRubyString, 3, std::nullopt);
  brackets = flag(keys::kChkRb);
  rb_start = store.Get(keys::kRbStart);
  rb_end = store.Get(keys::kRbEnd);
  ruby_level_ = choice(keys::kRubyLevel, kRubyLevelCount, std::nullopt);
  first_only = flag(keys::kFirstOnly);
  mono = flag(keys::kMono);
  // 11-12: the mode's rule runs, then the stored marks win over it.
  SelectTagMode(choice(keys::kTagsChecked, 3, std::nullopt));
  for (int entry = 0; entry < keys::kTagListCount; ++entry) {
    marks_[entry] = flag(TagListKey(entry));
  }
}

std::vector<std::pair<SettingKey, QString>> SetupModel::ValuesToSave() const {
  std::vector<std::pair<SettingKey, QString>> values = {
      {keys::kMode, IndexText(set_mode_)},
      {keys::kCreateColor, FlagText(create_color)},
      {keys::kChkRuby, FlagText(color_tags)},
      {keys::kChkString, FlagText(color_readings)},
      {keys::kAlphabet, IndexText(alphabet_)},
      {keys::kConvert, IndexText(convert_)},
      {keys::kClipCopy, FlagText(clip_copy)},
      {keys::kStyleSheet, IndexText(style_)},
      {keys::kTxtStyleSheet, style_sheet},
      {keys::kBackcolor, FlagText(backcolor)},
      {keys::kTxtBackcolor, bg_color},
      {keys::kReadOnly, FlagText(read_only)},
      {keys::kHref, FlagText(href)},
      {keys::kName, FlagText(name)},
      {keys::kTarget, FlagText(target)},
      {keys::kTargetValue, IndexText(target_value_)},
      {keys::kRubyString, IndexText(ruby_script_)},
      {keys::kChkRb, FlagText(brackets)},
      {keys::kRbStart, rb_start},
      {keys::kRbEnd, rb_end},
      {keys::kRubyLevel, IndexText(ruby_level_)},
      {keys::kFirstOnly, FlagText(first_only)},
      {keys::kMono, FlagText(mono)},
      {keys::kTagsChecked, IndexText(tag_mode_)},
  };
  for (int entry = 0; entry < keys::kTagListCount; ++entry) {
    values.emplace_back(TagListKey(entry),
                        marks_[entry] ? QStringLiteral("-1") : QStringLiteral("0"));
  }
  return values;
}

bool SetupModel::SaveSettings(SettingsStore& store) const {
  return store.SaveAll(ValuesToSave());
}

void SetupModel::SelectSetMode(int index) {
  if (index < 0 || index > kSetCustom) return;
  set_mode_ = index;
  if (index == kSetNormal) {
    create_color = color_tags = color_readings = true;
  } else if (index == kSetSimple) {
    create_color = color_tags = false;
    color_readings = true;
  }
}

void SetupModel::SelectStyle(int index) {
  if (index < 0 || index > kStyleNone) return;
  style_ = index;
  if (index == kStyleDefault) {
    style_sheet = DefaultStyleSheet();
  } else if (index == kStyleNone) {
    style_sheet.clear();
  }
}

void SetupModel::SelectTagMode(int index) {
  if (index < 0 || index > kTagNone) return;
  tag_mode_ = index;
  if (index == kTagCustom) return;
  marks_.fill(index == kTagAll);
  current_tag_entry_ = 0;
}

void SetupModel::SelectAlphabet(int index) {
  if (index >= 0 && index < 2) alphabet_ = index;
}

void SetupModel::SelectConvert(int index) {
  if (index >= 0 && index < 3) convert_ = index;
}

void SetupModel::SelectTargetValue(int index) {
  if (index >= 0 && index < 2) target_value_ = index;
}

void SetupModel::SelectRubyScript(int index) {
  if (index >= 0 && index < 3) ruby_script_ = index;
}

void SetupModel::SelectRubyLevel(int index) {
  if (index >= 0 && index < kRubyLevelCount) ruby_level_ = index;
}

bool SetupModel::tag_marked(int entry) const {
  return entry >= 0 && entry < keys::kTagListCount && marks_[entry];
}

void SetupModel::set_tag_marked(int entry, bool marked) {
  if (entry >= 0 && entry < keys::kTagListCount) marks_[entry] = marked;
}

}  // namespace yomika
