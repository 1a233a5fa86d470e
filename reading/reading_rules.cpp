#include "reading/reading_rules.h"

#include <array>
#include <string_view>

namespace yomika {
namespace {

// The first sound of a counter decides how a number before it changes: before k, s, t and h
// sounds 1, 8 and 10 (and before k and h also 6 and 100) end in a small っ; h becomes p
// after っ and b or p after ん.
enum class Onset { kOther, kK, kS, kT, kH };

struct Counter {
  const char32_t* surface;
  const char32_t* reading;
  Onset onset;
  const char32_t* after_tsu;  // h-row counters: the reading after っ
  const char32_t* after_n;    // the reading after ん (3, 千, 万, 何), when it changes
  bool four_yo;               // 4 reads よ (四人 よにん, 四時 よじ)
  bool seven_nine_old;        // 7 and 9 read しち and く (七時, 九月)
};

// Counters and the nouns that count like them.
constexpr std::array<Counter, 62> kCounters = {{
    {U"回戦", U"かいせん", Onset::kK, nullptr, nullptr, false, false},
    {U"本", U"ほん", Onset::kH, U"ぽん", U"ぼん", false, false},
    {U"匹", U"ひき", Onset::kH, U"ぴき", U"びき", false, false},
    {U"杯", U"はい", Onset::kH, U"ぱい", U"ばい", false, false},
    {U"分", U"ふん", Onset::kH, U"ぷん", U"ぷん", false, false},
    {U"泊", U"はく", Onset::kH, U"ぱく", U"ぱく", false, false},
    {U"発", U"はつ", Onset::kH, U"ぱつ", U"ぱつ", false, false},
    {U"歩", U"ほ", Onset::kH, U"ぽ", U"ぽ", false, false},
    {U"編", U"へん", Onset::kH, U"ぺん", U"ぺん", false, false},
    {U"品", U"ひん", Onset::kH, U"ぴん", U"ぴん", false, false},
    {U"票", U"ひょう", Onset::kH, U"ぴょう", U"ぴょう", false, false},
    {U"敗", U"はい", Onset::kH, U"ぱい", U"ぱい", false, false},
    {U"版", U"はん", Onset::kH, U"ぱん", U"ぱん", false, false},
    {U"回", U"かい", Onset::kK, nullptr, nullptr, false, false},
    {U"階", U"かい", Onset::kK, nullptr, U"がい", false, false},
    {U"個", U"こ", Onset::kK, nullptr, nullptr, false, false},
    {U"軒", U"けん", Onset::kK, nullptr, U"げん", false, false},
    {U"件", U"けん", Onset::kK, nullptr, nullptr, false, false},
    {U"巻", U"かん", Onset::kK, nullptr, nullptr, false, false},
    {U"曲", U"きょく", Onset::kK, nullptr, nullptr, false, false},
    {U"国", U"こく", Onset::kK, nullptr, nullptr, false, false},
    {U"校", U"こう", Onset::kK, nullptr, nullptr, false, false},
    {U"課", U"か", Onset::kK, nullptr, nullptr, false, false},
    {U"ヶ月", U"かげつ", Onset::kK, nullptr, nullptr, false, false},
    {U"ヵ月", U"かげつ", Onset::kK, nullptr, nullptr, false, false},
    {U"か月", U"かげつ", Onset::kK, nullptr, nullptr, false, false},
    {U"カ月", U"かげつ", Onset::kK, nullptr, nullptr, false, false},
    {U"箇月", U"かげつ", Onset::kK, nullptr, nullptr, false, false},
    {U"ヶ国", U"かこく", Onset::kK, nullptr, nullptr, false, false},
    {U"ヶ所", U"かしょ", Onset::kK, nullptr, nullptr, false, false},
    {U"カ所", U"かしょ", Onset::kK, nullptr, nullptr, false, false},
    {U"箇所", U"かしょ", Onset::kK, nullptr, nullptr, false, false},
    {U"冊", U"さつ", Onset::kS, nullptr, nullptr, false, false},
    {U"歳", U"さい", Onset::kS, nullptr, nullptr, false, false},
    {U"才", U"さい", Onset::kS, nullptr, nullptr, false, false},
    {U"隻", U"せき", Onset::kS, nullptr, nullptr, false, false},
    {U"週", U"しゅう", Onset::kS, nullptr, nullptr, false, false},
    {U"週間", U"しゅうかん", Onset::kS, nullptr, nullptr, false, false},
    {U"足", U"そく", Onset::kS, nullptr, U"ぞく", false, false},
    {U"世紀", U"せいき", Onset::kS, nullptr, nullptr, false, false},
    {U"小節", U"しょうせつ", Onset::kS, nullptr, nullptr, false, false},
    {U"頭", U"とう", Onset::kT, nullptr, nullptr, false, false},
    {U"点", U"てん", Onset::kT, nullptr, nullptr, false, false},
    {U"着", U"ちゃく", Onset::kT, nullptr, nullptr, false, false},
    {U"通", U"つう", Onset::kT, nullptr, nullptr, false, false},
    {U"丁", U"ちょう", Onset::kT, nullptr, nullptr, false, false},
    {U"等", U"とう", Onset::kT, nullptr, nullptr, false, false},
    {U"人", U"にん", Onset::kOther, nullptr, nullptr, true, false},
    {U"日", U"にち", Onset::kOther, nullptr, nullptr, false, false},
    {U"日間", U"にちかん", Onset::kOther, nullptr, nullptr, false, false},
    {U"時", U"じ", Onset::kOther, nullptr, nullptr, true, true},
    {U"時間", U"じかん", Onset::kOther, nullptr, nullptr, true, true},
    {U"月", U"がつ", Onset::kOther, nullptr, nullptr, false, true},
    {U"年", U"ねん", Onset::kOther, nullptr, nullptr, true, false},
    {U"年間", U"ねんかん", Onset::kOther, nullptr, nullptr, true, false},
    {U"円", U"えん", Onset::kOther, nullptr, nullptr, true, false},
    {U"名", U"めい", Onset::kOther, nullptr, nullptr, false, false},
    {U"度", U"ど", Onset::kOther, nullptr, nullptr, false, false},
    {U"倍", U"ばい", Onset::kOther, nullptr, nullptr, false, false},
    {U"枚", U"まい", Onset::kOther, nullptr, nullptr, false, false},
    {U"台", U"だい", Onset::kOther, nullptr, nullptr, false, false},
    {U"番", U"ばん", Onset::kOther, nullptr, nullptr, false, false},
}};

// Days of the month and counted days that have a native reading: the number's part, if any,
// and the day's (14日 じゅう+よっか, so 日 after the digits 14 reads よっか). The first only as a
// day of the month (one day counted is いちにち).
struct Day {
  int value;
  const char32_t* number;
  const char32_t* day;
};
constexpr std::array<Day, 13> kDays = {{
    {1, U"", U"ついたち"}, {2, U"", U"ふつか"}, {3, U"", U"みっか"}, {4, U"", U"よっか"},
    {5, U"", U"いつか"}, {6, U"", U"むいか"}, {7, U"", U"なのか"}, {8, U"", U"ようか"}, {9, U"", U"ここのか"},
    {10, U"", U"とおか"}, {14, U"じゅう", U"よっか"}, {20, U"", U"はつか"},
    {24, U"にじゅう", U"よっか"},
}};

constexpr std::array<const char32_t*, 10> kDigitReadings = {
    U"ぜろ", U"いち", U"に", U"さん", U"よん", U"ご", U"ろく", U"なな", U"はち", U"きゅう"};

int DigitValue(char32_t c) {
  static constexpr char32_t kKanjiDigits[] = U"〇一二三四五六七八九";
  for (int d = 0; d < 10; ++d) {
    if (c == kKanjiDigits[d]) return d;
  }
  if (c == U'零') return 0;
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'０' && c <= U'９') return static_cast<int>(c - U'０');
  return -1;
}

std::uint64_t SmallUnit(char32_t c) {
  switch (c) {
    case U'十': return 10;
    case U'百': return 100;
    case U'千': return 1000;
    default: return 0;
  }
}

std::uint64_t LargeUnit(char32_t c) {
  switch (c) {
    case U'万': return 10'000ULL;
    case U'億': return 100'000'000ULL;
    case U'兆': return 1'000'000'000'000ULL;
    default: return 0;
  }
}

bool IsNumeral(char32_t c) { return DigitValue(c) >= 0 || SmallUnit(c) || LargeUnit(c); }

bool IsKanjiNumeral(char32_t c) {
  return IsNumeral(c) && !(c >= U'0' && c <= U'9') && !(c >= U'０' && c <= U'９');
}

// The reading of 0–9999.
Text ReadSection(std::uint64_t n) {
  Text out;
  const int thousands = static_cast<int>(n / 1000);
  const int hundreds = static_cast<int>(n / 100 % 10);
  const int tens = static_cast<int>(n / 10 % 10);
  const int ones = static_cast<int>(n % 10);
  if (thousands == 3) out += U"さんぜん";
  else if (thousands == 8) out += U"はっせん";
  else if (thousands == 1) out += U"せん";
  else if (thousands > 0) out += Text(kDigitReadings[thousands]) + U"せん";
  if (hundreds == 3) out += U"さんびゃく";
  else if (hundreds == 6) out += U"ろっぴゃく";
  else if (hundreds == 8) out += U"はっぴゃく";
  else if (hundreds == 1) out += U"ひゃく";
  else if (hundreds > 0) out += Text(kDigitReadings[hundreds]) + U"ひゃく";
  if (tens == 1) out += U"じゅう";
  else if (tens > 0) out += Text(kDigitReadings[tens]) + U"じゅう";
  if (ones > 0) out += kDigitReadings[ones];
  return out;
}

Text ReadValue(std::uint64_t value) {
  if (value == 0) return kDigitReadings[0];
  static constexpr std::array<std::pair<std::uint64_t, const char32_t*>, 3> kUnits = {{
      {1'000'000'000'000ULL, U"ちょう"}, {100'000'000ULL, U"おく"}, {10'000ULL, U"まん"}}};
  Text out;
  std::uint64_t rest = value;
  for (const auto& [unit, name] : kUnits) {
    const std::uint64_t section = rest / unit;
    rest %= unit;
    if (section == 0) continue;
    Text part = ReadSection(section % 10'000) + name;
    // 一兆, 八兆, 十兆: the number before ちょう ends in っ.
    if (unit == 1'000'000'000'000ULL) {
      for (const Text& ending : {Text(U"いちちょう"), Text(U"はちちょう"), Text(U"じゅうちょう")}) {
        if (part.size() >= ending.size() &&
            part.compare(part.size() - ending.size(), ending.size(), ending) == 0) {
          part.replace(part.size() - 4, 1, U"っ");
        }
      }
    }
    out += part;
  }
  out += ReadSection(rest);
  return out;
}

const Counter* FindCounter(const Text& surface) {
  for (const Counter& counter : kCounters) {
    if (surface == counter.surface) return &counter;
  }
  return nullptr;
}

bool EndsWith(const Text& text, const char32_t* ending) {
  const Text e(ending);
  return text.size() >= e.size() && text.compare(text.size() - e.size(), e.size(), e) == 0;
}

// The number's reading with its last sound turned into っ, when it ends in a sound that does
// so before `onset`; std::nullopt otherwise.
std::optional<Text> WithSmallTsu(const Text& number, Onset onset) {
  const bool kh = onset == Onset::kK || onset == Onset::kH;
  const bool any = kh || onset == Onset::kS || onset == Onset::kT;
  if (!any) return std::nullopt;
  for (const char32_t* ending : {U"いち", U"はち", U"じゅう"}) {
    if (EndsWith(number, ending)) return number.substr(0, number.size() - 1) + U"っ";
  }
  if (kh) {
    for (const char32_t* ending : {U"ろく", U"ひゃく", U"びゃく", U"ぴゃく"}) {
      if (EndsWith(number, ending)) return number.substr(0, number.size() - 1) + U"っ";
    }
  }
  return std::nullopt;
}

bool AllKanjiNumerals(const Text& text, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (!IsKanjiNumeral(text[i])) return false;
  }
  return end > begin;
}

bool AllDigits(const Text& text, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (IsKanjiNumeral(text[i]) || DigitValue(text[i]) < 0) return false;
  }
  return end > begin;
}

bool StartsWith(const Text& text, std::size_t at, const char32_t* prefix) {
  const Text p(prefix);
  return text.compare(at, p.size(), p) == 0;
}

bool IsCounterWord(const Text& text, const Morpheme& word) {
  return FindCounter(text.substr(word.begin, word.end - word.begin)) != nullptr;
}

// Whether words[i] directly follows a month (四月, ４月): a day after it is a day of the month.
bool AfterMonth(const Text& text, const std::vector<Morpheme>& words, std::size_t i) {
  return i > 0 && words[i - 1].end == words[i].begin && words[i - 1].end > words[i - 1].begin &&
         text[words[i - 1].end - 1] == U'月';
}

// Joins words [first, last) into one with `reading`.
void Merge(std::vector<Morpheme>& words, std::size_t first, std::size_t last, Text reading) {
  words[first].end = words[last - 1].end;
  words[first].reading = std::move(reading);
  words[first].known = true;
  words.erase(words.begin() + static_cast<std::ptrdiff_t>(first + 1),
              words.begin() + static_cast<std::ptrdiff_t>(last));
}

// A number in kanji numerals (optionally led by 何) and its counter: one word, read whole.
// Returns the index of the next word to look at.
std::size_t ReadNumberWords(const Text& text, std::vector<Morpheme>& words, std::size_t i) {
  const bool interrogative = text[words[i].begin] == U'何' && words[i].end == words[i].begin + 1;
  std::size_t last = interrogative ? i + 1 : i;
  while (last < words.size() && AllKanjiNumerals(text, words[last].begin, words[last].end)) ++last;
  const std::size_t numerals_begin = interrogative ? words[i].begin + 1 : words[i].begin;
  const std::size_t numerals_end = last > i ? words[last - 1].end : numerals_begin;
  const Text numerals = text.substr(numerals_begin, numerals_end - numerals_begin);
  const bool has_counter = last < words.size() && IsCounterWord(text, words[last]);
  if (interrogative && numerals.empty() && !has_counter) return i + 1;
  // 万人 (ばんにん), 万一, 数万: a unit without a number before it is a word of its own.
  if (!interrogative && LargeUnit(numerals.front())) return last;
  // A single numeral word without a counter keeps the dictionary's reading (同一: どういつ).
  if (!interrogative && !has_counter && last == i + 1) return last;

  Text number;
  std::uint64_t value = 0;
  if (!numerals.empty()) {
    const std::optional<std::uint64_t> parsed = NumberValue(numerals);
    if (!parsed) return last;
    value = *parsed;
    number = ReadValue(value);
  }
  if (interrogative) {
    // 何百, 何千: the unit after ん is voiced.
    if (StartsWith(number, 0, U"ひゃく")) number.replace(0, 1, U"び");
    if (StartsWith(number, 0, U"せん")) number.replace(0, 1, U"ぜ");
    number = U"なん" + number;
    if (numerals.empty()) value = 0;
  }
  if (has_counter) {
    const Text counter = text.substr(words[last].begin, words[last].end - words[last].begin);
    if (std::optional<CountedReading> counted =
            ReadCounted(interrogative && numerals.empty() ? 0 : value, number, counter,
                        AfterMonth(text, words, i))) {
      Merge(words, i, last + 1, counted->number + counted->counter);
      return i + 1;
    }
  }
  if (last > i + 1 || !numerals.empty()) Merge(words, i, last, number);
  return i + 1;
}


// A word written with kana after its kanji (支払い, 近づき) or a lone kanji noun (茶): after
// the honorific prefix 御 such native words take お rather than ご.
bool IsNativeWord(const Text& text, const Morpheme& word) {
  bool kanji = false;
  for (std::size_t i = word.begin; i < word.end; ++i) {
    const char32_t c = text[i];
    if (c >= U'ぁ' && c <= U'ゖ') return kanji;
    kanji = kanji || (c >= 0x4E00 && c <= 0x9FFF);
  }
  return word.end == word.begin + 1 && kanji && word.part_of_speech.starts_with(U"名詞");
}

// Whether `word` directly follows `before` inside one stretch of kanji.
bool EndsInKanji(const Text& text, const Morpheme& before, const Morpheme& word) {
  const auto ideograph = [](char32_t c) { return c >= 0x4E00 && c <= 0x9FFF; };
  return before.end == word.begin && before.end > before.begin && ideograph(text[before.end - 1]) &&
         ideograph(text[word.begin]);
}

// Whether `before` is a verb or auxiliary in its plain form right before `word`, so that it
// modifies it (くださる方, 提出されていない方).
bool PlainPredicateBefore(const Text& text, const Morpheme& before, const Morpheme& word) {
  return before.end == word.begin && !before.base_form.empty() &&
         (before.part_of_speech.starts_with(U"動詞") ||
          before.part_of_speech.starts_with(U"助動詞")) &&
         text.compare(before.begin, before.end - before.begin, before.base_form) == 0;
}

// Whether the analyser split a form of 出す as the stem of 出る and する (とび出|した), as it
// does when kana stand before 出.
bool PutOutTakenForGoOut(const Text& text, const Morpheme& word, const Morpheme& after) {
  return word.part_of_speech.starts_with(U"動詞") && word.base_form.ends_with(U"出る") &&
         word.end > word.begin && text[word.end - 1] == U'出' && word.reading.ends_with(U"で") &&
         after.begin == word.end && after.base_form == U"する" &&
         Text(U"しすさせ").find(text[after.begin]) != Text::npos;
}

// Whether `word` counts something: a number or a counter (一年, 十人, 5).
bool IsQuantity(const Text& text, const Morpheme& word) {
  return word.part_of_speech.starts_with(U"名詞,数") ||
         word.part_of_speech.starts_with(U"名詞,接尾,助数詞") ||
         (word.end > word.begin && IsNumeral(text[word.end - 1]));
}

// Whether an adjective's stem goes on at `at` (強そう, 強さ, 強め, 強すぎ, 強げ).
bool AdjectiveEndingAt(const Text& text, std::size_t at) {
  for (const char32_t* ending : {U"そう", U"さ", U"め", U"すぎ", U"げ"}) {
    if (StartsWith(text, at, ending)) return true;
  }
  return false;
}

// Whether the particle at `at` marks a topic or limits to someone (は, も, だけ, こそ, のみ):
// after a verb, 方 so followed is a person. Comparisons take が (した方がいい), directions へ
// and に, and the tendency of 〜する方だ a copula, so those stay ほう.
bool PersonParticleAt(const Text& text, std::size_t at) {
  if (at >= text.size()) return false;
  return text[at] == U'は' || text[at] == U'も' || StartsWith(text, at, U"だけ") ||
         StartsWith(text, at, U"こそ") || StartsWith(text, at, U"のみ");
}

// The reading of 来る where the analyser took it for the old verb 来る (きたる) that conjugates
// like 去る: before the passive or causative its stem is こ (来られる, 来させる: 来ら きたら →
// こら), and 来るべき closing a sentence is くる (来るべきだ); 来るべき before a noun stays
// きたる (来るべき時代). std::nullopt elsewhere.
std::optional<Text> ComeInsteadOfArrive(const Text& text, const Morpheme& word,
                                        const Morpheme* after) {
  if (!word.part_of_speech.starts_with(U"動詞") || text[word.begin] != U'来' ||
      word.end != word.begin + 2 || !word.reading.starts_with(U"きた")) {
    return std::nullopt;
  }
  const char32_t ending = text[word.begin + 1];
  if ((ending == U'ら' || ending == U'さ') && after &&
      after->part_of_speech.starts_with(U"動詞,接尾")) {
    return Text(U"こ") + ending;
  }
  const std::size_t next = word.end;
  if (ending == U'る' && StartsWith(text, next, U"べき")) {
    const std::size_t close = next + 2;
    if (close == text.size() || Text(U"だでじ。、！？").find(text[close]) != Text::npos) {
      return Text(U"くる");
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> NumberValue(const Text& numerals) {
  constexpr std::size_t kLongestNumber = 16;
  if (numerals.empty() || numerals.size() > kLongestNumber) return std::nullopt;
  std::uint64_t total = 0;
  std::uint64_t section = 0;
  std::uint64_t current = 0;
  bool any_digit = false;
  // Units come largest first: 百千万 (a hundred thousand ten thousands) is no number.
  std::uint64_t last_small = 0;
  std::uint64_t last_large = 0;
  for (const char32_t c : numerals) {
    if (const int d = DigitValue(c); d >= 0) {
      current = current * 10 + static_cast<std::uint64_t>(d);
      any_digit = true;
    } else if (const std::uint64_t unit = SmallUnit(c)) {
      if (last_small != 0 && unit >= last_small) return std::nullopt;
      last_small = unit;
      section += (any_digit ? current : 1) * unit;
      current = 0;
      any_digit = false;
    } else if (const std::uint64_t large = LargeUnit(c)) {
      if (last_large != 0 && large >= last_large) return std::nullopt;
      last_large = large;
      last_small = 0;
      const std::uint64_t amount = section + current;
      total += (amount == 0 ? 1 : amount) * large;
      section = current = 0;
      any_digit = false;
    } else {
      return std::nullopt;
    }
  }
  return total + section + current;
}

std::optional<Text> ReadKanjiNumber(const Text& numerals) {
  for (const char32_t c : numerals) {
    if (!IsKanjiNumeral(c)) return std::nullopt;
  }
  const std::optional<std::uint64_t> value = NumberValue(numerals);
  if (!value) return std::nullopt;
  return ReadValue(*value);
}

std::optional<CountedReading> ReadCounted(std::uint64_t value, const Text& number_reading,
                                          const Text& counter_surface, bool day_of_month) {
  const Counter* counter = FindCounter(counter_surface);
  if (!counter) return std::nullopt;
  if ((counter_surface == U"歳" || counter_surface == U"才") && value == 20 &&
      !number_reading.starts_with(U"なん")) {
    return CountedReading{{}, U"はたち"};
  }
  if (counter_surface == U"人" && (value == 1 || value == 2) && number_reading.size() <= 2) {
    return CountedReading{{}, value == 1 ? U"ひとり" : U"ふたり"};
  }
  if (counter_surface == U"日") {
    for (const Day& day : kDays) {
      if (value == static_cast<std::uint64_t>(day.value) && !number_reading.starts_with(U"なん") &&
          (day.value != 1 || day_of_month)) {
        return CountedReading{day.number, day.day};
      }
    }
  }
  Text number = number_reading;
  const int ones = static_cast<int>(value % 10);
  const bool ends_with_digit = ones != 0 && !number.starts_with(U"なん");
  if (ends_with_digit && ones == 4 && counter->four_yo && EndsWith(number, U"よん")) {
    number.pop_back();
  }
  if (ends_with_digit && counter->seven_nine_old) {
    if (ones == 7 && EndsWith(number, U"なな")) number.replace(number.size() - 2, 2, U"しち");
    if (ones == 9 && EndsWith(number, U"きゅう")) number.replace(number.size() - 3, 3, U"く");
    if (ones == 4 && counter_surface == U"月" && EndsWith(number, U"よん")) {
      number.replace(number.size() - 2, 2, U"し");
    }
  }
  if (const std::optional<Text> tsu = WithSmallTsu(number, counter->onset)) {
    return CountedReading{*tsu, counter->after_tsu ? counter->after_tsu : counter->reading};
  }
  if (!number.empty() && number.back() == U'ん' && counter->after_n) {
    return CountedReading{number, counter->after_n};
  }
  return CountedReading{number, counter->reading};
}

void ApplyReadingRules(const Text& text, std::vector<Morpheme>& words) {
  for (std::size_t i = 0; i < words.size();) {
    Morpheme& word = words[i];
    const bool lone_nani = text[word.begin] == U'何' && word.end == word.begin + 1;
    if (AllKanjiNumerals(text, word.begin, word.end) || lone_nani) {
      i = ReadNumberWords(text, words, i);
      continue;
    }
    // After digits only the counter is kanji; it reads as it sounds after the number.
    if (AllDigits(text, word.begin, word.end) && i + 1 < words.size() &&
        IsCounterWord(text, words[i + 1])) {
      const Text digits = text.substr(word.begin, word.end - word.begin);
      const std::optional<std::uint64_t> value = NumberValue(digits);
      Morpheme& counter = words[i + 1];
      if (value) {
        const Text number = ReadValue(*value);
        const Text surface = text.substr(counter.begin, counter.end - counter.begin);
        if (std::optional<CountedReading> counted =
                ReadCounted(*value, number, surface, AfterMonth(text, words, i))) {
          counter.reading = counted->counter;
        }
      }
      i += 2;
      continue;
    }
    i += 1;
  }

  // Words the dictionary reads two ways: the reading of everyday modern text.
  for (std::size_t i = 0; i < words.size(); ++i) {
    Morpheme& word = words[i];
    const std::u32string_view surface =
        std::u32string_view(text).substr(word.begin, word.end - word.begin);
    const std::size_t next = word.end;
    const Morpheme* before = i > 0 ? &words[i - 1] : nullptr;
    const Morpheme* after = i + 1 < words.size() ? &words[i + 1] : nullptr;
    if (surface == U"何" && word.reading == U"なに" && next < text.size()) {
      const char32_t c = text[next];
      if (c == U'の' || c == U'だ' || c == U'で' || c == U'と' || c == U'ど' || c == U'て' ||
          c == U'な') {
        word.reading = U"なん";
      }
    } else if (surface == U"間" && word.reading == U"ま" && !StartsWith(text, next, U"もな") &&
               !StartsWith(text, next, U"に合")) {
      word.reading = U"あいだ";
    } else if (surface == U"後" && (word.reading == U"のち" || word.reading == U"こう") &&
               word.part_of_speech.starts_with(U"名詞")) {
      word.reading = U"あと";
    } else if (surface == U"語" && word.reading == U"かたり") {
      word.reading = U"ご";
    } else if (surface == U"御" && word.reading == U"ご" && after && IsNativeWord(text, *after)) {
      word.reading = U"お";
    } else if (surface == U"年" && word.reading == U"とし" && StartsWith(text, next, U"に") &&
               next + 1 < text.size() &&
               (IsNumeral(text[next + 1]) || text[next + 1] == U'数' || text[next + 1] == U'何')) {
      // So often a year: 年に一度, 年に数回.
      word.reading = U"ねん";
    } else if (std::optional<Text> come = ComeInsteadOfArrive(text, word, after)) {
      word.reading = *std::move(come);
    } else if (surface == U"方" && word.reading == U"ほう" && before &&
               PlainPredicateBefore(text, *before, word) && PersonParticleAt(text, next)) {
      word.reading = U"かた";
    } else if (after && PutOutTakenForGoOut(text, word, *after)) {
      // 出る's stem never comes before する: the two are 出す (とび出した: とびだした).
      word.reading.back() = U'だ';
    } else if (surface == U"強" && word.reading == U"きょう" && before &&
               !IsQuantity(text, *before) && AdjectiveEndingAt(text, next)) {
      // Not "a little over" a quantity (一年強) but the adjective's stem: 喧嘩強そう.
      word.reading = U"つよ";
    } else if (surface == U"人" && word.reading == U"じん" && before &&
               before->part_of_speech.starts_with(U"名詞,サ変接続") &&
               EndsInKanji(text, *before, word)) {
      // The person who does it: 傍聴人, 管理人, 保証人.
      word.reading = U"にん";
    }
  }
}

}  // namespace yomika
