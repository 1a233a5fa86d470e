#ifndef YOMIKA_EDITMENU_ANCHOR_INSERTION_H_
#define YOMIKA_EDITMENU_ANCHOR_INSERTION_H_

// The anchor that the popup menu's "<A>" item wraps around the input pane's selection. Which
// attributes it carries comes from the "anchor" settings; the values are placeholders the
// user replaces by hand.

#include <QString>

#include "engine/outcome.h"
#include "settings/settings_store.h"

namespace yomika {

// The choices one anchor is built from, as the settings give them.
struct AnchorOptions {
  bool href = true;         // anchor/href equals 1
  bool name = false;        // anchor/name equals 1
  bool target = false;      // anchor/target equals 1
  int target_value = 0;     // anchor/TargetValue: 0 _blank, 1 _top, other: no target
  bool upper_case = false;  // Default/alphabet is not 0
};

// Reads the keys in the order href, name, target, TargetValue (only when target is on),
// alphabet. Fails on the first stored text that is not a number, naming the key:
// href = "abc" → "設定 anchor/href の値「abc」を数値として読めません。".
Outcome<AnchorOptions> ReadAnchorOptions(const SettingsStore& store);

// The anchor around `selected`; only the tag text changes case, never `selected`.
// Defaults + "S" → "<a href=\"xxxxx\">S</a>"; all on, TargetValue 1, upper case + "S" →
// "<A HREF=\"XXXXX\" NAME=\"XXXXX\" TARGET=\"_TOP\">S</A>".
QString AnchorText(const AnchorOptions& options, const QString& selected);

// ReadAnchorOptions, then AnchorText: the text that replaces the selection.
Outcome<QString> InsertAnchor(const SettingsStore& store, const QString& selected);

// "設定 <section>/<key> の値「<text>」を数値として読めません。"
QString UnreadableSettingMessage(const SettingKey& key, const QString& stored_text);

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_ANCHOR_INSERTION_H_
