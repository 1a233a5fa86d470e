// Feeds random bytes the way a text file reaches the program: through the one decoder, then
// the real reading service (MeCab with IPADIC, the compound and kanji dictionaries, the
// user's reading dictionary) and the engine. Every text the decoder accepts must convert;
// a failed conversion, a crash, a sanitizer report or a broken invariant is a finding.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "encoding/text_codec.h"
#include "engine/conversion.h"
#include "engine/document.h"
#include "engine/preview_file.h"
#include "reading/mecab_reading_service.h"
#include "settings/setting_keys.h"

namespace yomika {
namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The real service, made once: loading MeCab's model takes far longer than a conversion.
ReadingService& Service() {
  static const QTemporaryDir home;
  static const std::unique_ptr<ReadingService> service = [] {
    MecabOptions options;
    // A reading dictionary of its own, so the user's file is never read.
    options.user_dictionary_path = QDir(home.path()).filePath(QStringLiteral("readings.tsv"));
    QFile file(options.user_dictionary_path);
    Check(file.open(QIODevice::WriteOnly) && file.write("漢字\tかんじ\n東京\tとうきょう\n") > 0);
    file.close();
    Outcome<std::unique_ptr<ReadingService>> created = CreateMecabReadingService(options);
    Check(created.ok());
    return std::move(created).value();
  }();
  return *service;
}

}  // namespace
}  // namespace yomika

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace yomika;
  static const EngineSettings settings = EngineSettings::ReadWith(DefaultValue);
  const DecodedInput decoded = DecodeInput(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  Check(decoded.invalid_count >= 0 && decoded.invalid_count <= decoded.text.size());
  if (decoded.encoding == InputEncoding::kBinary) {
    Check(decoded.text.isEmpty());
    return 0;
  }
  Check(!decoded.text.contains(QChar(0)));
  const Outcome<QString> body =
      ConvertToBody(PlainInput(NormaliseLineBreaks(decoded.text)), Service(), settings, {});
  Check(body.ok());
  const Outcome<QString> document = AssembleDocument(*body, settings);
  Check(document.ok());
  const QByteArray bytes = EncodePreviewDocument(*document);
  Check(bytes.startsWith("<HTML>\r\n") && bytes.endsWith("</HTML>\r\n"));
  return 0;
}
