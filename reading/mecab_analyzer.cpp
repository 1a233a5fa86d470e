#include "reading/mecab_analyzer.h"

#include <mecab.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "reading/lattice_answers.h"
#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// The dictionary's features are valid UTF-8 (the probe at load time checks the charset);
// decoding them directly keeps the per-word cost low.
Text DecodeUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    if (i + extra >= bytes.size()) {
      out += U'\uFFFD';
      break;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
      c = (c << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    }
    out += c;
    i += extra + 1;
  }
  return out;
}

// IPADIC features: part of speech (3 fields), conjugation type and form, base form, reading,
// pronunciation.
constexpr std::size_t kConjugationTypeField = 4;
constexpr std::size_t kBaseFormField = 6;
constexpr std::size_t kReadingField = 7;

struct Features {
  std::string_view part_of_speech;
  std::string_view word_class;  // the first two fields
  std::string_view conjugation_form;
  std::string_view reading;
  std::string_view base_form;  // only for conjugated words
};

Features SplitFeatures(std::string_view feature) {
  Features out;
  std::size_t field = 0;
  std::size_t start = 0;
  bool conjugated = true;
  for (std::size_t i = 0; i <= feature.size(); ++i) {
    if (i < feature.size() && feature[i] != ',') continue;
    if (field == 1) out.word_class = feature.substr(0, i);
    if (field == 2) out.part_of_speech = feature.substr(0, i);
    if (field == kConjugationTypeField + 1) out.conjugation_form = feature.substr(start, i - start);
    if (field == kConjugationTypeField && feature.substr(start, i - start) == "*") {
      conjugated = false;
    }
    if (field == kBaseFormField && conjugated) out.base_form = feature.substr(start, i - start);
    if (field == kReadingField) out.reading = feature.substr(start, i - start);
    ++field;
    start = i + 1;
  }
  if (out.reading == "*") out.reading = {};
  if (out.base_form == "*") out.base_form = {};
  return out;
}

QString MissingDictionary(const QString& folder) {
  return QStringLiteral(
             "MeCab の辞書 %1 が見つかりません。sudo apt-get install mecab-ipadic-utf8 で"
             "導入してください。")
      .arg(folder);
}

}  // namespace

Outcome<std::unique_ptr<MecabAnalyzer>> MecabAnalyzer::Create(const QString& dictionary_folder) {
  if (!QFileInfo(QDir(dictionary_folder).filePath(QStringLiteral("sys.dic"))).isFile()) {
    return Failure{MissingDictionary(dictionary_folder)};
  }
  // The rc file is /dev/null so neither /etc/mecabrc nor ~/.mecabrc can pick another
  // dictionary (or a different feature layout); the dictionary folder's own dicrc still applies.
  const std::string folder = QFile::encodeName(dictionary_folder).toStdString();
  std::array<std::string, 5> args = {"yomika", "-r", "/dev/null", "-d", folder};
  std::array<char*, 5> argv{};
  for (std::size_t i = 0; i < args.size(); ++i) argv[i] = args[i].data();
  auto analyzer = std::make_unique<MecabAnalyzer>(Key());
  analyzer->model_.reset(MeCab::createModel(static_cast<int>(argv.size()), argv.data()));
  if (!analyzer->model_) {
    return Failure{QStringLiteral("MeCab の辞書 %1 を読み込めません（%2）。sudo apt-get install "
                                  "--reinstall mecab-ipadic-utf8 で入れ直してください。")
                       .arg(dictionary_folder, QString::fromUtf8(MeCab::getLastError()))};
  }
  analyzer->tagger_.reset(analyzer->model_->createTagger());
  analyzer->lattice_.reset(analyzer->model_->createLattice());
  if (!analyzer->tagger_ || !analyzer->lattice_) {
    return Failure{QStringLiteral("MeCab を初期化できません（%1）。")
                       .arg(QString::fromUtf8(MeCab::getLastError()))};
  }
  // Another dictionary in the folder would give other features, or none in the reading field.
  const std::vector<Morpheme> probe = analyzer->Analyse(U"漢字", {});
  if (probe.size() != 1 || probe[0].reading != U"かんじ") {
    return Failure{QStringLiteral("MeCab の辞書 %1 は IPADIC (UTF-8) の形式ではありません。"
                                  "sudo apt-get install mecab-ipadic-utf8 で導入し、"
                                  "/var/lib/mecab/dic/ipadic-utf8 を指定してください。")
                       .arg(dictionary_folder)};
  }
  return analyzer;
}

