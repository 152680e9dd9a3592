#include "tools/ClickTiming.h"

#include <algorithm>
#include <chrono>
#include <climits>

#include "common/Text.h"

namespace mw {
namespace {

constexpr long long kLongestCloseMs = INT_MAX - kAbortGraceMs;

// n / d rounded to the nearest whole number, halves to the even one (n >= 0, d > 0).
long long RoundHalfEven(long long n, long long d) {
  const long long q = n / d, r = n % d;
  if (2 * r > d || (2 * r == d && q % 2 != 0)) return q + 1;
  return q;
}

}  // namespace

bool ClickTiming::VaryCaption(const std::string& secondsText, std::string& caption, std::string& error) {
  int value = 0;
  if (!TryStrToInt(secondsText, value)) {
    error = NotAnIntegerMessage(secondsText);
    return false;
  }
  caption = "Klickzeit variieren zwischen " + secondsText + " und " + std::to_string(2LL * value) + " Sekunden";
  return true;
}

bool ClickTiming::ReadOptions(const std::string& secondsText, const std::string& maximumText, int& seconds,
                              int& maximum, std::string& error) {
  const std::string trimmed = Trim(secondsText);
  if (!TryStrToInt(trimmed, seconds)) {
    error = NotAnIntegerMessage(trimmed);
    return false;
  }
  if (seconds < 1) {
    error = kTooFewSecondsText;
    return false;
  }
  if (!TryStrToInt(maximumText, maximum)) {
    error = NotAnIntegerMessage(maximumText);
    return false;
  }
  return true;
}

ClickTiming::ClickTiming(int seconds, bool vary, std::uint32_t seed)
    : seconds_(std::max(seconds, 1)), vary_(vary), random_(seed) {}

int ClickTiming::DrawCloseInterval() {
  const long long base = std::min<long long>(seconds_ * 1000LL, kLongestCloseMs);
  long long extra = 0;
  if (vary_) extra = std::uniform_int_distribution<long long>(0, base - 2)(random_);
  return int(std::min(base + extra, kLongestCloseMs));
}

ClickCountdown ClickTiming::Countdown(int ticks, int closeIntervalMs) {
  const long long whole = closeIntervalMs / 1000;
  ClickCountdown out;
  if (whole - ticks > 0)
    out.label =
        "N\xc3\xa4"
        "chste Aktion in " +
        std::to_string(whole - ticks) + " Sekunden";
  else
    out.label =
        "N\xc3\xa4"
        "chste Aktion gestartet!";
  out.position = whole <= 0 ? 100 : int(std::min<long long>(RoundHalfEven(std::max(ticks, 0) * 100LL, whole), 100));
  return out;
}

std::uint32_t ClickTiming::ClockSeed() {
  return std::uint32_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace mw
