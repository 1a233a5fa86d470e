#ifndef YOMIKA_APP_QT_JAPANESE_H_
#define YOMIKA_APP_QT_JAPANESE_H_

// Qt's own words (file dialogs, message-box buttons, the menus of text fields) in Japanese,
// whatever the locale: the program's interface is Japanese everywhere.

#include <QCoreApplication>

namespace yomika {

// Makes Japanese the default locale and installs Qt's Japanese translation (qt_ja.qm from
// Qt's translations folder, Debian's qt6-translations-l10n) on `app`. False when the
// translation is not installed; Qt's words then stay English.
bool InstallQtJapanese(QCoreApplication& app);

}  // namespace yomika

#endif  // YOMIKA_APP_QT_JAPANESE_H_
