#include "reading/second_opinion.h"

#include <mecab.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// JUMAN features: part of speech (2 fields), conjugation type and form, base form, reading.
constexpr std::size_t kReadingField = 5;

// The reading field of a JUMAN feature string in hiragana; empty when there is none or it is
// not kana.
Text ReadingField(const char* feature) {
  const std::string_view all(feature);
  std::size_t start = 0;
  for (std::size_t field = 0; field < kReadingField; ++field) {
    start = all.find(',', start);
    if (start == std::string_view::npos) return {};
    ++start;
  }
  const std::size_t end = all.find(',', start);
  const std::string_view bytes = all.substr(start, end == std::string_view::npos ? all.npos
                                                                                  : end - start);
  Text reading = FoldToHiragana(ToText(QString::fromUtf8(bytes.data(),
                                                         static_cast<qsizetype>(bytes.size()))));
  for (const char32_t c : reading) {
    if (!IsKana(c)) return {};
  }
  return reading;
}

}  // namespace

SecondOpinion::SecondOpinion(QString dictionary_folder) : folder_(std::move(dictionary_folder)) {}

SecondOpinion::~SecondOpinion() = default;

bool SecondOpinion::LoadOnce() {
  if (tried_) return lattice_ != nullptr;
  tried_ = true;
  if (folder_.isEmpty() || !QFileInfo(QDir(folder_).filePath(QStringLiteral("sys.dic"))).isFile()) {
    return false;
  }
  // As for the first analyser: no rc file, the dictionary named explicitly.
  std::array<std::string, 5> args = {"yomika", "-r", "/dev/null", "-d",
                                     QFile::encodeName(folder_).toStdString()};
  std::array<char*, 5> argv{};
  for (std::size_t i = 0; i < args.size(); ++i) argv[i] = args[i].data();
  model_.reset(MeCab::createModel(static_cast<int>(argv.size()), argv.data()));
  if (!model_) return false;
  tagger_.reset(model_->createTagger());
  lattice_.reset(model_->createLattice());
  if (!tagger_ || !lattice_) lattice_.reset();
  return lattice_ != nullptr;
}

void SecondOpinion::Analyse(const Text& text) {
  analysed_ = text;
  words_.clear();
  const QByteArray utf8 = ToQString(text).toUtf8();
  MeCab::Lattice& lattice = *lattice_;
  lattice.set_request_type(MECAB_ONE_BEST);
  lattice.set_sentence(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  if (!tagger_->parse(&lattice)) return;
  const char* const sentence = lattice.sentence();
  // Byte offsets to character positions: nodes come in text order.
  std::size_t byte = 0;
  std::size_t position = 0;
  const auto advance_to = [&](std::size_t target) {
    for (; byte < target; ++byte) {
      if ((static_cast<unsigned char>(utf8[static_cast<qsizetype>(byte)]) & 0xC0) != 0x80) {
        ++position;
      }
    }
  };
  for (const MeCab::Node* node = lattice.bos_node(); node; node = node->next) {
    if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
    const std::size_t begin_byte = static_cast<std::size_t>(node->surface - sentence);
    advance_to(begin_byte);
    const std::size_t begin = position;
    advance_to(begin_byte + node->length);
    Text reading = node->stat == MECAB_NOR_NODE ? ReadingField(node->feature) : Text();
    // JUMAN lists some words once per reading at the same cost (人: ひと, じん); the analysis
    // then picks one blindly, which is no opinion.
    for (const MeCab::Node* other = lattice.begin_nodes(begin_byte); other && !reading.empty();
         other = other->bnext) {
      if (other != node && other->length == node->length && other->cost == node->cost &&
          other->stat == MECAB_NOR_NODE && ReadingField(other->feature) != reading) {
        reading.clear();
      }
    }
    words_.push_back({begin, position, std::move(reading)});
  }
}

std::optional<Text> SecondOpinion::ReadingOf(const Text& text, std::size_t begin,
                                             std::size_t end) {
  if (begin >= end || end > text.size() || !LoadOnce()) return std::nullopt;
  if (text != analysed_ || words_.empty()) Analyse(text);
  Text reading;
  bool started = false;
  for (const Word& word : words_) {
    if (word.end <= begin) continue;
    if (!started && word.begin != begin) return std::nullopt;
    started = true;
    if (word.reading.empty() || word.end > end) return std::nullopt;
    reading += word.reading;
    if (word.end == end) return reading;
  }
  return std::nullopt;
}

}  // namespace yomika
