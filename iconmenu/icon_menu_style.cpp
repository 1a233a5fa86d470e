#include "iconmenu/icon_menu_style.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionMenuItem>

#include "iconmenu/c_icon_menu.h"
#include "iconmenu/image_list.h"
#include "iconmenu/menu_metrics.h"

namespace yomika {
namespace {

using iconmenu::DrawOp;
using iconmenu::MenuColour;

QColor ColourOf(MenuColour colour, const QPalette& palette) {
  switch (colour) {
    case MenuColour::kMenu:
      return palette.color(QPalette::Window);
    case MenuColour::kMenuText:
      return palette.color(QPalette::WindowText);
    case MenuColour::kHighlight:
      return palette.color(QPalette::Highlight);
    case MenuColour::kHighlightText:
      return palette.color(QPalette::HighlightedText);
    case MenuColour::kLight:
      return palette.color(QPalette::Light);
    case MenuColour::kDark:
      return palette.color(QPalette::Dark);
    case MenuColour::kMidlight:
      return palette.color(QPalette::Midlight);
    case MenuColour::kShadow:
      return palette.color(QPalette::Shadow);
    case MenuColour::kBlack:
      return QColor(Qt::black);
  }
  return QColor(Qt::black);
}

constexpr int kLineFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;

// One line of text, vertically centred in `band`, then moved by `lift` pixels up.
void DrawLine(QPainter* painter, const QRect& band, Qt::Alignment align, const QString& text,
              int lift) {
  const int line_height = painter->fontMetrics().height();
  const QRect line(band.left(),
                   iconmenu::CentredLineTop(band.top(), band.height(), line_height) - lift,
                   band.width(), line_height);
  painter->drawText(line, static_cast<int>(align | Qt::AlignVCenter) | kLineFlags, text);
}

void DrawTexts(QPainter* painter, const cIconMenuItem& item, const QRect& rect, int lift) {
  if (!item.Caption().isEmpty()) DrawLine(painter, rect, Qt::AlignLeft, item.Caption(), lift);
  if (!item.ShortCut().isEmpty()) {
    DrawLine(painter, rect.adjusted(0, 0, -iconmenu::kShortcutMargin, 0), Qt::AlignRight,
             item.ShortCut(), lift);
  }
}

void DrawItemText(QPainter* painter, const cIconMenuItem& item, const QRect& rect, bool enabled,
                  const QColor& fore, const QPalette& palette, const QFont& font) {
  painter->setFont(font);
  painter->setPen(enabled ? fore : ColourOf(MenuColour::kLight, palette));
  DrawTexts(painter, item, rect, 0);
  if (!enabled) {
    // The shadow: the rectangle grown by one pixel to the left (so the caption moves left and
    // the right-aligned shortcut stays), and the lines one pixel higher. Re-centring in a
    // band one pixel taller would move them by half a pixel, which rounds away.
    painter->setPen(ColourOf(MenuColour::kDark, palette));
    DrawTexts(painter, item, rect.adjusted(-1, 0, 0, 0), 1);
  }
}

void DrawEdge(QPainter* painter, const QRect& rect, iconmenu::EdgeKind kind,
              const QPalette& palette) {
  for (const iconmenu::EdgeLine& line : iconmenu::EdgeLines(rect, kind)) {
    painter->setPen(ColourOf(line.colour, palette));
    painter->drawLine(line.line);
  }
}

void DrawCheckGlyph(QPainter* painter, const QRect& cell, const QColor& fore,
                    const QPalette& palette) {
  painter->fillRect(cell, ColourOf(MenuColour::kMenu, palette));
  const double w = cell.width();
  const double h = cell.height();
  QPainterPath tick;
  tick.moveTo(cell.left() + w * 0.28, cell.top() + h * 0.50);
  tick.lineTo(cell.left() + w * 0.44, cell.top() + h * 0.66);
  tick.lineTo(cell.left() + w * 0.74, cell.top() + h * 0.32);
  painter->setPen(QPen(fore, 2));
  painter->setBrush(Qt::NoBrush);
  painter->drawPath(tick);
}

}  // namespace

IconMenuStyle::IconMenuStyle(const cIconMenu& source) : source_(source) {}

QFont IconMenuStyle::ItemFont(const cIconMenuItem& item, const QWidget* widget) {
  QFont font = widget != nullptr ? widget->font() : QFont();
  if (item.FontBold()) font.setWeight(QFont::Bold);
  font.setItalic(item.FontItalic());
  font.setUnderline(item.FontUnderline());
  return font;
}

const cIconMenuItem* IconMenuStyle::ItemFor(const QStyleOption* option,
                                            const QWidget* widget) const {
  const auto* menu_option = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (menu_option == nullptr || widget == nullptr ||
      menu_option->menuItemType == QStyleOptionMenuItem::Separator) {
    return nullptr;
  }
  // The option carries the menu text only; the action with that caption in this menu holds
  // the item's number.
  const QString caption = iconmenu::SplitCaption(menu_option->text).caption;
  for (const QAction* action : widget->actions()) {
    if (action->isSeparator() || action->text() != caption) continue;
    const int index = cIconMenu::RecordedIndex(action);
    if (index < 0) continue;
    const cIconMenuItem* item = source_.IconMenuItems().Item(source_.GetIDtoKey(index));
    if (item != nullptr && item->hMenu() == widget) return item;
  }
  return nullptr;
}

QSize IconMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const {
  if (type == CT_MenuItem || type == CT_MenuBarItem) {
    if (const cIconMenuItem* item = ItemFor(option, widget)) {
      return MeasureItem(*item, option, size, widget);
    }
  }
  const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
  const auto* menu_option = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type == CT_MenuItem && menu_option != nullptr &&
      menu_option->menuItemType == QStyleOptionMenuItem::Separator && HoldsItems(widget)) {
    // A separator of an icon menu keeps its height but sets no minimum width, so the widest
    // item alone sets the width of the menu. (An empty size would drop it from the layout.)
    return {1, base.height()};
  }
  return base;
}

