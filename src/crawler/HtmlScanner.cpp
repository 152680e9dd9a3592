#include "crawler/HtmlScanner.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mw {
namespace {

inline char Up(char c) {
  return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

struct Keyword {
  std::string_view text;
  unsigned char code;
};

// Tried in this order for every character; a later keyword ending on the same character wins.
constexpr std::array<Keyword, 14> kKeywords = {{
    {" HREF=", kMarkHref},
    {" SRC=", kMarkSrc},
    {"<A", kMarkOpen},
    {"/A>", kMarkClose},
    {"A/>", kMarkClose},
    {"<FRAME", kMarkOpen},
    {"</FRAME", kMarkClose},
    {"OPENWIN( ", kMarkHref},
    {"BASE HREF=", kMarkBase},
    {"<OPTION", kMarkOpen},
    {"/OPTION>", kMarkClose},
    {"<APPLET", kMarkOpen},
    {"/APPLET>", kMarkClose},
    {" VALUE=", kMarkValue},
}};

// The fourteen progress counters form a finite machine; it is built once, breadth first over
// the reachable counter combinations, so that matching costs one table step per character.
class MarkerMachine {
 public:
  MarkerMachine() {
    classOf_.fill(0);
    std::vector<char> letters;
    for (const auto& k : kKeywords)
      for (char c : k.text)
        if (!classOf_[static_cast<unsigned char>(c)]) {
          letters.push_back(c);
          classOf_[static_cast<unsigned char>(c)] = std::uint8_t(letters.size());
        }
    for (char c = 'a'; c <= 'z'; ++c)
      classOf_[static_cast<unsigned char>(c)] = classOf_[static_cast<unsigned char>(Up(c))];
    classes_ = letters.size() + 1;

    std::unordered_map<std::uint64_t, std::uint16_t> ids;
    std::vector<std::uint64_t> states{0};
    ids[0] = 0;
    for (std::size_t s = 0; s < states.size(); ++s) {
      for (std::size_t cls = 0; cls < classes_; ++cls) {
        const char c = cls == 0 ? '\0' : letters[cls - 1];
        std::uint64_t packed = states[s], next = 0;
        unsigned char code = 0;
        for (std::size_t k = 0; k < kKeywords.size(); ++k) {
          unsigned progress = unsigned(packed >> (4 * k)) & 15u;
          const auto& kw = kKeywords[k];
          if (c != '\0' && c == kw.text[progress]) {
            if (++progress == kw.text.size()) {
              code = kw.code;
              progress = 0;
            }
          } else {
            progress = (c != '\0' && c == kw.text[0]) ? 1 : 0;
          }
          next |= std::uint64_t(progress) << (4 * k);
        }
        auto [it, added] = ids.emplace(next, std::uint16_t(states.size()));
        if (added) states.push_back(next);
        next_.push_back(it->second);
        code_.push_back(code);
      }
    }
    if (classes_ > (1u << kClassBits) || states.size() >= (1u << 13)) std::abort();  // cannot happen: fixed keywords
    table_.assign(states.size() << kClassBits, 0);
    for (std::size_t st = 0; st < states.size(); ++st)
      for (std::size_t cls = 0; cls < classes_; ++cls)
        table_[(st << kClassBits) | cls] =
            std::uint16_t((next_[st * classes_ + cls] << 3) | CodeIndex(code_[st * classes_ + cls]));
  }

  // Runs the machine over text[from, to) from `state`; returns the state after it.
  std::size_t Step(char* p, std::size_t from, std::size_t to, std::size_t state, bool& any) const {
    const std::uint16_t* table = table_.data();
    for (std::size_t i = from; i < to; ++i) {
      const std::uint16_t step = table[(state << kClassBits) | classOf_[static_cast<unsigned char>(p[i])]];
      if (step & kCodeMask) {
        p[i] = char(kCodes[step & kCodeMask]);
        any = true;
      }
      state = step >> 3;
    }
    return state;
  }

  // The run over every character: the counters themselves, for checking PlaceMarkers.
  bool RunEverywhere(std::string& text) const {
    bool any = false;
    Step(text.data(), 0, text.size(), 0, any);
    return any;
  }

 private:
  // One 16-bit step per state and character class: the next state above three bits that
  // select the code to place (0: none).
  static constexpr unsigned kClassBits = 5;
  static constexpr std::uint16_t kCodeMask = 7;
  static constexpr unsigned char kCodes[8] = {0, kMarkHref, kMarkValue, kMarkSrc, kMarkBase, kMarkOpen, kMarkClose, 0};
  static std::uint16_t CodeIndex(unsigned char code) {
    for (std::uint16_t i = 1; i < 7; ++i)
      if (kCodes[i] == code) return i;
    return 0;
  }

  std::array<std::uint8_t, 256> classOf_{};
  std::size_t classes_ = 1;
  std::vector<std::uint16_t> next_;
  std::vector<unsigned char> code_;
  std::vector<std::uint16_t> table_;
};

const MarkerMachine& Machine() {
  static const MarkerMachine machine;
  return machine;
}

bool HasAnyOf(std::string_view s, std::string_view chars) {
  for (char c : s)
    for (char x : chars)
      if (c == x) return true;
  return false;
}

// What happens to a value once it is complete; empty when it is refused.
std::string_view FinishValue(unsigned char kind, std::string_view v) {
  auto upperContains = [](std::string_view s, std::string_view word) {
    for (std::size_t i = 0; i + word.size() <= s.size(); ++i) {
      std::size_t k = 0;
      while (k < word.size() && Up(s[i + k]) == word[k]) ++k;
      if (k == word.size()) return true;
    }
    return false;
  };
  if (upperContains(v, "TOP.WINDOW")) return {};
  if (auto open = v.find('('); open != std::string_view::npos && open >= 1) {
    v = v.substr(open + 1);
    if (auto close = v.find(')'); close != std::string_view::npos && close >= 1) v = v.substr(0, close);
  }
  v = v.substr(0, v.find('<'));
  v = v.substr(0, v.find('>'));
  if (HasAnyOf(v, "()+[]")) return {};
  if (kind == kMarkValue) {
    if (HasAnyOf(v, " ;") || v.find('/') == std::string_view::npos) return {};
  } else if (v == "=") {
    return {};
  }
  return v;
}

// Position of `upperWord` in `text` compared in upper case, from `from`; npos when absent.
std::size_t FindUpper(std::string_view text, std::string_view upperWord, std::size_t from = 0) {
  if (upperWord.empty() || text.size() < upperWord.size()) return std::string_view::npos;
  const char first = upperWord[0];
  const char firstLower = (first >= 'A' && first <= 'Z') ? char(first + 32) : first;
  for (std::size_t i = from; i + upperWord.size() <= text.size(); ++i) {
    if (text[i] != first && text[i] != firstLower) continue;
    std::size_t k = 1;
    while (k < upperWord.size() && Up(text[i + k]) == upperWord[k]) ++k;
    if (k == upperWord.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

namespace {

// Bit k set when in[k] (of 16 bytes, with one more byte readable after them) is not copied as
// it stands: below 32, "=", in quote mode a quote or comma, or a space before a space or "=".
inline unsigned SpecialMask16(const unsigned char* in, bool quoteMode) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 1));
  const __m128i space = _mm_set1_epi8(' '), equals = _mm_set1_epi8('=');
  const __m128i low = _mm_cmpeq_epi8(_mm_max_epu8(v, _mm_set1_epi8(31)), _mm_set1_epi8(31));
  __m128i special = _mm_or_si128(low, _mm_cmpeq_epi8(v, equals));
  if (quoteMode)
    special = _mm_or_si128(special, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')),
                                                              _mm_cmpeq_epi8(v, _mm_set1_epi8('\''))),
                                                 _mm_cmpeq_epi8(v, _mm_set1_epi8(','))));
  const __m128i crowded =
      _mm_and_si128(_mm_cmpeq_epi8(v, space), _mm_or_si128(_mm_cmpeq_epi8(next, space), _mm_cmpeq_epi8(next, equals)));
  return unsigned(_mm_movemask_epi8(_mm_or_si128(special, crowded)));
#else
  unsigned mask = 0;
  for (int k = 0; k < 16; ++k) {
    const unsigned char c = in[k], after = in[k + 1];
    if (c < 32 || c == '=' || (quoteMode && (c == '"' || c == '\'' || c == ',')) ||
        (c == ' ' && (after == ' ' || after == '=')))
      mask |= 1u << k;
  }
  return mask;
#endif
}

#if defined(__SSE2__)
struct BlockMasks {
  unsigned stop;  // bytes below 32 and "=": handled one by one
  unsigned drop;  // blanks (quotes and commas included in quote mode) before a blank or "="
};

// Writes the 16 bytes at `in` to `out` with quotes and commas turned into blanks in quote mode.
inline BlockMasks ConvertBlock16(const unsigned char* in, bool quoteMode, char* out) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 1));
  const __m128i space = _mm_set1_epi8(' '), equals = _mm_set1_epi8('=');
  __m128i converted = v;
  if (quoteMode) {
    const __m128i quote =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\''))),
                     _mm_cmpeq_epi8(v, _mm_set1_epi8(',')));
    converted = _mm_or_si128(_mm_and_si128(quote, space), _mm_andnot_si128(quote, v));
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), converted);
  const __m128i low = _mm_cmpeq_epi8(_mm_max_epu8(v, _mm_set1_epi8(31)), _mm_set1_epi8(31));
  const __m128i crowded = _mm_and_si128(_mm_cmpeq_epi8(converted, space),
                                        _mm_or_si128(_mm_cmpeq_epi8(next, space), _mm_cmpeq_epi8(next, equals)));
  return {unsigned(_mm_movemask_epi8(_mm_or_si128(low, _mm_cmpeq_epi8(v, equals)))),
          unsigned(_mm_movemask_epi8(crowded))};
}
#endif

}  // namespace