namespace {

// Whether UTF-8 `bytes` are hiragana only (U+3041–U+309F: E3 81 81 to E3 82 9F).
bool AllHiragana(std::string_view bytes) {
  if (bytes.empty() || bytes.size() % 3 != 0) return false;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
    if (b0 != 0xE3 || !((b1 == 0x81 && b2 >= 0x81) || (b1 == 0x82 && b2 <= 0x9F))) return false;
  }
  return true;
}

bool IsNounSuffix(std::string_view feature) { return feature.starts_with("名詞,接尾"); }

}  // namespace

const MeCab::Node* MecabAnalyzer::NonSuffixInstead(MeCab::Lattice& lattice,
                                                   const MeCab::Node* node) {
  const std::size_t at = static_cast<std::size_t>(node->surface - lattice.sentence());
  const MeCab::Node* best = node;
  for (const MeCab::Node* other = lattice.begin_nodes(at); other; other = other->bnext) {
    const std::string_view feature(other->feature);
    if (other->length != node->length || other->stat != MECAB_NOR_NODE ||
        !feature.starts_with("名詞") || IsNounSuffix(feature) ||
        feature.starts_with("名詞,非自立")) {
      continue;
    }
    if (best == node || other->cost < best->cost) best = other;
  }
  return best;
}

const std::vector<std::size_t>& MecabAnalyzer::CharacterPositions() {
  if (!char_of_byte_ready_) {
    std::vector<std::size_t>& char_at = char_of_byte_;
    char_at.assign(utf8_.size() + 1, 0);
    std::size_t position = 0;
    for (std::size_t byte = 0; byte < utf8_.size(); ++byte) {
      if ((static_cast<unsigned char>(utf8_[byte]) & 0xC0) != 0x80) char_at[byte] = position++;
    }
    char_at[utf8_.size()] = position;
    char_of_byte_ready_ = true;
  }
  return char_of_byte_;
}

namespace {

// Whether two feature strings share their first two fields (名詞,一般 …).
bool SameWordClass(const char* a, const char* b) {
  std::size_t commas = 0;
  for (; *a != '\0' && *a == *b; ++a, ++b) {
    if (*a == ',' && ++commas == 2) return true;
  }
  return false;
}

}  // namespace

void MecabAnalyzer::RecordVerbsAt(std::size_t byte, std::size_t begin, LatticeRecord& record) {
  const std::vector<std::size_t>& char_at = CharacterPositions();
  for (const MeCab::Node* node = lattice_->begin_nodes(byte); node; node = node->bnext) {
    if (node->stat != MECAB_NOR_NODE) continue;
    const WordKind kind = KindOf(node->feature);
    if (kind.verb) {
      record.AddVerb(begin, char_at[byte + node->length], node->feature, kind.irregular_verb);
    }
  }
}

void MecabAnalyzer::RecordAnswers(const std::vector<bool>& verb_positions,
                                  LatticeRecord& record) {
  const std::vector<std::size_t>& char_at = CharacterPositions();
  const char* const sentence = lattice_->sentence();
  std::vector<const char*> close;
  for (const MeCab::Node* chosen = lattice_->bos_node(); chosen; chosen = chosen->next) {
    if (chosen->stat != MECAB_NOR_NODE) continue;
    const auto byte = static_cast<std::size_t>(chosen->surface - sentence);
    const std::size_t begin = char_at[byte];
    const std::size_t end = char_at[byte + chosen->length];
    if (end - begin < 2) continue;
    close.clear();
    for (const MeCab::Node* node = lattice_->begin_nodes(byte); node; node = node->bnext) {
      if (node == chosen || node->length != chosen->length || node->stat != MECAB_NOR_NODE ||
          node->wcost - chosen->wcost > kCloseCost || node->wcost < chosen->wcost ||
          !SameWordClass(node->feature, chosen->feature)) {
        continue;
      }
      close.push_back(node->feature);
    }
    record.AddCloseWords(begin, end, close);
  }
  for (std::size_t byte = 0; byte < utf8_.size(); ++byte) {
    if ((static_cast<unsigned char>(utf8_[byte]) & 0xC0) == 0x80) continue;
    const std::size_t position = char_at[byte];
    if (position < verb_positions.size() && verb_positions[position]) {
      RecordVerbsAt(byte, position, record);
    }
  }
}

std::unique_ptr<MecabAnalyzer> MecabAnalyzer::Twin() const {
  auto twin = std::make_unique<MecabAnalyzer>(Key());
  twin->model_ = model_;
  twin->tagger_.reset(model_->createTagger());
  twin->lattice_.reset(model_->createLattice());
  if (!twin->tagger_ || !twin->lattice_) return nullptr;
  return twin;
}

