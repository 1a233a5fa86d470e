#include "reading/mecab_reading_service.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <iterator>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/char_class.h"
#include "reading/lattice_answers.h"
#include "reading/mecab_analyzer.h"
#include "reading/rare_kanji.h"
#include "reading/reading_alignment.h"
#include "reading/reading_close_calls.h"
#include "reading/reading_compounds.h"
#include "reading/reading_dictionary.h"
#include "reading/reading_kanjidic.h"
#include "reading/reading_particle_context.h"
#include "reading/reading_phrases.h"
#include "reading/reading_rules.h"
#include "reading/reading_unknown_words.h"
#include "reading/reading_verb_context.h"
#include "reading/run_review.h"

namespace yomika {
namespace {

// A lookup that is not the next run of the working text is searched among this many runs
// further on before it is analysed on its own; the bound keeps a stray lookup from scanning
// the whole text.
constexpr std::size_t kRunsSearchedAhead = 64;
// A stretch of text without sentence end is analysed in pieces about this long, cut between
// runs; a run longer than that is cut inside at twice the length.
constexpr std::size_t kLongestSentence = 2048;
// Lookups analysed on their own get this many preceding characters as context.
constexpr std::size_t kContextLength = 24;

bool EndsSentence(char32_t c) {
  return c == U'。' || c == U'！' || c == U'？' || c == U'!' || c == U'?' || c == U'\n' ||
         c == U'\r';
}

bool IsAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The length of the HTML tag at `at` (<font …>, </font>, <br> …), 0 when there is none: "<"
// or "</", a name of ASCII letters and digits, then white space, "/" or ">". Text that only
// looks like a tag (a<b、かつ結果>0) is no tag.
std::size_t TagLength(const Text& text, std::size_t at, std::size_t limit) {
  if (text[at] != U'<' || at + 2 >= limit) return 0;
  std::size_t i = text[at + 1] == U'/' ? at + 2 : at + 1;
  if (!IsAsciiLetter(text[i])) return 0;
  while (i < limit && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i]))) ++i;
  if (i == limit || (text[i] != U'>' && text[i] != U'/' && text[i] != U' ' && text[i] != U'\t')) {
    return 0;
  }
  constexpr std::size_t kLongestTag = 256;
  for (; i < limit && i < at + kLongestTag; ++i) {
    if (text[i] == U'>') return i + 1 - at;
    if (text[i] == U'<' || text[i] == U'\n' || text[i] == U'\r') return 0;
  }
  return 0;
}

bool IsLineBreakTag(const Text& text, std::size_t at, std::size_t length) {
  return length == 4 && (text[at + 1] == U'b' || text[at + 1] == U'B') &&
         (text[at + 2] == U'r' || text[at + 2] == U'R');
}

// The stretches [begin, end) of the tag [tag_begin, tag_end) that are text rather than markup:
// its quoted attribute values and any other stretch of non-ASCII characters (alt="富士山",
// face=ＭＳ明朝).
std::vector<std::pair<std::size_t, std::size_t>> TagTextStretches(const Text& text,
                                                                  std::size_t tag_begin,
                                                                  std::size_t tag_end) {
  std::vector<std::pair<std::size_t, std::size_t>> stretches;
  const std::size_t last = tag_end - 1;  // the closing ">"
  for (std::size_t i = tag_begin + 1; i < last;) {
    const char32_t c = text[i];
    if (c == U'"' || c == U'\'') {
      std::size_t close = i + 1;
      while (close < last && text[close] != c) ++close;
      stretches.emplace_back(i + 1, close);
      i = close + 1;
    } else if (c >= 0x80) {
      std::size_t end = i;
      while (end < last && text[end] >= 0x80) ++end;
      stretches.emplace_back(i, end);
      i = end;
    } else {
      ++i;
    }
  }
  return stretches;
}

bool AllKana(const Text& text) { return std::all_of(text.begin(), text.end(), IsKana); }

// The reading of a stretch of a run, at its first character in the working text.
struct RunPiece {
  std::size_t begin = 0;
  Text reading;
};

// The review of the kanji run that starts at `begin` (in the analysed text, or in the working
// text once mapped there).
struct ReviewAt {
  std::size_t begin = 0;
  RunReview review;
};

// Whether `words` (in text order) hold a word of the same span and reading as `word`.
bool HoldsWord(const std::vector<Morpheme>& words, const Morpheme& word) {
  auto it = std::lower_bound(words.begin(), words.end(), word.begin,
                             [](const Morpheme& w, std::size_t at) { return w.begin < at; });
  for (; it != words.end() && it->begin == word.begin; ++it) {
    if (it->end == word.end && it->reading == word.reading) return true;
  }
  return false;
}

// Who set the reading of `word`: the analyser when its analysis has the word, a rule when
// the rules' pass has it, else one of the passes over EDICT.
PieceOrigin OriginOf(const Morpheme& word, const std::vector<Morpheme>& analysed,
                     const std::vector<Morpheme>& ruled) {
  if (HoldsWord(analysed, word)) return PieceOrigin::kAnalysis;
  if (HoldsWord(ruled, word)) return PieceOrigin::kRule;
  return PieceOrigin::kDictionary;
}

// A kanji run of the working text and, once its sentence was analysed, its reading: a
// stretch of the service's reading pool.
struct Run {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t reading_begin = 0;
  std::size_t reading_length = 0;
};

