#pragma once
// The click tool's times: reading the options (seconds, maximum), the caption of the vary box,
// the close and abort intervals of a click window and its once-a-second countdown.

#include <cstdint>
#include <random>
#include <string>

namespace mw {

// What the user is told for a seconds value below 1 (UTF-8).
inline constexpr const char* kTooFewSecondsText = "Bitte geben Sie mindestens 1 Sekunde ein!";
// The waiting time beyond the close interval after which a page that never finishes loading is
// closed all the same.
inline constexpr int kAbortGraceMs = 25000;

struct ClickCountdown {
  std::string label;  // UTF-8
  int position = 0;   // of the progress bar, 0 to 100
};

class ClickTiming {
 public:
  // The caption of the vary box for the seconds text as typed: "Klickzeit variieren zwischen "
  // + text + " und " + 2 * value + " Sekunden". False, with the conversion message in `error`,
  // when the text is not a whole number.
  static bool VaryCaption(const std::string& secondsText, std::string& caption, std::string& error);

  // The seconds (trimmed, at least 1) and the maximum number of the options window; false with
  // the message to show (UTF-8) when one of them is refused.
  static bool ReadOptions(const std::string& secondsText, const std::string& maximumText, int& seconds, int& maximum,
                          std::string& error);

  ClickTiming(int seconds, bool vary, std::uint32_t seed = ClockSeed());

  // Waiting time after a page has loaded: seconds * 1000 ms, and with varying a random extra of
  // 0 to base - 2 ms, drawn anew on each call. Capped so the abort interval still fits a timer.
  int DrawCloseInterval();
  static int AbortInterval(int closeIntervalMs) { return closeIntervalMs + kAbortGraceMs; }

  // The countdown after `ticks` seconds for a close interval: "Nächste Aktion in " + rest +
  // " Sekunden" while whole seconds are left, else "Nächste Aktion gestartet!"; the bar at
  // ticks / seconds * 100, rounded half to even, at most 100.
  static ClickCountdown Countdown(int ticks, int closeIntervalMs);

  static std::uint32_t ClockSeed();

 private:
  int seconds_;
  bool vary_;
  std::mt19937 random_;
};

}  // namespace mw
