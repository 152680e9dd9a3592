#include "crawler/UrlInQueue.h"

#include <stdexcept>

namespace mw {

TUrlInQueue::Entry TUrlInQueue::Take(int index) {
  if (index < 0 || std::size_t(index) >= entries_.size()) throw std::out_of_range("TUrlInQueue::Take");
  auto it = entries_.begin() + index;
  Entry e = std::move(*it);
  entries_.erase(it);
  return e;
}

}  // namespace mw
