#ifndef YOMIKA_ICONMENU_ICON_MENU_STYLE_H_
#define YOMIKA_ICONMENU_ICON_MENU_STYLE_H_

// The style that measures and draws the recorded items of an icon menu: an image column
// before the caption, the caption and shortcut in the item font, the highlight by the menu's
// style number. Everything else (separators, unrecorded menus) is left to the base style.

#include <QFont>
#include <QProxyStyle>

namespace yomika {

class cIconMenu;
class cIconMenuItem;

class IconMenuStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  // `source` must outlive the style.
  explicit IconMenuStyle(const cIconMenu& source);

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;

  // The recorded item a menu or menu-bar item option stands for; null when there is none.
  const cIconMenuItem* ItemFor(const QStyleOption* option, const QWidget* widget) const;
  // The item's font: the menu's font, bold, italic and underlined as the item says.
  static QFont ItemFont(const cIconMenuItem& item, const QWidget* widget);

 private:
  QSize MeasureItem(const cIconMenuItem& item, const QStyleOption* option, const QSize& size,
                    const QWidget* widget) const;
  void DrawItem(const cIconMenuItem& item, const QStyleOption* option, QPainter* painter,
                const QWidget* widget) const;

  bool HoldsItems(const QWidget* widget) const;

  const cIconMenu& source_;
};

// Executes the last recorded item of an open drop-down whose accelerator matches a typed
// character (ignoring case); other keys go on to the menu.
class MenuCharFilter final : public QObject {
  Q_OBJECT

 public:
  MenuCharFilter(const cIconMenu& source, QObject* parent);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const cIconMenu& source_;
};

}  // namespace yomika

#endif  // YOMIKA_ICONMENU_ICON_MENU_STYLE_H_
