#include "editmenu/tag_insertion.h"

#include "editmenu/anchor_insertion.h"
#include "settings/setting_keys.h"
#include "settings/setting_readers.h"

namespace yomika {

Outcome<LetterCase> ReadLetterCase(const SettingsStore& store) {
  const std::optional<int> alphabet = ReadInt16(store, keys::kAlphabet);
  if (!alphabet)
    return Failure{UnreadableSettingMessage(keys::kAlphabet, store.Get(keys::kAlphabet))};
  return *alphabet == 0 ? LetterCase::kLower : LetterCase::kUpper;
}

bool ReadsLetterCase(InsertionKind kind) {
  return kind != InsertionKind::kCommentWrap && kind != InsertionKind::kAnchor;
}

QString TagInsertionText(InsertionKind kind, const QString& caption, const QString& selected,
                         LetterCase letter_case) {
  const bool upper = letter_case == LetterCase::kUpper;
  switch (kind) {
    case InsertionKind::kAnchor:
      return selected;
    case InsertionKind::kCommentWrap:
      return QStringLiteral("<!-- ") + selected + QStringLiteral(" -->");
    case InsertionKind::kImageTemplate:
      return upper ? QStringLiteral("<IMG SRC=\"XXXXX\">") : QStringLiteral("<img src=\"xxxxx\">");
    case InsertionKind::kSingleTag:
      return upper ? caption : caption.toLower();
    case InsertionKind::kInputTemplate:
      return upper ? QStringLiteral("<INPUT TYPE=\"XXXXX\" NAME=\"XXXXX\" VALUE=\"XXXXX\">")
                   : QStringLiteral("<input type=\"xxxxx\" name=\"xxxxx\" value=\"xxxxx\">");
    case InsertionKind::kWrap: {
      // The closing tag is "</" plus the opening tag from its second character on.
      const QString tag = upper ? caption : caption.toLower();
      return tag + selected + QStringLiteral("</") + tag.mid(1);
    }
  }
  return selected;
}

Outcome<QString> TagInsertion(InsertionKind kind, const QString& caption, const QString& selected,
                              const SettingsStore& store) {
  if (kind == InsertionKind::kAnchor) return InsertAnchor(store, selected);
  LetterCase letter_case = LetterCase::kLower;
  if (ReadsLetterCase(kind)) {
    const Outcome<LetterCase> read = ReadLetterCase(store);
    if (!read) return Failure{read.reason()};
    letter_case = *read;
  }
  return TagInsertionText(kind, caption, selected, letter_case);
}

}  // namespace yomika