MecabAnalyzer::MecabAnalyzer(Key) {}
MecabAnalyzer::~MecabAnalyzer() = default;

namespace {

// Where a table of 2^bits slots, kept by feature strings' addresses, starts probing for
// `feature`: Fibonacci hashing of the address.
std::size_t FirstSlotOf(const char* feature, int bits) {
  return static_cast<std::size_t>(
      (reinterpret_cast<std::uintptr_t>(feature) * std::uint64_t{0x9E3779B97F4A7C15}) >>
      (64 - bits));
}

}  // namespace

const MecabAnalyzer::WordFeatures& MecabAnalyzer::FeaturesOf(const char* feature) {
  // Twice as many slots as words keeps the probe sequences short; a text of many distinct
  // words empties the cache rather than growing it without bound.
  constexpr int kSlotBits = 17;
  constexpr std::size_t kMostCachedWords = std::size_t{1} << (kSlotBits - 1);
  if (feature_slots_.empty()) feature_slots_.resize(std::size_t{1} << kSlotBits);
  const std::size_t mask = feature_slots_.size() - 1;
  std::size_t slot = FirstSlotOf(feature, kSlotBits);
  for (; feature_slots_[slot] != 0; slot = (slot + 1) & mask) {
    const WordFeatures& cached = words_[feature_slots_[slot] - 1];
    if (cached.feature == feature) return cached;
  }
  if (words_.size() >= kMostCachedWords) {
    std::fill(feature_slots_.begin(), feature_slots_.end(), 0);
    words_.clear();
    slot = FirstSlotOf(feature, kSlotBits);
  }
  const Features fields = SplitFeatures(feature);
  WordFeatures word;
  word.feature = feature;
  word.reading = FoldToHiragana(DecodeUtf8(fields.reading));
  // Symbols such as 々 "read" as themselves; that is no reading.
  if (!std::all_of(word.reading.begin(), word.reading.end(), IsKana)) word.reading.clear();
  word.part_of_speech = *parts_of_speech_.insert(DecodeUtf8(fields.part_of_speech)).first;
  word.base_form = DecodeUtf8(fields.base_form);
  word.grammar = *parts_of_speech_
                      .insert(DecodeUtf8(fields.word_class) + U',' +
                              DecodeUtf8(fields.conjugation_form))
                      .first;
  feature_slots_[slot] = static_cast<std::uint32_t>(words_.size() + 1);
  words_.push_back(std::move(word));
  return words_.back();
}

MecabAnalyzer::WordKind MecabAnalyzer::KindOf(const char* feature) {
  // As FeaturesOf's table, for these few facts only: nothing is decoded. It starts small
  // (an analyser that reads a word or two needs no more) and doubles when half full; beyond
  // kMostSlots it is emptied rather than grown without bound.
  constexpr std::size_t kFewestSlots = std::size_t{1} << 10;
  constexpr std::size_t kMostSlots = std::size_t{1} << 18;
  if (kind_slots_.empty()) kind_slots_.resize(kFewestSlots);
  if (const KindSlot* known = FindKindSlot(feature); known->feature == feature) {
    return known->kind;
  }
  if (2 * (kinds_ + 1) > kind_slots_.size()) {
    std::vector<KindSlot> old(kind_slots_.size() < kMostSlots ? 2 * kind_slots_.size()
                                                              : kind_slots_.size());
    old.swap(kind_slots_);
    kinds_ = 0;
    if (old.size() < kind_slots_.size()) {
      for (const KindSlot& slot : old) {
        if (slot.feature == nullptr) continue;
        *FindKindSlot(slot.feature) = slot;
        ++kinds_;
      }
    }
  }
  const auto starts_with = [feature](std::string_view prefix) {
    return std::strncmp(feature, prefix.data(), prefix.size()) == 0;
  };
  WordKind kind;
  kind.symbol_or_particle = starts_with("記号") || starts_with("助詞");
  kind.noun_suffix = starts_with("名詞,接尾");
  kind.verb = starts_with("動詞");
  if (kind.verb) {
    const std::string_view whole(feature);
    kind.irregular_verb = whole.find("カ変") != std::string_view::npos ||
                          whole.find("サ変") != std::string_view::npos;
  }
  *FindKindSlot(feature) = {feature, kind};
  ++kinds_;
  return kind;
}

MecabAnalyzer::KindSlot* MecabAnalyzer::FindKindSlot(const char* feature) {
  const std::size_t mask = kind_slots_.size() - 1;
  const int bits = std::countr_zero(kind_slots_.size());
  std::size_t slot = FirstSlotOf(feature, bits);
  while (kind_slots_[slot].feature != nullptr && kind_slots_[slot].feature != feature) {
    slot = (slot + 1) & mask;
  }
  return &kind_slots_[slot];
}

