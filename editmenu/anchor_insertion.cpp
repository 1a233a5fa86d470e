#include "editmenu/anchor_insertion.h"

#include <optional>

#include "settings/setting_keys.h"
#include "settings/setting_readers.h"

namespace yomika {
namespace {

template <typename T>
Outcome<T> Require(const std::optional<T>& value, const SettingsStore& store,
                   const SettingKey& key) {
  if (value) return *value;
  return Failure{UnreadableSettingMessage(key, store.Get(key))};
}

}  // namespace

QString UnreadableSettingMessage(const SettingKey& key, const QString& stored_text) {
  return QStringLiteral("設定 %1 の値「%2」を数値として読めません。")
      .arg(KeyPath(key), stored_text);
}

Outcome<AnchorOptions> ReadAnchorOptions(const SettingsStore& store) {
  AnchorOptions options;
  const Outcome<bool> href = Require(ReadFlag(store, keys::kHref), store, keys::kHref);
  if (!href) return Failure{href.reason()};
  options.href = *href;
  const Outcome<bool> name = Require(ReadFlag(store, keys::kName), store, keys::kName);
  if (!name) return Failure{name.reason()};
  options.name = *name;
  const Outcome<bool> target = Require(ReadFlag(store, keys::kTarget), store, keys::kTarget);
  if (!target) return Failure{target.reason()};
  options.target = *target;
  // TargetValue matters only with a target, so a bad value there is harmless otherwise.
  if (options.target) {
    const Outcome<int> value =
        Require(ReadInt16(store, keys::kTargetValue), store, keys::kTargetValue);
    if (!value) return Failure{value.reason()};
    options.target_value = *value;
  }
  const Outcome<int> alphabet = Require(ReadInt16(store, keys::kAlphabet), store, keys::kAlphabet);
  if (!alphabet) return Failure{alphabet.reason()};
  options.upper_case = *alphabet != 0;
  return options;
}

QString AnchorText(const AnchorOptions& options, const QString& selected) {
  QString attributes;
  if (options.href) attributes += QStringLiteral(" href=\"XXXXX\"");
  if (options.name) attributes += QStringLiteral(" name=\"XXXXX\"");
  if (options.target) {
    if (options.target_value == 0) {
      attributes += QStringLiteral(" target=\"_blank\"");
    } else if (options.target_value == 1) {
      attributes += QStringLiteral(" target=\"_top\"");
    }
  }
  // The attribute texts mix cases on purpose; the whole of them follows the letter-case mode.
  if (options.upper_case) {
    return QStringLiteral("<A") + attributes.toUpper() + u'>' + selected + QStringLiteral("</A>");
  }
  return QStringLiteral("<a") + attributes.toLower() + u'>' + selected + QStringLiteral("</a>");
}

Outcome<QString> InsertAnchor(const SettingsStore& store, const QString& selected) {
  const Outcome<AnchorOptions> options = ReadAnchorOptions(store);
  if (!options) return Failure{options.reason()};
  return AnchorText(*options, selected);
}

}  // namespace yomika