void NormalizeInto(std::string_view text, bool quoteMode, bool lineMode, std::string& out) {
  // What each byte becomes: 0 dropped, ' ' a space (dropped after "=" or before a space or
  // "=" of the input), anything else itself. One table per mode; the loop has no branch per byte.
  static const auto tables = [] {
    std::array<std::array<char, 256>, 4> t{};
    for (int mode = 0; mode < 4; ++mode) {
      const bool quotes = mode & 1, lines = mode & 2;
      for (int c = 0; c < 256; ++c) {
        char o = char(c);
        if (c < 32)
          o = (c == '\n' && lines) ? ' ' : '\0';
        else if (quotes && (c == '"' || c == '\'' || c == ','))
          o = ' ';
        t[std::size_t(mode)][std::size_t(c)] = o;
      }
    }
    return t;
  }();
  const auto& conv = tables[(quoteMode ? 1 : 0) | (lineMode ? 2 : 0)];
  out.resize(text.size() + 1);
  char* w = out.data();
  char previous = 'X';
  const unsigned char* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    // Running text: the bytes up to the first one that changes or is dropped (a byte below 32,
    // a quote, comma or "=", a space before a space or "=" or after a kept "=") are copied at once.
#if defined(__SSE2__)
    // Quotes and commas become blanks in the block itself; a blank that is dropped is skipped
    // there too, so only a byte below 32 or "=" goes the slow way.
    while (i + 17 <= n) {
      const BlockMasks b = ConvertBlock16(in + i, quoteMode, w);  // the output never runs ahead of the input
      const unsigned drop = b.drop | unsigned(w[0] == ' ' && previous == '=');
      const unsigned mask = b.stop | drop;
      const std::size_t plain = mask ? std::size_t(__builtin_ctz(mask)) : 16;
      w += plain;
      i += plain;
      if (plain) previous = w[-1];
      if (!mask) continue;
      if (b.stop & (1u << plain)) break;
      ++i;  // a dropped blank
    }
#else
    while (i + 17 <= n) {
      const unsigned mask = SpecialMask16(in + i, quoteMode) | unsigned(in[i] == ' ' && previous == '=');
      const std::size_t plain = mask ? std::size_t(__builtin_ctz(mask)) : 16;
      std::memcpy(w, in + i, 16);  // the output never runs ahead of the input: room enough
      w += plain;
      i += plain;
      if (plain) previous = char(in[i - 1]);
      if (mask) break;
    }
#endif
    if (i >= n) break;
    const char o = conv[in[i]];
    const unsigned char next = i + 1 < n ? in[i + 1] : 0;
    const bool space = o == ' ';
    const bool drop = o == '\0' || (space && (previous == '=' || next == ' ' || next == '='));
    *w = o;
    w += !drop;
    previous = drop ? previous : o;
  }
  out.resize(std::size_t(w - out.data()));
}

