// The pools of node and link records, one per 16-byte size class.
#include "scene/node_pool.h"

#include "geometry/record_pool.h"

namespace orv::scene {

namespace {

constexpr std::size_t size_step = 16, largest_pooled = 128;

struct SizedPool {
    void *(*take)();
    void (*give)(void *record);
};

template <std::size_t Size> SizedPool sized_pool() {
    static geom::RecordPool<Size> pool;
    return {[] { return pool.take(); }, [](void *record) { pool.give(record); }};
}

// By size class: the pool of records of at most (index * 16) bytes.
const SizedPool &pool_for(std::size_t size) {
    static const SizedPool pools[] = {sized_pool<48>(), sized_pool<48>(),  sized_pool<48>(),
                                      sized_pool<48>(), sized_pool<64>(),  sized_pool<80>(),
                                      sized_pool<96>(), sized_pool<112>(), sized_pool<128>()};
    return pools[(size + size_step - 1) / size_step];
}

} // namespace

void *take_record(std::size_t size) {
    return size > largest_pooled ? OVmalloc(size) : pool_for(size).take();
}

void give_record(void *record, std::size_t size) {
    if (size > largest_pooled)
        OVfree(record);
    else
        pool_for(size).give(record);
}

} // namespace orv::scene
