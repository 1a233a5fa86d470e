#include "iconmenu/menu_palette.h"

namespace yomika {

QPalette MenuPalette() {
  const QColor menu(0xF0, 0xF0, 0xF0);
  QPalette palette(menu);  // derives Light, Midlight, Dark, Mid and Shadow from the menu grey
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, menu);
    palette.setColor(group, QPalette::Button, menu);
    palette.setColor(group, QPalette::WindowText, Qt::black);
    palette.setColor(group, QPalette::ButtonText, Qt::black);
    palette.setColor(group, QPalette::Text, Qt::black);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Highlight, QColor(0x00, 0x00, 0x80));
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
    palette.setColor(group, QPalette::Light, Qt::white);
    palette.setColor(group, QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    palette.setColor(group, QPalette::Dark, QColor(0xA0, 0xA0, 0xA0));
    palette.setColor(group, QPalette::Shadow, QColor(0x69, 0x69, 0x69));
  }
  palette.setColor(QPalette::Disabled, QPalette::Window, menu);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6D, 0x6D, 0x6D));
  return palette;
}

}  // namespace yomika
