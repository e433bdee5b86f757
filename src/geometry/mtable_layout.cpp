#include "geometry/mtable_record.h"

#include <cstring>

namespace orv {

namespace {
constexpr int kPrimes[] = {3,     5,     11,    17,    29,    41,    67,    83,    101,
                           503,   1009,  2063,  3001,  4001,  5003,  6007,  7001,  8009,
                           9001,  10007, 11003, 12007, 13001, 14009, 15013, 16001, 17011,
                           18013, 19001, 20011, 30011, 40009, 50021, 60013, 70001};

int bit_number(int property) {
    for (int i = 0; i < 7; ++i)
        if (property == (1 << i)) return i;
    return -1;
}
} // namespace

int mtable_prime(int n) {
    for (int p : kPrimes)
        if (p >= n) return p;
    return 70001;
}

unsigned mtable_hash(const float *entry, int size, int capacity) {
    if (size <= 0 || capacity <= 0) return 0;
    auto word = [entry](int i) {
        std::uint32_t w;
        std::memcpy(&w, entry + i, sizeof w);
        return w;
    };
    std::uint32_t h;
    if (size == 1)
        h = word(0);
    else if (size == 2)
        h = (word(1) << 16) | (word(0) & 0xFFFFu);
    else {
        int base = size == 3 ? 0 : size - 4;
        h = (word(base) & 0x49249241u) | (word(base + 1) & 0x92492482u) |
            (word(base + 2) & 0x24924924u);
    }
    return h % static_cast<std::uint32_t>(capacity);
}

int mtable_offset(const OVmtable *table, int property) {
    int bit = bit_number(property);
    if (!table || bit < 0) return -1;
    return table->property_offset[bit];
}

void mtable_defaults(const OVmtable *table, float *entry) {
    std::memset(entry, 0, sizeof(float) * static_cast<std::size_t>(table->entry_size));
    for (int i = 0; i < table->ncomponents; ++i) {
        const OVmtablecomponent &c = table->components[i];
        if (c.size == 4) entry[c.offset + 3] = 1.0f;
    }
}

} // namespace orv