std::string Normalize(std::string_view text, bool quoteMode, bool lineMode) {
  std::string out;
  NormalizeInto(text, quoteMode, lineMode, out);
  return out;
}

namespace {

// Whether the keyword `upper` ends at text[end], compared in upper case.
inline bool EndsWithUpper(const char* p, std::size_t end, std::string_view upper) {
  if (end + 1 < upper.size()) return false;
  const char* s = p + end + 1 - upper.size();
  for (std::size_t k = 0; k < upper.size(); ++k)
    if (Up(s[k]) != upper[k]) return false;
  return true;
}

// Whether the keyword `upper` starts at text[at], compared in upper case.
inline bool StartsWithUpper(const char* p, std::size_t at, std::size_t n, std::string_view upper) {
  if (at + upper.size() > n) return false;
  for (std::size_t k = 0; k < upper.size(); ++k)
    if (Up(p[at + k]) != upper[k]) return false;
  return true;
}

// Bit k set when p[k] is one of "<", "=", ">", "(" (16 bytes from p).
inline unsigned TriggerMask16(const char* p) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i lt = _mm_cmpeq_epi8(v, _mm_set1_epi8('<')), eq = _mm_cmpeq_epi8(v, _mm_set1_epi8('='));
  const __m128i gt = _mm_cmpeq_epi8(v, _mm_set1_epi8('>')), open = _mm_cmpeq_epi8(v, _mm_set1_epi8('('));
  return unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(lt, eq), _mm_or_si128(gt, open))));
