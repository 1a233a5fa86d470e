// Feeds random texts, colours, settings, output formats and readings through the colour pass,
// the line-break conversion, segmentation, the ruby choices and document assembly. Any crash,
// sanitizer report or broken invariant is a finding.

#include <QHash>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/conversion.h"
#include "engine/output_format.h"
#include "settings/setting_keys.h"

namespace yomika {
namespace {

// Reads the fuzzer's bytes front to back; past the end it yields zeros.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  QByteArray Bytes(std::size_t n) {
    const std::size_t take = std::min(n, size_ - pos_);
    QByteArray out(reinterpret_cast<const char*>(data_ + pos_), static_cast<qsizetype>(take));
    pos_ += take;
    return out;
  }
  QByteArray Rest() { return Bytes(size_ - pos_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Setting values worth trying: valid ones, edge numbers and junk.
QString SettingText(std::uint8_t pick) {
  static const char* const kValues[] = {"0",  "1",     "2",      "3",    "-1",  "1.9", "1.5",
                                        "abc", "",     "70000",  "True", "5",   "【",  "<&>",
                                        "#FFCC00", "32767.6", "1e1", " 2 "};
  return QString::fromUtf8(kValues[pick % (sizeof(kValues) / sizeof(kValues[0]))]);
}

// Answers each lookup with random kana, sometimes empty, sometimes failing; half of the time
// with the lookup's own non-kanji characters kept, as a well-behaved service does.
class RandomReadingService final : public ReadingService {
 public:
  explicit RandomReadingService(std::uint32_t seed) : state_(seed | 1) {}
  bool Open() override { return Next() % 64 != 0; }
  std::optional<QString> GetPhonetic(const QString& text, int, int) override {
    const std::uint32_t r = Next();
    if (r % 97 == 0) return std::nullopt;
    if (r % 89 == 0) return QString();
    QString reading;
    const int length = static_cast<int>(Next() % 12);
    for (int i = 0; i < length; ++i) reading += QChar(0x3041 + Next() % 0x56);
    if (r % 2 == 0) reading += text.right(static_cast<qsizetype>(Next() % 4));
    return reading;
  }
  bool Close() override { return Next() % 128 != 0; }

 private:
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  std::uint32_t state_;
};

// Kanji aids that answer at random but within their contract: a need decided by the kanji and
// the level, a division into one non-empty part per character wherever the reading is long
// enough.
class RandomKanjiAids final : public RubyNeed, public ReadingDivider {
 public:
  bool NeedsRuby(char32_t kanji, int level) const override {
    return (kanji * 31u + static_cast<unsigned>(level)) % 3 != 0;
  }
  std::optional<std::vector<Text>> Divide(const Text& run, const Text& reading) const override {
    if (reading.size() < run.size() || reading.size() % 5 == 0) return std::nullopt;
    std::vector<Text> parts;
    std::size_t at = 0;
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
      const std::size_t spare = reading.size() - at - (run.size() - i);
      const std::size_t length = 1 + (spare > 0 ? (run[i] + at) % (spare + 1) : 0);
      parts.push_back(reading.substr(at, length));
      at += length;
    }
    parts.push_back(reading.substr(at));
    return parts;
  }
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace
}  // namespace yomika

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace yomika;
  ByteReader reader(data, size);

  QHash<QString, QString> stored;
  for (const SettingKey& key : AllSettingKeys()) {
    const std::uint8_t pick = reader.Byte();
    if (pick % 3 != 0) stored.insert(QString::fromUtf8(key.name), SettingText(pick / 3));
  }
  const EngineSettings settings = EngineSettings::ReadWith([&](const SettingKey& key) {
    return stored.value(QString::fromUtf8(key.name), DefaultValue(key));
  });

  const std::uint32_t seed = reader.Byte() | (reader.Byte() << 8) | (reader.Byte() << 16);
  const OutputFormat format = kOutputFormats[reader.Byte() % std::size(kOutputFormats)];
  const QByteArray colour_bytes = reader.Bytes(reader.Byte());
  InputText input = PlainInput(QString::fromUtf8(reader.Rest()));
  for (std::size_t i = 0; i < input.colours.size() && !colour_bytes.isEmpty(); ++i) {
    input.colours[i] = static_cast<std::uint8_t>(colour_bytes[i % colour_bytes.size()]) * 0x10101u;
  }

  RandomReadingService service(seed);
  const RandomKanjiAids aids;
  float last_progress = 0;
  const Outcome<QString> body = ConvertToBody(
      input, service, settings,
      [&](float fraction) {
        Check(fraction >= last_progress && fraction <= 0.9f);
        last_progress = fraction;
      },
      ConversionOptions{.format = format, .aids = {&aids, &aids}});
  if (!body) return 0;
  const Outcome<QString> document = OutputText(*body, settings, format, true);
  if (document) {
    const QByteArray bytes = OutputBytes(*document, format, true);
    if (format == OutputFormat::kHtml) {
      Check(bytes.startsWith("<HTML>\r\n") && bytes.endsWith("</HTML>\r\n"));
    } else if (format == OutputFormat::kHtml5) {
      Check(bytes.startsWith("<!DOCTYPE html>\r\n") && bytes.endsWith("</html>\r\n"));
    }
  }
  return 0;
}
