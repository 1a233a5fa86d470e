#ifndef YOMIKA_EDITMENU_TAG_INSERTION_H_
#define YOMIKA_EDITMENU_TAG_INSERTION_H_

// What a tag item of the input pane's popup menu puts in place of the selection. The text
// always replaces the selection (or goes in at the caret when nothing is selected), and the
// caret ends up right after it with nothing selected.

#include <QString>

#include "engine/outcome.h"
#include "options/tag_catalogue.h"
#include "settings/settings_store.h"

namespace yomika {

enum class LetterCase { kLower, kUpper };

// Default/alphabet: 0 → lower case, any other number → upper case; fails, naming the key,
// when the stored text is not a number.
Outcome<LetterCase> ReadLetterCase(const SettingsStore& store);

// Whether inserting `kind` reads the letter-case mode (all but the comment; the anchor reads
// it among its own settings).
bool ReadsLetterCase(InsertionKind kind);

// The text for every kind except the anchor, which needs its settings (see InsertAnchor).
// `caption` is the menu item's tag, e.g. "<TABLE>"; only tag text changes case:
//   comment, "S"          → "<!-- S -->" (both cases)
//   image template         → "<img src=\"xxxxx\">" / "<IMG SRC=\"XXXXX\">"
//   single tag "<BR>"      → "<br>" / "<BR>"
//   input template         → "<input type=\"xxxxx\" name=\"xxxxx\" value=\"xxxxx\">" / upper
//   wrap "<B>", "Ab"       → "<b>Ab</b>" / "<B>Ab</B>"
// An anchor kind gives the selection unchanged; callers route it to InsertAnchor.
QString TagInsertionText(InsertionKind kind, const QString& caption, const QString& selected,
                         LetterCase letter_case);

// The text a tag item inserts, reading the settings it needs at this moment: the anchor
// settings for the anchor, the letter-case mode for every kind but the comment.
Outcome<QString> TagInsertion(InsertionKind kind, const QString& caption, const QString& selected,
                              const SettingsStore& store);

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_TAG_INSERTION_H_