#else
  unsigned mask = 0;
  for (int k = 0; k < 16; ++k)
    if (p[k] == '<' || p[k] == '=' || p[k] == '>' || p[k] == '(') mask |= 1u << k;
  return mask;
#endif
}

}  // namespace

// Every keyword begins with "<" or ends in "=", ">" or "(" and a blank, and none repeats its
// first character; so the progress counters complete exactly where a keyword's text stands in
// the text, and the codes can be placed by looking around those four characters alone. The
// matches are found in the unchanged text and placed afterwards, as the counters read the text
// before any code replaced a character of it.
bool PlaceMarkers(std::string& text) {
  thread_local std::vector<std::pair<std::size_t, unsigned char>> found;
  found.clear();
  const char* p = text.data();
  const std::size_t n = text.size();
  // Most triggers stand in markup that holds no keyword: the character beside one decides
  // which keyword, if any, can stand there.
  auto look = [&](std::size_t i) {
    switch (p[i]) {
      case '<':
        if (i + 1 >= n) break;
        switch (Up(p[i + 1])) {
          case 'A':
            found.emplace_back(i + 1, kMarkOpen);
            if (StartsWithUpper(p, i, n, "<APPLET")) found.emplace_back(i + 6, kMarkOpen);
            break;
          case 'F':
            if (StartsWithUpper(p, i, n, "<FRAME")) found.emplace_back(i + 5, kMarkOpen);
            break;
          case '/':
            if (StartsWithUpper(p, i, n, "</FRAME")) found.emplace_back(i + 6, kMarkClose);
            break;
          case 'O':
            if (StartsWithUpper(p, i, n, "<OPTION")) found.emplace_back(i + 6, kMarkOpen);
            break;
        }
        break;
      case '=':
        if (i == 0) break;
        switch (Up(p[i - 1])) {
          case 'F':  // "BASE HREF=" ends together with " HREF=" and wins
            if (EndsWithUpper(p, i, " HREF="))
              found.emplace_back(i, EndsWithUpper(p, i, "BASE HREF=") ? kMarkBase : kMarkHref);
            break;
          case 'C':
            if (EndsWithUpper(p, i, " SRC=")) found.emplace_back(i, kMarkSrc);
            break;
          case 'E':
            if (EndsWithUpper(p, i, " VALUE=")) found.emplace_back(i, kMarkValue);
            break;
        }
        break;
      case '>':
        if (i < 2) break;
        switch (Up(p[i - 1])) {
          case 'A':
            if (p[i - 2] == '/') found.emplace_back(i, kMarkClose);
            break;
          case '/':
            if (Up(p[i - 2]) == 'A') found.emplace_back(i, kMarkClose);
            break;
          case 'N':
            if (EndsWithUpper(p, i, "/OPTION>")) found.emplace_back(i, kMarkClose);
            break;
          case 'T':
            if (EndsWithUpper(p, i, "/APPLET>")) found.emplace_back(i, kMarkClose);
            break;
        }
        break;
      case '(':
        if (i + 1 < n && p[i + 1] == ' ' && EndsWithUpper(p, i, "OPENWIN(")) found.emplace_back(i + 1, kMarkHref);
        break;
    }
  };
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16)
    for (unsigned mask = TriggerMask16(p + i); mask; mask &= mask - 1) look(i + std::size_t(__builtin_ctz(mask)));
  for (; i < n; ++i) look(i);
  for (const auto& [at, code] : found) text[at] = char(code);
  return !found.empty();
}

