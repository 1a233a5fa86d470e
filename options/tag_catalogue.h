#ifndef YOMIKA_OPTIONS_TAG_CATALOGUE_H_
#define YOMIKA_OPTIONS_TAG_CATALOGUE_H_

// The fixed, ordered catalogue of the 23 HTML tags the input pane's popup menu can insert.
// An entry's 0-based position is its identity everywhere: the index of its popup menu item,
// its line in the options dialog's tag list and the n of its settings key TAGS/LIST<n>.

#include <QString>
#include <QStringList>
#include <span>

namespace yomika {

// How the popup menu inserts an entry's tag into the input pane.
enum class InsertionKind {
  kAnchor,         // the selection is wrapped in an anchor built from the "anchor" settings
  kCommentWrap,    // the selection is wrapped in an HTML comment; letter case never applies
  kImageTemplate,  // the selection is replaced by a fixed image tag
  kSingleTag,      // the selection is replaced by the tag itself
  kInputTemplate,  // the selection is replaced by a fixed input tag
  kWrap,           // the selection is wrapped in the tag and its closing tag
};

struct TagEntry {
  const char* tag;          // menu caption, upper case, UTF-8: "<TABLE>"
  const char* description;  // Japanese description, UTF-8: "テーブル"
  InsertionKind kind;
};

// Width of the tag column of a list text; the description starts at character 15.
inline constexpr int kTagColumnWidth = 14;
inline constexpr int kTagCatalogueSize = 23;

// The 23 entries in catalogue order.
std::span<const TagEntry> TagCatalogue();

// The entry's tag as text: "<!-- -->".
QString TagText(const TagEntry& entry);
// The tag padded with blanks to 14 characters, then the description:
// "<TABLE>" + "テーブル" → "<TABLE>       テーブル".
QString ListText(const TagEntry& entry);
// True for the kinds that replace the selection (entries 2, 3, 4, 16); the popup menu offers
// them only when nothing is selected.
bool ReplacesSelection(InsertionKind kind);

// The captions of the popup menu's tag items, item n = tag of entry n (23 strings).
QStringList TagMenuCaptions();
// The 23 list texts in catalogue order.
QStringList TagListTexts();
// Empties `lines` and appends the 23 list texts; calling it twice still leaves 23 lines.
void FillTagList(QStringList& lines);

}  // namespace yomika

#endif  // YOMIKA_OPTIONS_TAG_CATALOGUE_H_
