#ifndef YOMIKA_ICONMENU_MENU_METRICS_H_
#define YOMIKA_ICONMENU_MENU_METRICS_H_

// The arithmetic of the icon menus, free of widgets: splitting menu texts, the measuring rule,
// the rectangles, colours and drawing order of one item, the 3D edges and the menu-character
// rule. The widget code only carries the resulting plan out.

#include <QLine>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringView>
#include <optional>

namespace yomika::iconmenu {

// A menu text split at its first tab.
struct CaptionParts {
  QString caption;   // before the first tab, "&" marks included
  QString shortcut;  // after the first tab; "" when there is none
};

// Cuts the text at its first NUL, then splits it at the first tab.
// Example: SplitCaption("開く(&O)\tCtrl+O") == {"開く(&O)", "Ctrl+O"}.
CaptionParts SplitCaption(QStringView text);

// The character right after the first "&"; "" when there is no "&" (or it ends the caption).
// Example: AccKeyOf("新規作成(&N)") == "N".
QString AccKeyOf(QStringView caption);

// The menu text of an item as the menu shows it: the caption, then a tab and the shortcut's
// display text when there is one.
QString MenuText(const QString& caption, const QString& shortcut);

// Length of the text in code page 932 bytes; a character without a CP932 form counts one byte,
// as the replacement character it turns into does.
// Example: Cp932Length(u"ﾌｧｲﾙ") == 4, Cp932Length(u"開く") == 4.
int Cp932Length(QStringView text);

// The text an item is measured by: the caption, followed by an ideographic space (U+3000) and
// the shortcut when there is one.
QString MeasureText(const QString& caption, const QString& shortcut);

// The longest of the texts in CP932 bytes; the first of equally long ones; "" for none.
QString LongestText(const QList<QString>& texts);

// What an item's measured size is made of, besides the width of its text.
struct MeasureRule {
  int extra = 0;   // added to the text width
  int height = 0;  // the item's height
};

// Menu-bar titles: no extra width unless the title has an image (then the image cell), and
// the platform's menu-bar button height. Drop-down items: the image cell and IconHeight + 2.
MeasureRule MeasureRuleFor(bool bar, bool has_image, int icon_width, int icon_height,
                           int bar_button_height);

// What the menu itself adds to the measured width of an item it does not draw itself: the
// room of the check mark it would otherwise draw in a drop-down (which is where the caption
// moves past the image cell and the shortcut keeps its margin), and a little air around a
// title on the menu bar.
inline constexpr int kDropDownItemAllowance = 16;
inline constexpr int kBarItemAllowance = 8;

// The rectangles of one item drawn in rectangle r.
struct ItemRects {
  QRect text;  // T
  QRect fill;  // F
  QRect cell;  // C, the image cell
};

// T: r with its left edge 4 pixels in for a bar title without image, IconWidth + 6 for every
// other item. F: r, for a selected style-1 item with an image starting IconWidth + 4 in
// (only when the item is enabled). C: IconWidth + 2 by IconHeight + 2 at r's top left.
ItemRects ComputeItemRects(const QRect& r, bool bar, bool has_image, bool enabled, bool selected,
                           int style, int icon_width, int icon_height);

// The colours an item is drawn with, mapped onto the palette by the widget code.
enum class MenuColour {
  kMenu,           // menu background
  kMenuText,       // menu text
  kHighlight,      // selection background
  kHighlightText,  // selection text
  kLight,          // 3D highlight
  kDark,           // 3D shadow
  kMidlight,       // outer light of a raised edge
  kShadow,         // outer dark of a raised edge
  kBlack,
};

enum class EdgeKind {
  kRaisedInner,  // one pixel: light top and left, dark bottom and right
  kRaised,       // two pixels, raised
  kSunken,       // two pixels, sunken
};

// The lines of an edge around rectangle r (right and bottom lines on r's last pixels), in
// drawing order, outer ring first.
struct EdgeLine {
  QLine line;
  MenuColour colour;
  friend bool operator==(const EdgeLine&, const EdgeLine&) = default;
};
QList<EdgeLine> EdgeLines(const QRect& r, EdgeKind kind);

// The state of an item when it is drawn.
struct ItemState {
  bool selected = false;
  bool checked = false;
  bool disabled = false;
  bool bar = false;        // a title on the menu bar
  bool has_image = false;  // the image list has a picture under the item's key
  int style = 0;           // highlight style 0, 1 or 2
  int icon_width = 0;
  int icon_height = 0;
  int image_width = 0;  // the image list's picture size
  int image_height = 0;
};

// One step of drawing an item.
struct DrawOp {
  enum class Kind { kEdge, kFill, kText, kImage, kCheck };
  Kind kind = Kind::kFill;
  QRect rect;  // edge, fill, text and check rectangle
  EdgeKind edge = EdgeKind::kRaisedInner;
  MenuColour colour = MenuColour::kMenu;  // fill colour; the text (or check) colour
  bool enabled = true;                    // text and image: normal or disabled rendering
  QPoint at;                              // image origin
  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

// The drawing of an item in rectangle r, step by step. A disabled item gets its text and image
// in disabled rendering and nothing else (selected or not); an enabled item gets its fill,
// edges, text and image by the highlight style; a checked item then its check mark (when it
// has no image) and a sunken edge around the image cell (raised for a selected style-2 item).
QList<DrawOp> PlanItem(const QRect& r, const ItemState& state);

// Where an image goes: (C.left + 1, C.top + 1), centred in a cell larger than the images.
QPoint ImageOrigin(const QRect& cell, int icon_width, int icon_height, int image_width,
                   int image_height);

// The top of a text line of height `line_height` centred in a band, fraction dropped.
// Example: CentredLineTop(10, 18, 13) == 12.
int CentredLineTop(int band_top, int band_height, int line_height);

// Pixels between an item's right edge and the end of its shortcut text.
inline constexpr int kShortcutMargin = 12;

// One recorded item as the menu-character rule sees it.
struct MenuCharCandidate {
  const void* menu = nullptr;
  QString acc_key;
  int position = 0;
};

// The position of the item to execute for character `ch` typed in `menu`: the last candidate of
// that menu whose accelerator equals the character, ignoring case; std::nullopt for none.
std::optional<int> MenuCharPosition(const QList<MenuCharCandidate>& items, const void* menu,
                                    QStringView ch);

}  // namespace yomika::iconmenu

#endif  // YOMIKA_ICONMENU_MENU_METRICS_H_
