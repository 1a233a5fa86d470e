#ifndef YOMIKA_ENCODING_EUC_JP_H_
#define YOMIKA_ENCODING_EUC_JP_H_

// EUC-JP decoding. JIS X 0208 (with the NEC row 13) goes through the code page 932 table, so
// a character reads the same whichever of the two encodings a file uses; JIS X 0212 (the
// three-byte form) goes through Qt's ICU converter when there is one.

#include <QByteArrayView>
#include <QString>

namespace yomika::euc_jp {

// Decodes EUC-JP bytes; every byte sequence that is no character becomes one U+FFFD, counted
// in *invalid. Example: "\xB4\xC1\xA4\xA2" → 漢あ; "\xB4" → U+FFFD with one invalid.
QString Decode(QByteArrayView bytes, qsizetype* invalid);

}  // namespace yomika::euc_jp

#endif  // YOMIKA_ENCODING_EUC_JP_H_
