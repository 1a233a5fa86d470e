#include "iconmenu/menu_metrics.h"

#include "encoding/cp932.h"

namespace yomika::iconmenu {

CaptionParts SplitCaption(QStringView text) {
  // The text may come from a filled buffer; whatever follows a NUL is left-over.
  if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0) text = text.left(nul);
  CaptionParts parts;
  if (const qsizetype tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
    parts.caption = text.left(tab).toString();
    parts.shortcut = text.mid(tab + 1).toString();
  } else {
    parts.caption = text.toString();
  }
  return parts;
}

QString AccKeyOf(QStringView caption) {
  const qsizetype amp = caption.indexOf(QLatin1Char('&'));
  if (amp < 0 || amp + 1 >= caption.size()) return {};
  // A surrogate pair is one character.
  const qsizetype length = caption[amp + 1].isHighSurrogate() && amp + 2 < caption.size() ? 2 : 1;
  return caption.mid(amp + 1, length).toString();
}

QString MenuText(const QString& caption, const QString& shortcut) {
  return shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut;
}

int Cp932Length(QStringView text) {
  int bytes = 0;
  for (const char32_t c : text.toUcs4()) {
    const std::optional<std::uint16_t> code = cp932::CodeOf(c);
    bytes += code && *code > 0xFF ? 2 : 1;
  }
  return bytes;
}

QString MeasureText(const QString& caption, const QString& shortcut) {
  return shortcut.isEmpty() ? caption : caption + QChar(0x3000) + shortcut;
}

QString LongestText(const QList<QString>& texts) {
  QString longest;
  int longest_bytes = 0;
  for (const QString& text : texts) {
    const int bytes = Cp932Length(text);
    if (bytes > longest_bytes) {
      longest = text;
      longest_bytes = bytes;
    }
  }
  return longest;
}

MeasureRule MeasureRuleFor(bool bar, bool has_image, int icon_width, int icon_height,
                           int bar_button_height) {
  if (bar) return {has_image ? icon_width + 2 : 0, bar_button_height};
  return {icon_width + 2, icon_height + 2};
}

ItemRects ComputeItemRects(const QRect& r, bool bar, bool has_image, bool enabled, bool selected,
                           int style, int icon_width, int icon_height) {
  ItemRects rects;
  rects.text = r.adjusted(bar && !has_image ? 4 : icon_width + 6, 0, 0, 0);
  rects.fill = r;
  if (enabled && selected && has_image && style == 1) {
    rects.fill.setLeft(r.left() + icon_width + 4);
  }
  rects.cell = QRect(r.left(), r.top(), icon_width + 2, icon_height + 2);
  return rects;
}

QList<EdgeLine> EdgeLines(const QRect& r, EdgeKind kind) {
  struct Ring {
    MenuColour top_left;
    MenuColour bottom_right;
  };
  QList<Ring> rings;
  switch (kind) {
    case EdgeKind::kRaisedInner:
      rings = {{MenuColour::kLight, MenuColour::kDark}};
      break;
    case EdgeKind::kRaised:
      rings = {{MenuColour::kMidlight, MenuColour::kShadow},
               {MenuColour::kLight, MenuColour::kDark}};
      break;
    case EdgeKind::kSunken:
      rings = {{MenuColour::kDark, MenuColour::kLight},
               {MenuColour::kShadow, MenuColour::kMidlight}};
      break;
  }
  QList<EdgeLine> lines;
  QRect ring = r;
  for (const Ring& colours : rings) {
    if (ring.width() <= 0 || ring.height() <= 0) break;
    lines.append({QLine(ring.topLeft(), ring.topRight()), colours.top_left});
    lines.append({QLine(ring.topLeft(), ring.bottomLeft()), colours.top_left});
    lines.append({QLine(ring.bottomLeft(), ring.bottomRight()), colours.bottom_right});
    lines.append({QLine(ring.topRight(), ring.bottomRight()), colours.bottom_right});
    ring.adjust(1, 1, -1, -1);
  }
  return lines;
}

QPoint ImageOrigin(const QRect& cell, int icon_width, int icon_height, int image_width,
                   int image_height) {
  QPoint at(cell.left() + 1, cell.top() + 1);
  if (image_width < icon_width) at.rx() += (icon_width - image_width) / 2;
  if (image_height < icon_height) at.ry() += (icon_height - image_height) / 2;
  return at;
}

int CentredLineTop(int band_top, int band_height, int line_height) {
  return band_top + (band_height - line_height) / 2;
}

QList<DrawOp> PlanItem(const QRect& r, const ItemState& s) {
  using Kind = DrawOp::Kind;
  const bool enabled = !s.disabled;
  const ItemRects rects = ComputeItemRects(r, s.bar, s.has_image, enabled, s.selected, s.style,
                                           s.icon_width, s.icon_height);
  const QPoint image_at =
      ImageOrigin(rects.cell, s.icon_width, s.icon_height, s.image_width, s.image_height);
  QList<DrawOp> ops;
  // The colour a check mark takes: the text colour the item's text left behind.
  MenuColour check_colour = MenuColour::kMenuText;
  if (s.disabled) {
    ops.append({Kind::kText, rects.text, {}, MenuColour::kLight, false, {}});
    if (s.has_image) ops.append({Kind::kImage, {}, {}, {}, false, image_at});
  } else {
    MenuColour back = MenuColour::kBlack;
    MenuColour fore = MenuColour::kBlack;
    // An unselected item is filled with the surface's background, the menu colour.
    MenuColour fill = MenuColour::kMenu;
    if (s.selected) {
      if (s.bar || s.style == 2) {
        back = MenuColour::kMenu;
        fore = MenuColour::kMenuText;
      } else {
        back = MenuColour::kHighlight;
        fore = MenuColour::kHighlightText;
      }
      if (s.has_image && s.style == 1) {
        ops.append({Kind::kEdge, rects.cell, EdgeKind::kRaisedInner, {}, true, {}});
      }
      fill = back;
    }
    ops.append({Kind::kFill, rects.fill, {}, fill, true, {}});
    if (s.style == 2 && s.selected) {
      ops.append({Kind::kEdge, rects.fill, EdgeKind::kRaisedInner, {}, true, {}});
    }
    ops.append({Kind::kText, rects.text, {}, fore, true, {}});
    if (s.has_image) ops.append({Kind::kImage, {}, {}, {}, true, image_at});
    if (s.bar && s.selected) {
      ops.append({Kind::kEdge, rects.fill, EdgeKind::kRaisedInner, {}, true, {}});
    }
    check_colour = fore;
  }
  if (s.checked) {
    if (!s.has_image) ops.append({Kind::kCheck, rects.cell, {}, check_colour, enabled, {}});
    const EdgeKind edge = s.style == 2 && s.selected ? EdgeKind::kRaised : EdgeKind::kSunken;
    ops.append({Kind::kEdge, rects.cell, edge, {}, enabled, {}});
  }
  return ops;
}

std::optional<int> MenuCharPosition(const QList<MenuCharCandidate>& items, const void* menu,
                                    QStringView ch) {
  std::optional<int> position;
  if (ch.isEmpty()) return position;
  const QString upper = ch.toString().toUpper();
  for (const MenuCharCandidate& item : items) {
    if (item.menu == menu && !item.acc_key.isEmpty() && item.acc_key.toUpper() == upper) {
      position = item.position;
    }
  }
  return position;
}

}  // namespace yomika::iconmenu
