#ifndef YOMIKA_COLOURDIALOG_QSTRING_PRINTER_H_
#define YOMIKA_COLOURDIALOG_QSTRING_PRINTER_H_

// Lets GoogleTest print QString values as readable text in failure messages.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

#endif  // YOMIKA_COLOURDIALOG_QSTRING_PRINTER_H_
