#include "persistence/section_index.h"

#include <utility>

namespace reelmark {

void SectionIndex::Place(const Slot& slot) {
  size_t i = Home(slot.hash);
  while (slots_[i].section != kEmpty) i = Next(i);
  slots_[i] = slot;
}

void SectionIndex::Add(size_t hash, size_t section) {
  if ((count_ + 1) * 4 > slots_.size() * 3) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    for (const Slot& slot : old) {
      if (slot.section != kEmpty) Place(slot);
    }
  }
  Place({hash, section});
  ++count_;
}

void SectionIndex::Remove(size_t hash, size_t section) {
  if (slots_.empty()) return;
  size_t hole = Home(hash);
  while (slots_[hole].section != section) {
    if (slots_[hole].section == kEmpty) return;
    hole = Next(hole);
  }
  // Slots after the hole move back into it when their search starts at or before it, so
  // every search still reaches its slot before an empty one.
  for (size_t i = Next(hole); slots_[i].section != kEmpty; i = Next(i)) {
    const size_t home = Home(slots_[i].hash);
    const bool reachesHole = hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
    if (reachesHole) {
      slots_[hole] = slots_[i];
      hole = i;
    }
  }
  slots_[hole] = Slot{};
  --count_;
}

}  // namespace reelmark