bool IconMenuStyle::HoldsItems(const QWidget* widget) const {
  const IconMenuItemCollection& items = source_.IconMenuItems();
  for (int i = 0; i < items.Count(); ++i) {
    if (items.At(i).hMenu() == widget) return true;
  }
  return false;
}

QSize IconMenuStyle::MeasureItem(const cIconMenuItem& item, const QStyleOption* option,
                                 const QSize& size, const QWidget* widget) const {
  const bool bar = item.hMenu() == static_cast<const QObject*>(source_.hMenu());
  const bool has_image = source_.GetImageIndex(item.Key()) != -1;
  QString text;
  int bar_height = 0;
  if (bar) {
    text = iconmenu::MeasureText(item.Caption(), item.ShortCut());
    bar_height = QProxyStyle::sizeFromContents(CT_MenuBarItem, option, size, widget).height();
  } else {
    QList<QString> texts;
    const IconMenuItemCollection& items = source_.IconMenuItems();
    for (int i = 0; i < items.Count(); ++i) {
      const cIconMenuItem& other = items.At(i);
      if (other.hMenu() == item.hMenu()) {
        texts.append(iconmenu::MeasureText(other.Caption(), other.ShortCut()));
      }
    }
    text = iconmenu::LongestText(texts);
  }
  const iconmenu::MeasureRule rule = iconmenu::MeasureRuleFor(bar, has_image, source_.IconWidth(),
                                                              source_.IconHeight(), bar_height);
  const QFontMetrics metrics(ItemFont(item, widget));
  int width = metrics.boundingRect(QRect(), kLineFlags, text).width() + rule.extra +
              (bar ? iconmenu::kBarItemAllowance : iconmenu::kDropDownItemAllowance);
  if (const auto* menu = qobject_cast<const QMenu*>(widget)) {
    // The menu adds a column for the shortcuts after asking for the item sizes; the measured
    // width already holds them, so that column is taken back out here.
    int shortcut_column = 0;
    for (const QAction* action : menu->actions()) {
      const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
      if (!action->isSeparator() && !shortcut.isEmpty()) {
        shortcut_column = qMax(shortcut_column, menu->fontMetrics().horizontalAdvance(shortcut));
      }
    }
    width -= shortcut_column;
  }
  return {width, rule.height};
}

void IconMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  if (element == CE_MenuItem || element == CE_MenuBarItem) {
    if (const cIconMenuItem* item = ItemFor(option, widget)) {
      DrawItem(*item, option, painter, widget);
      return;
    }
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

void IconMenuStyle::DrawItem(const cIconMenuItem& item, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const {
  const auto* menu_option = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  const ImageList* images = source_.MenuDefaultImage();
  const int image = source_.GetImageIndex(item.Key());
  iconmenu::ItemState state;
  state.selected = option->state.testFlag(State_Selected);
  state.disabled = !option->state.testFlag(State_Enabled);
  state.checked =
      menu_option->checkType != QStyleOptionMenuItem::NotCheckable && menu_option->checked;
  state.bar = item.hMenu() == static_cast<const QObject*>(source_.hMenu());
  state.has_image = image != -1;
  state.style = source_.Style();
  state.icon_width = source_.IconWidth();
  state.icon_height = source_.IconHeight();
  if (images != nullptr) {
    state.image_width = images->ImageSize().width();
    state.image_height = images->ImageSize().height();
  }
  const QPalette& palette = option->palette;
  const QFont font = ItemFont(item, widget);

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  for (const DrawOp& op : iconmenu::PlanItem(option->rect, state)) {
    switch (op.kind) {
      case DrawOp::Kind::kEdge:
        DrawEdge(painter, op.rect, op.edge, palette);
        break;
      case DrawOp::Kind::kFill:
        painter->fillRect(op.rect, ColourOf(op.colour, palette));
        break;
      case DrawOp::Kind::kText:
        DrawItemText(painter, item, op.rect, op.enabled, ColourOf(op.colour, palette), palette,
                     font);
        break;
      case DrawOp::Kind::kImage: {
        QPixmap picture = images != nullptr ? images->Image(image + 1) : QPixmap();
        if (picture.isNull()) break;
        if (!op.enabled) picture = generatedIconPixmap(QIcon::Disabled, picture, option);
        painter->drawPixmap(QRect(op.at, QSize(state.image_width, state.image_height)), picture);
        break;
      }
      case DrawOp::Kind::kCheck:
        DrawCheckGlyph(painter, op.rect, ColourOf(op.colour, palette), palette);
        break;
    }
  }
  painter->restore();
}

MenuCharFilter::MenuCharFilter(const cIconMenu& source, QObject* parent)
    : QObject(parent), source_(source) {}

bool MenuCharFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* menu = qobject_cast<QMenu*>(watched);
  if (menu == nullptr) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  if (text.isEmpty() || !text.at(0).isPrint() ||
      (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    return false;
  }
  QList<iconmenu::MenuCharCandidate> candidates;
  const IconMenuItemCollection& items = source_.IconMenuItems();
  for (int i = 0; i < items.Count(); ++i) {
    const cIconMenuItem& item = items.At(i);
    candidates.append({item.hMenu(), item.AccKey(), item.Position()});
  }
  const std::optional<int> position =
      iconmenu::MenuCharPosition(candidates, static_cast<QObject*>(menu), text);
  if (!position) return false;
  QAction* action = menu->actions().value(*position);
  if (action == nullptr || !action->isEnabled()) return true;
  // Return on the active item runs it the way the menu runs any item: menus closed first.
  menu->setActiveAction(action);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(menu, &enter);
  return true;
}

}  // namespace yomika
