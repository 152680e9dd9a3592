#pragma once
// The order of the click tool's clicks: the addresses of a URL file, one per line, trimmed,
// blank lines skipped, taken in file order and from the top again when the list is exhausted,
// until the click counter reaches the maximum or the run is cancelled.
//
// The counter k is the number of the click about to be made. It is raised after each click and
// tested afterwards, so a maximum of N gives N - 1 clicks, and a maximum of 2 or less gives one.

#include <cstddef>
#include <string>
#include <vector>

namespace mw {

class ClickSchedule {
 public:
  // `lines` as read from the URL file (Windows-1252).
  ClickSchedule(const std::vector<std::string>& lines, int maximum);

  // True when no click is left: the run was ended, or the file holds no address at all (such a
  // list could never reach the maximum).
  bool Finished() const { return finished_; }
  const std::string& Address() const;   // the address of the next click
  int Click() const { return click_; }  // k, counted from 1
  int Maximum() const { return maximum_; }
  // "KLICKS: " + k + " von " + N
  std::string CounterText() const;

  // After a click window has closed: raises the counter and ends the run at the maximum or
  // when `cancelled`.
  void ClickMade(bool cancelled);

 private:
  std::vector<std::string> addresses_;
  std::size_t next_ = 0;
  int click_ = 1;
  int maximum_;
  bool finished_;
};

}  // namespace mw