bool PlaceMarkersEverywhere(std::string& text) {
  return Machine().RunEverywhere(text);
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;

// Position of the first byte at or after `i` that is below 32 or, with `valueEnds`, a space or
// ">"; n when there is none. The lowest flagged byte of each test is exact.
std::size_t NextStop(const char* p, std::size_t i, std::size_t n, bool valueEnds) {
#if defined(__SSE2__)
  const __m128i below = _mm_set1_epi8(31), space = _mm_set1_epi8(' '), close = _mm_set1_epi8('>');
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i hit = _mm_cmpeq_epi8(_mm_max_epu8(v, below), below);
    if (valueEnds) hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, space), _mm_cmpeq_epi8(v, close)));
    if (const unsigned mask = unsigned(_mm_movemask_epi8(hit))) return i + std::size_t(__builtin_ctz(mask));
  }
#endif
  while (i + 8 <= n) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    std::uint64_t hit = (w - kOnes * 32) & ~w & kHighs;
    if (valueEnds) {
      const std::uint64_t sp = w ^ (kOnes * ' '), gt = w ^ (kOnes * '>');
      hit |= ((sp - kOnes) & ~sp & kHighs) | ((gt - kOnes) & ~gt & kHighs);
    }
    if (hit) return i + std::size_t(__builtin_ctzll(hit) / 8);
    i += 8;
  }
  for (; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c < 32 || (valueEnds && (c == ' ' || c == '>'))) return i;
  }
  return n;
}

}  // namespace

