#ifndef YOMIKA_CLI_FILE_IO_H_
#define YOMIKA_CLI_FILE_IO_H_

// Reading the converter's inputs and writing its outputs, with messages that name the file.

#include <QByteArray>
#include <QString>
#include <optional>

#include "engine/outcome.h"

namespace yomika::cli {

// The input's name for messages: the path, or 標準入力 for "-".
QString DisplayName(const QString& input);

// Why the input cannot be read (missing, a folder, unreadable); std::nullopt when it can.
// Standard input always can.
std::optional<QString> CheckInput(const QString& input);

// The whole input: the file, or standard input for "-".
Outcome<QByteArray> ReadInputBytes(const QString& input);

// Writes the bytes to the file atomically (a failed write leaves any old file as it was),
// creating its folder; an empty output is standard output.
Status WriteOutputBytes(const QString& output, const QByteArray& bytes);

}  // namespace yomika::cli

#endif  // YOMIKA_CLI_FILE_IO_H_