class MecabReadingService final : public ReadingService {
 public:
  MecabReadingService(std::unique_ptr<MecabAnalyzer> analyzer, const MecabOptions& options)
      : analyzer_(std::move(analyzer)),
        user_dictionary_(options.user_dictionary_path.isEmpty()
                             ? ReadingDictionary::DefaultPath()
                             : options.user_dictionary_path),
        kanjidic_(options.kanjidic_path),
        compounds_(options.compound_dictionary_path),
        particle_context_(compounds_),
        verb_context_(compounds_),
        rare_(options.kanjidic2_path, options.unihan_folder, options.skk_path),
        parser_(analyzer_->Twin()) {
    user_dictionary_.Load();
    RefreshUserWords();
    // The lexicons take a while to read; that happens on the side while the caller reads and
    // prepares its text. The analysis waits for it through the analysis lock.
    try {
      loader_ = std::thread([this] {
        const std::lock_guard analysis(analysis_mutex_);
        compounds_.Available();
        compounds_.PreparePhrases();
        kanjidic_.Available();
        particle_context_.Prepare();
        verb_context_.Prepare();
      });
    } catch (const std::system_error&) {
      // No thread to be had: the lexicons are read on first need.
    }
  }

  ~MecabReadingService() override {
    StopWorker();
    if (loader_.joinable()) loader_.join();
  }
  MecabReadingService(const MecabReadingService&) = delete;
  MecabReadingService& operator=(const MecabReadingService&) = delete;

  bool Open() override {
    if (!prepared_) {
      user_dictionary_.ReloadIfChanged();
      RefreshUserWords();
    }
    return true;
  }

  std::optional<QString> GetPhonetic(const QString& text, int start, int length) override {
    last_review_.reset();
    if (start < 1 || start > text.size() + 1 || length < -1) return std::nullopt;
    const Text lookup = ToText(text.mid(start - 1, length));
    if (lookup.empty()) return QString();
    if (std::optional<Text> located = FromWorkingText(lookup)) return ToQString(*located);
    return ToQString(OnItsOwn(lookup));
  }

  bool Close() override { return true; }

  bool SetReviewing(bool on) override {
    if (on != reviewing_) {
      // The worker reads the mode; a conversion under way goes on without it.
      StopWorker();
      reviewing_ = on;
      last_review_.reset();
    }
    return true;
  }

  std::optional<RunReview> TakeRunReview() override {
    std::optional<RunReview> review = std::move(last_review_);
    last_review_.reset();
    return review;
  }

  using ReadingService::PrepareConversion;
  void PrepareConversion(const Text& working_text) override {
    StopWorker();
    user_dictionary_.ReloadIfChanged();
    RefreshUserWords();
    working_ = working_text;
    prepared_ = !working_.empty();
    in_run_ = MarkKanjiRuns(working_);
    std::size_t run_count = 0;
    std::size_t run_characters = 0;
    for (std::size_t i = 0; i < in_run_.size(); ++i) {
      if (!in_run_[i]) continue;
      ++run_characters;
      if (i == 0 || !in_run_[i - 1]) ++run_count;
    }
    runs_.clear();
    runs_.reserve(run_count);
    for (std::size_t i = 0; i < working_.size(); ++i) {
      if (!in_run_[i]) continue;
      if (i > 0 && in_run_[i - 1]) {
        runs_.back().end = i + 1;
      } else {
        runs_.push_back({i, i + 1, 0, 0});
      }
    }
    // Kanji mostly read in one or two kana.
    readings_.clear();
    readings_.reserve(2 * run_characters);
    reviews_.clear();
    if (reviewing_) reviews_.resize(runs_.size());
    next_run_ = 0;
    run_cursor_ = 0;
    analysed_until_ = 0;
    wanted_until_ = 0;
    parsed_until_ = 0;
    context_.clear();
    if (!runs_.empty()) StartWorker();
  }

  // The reading of a kanji the dictionary has no word for, in kana; empty when nothing
  // knows it. Tried in turn: the analyser on the kanji alone, the same for the variant the
  // analyser knows it by (髙 → 高), KANJIDIC, then RareKanji's sources.
  Text CharReading(char32_t c) {
    const auto cached = char_readings_.find(c);
    if (cached != char_readings_.end()) return cached->second;
    Text reading;
    const std::vector<Morpheme> alone = analyzer_->Analyse(Text(1, c), {});
    if (alone.size() == 1 && alone[0].known) reading = alone[0].reading;
    if (reading.empty()) {
      if (const std::optional<char32_t> form = rare_.AnalysedForm(c)) reading = CharReading(*form);
    }
    if (reading.empty()) reading = kanjidic_.ReadingOf(c).value_or(Text());
    if (reading.empty()) reading = rare_.ReadingOf(c);
    char_readings_.emplace(c, reading);
    return reading;
  }

 private:
  void RefreshUserWords() {
    // The entries are shared with the dictionary until it re-reads its file, so an unchanged
    // dictionary compares equal at once.
    if (user_words_source_ == user_dictionary_.entries() && !user_words_.empty()) return;
    user_words_source_ = user_dictionary_.entries();
    user_words_.clear();
    user_word_lengths_.clear();
    // Read through a const view: a non-const loop would detach the copy from the dictionary's
    // list and make every later comparison go word by word.
    for (const ReadingEntry& entry : std::as_const(user_words_source_)) {
      Text word = ToText(entry.word);
      if (word.empty()) continue;
      std::vector<std::size_t>& lengths = user_word_lengths_[word.front()];
      if (std::find(lengths.begin(), lengths.end(), word.size()) == lengths.end()) {
        lengths.push_back(word.size());
      }
      user_words_.insert_or_assign(std::move(word), FoldToHiragana(ToText(entry.reading)));
    }
    for (auto& [first, lengths] : user_word_lengths_) {
      std::sort(lengths.begin(), lengths.end(), std::greater<>());
    }
  }

  struct UserSpan {
    std::size_t begin;
    std::size_t end;
    const Text* reading;
  };

  // A text analysed and made ready for the passes. Reused, its members keep their room.
  struct ParsedText {
    Text text;
    Text analysed;  // as the analyser saw it (髙橋 → 高橋); empty: as written
    std::vector<bool> in_run;
    std::vector<std::size_t> boundaries;  // with the ends of the registered words in it
    std::vector<std::size_t> origin;      // working-text position of each character
    std::vector<UserSpan> spans;          // the registered words in it
    std::vector<bool> verb_positions;
    Analysis analysis;
    LatticeRecord record;
  };

