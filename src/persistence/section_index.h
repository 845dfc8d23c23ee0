// The sections of an INI document by name, as reads look them up: each name leads to the
// first section of that name. Open addressing in one table, so indexing thousands of
// sections allocates a few times rather than once per section. The index keeps only the
// sections' numbers and hashes; the caller says whether a section has a given name.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace reelmark {

class SectionIndex {
 public:
  // The section of this hash for which `isNamed(section)` holds, if any.
  template <typename IsNamed>
  std::optional<size_t> Find(size_t hash, IsNamed isNamed) const {
    if (slots_.empty()) return std::nullopt;
    for (size_t i = Home(hash);; i = Next(i)) {
      const Slot& slot = slots_[i];
      if (slot.section == kEmpty) return std::nullopt;
      if (slot.hash == hash && isNamed(slot.section)) return slot.section;
    }
  }
  // Adds a section whose name the index does not hold yet.
  void Add(size_t hash, size_t section);
  // Removes a section that the index holds.
  void Remove(size_t hash, size_t section);

 private:
  static constexpr size_t kEmpty = static_cast<size_t>(-1);
  struct Slot {
    size_t hash = 0;
    size_t section = kEmpty;
  };
  size_t Home(size_t hash) const { return hash & (slots_.size() - 1); }
  size_t Next(size_t i) const { return (i + 1) & (slots_.size() - 1); }
  void Place(const Slot& slot);

  std::vector<Slot> slots_;  // a power of two of them, at most three quarters used
  size_t count_ = 0;
};

}  // namespace reelmark
