#ifndef YOMIKA_SETTINGS_SETTING_KEYS_H_
#define YOMIKA_SETTINGS_SETTING_KEYS_H_

// Every settings key of the program, declared once: section, name, type and default.

#include <QString>
#include <span>

namespace yomika {

// What a key holds, as the options dialog writes it.
enum class SettingType {
  kFlag,        // "1" on, "0" off; only exactly 1 counts as on
  kTruthFlag,   // "1"/"0"; any non-zero number (or the word True) counts as true
  kChoice,      // 0-based index of the chosen button of an option group
  kListFlag,    // "-1" selected, "0" not; read as a truth value
  kWholeNumber, // a choice or flag read as a number whose fraction is dropped
  kText,        // stored verbatim, may hold CR LF
};

struct SettingKey {
  const char* section;
  const char* name;
  SettingType type;
  const char* default_value;  // UTF-8
};

// The default style sheet: four lines joined by CR LF, 99 characters.
QString DefaultStyleSheet();

namespace keys {
inline constexpr SettingKey kMode{"Default", "Mode", SettingType::kChoice, "0"};
inline constexpr SettingKey kCreateColor{"Default", "CreateColor", SettingType::kFlag, "1"};
inline constexpr SettingKey kChkRuby{"Default", "chkRUBY", SettingType::kFlag, "1"};
inline constexpr SettingKey kChkString{"Default", "chkString", SettingType::kFlag, "1"};
inline constexpr SettingKey kAlphabet{"Default", "alphabet", SettingType::kChoice, "0"};
inline constexpr SettingKey kConvert{"Default", "Convert", SettingType::kChoice, "2"};
inline constexpr SettingKey kClipCopy{"Default", "ClipCopy", SettingType::kFlag, "0"};
inline constexpr SettingKey kStyleSheet{"Preview", "StyleSheet", SettingType::kChoice, "0"};
// The default is DefaultStyleSheet(); a null default marks it.
inline constexpr SettingKey kTxtStyleSheet{"Preview", "txtStyleSheet", SettingType::kText, nullptr};
inline constexpr SettingKey kBackcolor{"Preview", "Backcolor", SettingType::kFlag, "0"};
inline constexpr SettingKey kTxtBackcolor{"Preview", "txtBackcolor", SettingType::kText, "#FFFFFF"};
inline constexpr SettingKey kReadOnly{"Preview", "ReadOnly", SettingType::kTruthFlag, "1"};
inline constexpr SettingKey kHref{"anchor", "href", SettingType::kFlag, "1"};
inline constexpr SettingKey kName{"anchor", "name", SettingType::kFlag, "0"};
inline constexpr SettingKey kTarget{"anchor", "target", SettingType::kFlag, "0"};
inline constexpr SettingKey kTargetValue{"anchor", "TargetValue", SettingType::kChoice, "0"};
inline constexpr SettingKey kRubyString{"RUBY", "RUBYSTRING", SettingType::kWholeNumber, "0"};
inline constexpr SettingKey kChkRb{"RUBY", "CHKRB", SettingType::kWholeNumber, "0"};
inline constexpr SettingKey kRbStart{"RUBY", "RBSTART", SettingType::kText, "【"};
inline constexpr SettingKey kRbEnd{"RUBY", "RBEND", SettingType::kText, "】"};
// Which kanji need ruby: 0 every kanji; 1–6 none taught up to that school grade; 7 no jōyō
// kanji; 8 neither jōyō nor jinmeiyō kanji.
inline constexpr SettingKey kRubyLevel{"RUBY", "Level", SettingType::kChoice, "0"};
// 1: a run gets ruby only where the same text with the same reading first appears.
inline constexpr SettingKey kFirstOnly{"RUBY", "FirstOnly", SettingType::kFlag, "0"};
// 1: one ruby element per kanji where the run's reading divides over its kanji.
inline constexpr SettingKey kMono{"RUBY", "Mono", SettingType::kFlag, "0"};
inline constexpr SettingKey kTagsChecked{"TAGS", "CHECKED", SettingType::kChoice, "0"};

inline constexpr int kTagListCount = 23;
}  // namespace keys

// The key "LIST<n>" of section "TAGS" for tag catalogue entry n (0 … 22), default "0".
SettingKey TagListKey(int n);

// Every key above plus LIST0 … LIST22, in table order.
std::span<const SettingKey> AllSettingKeys();

// The key's default as text (DefaultStyleSheet() for the style sheet).
QString DefaultValue(const SettingKey& key);

}  // namespace yomika

#endif  // YOMIKA_SETTINGS_SETTING_KEYS_H_
