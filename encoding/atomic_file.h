#ifndef YOMIKA_ENCODING_ATOMIC_FILE_H_
#define YOMIKA_ENCODING_ATOMIC_FILE_H_

// The one writer of every file the program writes: the preview file, text files, the
// converter's output and the reading dictionary.

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace yomika {

// Replaces the file at `path` with `bytes` all at once and returns std::nullopt, or returns
// the reason it could not (without a final 。, e.g. "ディスクがいっぱいです"), leaving any
// previous file exactly as it was. The bytes go unbuffered into a new file beside the target,
// are flushed to the disk, and only then is the new file renamed over the target, so a full
// disk, a file size limit or a crash never leaves half a file. A symbolic link is followed and
// stays a link; an existing file keeps its permissions. The target must be a regular file or
// absent; its folder must exist. The first call makes the process ignore SIGXFSZ, so that a
// file size limit shows as this function's failure rather than ending the program.
std::optional<QString> WriteFileAtomically(const QString& path, QByteArrayView bytes);

}  // namespace yomika

#endif  // YOMIKA_ENCODING_ATOMIC_FILE_H_
