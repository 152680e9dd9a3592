#include "tools/ClickSchedule.h"

#include "common/Text.h"

namespace mw {

ClickSchedule::ClickSchedule(const std::vector<std::string>& lines, int maximum) : maximum_(maximum) {
  addresses_.reserve(lines.size());
  for (const auto& line : lines) {
    std::string address = Trim(line);
    if (!address.empty()) addresses_.push_back(std::move(address));
  }
  finished_ = addresses_.empty();
}

const std::string& ClickSchedule::Address() const {
  static const std::string none;
  return finished_ ? none : addresses_[next_];
}

std::string ClickSchedule::CounterText() const {
  return "KLICKS: " + std::to_string(click_) + " von " + std::to_string(maximum_);
}

void ClickSchedule::ClickMade(bool cancelled) {
  if (finished_) return;
  ++click_;
  next_ = (next_ + 1) % addresses_.size();
  if (click_ >= maximum_ || cancelled) finished_ = true;
}

}  // namespace mw
