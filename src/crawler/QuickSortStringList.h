#pragma once
// The crawler's set type: a string list kept in ascending order by an ASCII-only case-folding
// comparison, with a binary search that finds a string or inserts it where it belongs.
//
// The strings live in an append-only arena and the list is a row of small sorted blocks with a
// Fenwick tree over the block sizes, so an insert into a list of a million URLs shifts at most
// one block and index access stays logarithmic.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mw {

class TQuickSortStringList {
 public:
  TQuickSortStringList() = default;
  TQuickSortStringList(const TQuickSortStringList&) = delete;
  TQuickSortStringList& operator=(const TQuickSortStringList&) = delete;

  // -1, 0 or +1; only "a" to "z" are folded, every other byte compares by its unsigned value.
  static int Compare(std::string_view a, std::string_view b);

  // Binary search for `s`. `found` receives the index of an equal string or -1, `insertAt` the
  // index where `s` belongs (-1 when found). When not found and `add` is true, `s` is inserted
  // at `insertAt` with object value 0. Returns whether `s` was found.
  bool FindOrInsert(std::string_view s, int& found, bool add, int& insertAt);
  bool Contains(std::string_view s) const;

  // Removes empty strings when RemoveEmptyOnSort is set, then sorts ascending.
  void Sort();
  bool RemoveEmptyOnSort = true;

  // Replaces the contents with the lines of `text` (LF or CR LF), unsorted until Sort.
  void SetText(std::string_view text);
  void Append(std::string_view s, int object = 0);  // at the end, without keeping the order
  void Clear();
  void SetCapacity(std::size_t) {}  // the blocks grow as needed; kept for the list's interface

  int Count() const { return count_; }
  std::string_view Strings(int index) const;
  int Objects(int index) const;
  void SetObject(int index, int value);

  // Bytes held for the strings and the index, for measuring the per-entry cost.
  std::size_t MemoryUsed() const;

 private:
  struct Entry {
    const char* text;
    std::uint32_t length;
    int object;
    std::string_view View() const { return {text, length}; }
  };
  using Block = std::vector<Entry>;

  const char* Store(std::string_view s);
  void InsertAt(std::size_t block, std::size_t offset, Entry e);
  void RebuildTree();
  void TreeAdd(std::size_t block, int delta);
  int Prefix(std::size_t block) const;  // entries in the blocks before `block`
  std::pair<std::size_t, std::size_t> Locate(int index) const;
  void Rebuild(std::vector<Entry> entries);

  std::vector<Block> blocks_;
  std::vector<int> tree_;  // Fenwick tree over the block sizes, 1-based
  int count_ = 0;
  std::vector<std::unique_ptr<char[]>> arena_;
  std::size_t arenaUsed_ = 0, arenaSize_ = 0, arenaBytes_ = 0;
};

}  // namespace mw