Morpheme MecabAnalyzer::Decode(const AnalysedWord& word) {
  if (!word.feature) return {word.begin, word.end, {}, {}, {}, word.known};
  const WordFeatures& features = FeaturesOf(word.feature);
  return {word.begin, word.end, features.reading, features.part_of_speech, features.base_form,
          word.known};
}

std::vector<Morpheme> MecabAnalyzer::Decode(const std::vector<AnalysedWord>& words) {
  std::vector<Morpheme> decoded;
  decoded.reserve(words.size());
  for (const AnalysedWord& word : words) decoded.push_back(Decode(word));
  return decoded;
}

std::vector<LatticeWord> MecabAnalyzer::Decode(const std::vector<AnalysedLatticeWord>& lattice) {
  std::vector<LatticeWord> decoded;
  decoded.reserve(lattice.size());
  for (const AnalysedLatticeWord& word : lattice) {
    const WordFeatures& features = FeaturesOf(word.feature);
    decoded.push_back({word.begin, word.end, features.reading, features.grammar,
                       word.probability, word.best});
  }
  return decoded;
}

std::vector<Morpheme> MecabAnalyzer::Analyse(const Text& text,
                                             const std::vector<std::size_t>& boundaries) {
  std::vector<AnalysedWord> words;
  if (Parse(text, boundaries, false)) {
    CollectWords(words);
  } else if (!text.empty()) {
    // Not expected with a loaded model; the text is then one unknown word, read per kanji.
    words.push_back({0, text.size(), nullptr, false});
  }
  return Decode(words);
}

void MecabAnalyzer::Analyse(const Text& text, const std::vector<std::size_t>& boundaries,
                            const std::vector<bool>& verb_positions, bool with_lattice,
                            Analysis& analysis, LatticeRecord& record) {
  analysis.words.clear();
  analysis.lattice.clear();
  record.Clear();
  if (!Parse(text, boundaries, with_lattice)) {
    if (!text.empty()) analysis.words.push_back({0, text.size(), nullptr, false});
    return;
  }
  if (with_lattice) {
    ComputeMarginals();
    CollectLattice(analysis.lattice);
  }
  CollectWords(analysis.words);
  RecordAnswers(verb_positions, record);
}

namespace {

// log(Σ e^x) over the paths of a node, x = the far end's sum less the path's scaled cost:
// the largest term first, then one exp per path and one log per node. The terms do not
// depend on each other, so the processor works on several at once.
template <typename Next, typename Far>
float LogSumOverPaths(const mecab_path_t* first, Next next, Far far, float theta) {
  float largest = -std::numeric_limits<float>::infinity();
  for (const mecab_path_t* path = first; path; path = next(path)) {
    largest = std::max(largest, far(path) - theta * static_cast<float>(path->cost));
  }
  float sum = 0.0f;
  for (const mecab_path_t* path = first; path; path = next(path)) {
    sum += std::exp(far(path) - theta * static_cast<float>(path->cost) - largest);
  }
  // A node reached by one path only, as many are, needs no log.
  if (!first) return 0.0f;
  return sum == 1.0f ? largest : largest + std::log(sum);
}

}  // namespace

void MecabAnalyzer::ComputeMarginals() {
  MeCab::Lattice& lattice = *lattice_;
  const std::size_t size = lattice.size();
  const auto theta = static_cast<float>(kTheta);
  // Forward: the log weight of all analyses from the start to the end of each word.
  lattice.bos_node()->alpha = 0.0f;
  for (std::size_t pos = 0; pos <= size; ++pos) {
    for (MeCab::Node* node = lattice.begin_nodes(pos); node; node = node->bnext) {
      node->alpha = LogSumOverPaths(
          node->lpath, [](const mecab_path_t* p) { return p->lnext; },
          [](const mecab_path_t* p) { return p->lnode->alpha; }, theta);
    }
  }
  // Backward: the same from the start of each word to the end.
  lattice.eos_node()->beta = 0.0f;
  for (std::size_t pos = size + 1; pos-- > 0;) {
    for (MeCab::Node* node = lattice.end_nodes(pos); node; node = node->enext) {
      node->beta = LogSumOverPaths(
          node->rpath, [](const mecab_path_t* p) { return p->rnext; },
          [](const mecab_path_t* p) { return p->rnode->beta; }, theta);
    }
  }
}

