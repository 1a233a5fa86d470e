#include "reading/second_opinion.h"

#include <mecab.h>
#include <sys/mman.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
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

constexpr std::size_t kContext = 4;
// The dictionary's pages that analyses touched (about 400 kB each: the kernel maps 64 kB
// around each page read) are let go after this many analyses, which bounds what they add to
// the process's memory to about 25 MB.
constexpr int kAnalysesBetweenReleases = 64;

bool EndsClause(char32_t c) {
  return c == U'。' || c == U'、' || c == U'！' || c == U'？' || c == U'!' || c == U'?' ||
         c == U'\n' || c == U'「' || c == U'」';
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
  if (!tagger_ || !lattice_) {
    lattice_.reset();
    return false;
  }
  FindMappings();
  return true;
}

void SecondOpinion::FindMappings() {
  // MeCab maps the dictionary's files; /proc/self/maps tells where.
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  const QString folder = QDir(folder_).canonicalPath() + QLatin1Char('/');
  QTextStream lines(&maps);
  for (QString line = lines.readLine(); !line.isNull(); line = lines.readLine()) {
    const qsizetype path = line.indexOf(QLatin1Char('/'));
    if (path < 0 || !line.mid(path).startsWith(folder)) continue;
    const QStringList range = line.left(line.indexOf(QLatin1Char(' '))).split(QLatin1Char('-'));
    bool ok_begin = false;
    bool ok_end = false;
    const quintptr begin = range.value(0).toULongLong(&ok_begin, 16);
    const quintptr end = range.value(1).toULongLong(&ok_end, 16);
    if (ok_begin && ok_end && begin < end) mappings_.emplace_back(begin, end - begin);
  }
}

void SecondOpinion::ReleasePages() {
  // The pages stay in the page cache; only this process stops counting them, and a later
  // analysis maps them again at the cost of a minor fault.
  for (const auto& [begin, length] : mappings_) {
    madvise(reinterpret_cast<void*>(begin), length, MADV_DONTNEED);
  }
}

void SecondOpinion::Analyse(const Text& text) {
  // JUMAN's dictionary is large and each analysis touches pages all over it: left mapped, they
  // would add up to much of its 136 MB in this process's memory on a long text.
  if (++analyses_ % kAnalysesBetweenReleases == 0) ReleasePages();
  analysed_ = text;
  words_.clear();
  utf8_ = ToQString(text).toUtf8();
  MeCab::Lattice& lattice = *lattice_;
  lattice.set_request_type(MECAB_ONE_BEST);
  lattice.set_sentence(utf8_.constData(), static_cast<std::size_t>(utf8_.size()));
  if (!tagger_->parse(&lattice)) return;
  const char* const sentence = lattice.sentence();
  // Byte offsets to character positions: nodes come in text order.
  std::size_t byte = 0;
  std::size_t position = 0;
  const auto advance_to = [&](std::size_t target) {
    for (; byte < target; ++byte) {
      if ((static_cast<unsigned char>(utf8_[static_cast<qsizetype>(byte)]) & 0xC0) != 0x80) {
        ++position;
      }
    }
  };
  for (const MeCab::Node* node = lattice.bos_node(); node; node = node->next) {
    if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
    advance_to(static_cast<std::size_t>(node->surface - sentence));
    const std::size_t begin = position;
    advance_to(static_cast<std::size_t>(node->surface - sentence) + node->length);
    words_.push_back({begin, position, node});
  }
}

Text SecondOpinion::ReadingOfNode(const MeCab::Node* node) {
  if (node->stat != MECAB_NOR_NODE) return {};
  const Text reading = ReadingField(node->feature);
  // JUMAN lists some words once per reading at the same cost (人: ひと, じん); the analysis
  // then picks one blindly, which is no opinion.
  const std::size_t at = static_cast<std::size_t>(node->surface - lattice_->sentence());
  for (const MeCab::Node* other = lattice_->begin_nodes(at); other && !reading.empty();
       other = other->bnext) {
    if (other != node && other->length == node->length && other->cost == node->cost &&
        other->stat == MECAB_NOR_NODE && ReadingField(other->feature) != reading) {
      return {};
    }
  }
  return reading;
}

std::optional<Text> SecondOpinion::ReadingOf(const Text& text, std::size_t begin,
                                             std::size_t end) {
  if (begin >= end || end > text.size() || !LoadOnce()) return std::nullopt;
  // The clause around the word is analysed, up to kContext characters each side: what lies
  // beyond hardly changes the analysis there, and every character analysed brings more of the
  // dictionary into memory.
  std::size_t from = begin;
  while (from > 0 && begin - from < kContext && !EndsClause(text[from - 1])) --from;
  std::size_t to = end;
  while (to < text.size() && to - end < kContext && !EndsClause(text[to])) ++to;
  const std::u32string_view clause = std::u32string_view(text).substr(from, to - from);
  if (clause != analysed_ || words_.empty()) Analyse(Text(clause));
  begin -= from;
  end -= from;
  Text reading;
  bool started = false;
  for (const Word& word : words_) {
    if (word.end <= begin) continue;
    if (!started && word.begin != begin) return std::nullopt;
    started = true;
    if (word.end > end) return std::nullopt;
    // Only the words asked about are read: JUMAN's features are long, and reading every
    // word's would bring much of its dictionary into memory.
    const Text own = ReadingOfNode(word.node);
    if (own.empty()) return std::nullopt;
    reading += own;
    if (word.end == end) return reading;
  }
  return std::nullopt;
}

}  // namespace yomika
