#include "crawler/QuickSortStringList.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mw {
namespace {

constexpr std::size_t kBlockMax = 512;      // a full block is split in two halves
constexpr std::size_t kBlockFill = 384;     // entries per block after a rebuild
constexpr std::size_t kArenaChunk = 64 * 1024;

inline unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

}  // namespace

int TQuickSortStringList::Compare(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  // URLs share long prefixes: equal runs are skipped eight bytes at a time (bytes that are
  // equal are equal after folding too).
  while (i + 8 <= n) {
    std::uint64_t x, y;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) break;
    i += 8;
  }
  for (; i < n; ++i) {
    const unsigned char x = Fold(static_cast<unsigned char>(a[i])), y = Fold(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

const char* TQuickSortStringList::Store(std::string_view s) {
  if (s.empty()) return "";
  if (s.size() > kArenaChunk / 4) {  // a long string gets a piece of its own
    auto piece = std::make_unique<char[]>(s.size());
    std::memcpy(piece.get(), s.data(), s.size());
    const char* at = piece.get();
    arenaBytes_ += s.size();
    arena_.insert(arena_.empty() ? arena_.end() : arena_.end() - 1, std::move(piece));  // the chunk stays last
    return at;
  }
  if (arena_.empty() || arenaUsed_ + s.size() > arenaSize_) {
    arena_.emplace_back(new char[kArenaChunk]);
    arenaUsed_ = 0;
    arenaSize_ = kArenaChunk;
    arenaBytes_ += kArenaChunk;
  }
  char* at = arena_.back().get() + arenaUsed_;
  std::memcpy(at, s.data(), s.size());
  arenaUsed_ += s.size();
  return at;
}

void TQuickSortStringList::RebuildTree() {
  tree_.assign(blocks_.size() + 1, 0);
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const std::size_t k = i + 1;
    tree_[k] += int(blocks_[i].size());
    const std::size_t parent = k + (k & (~k + 1));
    if (parent < tree_.size()) tree_[parent] += tree_[k];
  }
}

void TQuickSortStringList::TreeAdd(std::size_t block, int delta) {
  for (std::size_t k = block + 1; k < tree_.size(); k += k & (~k + 1)) tree_[k] += delta;
}

int TQuickSortStringList::Prefix(std::size_t block) const {
  int sum = 0;
  for (std::size_t k = block; k > 0; k -= k & (~k + 1)) sum += tree_[k];
  return sum;
}

std::pair<std::size_t, std::size_t> TQuickSortStringList::Locate(int index) const {
  // Fenwick descent: the last block whose prefix is <= index.
  std::size_t pos = 0;
  int rest = index;
  std::size_t step = 1;
  while (step * 2 < tree_.size()) step *= 2;
  for (; step > 0; step /= 2) {
    if (pos + step < tree_.size() && tree_[pos + step] <= rest) {
      pos += step;
      rest -= tree_[pos];
    }
  }
  return {pos, std::size_t(rest)};
}

void TQuickSortStringList::InsertAt(std::size_t block, std::size_t offset, Entry e) {
  if (blocks_.empty()) {
    blocks_.emplace_back().reserve(kBlockMax);
    RebuildTree();
  }
  Block& b = blocks_[block];
  b.insert(b.begin() + std::ptrdiff_t(offset), e);
  ++count_;
  if (b.size() >= kBlockMax) {
    Block upper(b.begin() + kBlockMax / 2, b.end());
    upper.reserve(kBlockMax);
    b.erase(b.begin() + kBlockMax / 2, b.end());
    blocks_.insert(blocks_.begin() + std::ptrdiff_t(block) + 1, std::move(upper));
    RebuildTree();
  } else {
    TreeAdd(block, 1);
  }
}

bool TQuickSortStringList::FindOrInsert(std::string_view s, int& found, bool add, int& insertAt) {
  found = -1;
  insertAt = -1;
  std::size_t block = 0, offset = 0;
  if (count_ > 0) {
    // The first block whose last string is not smaller than s; s belongs into it, or after
    // the last block when every string is smaller.
    std::size_t lo = 0, hi = blocks_.size();
    while (lo < hi) {
      const std::size_t mid = (lo + hi) / 2;
      if (Compare(blocks_[mid].back().View(), s) < 0) lo = mid + 1;
      else hi = mid;
    }
    if (lo == blocks_.size()) {
      block = blocks_.size() - 1;
      offset = blocks_[block].size();
    } else {
      block = lo;
      const Block& b = blocks_[block];
      std::size_t l = 0, h = b.size();
      while (l < h) {
        const std::size_t m = (l + h) / 2;
        const int c = Compare(b[m].View(), s);
        if (c == 0) {
          found = Prefix(block) + int(m);
          return true;
        }
        if (c < 0) l = m + 1;
        else h = m;
      }
      offset = l;
    }
  }
  insertAt = count_ > 0 ? Prefix(block) + int(offset) : 0;
  if (add) InsertAt(block, offset, Entry{Store(s), std::uint32_t(s.size()), 0});
  return false;
}

bool TQuickSortStringList::Contains(std::string_view s) const {
  int found = -1, at = -1;
  return const_cast<TQuickSortStringList*>(this)->FindOrInsert(s, found, false, at);
}

void TQuickSortStringList::Rebuild(std::vector<Entry> entries) {
  blocks_.clear();
  for (std::size_t i = 0; i < entries.size(); i += kBlockFill) {
    Block& b = blocks_.emplace_back();
    b.reserve(kBlockMax);
    b.assign(entries.begin() + std::ptrdiff_t(i), entries.begin() + std::ptrdiff_t(std::min(entries.size(), i + kBlockFill)));
  }
  count_ = int(entries.size());
  RebuildTree();
}

void TQuickSortStringList::Sort() {
  std::vector<Entry> all;
  all.reserve(std::size_t(count_));
  for (const Block& b : blocks_)
    for (const Entry& e : b)
      if (!RemoveEmptyOnSort || e.length > 0) all.push_back(e);
  std::sort(all.begin(), all.end(), [](const Entry& a, const Entry& b) { return Compare(a.View(), b.View()) < 0; });
  Rebuild(std::move(all));
}

void TQuickSortStringList::Append(std::string_view s, int object) {
  const std::size_t block = blocks_.empty() ? 0 : blocks_.size() - 1;
  InsertAt(block, blocks_.empty() ? 0 : blocks_.back().size(), Entry{Store(s), std::uint32_t(s.size()), object});
}

void TQuickSortStringList::SetText(std::string_view text) {
  Clear();
  while (!text.empty()) {
    const auto lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Append(line);
    if (lf == std::string_view::npos) break;
    text.remove_prefix(lf + 1);
  }
}

void TQuickSortStringList::Clear() {
  blocks_.clear();
  tree_.clear();
  arena_.clear();
  arenaUsed_ = arenaSize_ = arenaBytes_ = 0;
  count_ = 0;
}

std::string_view TQuickSortStringList::Strings(int index) const {
  const auto [b, o] = Locate(index);
  return blocks_.at(b).at(o).View();
}

int TQuickSortStringList::Objects(int index) const {
  const auto [b, o] = Locate(index);
  return blocks_.at(b).at(o).object;
}

void TQuickSortStringList::SetObject(int index, int value) {
  const auto [b, o] = Locate(index);
  blocks_.at(b).at(o).object = value;
}

std::size_t TQuickSortStringList::MemoryUsed() const {
  std::size_t bytes = arenaBytes_ + tree_.capacity() * sizeof(int) + blocks_.capacity() * sizeof(Block);
  for (const Block& b : blocks_) bytes += b.capacity() * sizeof(Entry);
  return bytes;
}

}  // namespace mw
