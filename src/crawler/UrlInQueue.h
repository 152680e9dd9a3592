#pragma once
// The URLs that wait for a free download slot, each with the facts that travel with it.

#include <deque>
#include <string>

namespace mw {

struct TUrlObject {
  int CountArea = 0;    // passed through to the link events
  int RetriesSoFar = 0;  // failed attempts already made
  int Depth = 1;        // 1 for the start URL, parent depth + 1 for a found link
  bool KeepContent = true;
  unsigned char LinkKind = ' ';  // scanner code of the attribute, ' ' for the start, 'H' for a refresh
  std::string FromUrl;  // the page on which the link was found
};

class TUrlInQueue {
 public:
  struct Entry {
    std::string Url;
    TUrlObject Object;
  };

  void Add(std::string url, TUrlObject object) { entries_.push_back({std::move(url), std::move(object)}); }
  int Count() const { return int(entries_.size()); }
  const Entry& At(int index) const { return entries_.at(std::size_t(index)); }
  // Reads and removes the entry at `index`.
  Entry Take(int index);
  void Clear() { entries_.clear(); }

 private:
  std::deque<Entry> entries_;
};

}  // namespace mw
