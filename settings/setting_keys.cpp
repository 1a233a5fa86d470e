#include "settings/setting_keys.h"

#include <array>

namespace yomika {
namespace {

constexpr std::array<const char*, keys::kTagListCount> kListNames = {
    "LIST0",  "LIST1",  "LIST2",  "LIST3",  "LIST4",  "LIST5",  "LIST6",  "LIST7",
    "LIST8",  "LIST9",  "LIST10", "LIST11", "LIST12", "LIST13", "LIST14", "LIST15",
    "LIST16", "LIST17", "LIST18", "LIST19", "LIST20", "LIST21", "LIST22"};

constexpr SettingKey MakeListKey(int n) {
  return SettingKey{"TAGS", kListNames[n], SettingType::kListFlag, "0"};
}

template <std::size_t... I>
constexpr auto MakeAllKeys(std::index_sequence<I...>) {
  return std::array<SettingKey, 24 + sizeof...(I)>{
      keys::kMode,        keys::kCreateColor, keys::kChkRuby,    keys::kChkString,
      keys::kAlphabet,    keys::kConvert,     keys::kClipCopy,   keys::kStyleSheet,
      keys::kTxtStyleSheet, keys::kBackcolor, keys::kTxtBackcolor, keys::kReadOnly,
      keys::kHref,        keys::kName,        keys::kTarget,     keys::kTargetValue,
      keys::kRubyString,  keys::kChkRb,       keys::kRbStart,    keys::kRbEnd,
      keys::kRubyLevel,   keys::kFirstOnly,   keys::kMono,
      keys::kTagsChecked, MakeListKey(I)...};
}

constexpr auto kAllKeys = MakeAllKeys(std::make_index_sequence<keys::kTagListCount>{});

}  // namespace

QString DefaultStyleSheet() {
  return QStringLiteral(
      "BODY {FONT-SIZE: 11pt}\r\n"
      "RUBY {FONT-SIZE: 11pt}\r\n"
      "RT   {FONT-SIZE:  7pt\r\n"
      "     ;TEXT-DECORATION: none}");
}

SettingKey TagListKey(int n) { return MakeListKey(n); }

std::span<const SettingKey> AllSettingKeys() { return kAllKeys; }

QString DefaultValue(const SettingKey& key) {
  if (key.default_value == nullptr) return DefaultStyleSheet();
  return QString::fromUtf8(key.default_value);
}

}  // namespace yomika
