#include "app/qt_japanese.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace yomika {

bool InstallQtJapanese(QCoreApplication& app) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  QLocale::setDefault(japanese);
  auto* translator = new QTranslator(&app);  // owned by the application
  // qt_ja.qm names the catalogues of the Qt modules (qtbase_ja.qm …), which load with it.
  if (!translator->load(japanese, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace yomika