void MecabAnalyzer::CollectLattice(std::vector<AnalysedLatticeWord>& lattice) {
  const std::vector<std::size_t>& char_at = CharacterPositions();
  const char* const sentence = lattice_->sentence();
  // A word's probability is e^(alpha + beta) over the total weight of all analyses.
  const float total = lattice_->eos_node()->alpha;
  static const float kLeastLogProbability = std::log(kLeastProbability);
  for (std::size_t byte = 0; byte < utf8_.size(); ++byte) {
    if ((static_cast<unsigned char>(utf8_[byte]) & 0xC0) == 0x80) continue;
    for (const MeCab::Node* node = lattice_->begin_nodes(byte); node; node = node->bnext) {
      const float log_probability = node->alpha + node->beta - total;
      if (log_probability < kLeastLogProbability ||
          (node->stat != MECAB_NOR_NODE && node->stat != MECAB_UNK_NODE)) {
        continue;
      }
      const std::size_t begin_byte = static_cast<std::size_t>(node->surface - sentence);
      const std::string_view surface(node->surface, node->length);
      // Kana are three bytes starting E3 81, E3 82 or E3 83 (ー: E3 83 BC).
      bool kana_only = surface.size() % 3 == 0;
      for (std::size_t i = 0; kana_only && i < surface.size(); i += 3) {
        const auto b0 = static_cast<unsigned char>(surface[i]);
        const auto b1 = static_cast<unsigned char>(surface[i + 1]);
        kana_only = b0 == 0xE3 && b1 >= 0x81 && b1 <= 0x83;
      }
      if (kana_only) continue;
      lattice.push_back({char_at[begin_byte], char_at[begin_byte + node->length], node->feature,
                         std::exp(log_probability), node->isbest != 0});
    }
  }
}

bool MecabAnalyzer::Parse(const Text& text, const std::vector<std::size_t>& boundaries,
                          bool with_lattice) {
  if (text.empty()) return false;
  utf8_.clear();
  char_of_byte_ready_ = false;
  utf8_.reserve(4 * text.size());
  for (const char32_t c : text) AppendUtf8(utf8_, c);

  MeCab::Lattice& lattice = *lattice_;
  // N-best mode keeps every connection of the lattice (for ComputeMarginals) and finds the
  // same best analysis; no further analysis is asked for.
  lattice.set_request_type(with_lattice ? MECAB_ONE_BEST | MECAB_NBEST : MECAB_ONE_BEST);
  lattice.set_sentence(utf8_.data(), utf8_.size());
  if (!boundaries.empty()) {
    byte_of_char_.clear();
    std::size_t byte = 0;
    for (const char32_t c : text) {
      byte_of_char_.push_back(byte);
      byte += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    for (const std::size_t position : boundaries) {
      if (position > 0 && position < text.size()) {
        lattice.set_boundary_constraint(byte_of_char_[position], MECAB_TOKEN_BOUNDARY);
      }
    }
  }
  return tagger_->parse(&lattice);
}

void MecabAnalyzer::CollectWords(std::vector<AnalysedWord>& words) {
  MeCab::Lattice& lattice = *lattice_;
  const char* const sentence = lattice.sentence();
  // Nodes come in text order, so byte offsets turn into character positions by counting the
  // UTF-8 lead bytes passed since the previous node.
  std::size_t byte = 0;
  std::size_t position = 0;
  const auto advance_to = [&](std::size_t target) {
    for (; byte < target; ++byte) {
      if ((static_cast<unsigned char>(utf8_[byte]) & 0xC0) != 0x80) ++position;
    }
  };
  std::size_t covered = 0;
  bool after_word = false;  // after a word a suffix can attach to, not a symbol or particle
  for (const MeCab::Node* node = lattice.bos_node(); node; node = node->next) {
    if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
    const bool lone = !after_word;
    const WordKind kind = KindOf(node->feature);
    after_word = !kind.symbol_or_particle &&
                 !(node->stat == MECAB_UNK_NODE &&
                   AllHiragana(std::string_view(node->surface, node->length)));
    const std::size_t begin_byte = static_cast<std::size_t>(node->surface - sentence);
    advance_to(begin_byte);
    const std::size_t begin = position;
    advance_to(begin_byte + node->length);
    const std::size_t end = position;
    // MeCab skips white space; it becomes a word of its own so the words cover the text.
    if (begin > covered) words.push_back({covered, begin, nullptr, false});
    const MeCab::Node* chosen =
        lone && kind.noun_suffix ? NonSuffixInstead(lattice, node) : node;
    words.push_back({begin, end, chosen->feature, chosen->stat == MECAB_NOR_NODE});
    covered = end;
  }
  // The characters of the text: one per UTF-8 lead byte.
  advance_to(utf8_.size());
  if (covered < position) words.push_back({covered, position, nullptr, false});
}

}  // namespace yomika
