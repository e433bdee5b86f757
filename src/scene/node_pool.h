// Node and link records come from pools by size: a scene built in one go then
// lies in memory in the order the walks visit it, and the walks stay in cache.
#pragma once

#include <cstddef>

namespace orv::scene {

// A record of at least the given size (uninitialised); sizes above the
// largest pool come from the heap.
void *take_record(std::size_t size);
// Gives back a record taken with the same size.
void give_record(void *record, std::size_t size);

} // namespace orv::scene
