#ifndef YOMIKA_COLOURDIALOG_NAMED_COLOURS_H_
#define YOMIKA_COLOURDIALOG_NAMED_COLOURS_H_

// The named colours offered by the text colour dialog: 140 rows of the form "#RRGGBB name", in
// the order the list shows them (not sorted). The rows are exactly as the dialog lists them, including
// two irregular ones: "#94OOD3 darkviolet" carries capital letters O in its
// green pair (so its green reads as 0, see HexPairValue) and "#FFDEAD novajowhite" is spelled
// that way. Two codes appear twice under different names (cyan/aqua, magenta/fuchsia).

#include <QString>
#include <QStringView>
#include <span>
#include <string_view>

namespace yomika {

inline constexpr int kNamedColourCount = 140;

// All rows in list order, each "#" + six characters + one blank + name, e.g. "#000080 navy".
std::span<const std::string_view> NamedColourRows();

// The row as list text. Example: NamedColourRowText(1) == "#000080 navy". Empty for an index
// outside 0..139.
QString NamedColourRowText(int index);

// The first seven characters of a row as they stand. Example: "#94OOD3 darkviolet" -> "#94OOD3".
QStringView NamedColourCode(QStringView row);

// The name after the blank. Example: "#FFDEAD novajowhite" -> "novajowhite".
QStringView NamedColourName(QStringView row);

}  // namespace yomika

#endif  // YOMIKA_COLOURDIALOG_NAMED_COLOURS_H_
