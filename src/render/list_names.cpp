// The display-list name allocator: blocks of 512 names, each with an
// occupancy bitmap of 16 words of 32 bits.
#include "render/list_names.h"

#include <cstdint>
#include <vector>

namespace orv {

namespace {
constexpr int block_size = 512;
constexpr int words = 16;

struct Block {
    unsigned base;
    std::uint32_t used[words];
};
std::vector<Block> blocks;

void add_block() {
    unsigned base = blocks.empty() ? 1 : blocks.back().base + block_size;
    blocks.push_back(Block{base, {}});
}

bool bit(const Block &b, int i) {
    return (b.used[i / 32] >> (i % 32)) & 1u;
}

void set_bits(Block &b, int first, int count, bool on) {
    for (int i = first; i < first + count; ++i) {
        std::uint32_t mask = 1u << (i % 32);
        if (on)
            b.used[i / 32] |= mask;
        else
            b.used[i / 32] &= ~mask;
    }
}

// A single name: the lowest free bit.
int take_one(Block &b) {
    for (int i = 0; i < block_size; ++i)
        if (!bit(b, i)) return i;
    return -1;
}

// Several names: whole free words followed by the remainder bits.
int take_run(const Block &b, int count) {
    int whole = count / 32, rest = count % 32;
    for (int w = 0; w + whole <= words; ++w) {
        bool free = true;
        for (int k = 0; k < whole && free; ++k)
            free = b.used[w + k] == 0;
        if (!free) continue;
        int tail = (w + whole) * 32;
        if (rest && tail + rest > block_size) continue;
        for (int i = tail; i < tail + rest && free; ++i)
            free = !bit(b, i);
        if (free) return w * 32;
    }
    return -1;
}
} // namespace

unsigned list_names_take(int count) {
    if (count < 1 || count > block_size) return 0;
    for (std::size_t k = 0;; ++k) {
        if (k == blocks.size()) add_block();
        Block &b = blocks[k];
        int at = count == 1 ? take_one(b) : take_run(b, count);
        if (at < 0) continue;
        set_bits(b, at, count, true);
        return b.base + static_cast<unsigned>(at);
    }
}

void list_names_free(unsigned first, int count) {
    for (Block &b : blocks)
        if (first >= b.base && first < b.base + block_size) {
            int at = static_cast<int>(first - b.base);
            if (count > 0 && at + count <= block_size) set_bits(b, at, count, false);
            return;
        }
}

void list_names_reset() {
    blocks.clear();
}

} // namespace orv