  // A sentence of the working text, parsed: its text and the text inside its tags.
  struct ParsedSentence {
    std::vector<ParsedText> parts;  // the first part_count: those with kanji
    std::size_t part_count = 0;
    std::size_t end = 0;    // where the next sentence begins
    std::size_t bytes = 0;  // BytesHeld, while it waits in parsed_
  };

  // The registered words in `text`, longest first, left to right without overlap. Each
  // position costs one hash lookup per distinct length of the words starting with its
  // character, however many words those are.
  void FindUserWords(const Text& text, std::vector<UserSpan>& spans) const {
    spans.clear();
    if (user_words_.empty()) return;
    const std::u32string_view view(text);
    for (std::size_t i = 0; i < text.size();) {
      const auto lengths = user_word_lengths_.find(text[i]);
      const Text* match = nullptr;
      std::size_t length = 0;
      if (lengths != user_word_lengths_.end()) {
        for (const std::size_t candidate : lengths->second) {
          if (candidate > text.size() - i) continue;
          const auto word = user_words_.find(view.substr(i, candidate));
          if (word != user_words_.end()) {
            match = &word->second;
            length = candidate;
            break;
          }
        }
      }
      if (match) {
        spans.push_back({i, i + length, match});
        i += length;
      } else {
        ++i;
      }
    }
  }

