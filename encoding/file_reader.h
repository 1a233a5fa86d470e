#ifndef YOMIKA_ENCODING_FILE_READER_H_
#define YOMIKA_ENCODING_FILE_READER_H_

// Reading whole files from the outside world: the text files the window opens, the
// converter's inputs, the reading dictionary and the settings file. Only regular files of a
// sane size are read, so that a FIFO, /dev/zero or a huge file cannot hang the program or
// fill its memory.

#include <QByteArray>
#include <QString>
#include <optional>

namespace yomika {

// The largest file read: 256 MiB.
inline constexpr qint64 kMaxReadFileSize = qint64{256} * 1024 * 1024;

// Reads the whole regular file `path` into `bytes` and returns std::nullopt, or returns the
// reason it cannot (without a final 。, leaving `bytes` empty): missing or unreadable, not a
// regular file (a folder, a FIFO, a device such as /dev/zero; a FIFO is never waited for),
// or larger than `limit` bytes.
// Example: ReadRegularFile("/dev/zero", bytes) == "通常のファイルではありません（デバイス）".
std::optional<QString> ReadRegularFile(const QString& path, QByteArray& bytes,
                                       qint64 limit = kMaxReadFileSize);

// Why `path` cannot be read by ReadRegularFile, judged without reading it; std::nullopt when
// it is a regular file within `limit`.
std::optional<QString> CheckRegularFile(const QString& path, qint64 limit = kMaxReadFileSize);

// Reads the open descriptor `fd` (standard input) to its end into `bytes`, as for
// ReadRegularFile: a regular file, a pipe, a socket or a terminal; any other device is
// refused, and so is more than `limit` bytes.
std::optional<QString> ReadStream(int fd, QByteArray& bytes, qint64 limit = kMaxReadFileSize);

}  // namespace yomika

#endif  // YOMIKA_ENCODING_FILE_READER_H_
