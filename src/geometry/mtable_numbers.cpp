// The numbers of generated material table names ("mt" and a number) borne by
// live tables. A new name takes the highest plus one, so the count of tables
// bearing each number is kept in an array indexed by it: counting a table in
// or out is one step, and the highest only ever walks down over numbers it
// once climbed.
#include "geometry/mtable_record.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<std::int32_t> g_counts; // by number; [0] unused
int g_highest = 0;

} // namespace

namespace orv {

int mtable_name_number(const char *name) {
    if (std::strncmp(name, "mt", 2) != 0 || name[2] < '0' || name[2] > '9') return 0;
    // Whatever follows the digits does not matter: "mt7b" bears 7 as well.
    long n = 0;
    for (const char *c = name + 2; *c >= '0' && *c <= '9' && n < kMtableNumberLimit; ++c)
        n = n * 10 + (*c - '0');
    // Any larger number counts as the limit: no name is generated above it.
    return static_cast<int>(std::min<long>(n, kMtableNumberLimit));
}

void mtable_count_number(int number, int delta) {
    if (number < 1) return;
    auto at = static_cast<std::size_t>(number);
    if (at >= g_counts.size()) {
        if (delta < 0) return; // never counted
        g_counts.resize(
            std::min(std::max(at + 1, g_counts.size() * 2), std::size_t{kMtableNumberLimit} + 1));
    }
    g_counts[at] = std::max(g_counts[at] + delta, 0);
    if (g_counts[at] > 0) {
        g_highest = std::max(g_highest, number);
        return;
    }
    while (g_highest > 0 && g_counts[static_cast<std::size_t>(g_highest)] == 0)
        --g_highest;
}

int mtable_highest_number() {
    return g_highest;
}

void mtable_numbers_clear() {
    std::vector<std::int32_t>().swap(g_counts);
    g_highest = 0;
}

} // namespace orv
