#pragma once

namespace mw {

// Shows the busy cursor for its lifetime; Release() restores the normal cursor early.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  void Release();

 private:
  bool active_ = true;
};

}  // namespace mw
