#include "reading/mecab_reading_service.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/char_class.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_alignment.h"
#include "reading/reading_compounds.h"
#include "reading/reading_dictionary.h"
#include "reading/reading_kanjidic.h"
#include "reading/reading_particle_context.h"
#include "reading/reading_phrases.h"
#include "reading/reading_rules.h"
#include "reading/reading_unknown_words.h"
#include "reading/reading_verb_context.h"

namespace yomika {
namespace {

// A lookup that is not the next run of the working text is searched among this many runs
// further on before it is analysed on its own; the bound keeps a stray lookup from scanning
// the whole text.
constexpr std::size_t kRunsSearchedAhead = 64;
// A stretch of text without sentence end is analysed in pieces about this long.
constexpr std::size_t kLongestSentence = 2048;
// Lookups analysed on their own get this many preceding characters as context.
constexpr std::size_t kContextLength = 24;

bool EndsSentence(char32_t c) {
  return c == U'。' || c == U'！' || c == U'？' || c == U'!' || c == U'?' || c == U'\n' ||
         c == U'\r';
}

bool IsAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

// The length of the HTML tag at `at` (<font …>, </font>, <br> …), 0 when there is none.
std::size_t TagLength(const Text& text, std::size_t at, std::size_t limit) {
  if (text[at] != U'<' || at + 2 >= limit) return 0;
  const char32_t first = text[at + 1] == U'/' ? text[at + 2] : text[at + 1];
  if (!IsAsciiLetter(first)) return 0;
  constexpr std::size_t kLongestTag = 256;
  for (std::size_t i = at + 1; i < limit && i < at + kLongestTag; ++i) {
    if (text[i] == U'>') return i + 1 - at;
    if (text[i] == U'<' || text[i] == U'\n' || text[i] == U'\r') return 0;
  }
  return 0;
}

bool IsLineBreakTag(const Text& text, std::size_t at, std::size_t length) {
  return length == 4 && (text[at + 1] == U'b' || text[at + 1] == U'B') &&
         (text[at + 2] == U'r' || text[at + 2] == U'R');
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
        verb_context_(compounds_) {
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
    if (start < 1 || start > text.size() + 1 || length < -1) return std::nullopt;
    const Text lookup = ToText(text.mid(start - 1, length));
    if (lookup.empty()) return QString();
    if (std::optional<Text> located = FromWorkingText(lookup)) return ToQString(*located);
    return ToQString(OnItsOwn(lookup));
  }

  bool Close() override { return true; }

  void PrepareConversion(const QString& working_text) override {
    StopWorker();
    user_dictionary_.ReloadIfChanged();
    RefreshUserWords();
    working_ = ToText(working_text);
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
    next_run_ = 0;
    run_cursor_ = 0;
    analysed_until_ = 0;
    wanted_until_ = 0;
    context_.clear();
    if (!runs_.empty()) StartWorker();
  }

  // The reading of a kanji the dictionary has no word for; empty when nothing knows it.
  Text CharReading(char32_t c) {
    const auto cached = char_readings_.find(c);
    if (cached != char_readings_.end()) return cached->second;
    Text reading;
    const std::vector<Morpheme> alone = analyzer_->Analyse(Text(1, c), {});
    if (alone.size() == 1 && alone[0].known) reading = alone[0].reading;
    if (reading.empty()) {
      // Compatibility ideographs (﨑, 﨔 …) stand for a unified one that may be known.
      const Text unified = ToText(ToQString(Text(1, c)).normalized(QString::NormalizationForm_KC));
      if (unified.size() == 1 && unified[0] != c) reading = CharReading(unified[0]);
    }
    if (reading.empty()) reading = kanjidic_.ReadingOf(c).value_or(Text());
    char_readings_.emplace(c, reading);
    return reading;
  }

 private:
  void RefreshUserWords() {
    if (user_words_source_ == user_dictionary_.entries() && !user_words_.empty()) return;
    user_words_source_ = user_dictionary_.entries();
    user_words_.clear();
    for (const ReadingEntry& entry : user_words_source_) {
      const Text word = ToText(entry.word);
      if (word.empty()) continue;
      user_words_[word.front()].push_back({word, FoldToHiragana(ToText(entry.reading))});
    }
    for (auto& [first, words] : user_words_) {
      std::stable_sort(words.begin(), words.end(), [](const UserWord& a, const UserWord& b) {
        return a.word.size() > b.word.size();
      });
    }
  }

  struct UserWord {
    Text word;
    Text reading;
  };

  struct UserSpan {
    std::size_t begin;
    std::size_t end;
    const UserWord* word;
  };

  // The registered words in `text`, longest first, left to right without overlap.
  std::vector<UserSpan> FindUserWords(const Text& text) const {
    std::vector<UserSpan> spans;
    if (user_words_.empty()) return spans;
    for (std::size_t i = 0; i < text.size();) {
      const auto candidates = user_words_.find(text[i]);
      const UserWord* match = nullptr;
      if (candidates != user_words_.end()) {
        for (const UserWord& word : candidates->second) {
          if (text.compare(i, word.word.size(), word.word) == 0) {
            match = &word;
            break;
          }
        }
      }
      if (match) {
        spans.push_back({i, i + match->word.size(), match});
        i += match->word.size();
      } else {
        ++i;
      }
    }
    return spans;
  }

  // Readings for the kanji stretches of `text` (runs marked in `in_run`), every stretch read.
  std::vector<KanjiPiece> ReadKanji(const Text& text, const std::vector<bool>& in_run,
                                    std::vector<std::size_t> boundaries) {
    const std::vector<UserSpan> spans = FindUserWords(text);
    for (const UserSpan& span : spans) {
      boundaries.push_back(span.begin);
      boundaries.push_back(span.end);
    }
    std::vector<Morpheme> words = analyzer_->Analyse(text, boundaries);
    ApplyReadingRules(text, words);
    ApplyCompoundReadings(text, in_run, boundaries, compounds_, words);
    ReadUnknownWords(text, in_run, compounds_, words);
    particle_context_.Apply(text, in_run, words);
    verb_context_.Apply(text, *analyzer_, words);
    ApplyPhraseReadings(text, in_run, boundaries, compounds_, kanjidic_, words);

    std::vector<KanjiPiece> pieces;
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
          AppendAlignedPieces(text, in_run, span.begin, span.end, span.word->reading, pieces);
        }
        span_done = true;
        continue;
      }
      AppendAlignedPieces(text, in_run, word.begin, word.end, word.reading, pieces);
    }
    for (KanjiPiece& piece : pieces) {
      if (piece.reading.empty()) piece.reading = ReadPerCharacter(text, piece.begin, piece.end);
    }
    return pieces;
  }

  Text ReadPerCharacter(const Text& text, std::size_t begin, std::size_t end) {
    Text reading;
    Text previous;
    for (std::size_t i = begin; i < end; ++i) {
      const char32_t c = text[i];
      Text one;
      if (c == U'々') {
        one = previous.empty() && i > 0 ? CharReading(text[i - 1]) : previous;
      } else if (c == U'ヶ' || c == U'ヵ') {
        one = U"か";
      } else {
        one = CharReading(c);
      }
      // A kanji nothing knows keeps the reading of itself, so the conversion goes on.
      if (one.empty()) one = Text(1, c);
      reading += one;
      previous = one;
    }
    return reading;
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
      }
      reading.append(lookup, o + run.end - run.begin);
      if (next_run_ == runs_.size()) ReleaseWorkingText();
      return reading;
    }
    return std::nullopt;
  }

  // The analysis of the working text runs ahead of the lookups on a thread of its own, so
  // the engine and the analyser work at the same time.
  void StartWorker() {
    stop_ = false;
    try {
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
    Text().swap(sentence_);
    std::vector<std::size_t>().swap(origin_);
    std::vector<bool>().swap(sentence_flags_);
    next_run_ = 0;
    run_cursor_ = 0;
    analysed_until_ = 0;
    wanted_until_ = 0;
  }

  void StopWorker() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join();
  }

  // Analyses the working text from analysed_until_ to the next sentence end and stores the
  // readings of its runs. Only one thread at a time calls it (the worker, or the lookups when
  // there is none), so it reads analysed_until_ without the lock.
  void AnalyseNextSentence() {
    const std::size_t limit = working_.size() - 1;  // the terminator is not text
    std::size_t end = analysed_until_;
    // Kept between sentences so their room is reused.
    Text& text = sentence_;
    std::vector<std::size_t>& origin = origin_;  // working-text position of each character
    text.clear();
    origin.clear();
    std::vector<std::size_t> boundaries;
    bool boundary_pending = false;
    while (end < limit) {
      if (const std::size_t tag = TagLength(working_, end, limit)) {
        const bool line_break = IsLineBreakTag(working_, end, tag);
        end += tag;
        if (line_break) break;
        boundary_pending = true;
        continue;
      }
      const char32_t c = working_[end++];
      if (c == U'\r' || c == U'\n') break;
      if (boundary_pending && !text.empty()) boundaries.push_back(text.size());
      boundary_pending = false;
      text += c;
      origin.push_back(end - 1);
      if (EndsSentence(c)) break;
      if (text.size() >= kLongestSentence && !in_run_[end - 1]) break;
    }
    if (end == analysed_until_) end = working_.size();  // nothing left: mark all analysed

    std::vector<bool>& flags = sentence_flags_;
    flags.resize(text.size());
    bool any_kanji = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      flags[i] = in_run_[origin[i]];
      any_kanji = any_kanji || flags[i];
    }
    std::vector<KanjiPiece> pieces;
    if (any_kanji) {
      // A sentence without kanji has nothing to read.
      const std::lock_guard analysis(analysis_mutex_);
      pieces = ReadKanji(text, flags, boundaries);
    }
    const std::lock_guard lock(progress_mutex_);
    // Pieces come in text order, sentence after sentence, so the run of each is found by
    // moving one cursor forward.
    for (const KanjiPiece& piece : pieces) {
      const std::size_t at = origin[piece.begin];
      while (run_cursor_ < runs_.size() && runs_[run_cursor_].end <= at) ++run_cursor_;
      if (run_cursor_ == runs_.size() || runs_[run_cursor_].begin > at) continue;
      AppendRunReading(runs_[run_cursor_], piece.reading);
    }
    analysed_until_ = end;
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
  Text OnItsOwn(const Text& lookup) {
    Text text = context_ + lookup;
    std::vector<bool> flags = MarkKanjiRuns(context_);
    const std::vector<bool> own = MarkKanjiRuns(lookup);
    flags.insert(flags.end(), own.begin(), own.end());
    std::vector<std::size_t> boundaries;
    if (!context_.empty()) boundaries.push_back(context_.size());
    std::vector<KanjiPiece> pieces;
    {
      const std::lock_guard analysis(analysis_mutex_);
      pieces = ReadKanji(text, flags, boundaries);
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
  QList<ReadingEntry> user_words_source_;
  std::unordered_map<char32_t, std::vector<UserWord>> user_words_;
  KanjidicReadings kanjidic_;
  CompoundLexicon compounds_;
  ParticleContext particle_context_;
  VerbContext verb_context_;
  std::unordered_map<char32_t, Text> char_readings_;

  Text working_;
  bool prepared_ = false;  // a non-empty working text was given, even if released since
  std::vector<bool> in_run_;
  std::vector<Run> runs_;
  Text readings_;  // the readings of the runs, one after another
  Text sentence_;  // the sentence being analysed, without tags
  std::vector<std::size_t> origin_;
  std::vector<bool> sentence_flags_;
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
  std::atomic<bool> stop_ = false;
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