  // Sets `mapped` to the analyser's view of `text`: kanji its dictionary cannot spell
  // replaced by the variant it knows (髙橋 → 高橋); empty when nothing changes. Positions stay
  // the same.
  void MapAnalysedForms(const Text& text, const std::vector<bool>& in_run, Text& mapped) {
    mapped.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!in_run[i]) continue;
      if (const std::optional<char32_t> form = rare_.AnalysedForm(text[i])) {
        if (mapped.empty()) mapped = text;
        mapped[i] = *form;
      }
    }
  }

  // Readings for the kanji stretches of `text` (runs marked in `in_run`), every stretch read,
  // analysed by the service's own analyser. With `reviews`, also the review of every run of
  // `text`, appended in text order.
  std::vector<KanjiPiece> ReadKanji(Text text, std::vector<bool> in_run,
                                    std::vector<std::size_t> boundaries,
                                    std::vector<ReviewAt>* reviews = nullptr) {
    ParsedText parsed;
    parsed.text = std::move(text);
    parsed.in_run = std::move(in_run);
    parsed.boundaries = std::move(boundaries);
    Parse(*analyzer_, parsed);
    return ReadParsed(parsed, reviews);
  }

  // Analyses `parsed`'s text (its runs, boundaries and origin set) with `analyzer`, made
  // ready for ReadParsed. Touches nothing the passes change, so it runs beside them on
  // another analyser.
  void Parse(MecabAnalyzer& analyzer, ParsedText& parsed) {
    FindUserWords(parsed.text, parsed.spans);
    for (const UserSpan& span : parsed.spans) {
      parsed.boundaries.push_back(span.begin);
      parsed.boundaries.push_back(span.end);
    }
    MapAnalysedForms(parsed.text, parsed.in_run, parsed.analysed);
    const Text& analysed = parsed.analysed.empty() ? parsed.text : parsed.analysed;
    VerbContext::MarkVerbPositions(analysed, parsed.verb_positions);
    analyzer.Analyse(analysed, parsed.boundaries, parsed.verb_positions, reviewing_,
                     parsed.analysis, parsed.record);
  }

  // The readings of the parsed text's kanji stretches: the analysis through the passes. With
  // `reviews`, also the review of every run, appended in text order.
  std::vector<KanjiPiece> ReadParsed(const ParsedText& parsed, std::vector<ReviewAt>* reviews) {
    const Text& text = parsed.text;
    const Text& analysed = parsed.analysed.empty() ? text : parsed.analysed;
    const std::vector<bool>& in_run = parsed.in_run;
    const std::vector<std::size_t>& boundaries = parsed.boundaries;
    const std::vector<UserSpan>& spans = parsed.spans;
    const LatticeAnswers answers(parsed.record, *analyzer_);
    std::vector<Morpheme> words = analyzer_->Decode(parsed.analysis.words);
    std::vector<LatticeWord> lattice;
    if (reviews) lattice = analyzer_->Decode(parsed.analysis.lattice);
    std::vector<Morpheme> analyser_words;
    std::vector<Morpheme> ruled_words;
    if (reviews) analyser_words = words;
    ApplyReadingRules(analysed, words);
    if (reviews) ruled_words = words;
    ResolveCloseCalls(analysed, in_run, answers, compounds_, words);
    ApplyCompoundReadings(analysed, in_run, boundaries, compounds_, words);
    ReadUnknownWords(analysed, in_run, compounds_, words);
    particle_context_.Apply(analysed, in_run, words);
    verb_context_.Apply(analysed, answers, words);
    ApplyPhraseReadings(analysed, in_run, boundaries, compounds_, kanjidic_, words);

    std::vector<KanjiPiece> pieces;
    std::vector<PieceOrigin> origins;  // of each piece, in review mode
    const auto note_origin = [&](PieceOrigin origin) {
      if (reviews) origins.resize(pieces.size(), origin);
    };
    std::size_t next_span = 0;
    bool span_done = false;
    for (const Morpheme& word : words) {
      while (next_span < spans.size() && spans[next_span].end <= word.begin) {
        ++next_span;
        span_done = false;
      }
      if (next_span < spans.size() && spans[next_span].begin <= word.begin) {
        const UserSpan& span = spans[next_span];
        if (!span_done) {
          AppendAlignedPieces(analysed, in_run, span.begin, span.end, *span.reading, pieces);
          note_origin(PieceOrigin::kUser);
        }
        span_done = true;
        continue;
      }
      AppendAlignedPieces(analysed, in_run, word.begin, word.end, word.reading, pieces);
      if (reviews) note_origin(OriginOf(word, analyser_words, ruled_words));
    }
    // Readings are kana; a stretch without one is read kanji by kanji.
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      KanjiPiece& piece = pieces[k];
      if (!piece.reading.empty() && AllKana(piece.reading)) continue;
      const bool adjoins = k > 0 && pieces[k - 1].end == piece.begin;
      piece.reading =
          ReadPerCharacter(text, piece.begin, piece.end, adjoins ? pieces[k - 1].reading : Text());
      if (reviews) origins[k] = PieceOrigin::kKanji;
    }
    if (reviews) {
      // The analyser's own reading of every run, for the runs a later pass read otherwise.
      std::vector<KanjiPiece> analyser_pieces;
      for (const Morpheme& word : analyser_words) {
        AppendAlignedPieces(analysed, in_run, word.begin, word.end, word.reading,
                            analyser_pieces);
      }
      ReviewRuns(text, analysed, in_run, pieces, origins, analyser_pieces, lattice, *reviews);
    }
    return pieces;
  }

  // Appends the review of every run of `text` (`analysed`: as the analyser saw it) read as
  // `pieces` set by `origins`, the analyser's `lattice` weighing the doubt.
  void ReviewRuns(const Text& text, const Text& analysed, const std::vector<bool>& in_run,
                  const std::vector<KanjiPiece>& pieces, const std::vector<PieceOrigin>& origins,
                  const std::vector<KanjiPiece>& analyser_pieces,
                  const std::vector<LatticeWord>& lattice, std::vector<ReviewAt>& reviews) {
    std::size_t k = 0;  // the first piece of the run
    std::size_t a = 0;  // the same among the analyser's pieces
    for (std::size_t begin = 0; begin < text.size();) {
      if (!in_run[begin]) {
        ++begin;
        continue;
      }
      std::size_t end = begin;
      while (end < text.size() && in_run[end]) ++end;
      while (k < pieces.size() && pieces[k].begin < begin) ++k;
      RunEvidence evidence;
      std::vector<KanjiPiece> chosen;
      for (std::size_t j = k; j < pieces.size() && pieces[j].end <= end; ++j) {
        evidence.reading += pieces[j].reading;
        evidence.origins.push_back(origins[j]);
        chosen.push_back(pieces[j]);
      }
      // The lattice comes in order of the words' beginnings; the words that may overlap the
      // run start less than a long word's length before it.
      constexpr std::size_t kLongestWord = 32;
      const auto from = std::lower_bound(
          lattice.begin(), lattice.end(), begin > kLongestWord ? begin - kLongestWord : 0,
          [](const LatticeWord& w, std::size_t at) { return w.begin < at; });
      const auto to =
          std::lower_bound(from, lattice.end(), end,
                           [](const LatticeWord& w, std::size_t at) { return w.begin < at; });
      evidence.lattice = MeasureLatticeDoubt(analysed, in_run, begin, end, chosen,
                                             std::span<const LatticeWord>(from, to));
      GatherLexiconEvidence(text, analysed, begin, end, evidence);
      GatherPieceVariants(analysed, chosen, evidence);
      // Where a later pass changed the analyser's reading, the analyser's reading and its
      // lattice alternatives are worth offering too.
      while (a < analyser_pieces.size() && analyser_pieces[a].begin < begin) ++a;
      std::vector<KanjiPiece> analysers;
      Text analysers_reading;
      bool covers = true;  // the pieces read the whole run, each of them in kana
      for (std::size_t j = a; j < analyser_pieces.size() && analyser_pieces[j].end <= end; ++j) {
        const KanjiPiece& piece = analyser_pieces[j];
        covers = covers && piece.begin == (analysers.empty() ? begin : analysers.back().end) &&
                 !piece.reading.empty() && AllKana(piece.reading);
        analysers.push_back(piece);
        analysers_reading += piece.reading;
      }
      covers = covers && !analysers.empty() && analysers.back().end == end;
      if (covers && analysers != chosen) {
        evidence.variants.push_back(analysers_reading);
        for (auto& [reading, probability] :
             MeasureLatticeDoubt(analysed, in_run, begin, end, analysers,
                                 std::span<const LatticeWord>(from, to))
                 .alternatives) {
          evidence.variants.push_back(std::move(reading));
        }
      }
      reviews.push_back({begin, JudgeRun(evidence)});
      begin = end;
    }
  }

  // What the user dictionary, EDICT and KANJIDIC know of the run [begin, end).
  void GatherLexiconEvidence(const Text& text, const Text& analysed, std::size_t begin,
                             std::size_t end, RunEvidence& evidence) {
    const Text run = analysed.substr(begin, end - begin);
    if (const auto user = user_words_.find(std::u32string_view(text).substr(begin, end - begin));
        user != user_words_.end()) {
      evidence.user = user->second;
    }
    // The run in the lexicon's encoding, once: the lookups below only add kana to it.
    const std::optional<std::string> key = CompoundLexicon::Encode(run);
    if (!key) {
      GatherKanjiEvidence(run, evidence);
      return;
    }
    if (run.size() >= 2) {
      for (const CompoundReading& r : compounds_.ReadingsOfEncoded(*key)) {
        evidence.dictionary.emplace_back(r.reading, r.common);
      }
      // A compound not listed as written may be listed with the kana ending of its last
      // part, which the text leaves out (綿入 → 綿入れ わたいれ, 未払 → 未払い).
      constexpr std::size_t kLongestShortened = 3;
      if (evidence.dictionary.empty() && run.size() <= kLongestShortened) {
        static const std::vector<std::string> kEndings = [] {
          std::vector<std::string> endings;
          for (const char32_t ending : std::u32string_view(U"いきぎしちにびみりえけげせてねべめれ")) {
            endings.push_back(CompoundLexicon::Encode(Text(1, ending)).value_or(""));
          }
          return endings;
        }();
        for (const std::string& ending : kEndings) {
          for (const CompoundReading& r : compounds_.ReadingsOfEncoded(*key + ending)) {
            evidence.dictionary_of_word.push_back(r.reading);
          }
        }
      }
    }
    // The word with its kana tail (未払い): its reading without the tail.
    constexpr std::size_t kLongestTail = 3;
    std::string word = *key;
    Text tail;
    for (std::size_t i = end; i < analysed.size() && i < end + kLongestTail; ++i) {
      const char32_t c = FoldToHiragana(analysed[i]);
      if (c < U'ぁ' || c > U'ゖ') break;
      const std::optional<std::string> kana = CompoundLexicon::Encode(Text(1, analysed[i]));
      if (!kana) break;
      word += *kana;
      tail += c;
      for (const CompoundReading& r : compounds_.ReadingsOfEncoded(word)) {
        if (r.reading.size() > tail.size() && r.reading.ends_with(tail)) {
          evidence.dictionary_of_word.push_back(
              r.reading.substr(0, r.reading.size() - tail.size()));
        }
      }
    }
    GatherKanjiEvidence(run, evidence);
  }

  // KANJIDIC's readings of the run: all of a single kanji's, or the first of each kanji
  // joined.
  void GatherKanjiEvidence(const Text& run, RunEvidence& evidence) {
    if (run.size() == 1) {
      evidence.kanji = KanjiReadings(run.front());
    } else {
      Text joined;
      Text previous;
      for (const char32_t c : run) {
        const Text one = c == U'々' ? previous : FirstKanjiReading(c);
        if (one.empty()) return;
        joined += one;
        previous = one;
      }
      evidence.kanji.push_back(std::move(joined));
    }
  }

  // Readings of a run read in several pieces (`chosen`) with one piece read otherwise: a
  // single kanji by its KANJIDIC reading inside words (鬼|太郎: き|たろう), or a later piece
  // with its first sound voiced, as the second part of a compound often is (薄|月: うす|づき).
  void GatherPieceVariants(const Text& analysed, const std::vector<KanjiPiece>& chosen,
                           RunEvidence& evidence) {
    if (chosen.size() < 2) return;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      const auto with_piece = [&](const Text& reading) {
        Text whole;
        for (std::size_t j = 0; j < chosen.size(); ++j) {
          whole += j == i ? reading : chosen[j].reading;
        }
        return whole;
      };
      if (i > 0) {
        if (const std::optional<Text> voiced = VoiceFirstSound(chosen[i].reading)) {
          evidence.variants.push_back(with_piece(*voiced));
        }
      }
      if (chosen[i].end - chosen[i].begin == 1) {
        const Text& own = FirstKanjiReading(analysed[chosen[i].begin]);
        if (!own.empty() && own != chosen[i].reading) evidence.kanji.push_back(with_piece(own));
      }
    }
  }

  // KANJIDIC's reading of a kanji inside a word (its first on reading), empty when it has
  // none; kept once asked for.
  const Text& FirstKanjiReading(char32_t c) {
    const auto known = first_kanji_readings_.find(c);
    if (known != first_kanji_readings_.end()) return known->second;
    return first_kanji_readings_.emplace(c, kanjidic_.ReadingOf(c).value_or(Text()))
        .first->second;
  }

  // KANJIDIC's readings of one kanji, kept once asked for.
  const std::vector<Text>& KanjiReadings(char32_t c) {
    const auto known = kanji_readings_.find(c);
    if (known != kanji_readings_.end()) return known->second;
    return kanji_readings_.emplace(c, kanjidic_.AllReadingsOf(c)).first->second;
  }

  // The reading of text[begin, end) kanji by kanji; `before` is the reading of the stretch
  // that ends at `begin`, if any. A kanji nothing can read stands for itself (the engine then
  // leaves it without ruby), and so does 々 repeating it; variation selectors read nothing.
  Text ReadPerCharacter(const Text& text, std::size_t begin, std::size_t end, const Text& before) {
    Text reading;
    Text previous;  // the reading of the previous character
    for (std::size_t i = begin; i < end; ++i) {
      const char32_t c = text[i];
      if (IsVariationSelector(c)) continue;
      Text one;
      if (c == U'々') {
        one = previous.empty() ? RepeatedReading(text, i, before) : previous;
        if (!AllKana(one)) one = Text(1, c);
      } else if (c == U'ヶ' || c == U'ヵ') {
        one = U"か";
      } else {
        one = CharReading(c);
        if (one.empty()) one = Text(1, c);
      }
      reading += one;
      previous = one;
    }
    return reading;
  }

  // The reading of the 々 at `at` that starts a stretch: the kanji it repeats, voiced when
  // the stretch before ends in the voiced form (人々|々 after ひとびと: びと); empty when
  // nothing reads that kanji.
  Text RepeatedReading(const Text& text, std::size_t at, const Text& before) {
    std::size_t k = at;
    while (k > 0 && (text[k - 1] == U'々' || IsVariationSelector(text[k - 1]))) --k;
    if (k == 0) return {};
    const Text plain = CharReading(text[k - 1]);
    const std::optional<Text> voiced = VoiceFirstSound(plain);
    if (voiced && before.size() > voiced->size() && before.ends_with(*voiced)) return *voiced;
    return plain;
  }

  // The reading of a lookup taken from the working text given to PrepareConversion.
  std::optional<Text> FromWorkingText(const Text& lookup) {
    for (std::size_t k = next_run_; k < runs_.size() && k < next_run_ + kRunsSearchedAhead;
         ++k) {
      const Run& run = runs_[k];
      const std::size_t o = run.begin > 0 && working_[run.begin - 1] == kHonorificO ? 1 : 0;
      const std::size_t from = run.begin - o;
      if (lookup.size() < o + run.end - run.begin) continue;
      if (working_.compare(from, lookup.size(), lookup) != 0) continue;
      next_run_ = k + 1;
      Text reading = lookup.substr(0, o);
      if (!worker_.joinable()) {
        while (analysed_until_ < run.end) AnalyseNextSentence();
      }
      {
        std::unique_lock lock(progress_mutex_);
        if (analysed_until_ < run.end) {
          // Lookups that catch up with the analysis wait for it to get well ahead, so they
          // are not woken for every sentence.
          constexpr std::size_t kLead = 8192;
          wanted_until_ = std::min(run.end + kLead, runs_.back().end);
          progressed_.wait(lock, [&] { return analysed_until_ >= wanted_until_; });
        }
        reading.append(readings_, run.reading_begin, run.reading_length);
        if (reviewing_ && run.reading_length > 0 && k < reviews_.size()) {
          last_review_ = std::move(reviews_[k]);
        }
      }
      if (run.reading_length == 0) {
        // Every run is analysed with its sentence or its tag; should one still lack a
        // reading, it is read kanji by kanji rather than left empty.
        const std::lock_guard analysis(analysis_mutex_);
        reading += ReadPerCharacter(working_, run.begin, run.end, Text());
      }
      reading.append(lookup, o + run.end - run.begin);
      if (next_run_ == runs_.size()) ReleaseWorkingText();
      return reading;
    }
    return std::nullopt;
  }

  // The analysis of the working text runs ahead of the lookups in two stages on threads of
  // their own: the parser analyses sentence after sentence with its own analyser, the worker
  // takes them through the passes. The engine, the analyser and the passes work at the same
  // time, and the analyser need not wait for the lexicons the passes use.
  void StartWorker() {
    stop_ = false;
    try {
      if (parser_) {
        parser_thread_ = std::thread([this] {
          const std::size_t until = runs_.back().end;
          ParsedSentence sentence;
          while (!stop_.load(std::memory_order_relaxed) && parsed_until_ < until) {
            ParseNextSentence(*parser_, sentence);
            sentence = PassOn(std::move(sentence));
          }
        });
      }
      worker_ = std::thread([this] {
        const std::size_t until = runs_.back().end;
        while (!stop_.load(std::memory_order_relaxed) && analysed_until_ < until) {
          AnalyseNextSentence();
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: the lookups analyse as they go.
    }
  }

  // Once every run was looked up the working text is of no more use; its memory goes back
  // before the caller builds its output. Later lookups are read on their own.
  void ReleaseWorkingText() {
    StopWorker();
    Text().swap(working_);
    std::vector<bool>().swap(in_run_);
    std::vector<Run>().swap(runs_);
    Text().swap(readings_);
    std::vector<RunReview>().swap(reviews_);
    next_run_ = 0;
    run_cursor_ = 0;
    analysed_until_ = 0;
    wanted_until_ = 0;
    parsed_until_ = 0;
  }

  void StopWorker() {
    {
      const std::lock_guard lock(parsed_mutex_);
      stop_ = true;
    }
    parsed_changed_.notify_all();
    if (worker_.joinable()) worker_.join();
    if (parser_thread_.joinable()) parser_thread_.join();
    parsed_.clear();
    spare_.clear();
    parsed_bytes_ = 0;
  }

  // Hands a parsed sentence to the worker, waiting while it is far behind, and returns one
  // the worker is done with, to be parsed into: the sentences go round between the two, so
  // neither frees what the other allocated. The two wake each other only in batches: a
  // wake-up per sentence would cost more than the sentence.
  ParsedSentence PassOn(ParsedSentence sentence) {
    // The parser may get well ahead, as it does while the lexicons load and the worker
    // waits for them; the bound keeps what it holds to a few megabytes (a sentence with its
    // lattice holds ten times as much as one without).
    constexpr std::size_t kMostBytesAhead = std::size_t{4} << 20;
    constexpr std::size_t kBatch = 8;
    const std::size_t bytes = BytesHeld(sentence);
    std::unique_lock lock(parsed_mutex_);
    if (parsed_bytes_ > kMostBytesAhead) {
      parser_waits_ = true;
      parsed_changed_.wait(lock, [&] { return parsed_bytes_ <= kMostBytesAhead || stop_; });
      parser_waits_ = false;
    }
    if (stop_) return {};
    const bool last = sentence.end >= runs_.back().end;
    parsed_bytes_ += bytes;
    sentence.bytes = bytes;
    parsed_.push_back(std::move(sentence));
    if (worker_waits_ && (parsed_.size() >= kBatch || last)) parsed_changed_.notify_all();
    if (spare_.empty()) return {};
    ParsedSentence spare = std::move(spare_.back());
    spare_.pop_back();
    return spare;
  }

  // The next sentences for the passes, in order: those the parser has ready when it runs,
  // else one parsed here; none once the analysis is stopped.
  std::deque<ParsedSentence> NextParsed() {
    std::deque<ParsedSentence> sentences;
    if (!parser_thread_.joinable()) {
      sentences.emplace_back();
      if (parser_) {
        ParseNextSentence(*parser_, sentences.back());
      } else {
        // No analyser of its own: the service's, which the lookups also use.
        const std::lock_guard analysis(analysis_mutex_);
        ParseNextSentence(*analyzer_, sentences.back());
      }
      return sentences;
    }
    std::unique_lock lock(parsed_mutex_);
    if (parsed_.empty()) {
      worker_waits_ = true;
      parsed_changed_.wait(lock, [&] { return !parsed_.empty() || stop_; });
      worker_waits_ = false;
    }
    if (stop_) return sentences;
    // A bounded share: the parser refills the queue while these are read, and what both
    // hold together stays near the bound.
    constexpr std::size_t kMostTaken = 64;
    while (!parsed_.empty() && sentences.size() < kMostTaken) {
      parsed_bytes_ -= parsed_.front().bytes;
      sentences.push_back(std::move(parsed_.front()));
      parsed_.pop_front();
    }
    if (parser_waits_) parsed_changed_.notify_all();
    return sentences;
  }

  // Takes the next parsed sentences of the working text through the passes and stores the
  // readings of their runs. Only one thread at a time calls it (the worker, or the lookups
  // when there is none), so it reads analysed_until_ without the lock.
  void AnalyseNextSentence() {
    std::deque<ParsedSentence> sentences = NextParsed();
    for (ParsedSentence& sentence : sentences) ReadParsedSentence(sentence);
    if (parser_thread_.joinable()) {
      const std::lock_guard lock(parsed_mutex_);
      for (ParsedSentence& sentence : sentences) spare_.push_back(std::move(sentence));
    }
  }

  // About the memory a parsed sentence holds.
  static std::size_t BytesHeld(const ParsedSentence& sentence) {
    std::size_t bytes = 0;
    for (std::size_t p = 0; p < sentence.part_count; ++p) {
      const ParsedText& part = sentence.parts[p];
      bytes += part.text.size() * (sizeof(char32_t) + sizeof(std::size_t)) +
               part.analysis.words.size() * sizeof(AnalysedWord) +
               part.analysis.lattice.size() * sizeof(AnalysedLatticeWord);
    }
    return bytes;
  }

  // The next part of `sentence` to parse into, reused when it has one.
  static ParsedText& NextPart(ParsedSentence& sentence) {
    if (sentence.part_count == sentence.parts.size()) sentence.parts.emplace_back();
    return sentence.parts[sentence.part_count++];
  }

  // Parses the working text from parsed_until_ to the next sentence end into `sentence`: the
  // sentence without its tags, then the text inside its tags (alt="富士山"), each as a text
  // of its own. Only one thread at a time calls it.
  void ParseNextSentence(MecabAnalyzer& analyzer, ParsedSentence& sentence) {
    sentence.part_count = 0;
    ParsedText& part = NextPart(sentence);
    Text& text = part.text;
    std::vector<std::size_t>& origin = part.origin;  // working-text position of each character
    std::vector<std::size_t>& boundaries = part.boundaries;
    text.clear();
    origin.clear();
    boundaries.clear();
    std::vector<std::pair<std::size_t, std::size_t>> tags;  // passed over, in the working text
    const std::size_t limit = working_.size() - 1;  // the terminator is not text
    std::size_t end = parsed_until_;
    bool boundary_pending = false;
    while (end < limit) {
      if (const std::size_t tag = TagLength(working_, end, limit)) {
        const bool line_break = IsLineBreakTag(working_, end, tag);
        tags.emplace_back(end, end + tag);
        end += tag;
        if (line_break) break;
        boundary_pending = true;
        continue;
      }
      const char32_t c = working_[end++];
      if (c == U'\r' || c == U'\n') break;
      if (IsVariationSelector(c)) continue;  // it chooses a glyph; the analyser needs none
      if (boundary_pending && !text.empty()) boundaries.push_back(text.size());
      boundary_pending = false;
      text += c;
      origin.push_back(end - 1);
      if (EndsSentence(c)) break;
      if (text.size() >= kLongestSentence &&
          (!in_run_[end - 1] || text.size() >= 2 * kLongestSentence)) {
        break;
      }
    }
    if (end == parsed_until_) end = working_.size();  // nothing left: mark all analysed
    sentence.end = end;
    ParsePart(analyzer, sentence);
    for (const auto& [tag_begin, tag_end] : tags) {
      for (const auto& [begin, stretch_end] : TagTextStretches(working_, tag_begin, tag_end)) {
        ParsedText& inside = NextPart(sentence);
        inside.text.clear();
        inside.origin.clear();
        inside.boundaries.clear();
        for (std::size_t i = begin; i < stretch_end; ++i) {
          if (IsVariationSelector(working_[i])) continue;
          inside.text += working_[i];
          inside.origin.push_back(i);
        }
        ParsePart(analyzer, sentence);
      }
    }
    parsed_until_ = end;
  }

  // Parses the last part of `sentence`, whose text, origin and boundaries are set; a text
  // without kanji has nothing to read and is given up.
  void ParsePart(MecabAnalyzer& analyzer, ParsedSentence& sentence) {
    ParsedText& part = sentence.parts[sentence.part_count - 1];
    part.in_run.resize(part.text.size());
    bool any_kanji = false;
    for (std::size_t i = 0; i < part.text.size(); ++i) {
      part.in_run[i] = in_run_[part.origin[i]];
      any_kanji = any_kanji || part.in_run[i];
    }
    if (any_kanji) {
      Parse(analyzer, part);
    } else {
      --sentence.part_count;
    }
  }

  // Takes a parsed sentence through the passes and stores the readings of its runs.
  void ReadParsedSentence(const ParsedSentence& sentence) {
    std::vector<RunPiece> pieces;
    std::vector<ReviewAt> reviews;
    std::vector<ReviewAt>* const reviewed = reviewing_ ? &reviews : nullptr;
    {
      const std::lock_guard analysis(analysis_mutex_);
      for (std::size_t p = 0; p < sentence.part_count; ++p) {
        const ParsedText& part = sentence.parts[p];
        const std::size_t first_review = reviews.size();
        for (KanjiPiece& piece : ReadParsed(part, reviewed)) {
          pieces.push_back({part.origin[piece.begin], std::move(piece.reading)});
        }
        for (std::size_t k = first_review; k < reviews.size(); ++k) {
          reviews[k].begin = part.origin[reviews[k].begin];
        }
      }
    }
    if (sentence.part_count > 1) {
      std::stable_sort(pieces.begin(), pieces.end(),
                       [](const RunPiece& a, const RunPiece& b) { return a.begin < b.begin; });
    }
    const std::lock_guard lock(progress_mutex_);
    // Pieces come in text order, sentence after sentence, so the run of each is found by
    // moving one cursor forward.
    for (const RunPiece& piece : pieces) {
      while (run_cursor_ < runs_.size() && runs_[run_cursor_].end <= piece.begin) ++run_cursor_;
      if (run_cursor_ == runs_.size() || runs_[run_cursor_].begin > piece.begin) continue;
      AppendRunReading(runs_[run_cursor_], piece.reading);
    }
    for (ReviewAt& review : reviews) {
      const auto run = std::lower_bound(
          runs_.begin(), runs_.end(), review.begin,
          [](const Run& r, std::size_t at) { return r.begin < at; });
      if (run != runs_.end() && run->begin == review.begin) {
        reviews_[static_cast<std::size_t>(run - runs_.begin())] = std::move(review.review);
      }
    }
    analysed_until_ = sentence.end;
    if (analysed_until_ >= wanted_until_) progressed_.notify_all();
  }

  void AppendRunReading(Run& run, const Text& reading) {
    if (run.reading_length == 0) {
      run.reading_begin = readings_.size();
    } else if (run.reading_begin + run.reading_length != readings_.size()) {
      // Not the last reading written: it moves to the end so the parts stay together.
      const Text earlier = readings_.substr(run.reading_begin, run.reading_length);
      run.reading_begin = readings_.size();
      readings_ += earlier;
    }
    readings_ += reading;
    run.reading_length += reading.size();
  }

  // The reading of a lookup without the working text, with the previous lookups as context.
  // Variation selectors are left out of the lookup and its reading.
  Text OnItsOwn(const Text& written) {
    Text lookup;
    std::copy_if(written.begin(), written.end(), std::back_inserter(lookup),
                 [](char32_t c) { return !IsVariationSelector(c); });
    if (lookup.empty()) return lookup;
    Text text = context_ + lookup;
    std::vector<bool> flags = MarkKanjiRuns(context_);
    const std::vector<bool> own = MarkKanjiRuns(lookup);
    flags.insert(flags.end(), own.begin(), own.end());
    std::vector<std::size_t> boundaries;
    if (!context_.empty()) boundaries.push_back(context_.size());
    std::vector<KanjiPiece> pieces;
    std::vector<ReviewAt> reviews;
    {
      const std::lock_guard analysis(analysis_mutex_);
      pieces = ReadKanji(text, flags, boundaries, reviewing_ ? &reviews : nullptr);
    }
    // The lookup's run is its first one.
    for (ReviewAt& review : reviews) {
      if (review.begin < context_.size()) continue;
      last_review_ = std::move(review.review);
      break;
    }

    Text reading;
    std::size_t i = context_.size();
    for (const KanjiPiece& piece : pieces) {
      if (piece.end <= context_.size()) continue;
      for (; i < piece.begin; ++i) reading += text[i];
      reading += piece.reading;
      i = piece.end;
    }
    for (; i < text.size(); ++i) reading += text[i];

    context_ += lookup;
    if (EndsSentence(lookup.back())) context_.clear();
    if (context_.size() > kContextLength) context_.erase(0, context_.size() - kContextLength);
    return reading;
  }

  std::unique_ptr<MecabAnalyzer> analyzer_;
  ReadingDictionary user_dictionary_;
  // Hashes any text view, so a registered word is found without copying the text's stretch.
  struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::u32string_view text) const {
      return std::hash<std::u32string_view>()(text);
    }
  };
  QList<ReadingEntry> user_words_source_;
  std::unordered_map<Text, Text, ViewHash, std::equal_to<>> user_words_;  // word → reading
  // The lengths of the registered words by their first character, longest first.
  std::unordered_map<char32_t, std::vector<std::size_t>> user_word_lengths_;
  KanjidicReadings kanjidic_;
  CompoundLexicon compounds_;
  ParticleContext particle_context_;
  VerbContext verb_context_;
  RareKanji rare_;
  std::unordered_map<char32_t, Text> char_readings_;
  std::unordered_map<char32_t, std::vector<Text>> kanji_readings_;  // KanjiReadings'
  std::unordered_map<char32_t, Text> first_kanji_readings_;          // FirstKanjiReading's
  bool reviewing_ = false;
  std::vector<RunReview> reviews_;  // by run, in review mode
  std::optional<RunReview> last_review_;

  Text working_;
  bool prepared_ = false;  // a non-empty working text was given, even if released since
  std::vector<bool> in_run_;
  std::vector<Run> runs_;
  Text readings_;  // the readings of the runs, one after another
  std::size_t next_run_ = 0;
  std::size_t run_cursor_ = 0;      // no run before it gets any more reading
  std::size_t analysed_until_ = 0;  // written with progress_mutex_ held
  std::size_t wanted_until_ = 0;    // what a waiting lookup waits for; progress_mutex_
  Text context_;

  // Taken around every use of the analyser and the lexicons (ReadKanji).
  std::mutex analysis_mutex_;
  // Guards analysed_until_ and the runs' readings while the worker runs.
  std::mutex progress_mutex_;
  std::condition_variable progressed_;
  std::thread worker_;
  std::thread loader_;
  std::atomic<bool> stop_ = false;  // written with parsed_mutex_ held

  // The parser's analyser and thread, and the sentences it parsed for the worker.
  std::unique_ptr<MecabAnalyzer> parser_;
  std::thread parser_thread_;
  std::deque<ParsedSentence> parsed_;
  std::deque<ParsedSentence> spare_;  // read, to be parsed into again
  std::size_t parsed_bytes_ = 0;  // what the sentences in parsed_ hold, about (BytesHeld)
  std::size_t parsed_until_ = 0;  // the parser's position in the working text
  std::mutex parsed_mutex_;
  std::condition_variable parsed_changed_;
  bool parser_waits_ = false;  // for room in parsed_; parsed_mutex_
  bool worker_waits_ = false;  // for a parsed sentence; parsed_mutex_
};

}  // namespace

Outcome<std::unique_ptr<ReadingService>> CreateMecabReadingService(const MecabOptions& options) {
  Outcome<std::unique_ptr<MecabAnalyzer>> analyzer =
      MecabAnalyzer::Create(options.dictionary_folder);
  if (!analyzer) return Failure{analyzer.reason()};
  std::unique_ptr<ReadingService> service =
      std::make_unique<MecabReadingService>(std::move(analyzer).value(), options);
  return service;
}

}  // namespace yomika
