#ifndef YOMIKA_ENCODING_FILE_ERRORS_H_
#define YOMIKA_ENCODING_FILE_ERRORS_H_

// The reasons a file could not be read or written, in the words the user sees.

#include <QString>

namespace yomika {

// The reason for a failed system call on a file, from its errno value, without a final 。.
// Example: DescribeFileError(ENOSPC) == "ディスクがいっぱいです".
QString DescribeFileError(int error_number);

}  // namespace yomika

#endif  // YOMIKA_ENCODING_FILE_ERRORS_H_