void ExtractLinks(std::string_view marked, const std::function<bool()>& stopping, const LinkValueSink& onValue) {
  bool collecting = false;
  unsigned char kind = 0;
  std::size_t start = 0, length = 0;  // the value is a run of the text: nothing is copied per character
  const std::size_t n = marked.size();
  const char* p = marked.data();
  for (std::size_t i = 0; i < n; ++i) {
    // Outside a value only a marker matters; inside one, only its end or a marker.
    if (!collecting || length > 0) {
      const std::size_t stop = NextStop(p, i, n, collecting);
      if (collecting) length += stop - i;
      i = stop;
      if (i >= n) break;
    }
    const unsigned char ch = static_cast<unsigned char>(p[i]);
    if (ch == kMarkOpen || ch == kMarkClose) {
      collecting = false;
    } else if (ch <= 12) {
      kind = ch;
      collecting = true;
      length = 0;
    } else if (collecting) {
      if (length == 0) {
        if (ch != ' ') {
          start = i;
          length = 1;
        }
      } else if (ch == ' ' || ch == '>') {
        collecting = false;
        const std::string_view value = FinishValue(kind, marked.substr(start, length));
        length = 0;
        if (stopping && stopping()) return;
        // An empty remainder (a value such as "<x") would only name the page's own folder.
        if (!value.empty()) onValue(kind, value);
      } else {
        ++length;
      }
    }
  }
}

TMetaTag ScanMetaTag(std::string_view tag) {
  TMetaTag t;
  for (std::size_t i = 0; i < 4 && i < tag.size(); ++i) t.TagType.push_back(Up(tag[i]));
  int index = 0;
  bool inValue = false, inQuote = false;
  for (std::size_t p = 5; p < tag.size(); ++p) {
    const char c = tag[p];
    if (c == '=') {
      inValue = true;
    } else if (c == '"') {
      inQuote = !inQuote;
    } else if (c == ' ' && !inQuote) {
      if (inValue) {
        if (index == 2) return t;
        ++index;
        inValue = false;
      }
    } else if (!inValue) {
      t.Attrib[index].push_back(Up(c));
    } else {
      t.Value[index].push_back(inQuote ? c : Up(c));
    }
  }
  t.Complete = inValue;
  return t;
}

std::string RefreshTarget(const TMetaTag& tag) {
  if (tag.Attrib[0] != "HTTP-EQUIV" || tag.Attrib[1] != "CONTENT") return {};
  std::string v1;
  for (char c : tag.Value[0]) v1.push_back(Up(c));
  if (v1 != "REFRESH") return {};
  const auto at = tag.Value[1].find("URL");
  return at == std::string::npos ? std::string() : tag.Value[1].substr(at + 3);
}

std::string_view HeadPart(std::string_view body) {
  const std::size_t close = FindUpper(body, "</HEAD>");
  return close == std::string_view::npos ? std::string_view() : body.substr(0, close + 7);
}

void ScanHead(std::string_view body, const HeadSink& sink) {
  const std::size_t open = FindUpper(body, "<HEAD>");
  if (open == std::string_view::npos) return;
  const std::size_t close = FindUpper(body, "</HEAD>");
  if (close == std::string_view::npos) return;
  const std::size_t from = open + 6;
  const std::string head = Normalize(close > from ? body.substr(from, close - from) : std::string_view(), false, true);

  const std::size_t title = FindUpper(head, "<TITLE>"), titleEnd = FindUpper(head, "</TITLE>");
  if (title != std::string::npos && titleEnd != std::string::npos && sink.onTitle)
    sink.onTitle(titleEnd > title + 7 ? head.substr(title + 7, titleEnd - title - 7) : std::string());

  std::size_t tagStart = 0;
  for (std::size_t i = 0; i < head.size(); ++i) {
    if (head[i] == '<') {
      tagStart = i + 1;
    } else if (head[i] == '>') {
      const std::string_view tag = std::string_view(head).substr(tagStart, i - tagStart);
      if (tag.size() > 5 && tag[4] == ' ' && sink.onTag) sink.onTag(ScanMetaTag(tag));
      tagStart = i + 1;
    }
  }
}

}  // namespace mw
