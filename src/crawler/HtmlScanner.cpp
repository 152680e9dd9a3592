#include "crawler/HtmlScanner.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

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

  // Every keyword holds one of "<", "/", "=", "(" and no keyword repeats its first character,
  // so the counters complete exactly where a keyword's text ends, and a match lies within
  // kReach characters of such an anchor. The machine therefore runs only around anchors and
  // starts afresh after a stretch without one.
  bool Run(std::string& text) const {
    bool any = false;
    char* p = text.data();
    const std::size_t n = text.size();
    std::size_t done = 0, state = 0;
    for (;;) {
      std::size_t r = NextAnchor(p, done, n);
      if (r >= n) break;
      std::size_t from = r > kReach ? r - kReach : 0;
      if (from > done)
        state = 0;
      else
        from = done;
      std::size_t to = std::min(n, r + kReach + 1);
      state = Step(p, from, r + 1, state, any);
      // Anchors inside the window extend it.
      for (std::size_t i = r + 1; i < to; ++i) {
        if (IsAnchor(p[i])) to = std::min(n, i + kReach + 1);
        state = Step(p, i, i + 1, state, any);
      }
      done = to;
    }
    return any;
  }

  // The plain run over every character, for checking the windowed one.
  bool RunEverywhere(std::string& text) const {
    bool any = false;
    Step(text.data(), 0, text.size(), 0, any);
    return any;
  }

 private:
  static constexpr std::size_t kReach = 9;  // longest keyword minus one
  static bool IsAnchor(char c) { return c == '<' || c == '/' || c == '=' || c == '('; }
  static std::size_t NextAnchor(const char* p, std::size_t i, std::size_t n) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    auto hasByte = [](std::uint64_t w, char c) {
      const std::uint64_t x = w ^ (ones * static_cast<unsigned char>(c));
      return (x - ones) & ~x & highs;
    };
    while (i + 8 <= n) {
      std::uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (hasByte(w, '<') | hasByte(w, '/') | hasByte(w, '=') | hasByte(w, '(')) break;
      i += 8;
    }
    while (i < n && !IsAnchor(p[i])) ++i;
    return i;
  }

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
  constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  // High bit set in every byte of `word` equal to `c` (and possibly above one): never misses.
  auto bytesEqual = [](std::uint64_t word, unsigned char c) {
    const std::uint64_t x = word ^ (ones * c);
    return (x - ones) & ~x & highs;
  };
  std::size_t retryAt = 0;  // after a block that had to go byte by byte, the next one does too
  for (std::size_t i = 0; i < n; ++i) {
    // Running text: eight bytes none of which changes or is dropped (no byte below 32, quote,
    // comma or "=", no space next to a space or "=", none after a kept "=") are copied at once.
    while (i >= retryAt && i + 9 <= n) {
      std::uint64_t word;
      std::memcpy(&word, in + i, 8);
      std::uint64_t special = ((word - ones * 32) & ~word & highs) | bytesEqual(word, '=');
      if (quoteMode) special |= bytesEqual(word, '"') | bytesEqual(word, '\'') | bytesEqual(word, ',');
      const std::uint64_t spaces = bytesEqual(word, ' ');
      const unsigned char after = in[i + 8];
      if (special || (spaces & (spaces >> 8)) || ((spaces >> 56) && (after == ' ' || after == '=')) ||
          (in[i] == ' ' && previous == '=')) {
        retryAt = i + 8;
        break;
      }
      std::memcpy(w, &word, 8);
      w += 8;
      i += 8;
      previous = char(in[i - 1]);
    }
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

bool PlaceMarkers(std::string& text) {
  return Machine().Run(text);
}

bool PlaceMarkersEverywhere(std::string& text) {
  return Machine().RunEverywhere(text);
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;

// Position of the first byte at or after `i` that is below 32 or, with `valueEnds`, a space or
// ">"; n when there is none. The lowest flagged byte of each test is exact.
std::size_t NextStop(const char* p, std::size_t i, std::size_t n, bool valueEnds) {
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
