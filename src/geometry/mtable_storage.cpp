// A material table's entries and their content hash: one block of floats
// with the bucket chains after it, kept in the table's record while small.
// Within a bucket the first entry stored stays first and later ones follow
// it newest first, so that equal entries are found in that order; an entry
// whose content changes is stored afresh.
#include "geometry/mtable_record.h"
#include "orv/message.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

std::size_t words_for(int capacity, int stride) {
    return static_cast<std::size_t>(capacity) * static_cast<std::size_t>(stride + 2);
}

bool in_record(const OVmtable *t) {
    return static_cast<const void *>(t->entries) == static_cast<const void *>(t->inline_words);
}

// Points the table at storage for capacity entries: floats, then the bucket
// heads, then the chains.
void point_at(OVmtable *t, std::int32_t *words, int capacity) {
    t->entries = reinterpret_cast<float *>(words);
    t->bucket_first = words + static_cast<std::ptrdiff_t>(capacity) * t->stride;
    t->bucket_next = t->bucket_first + capacity;
    t->capacity = capacity;
    std::fill(t->bucket_first, t->bucket_first + capacity, -1);
}

// Storage for capacity entries, the record's own when it fits; null when
// memory ran out.
std::int32_t *take_words(OVmtable *t, int capacity) {
    std::size_t words = words_for(capacity, t->stride);
    if (words <= static_cast<std::size_t>(kMtableInlineWords) && !t->entries)
        return t->inline_words;
    return static_cast<std::int32_t *>(std::malloc(words * sizeof(std::int32_t)));
}

void hash_store(OVmtable *t, int index) {
    std::int32_t &head =
        t->bucket_first[orv::mtable_hash(orv::mtable_at(t, index), t->entry_size, t->capacity)];
    if (head < 0) {
        head = index;
        t->bucket_next[index] = -1;
    } else {
        t->bucket_next[index] = t->bucket_next[head];
        t->bucket_next[head] = index;
    }
}

bool expand(OVmtable *t) {
    int step = t->capacity / 2;
    if (step < 50) step = 20;
    step = std::min(step, 20000);
    int capacity = orv::mtable_prime(t->capacity + step);
    if (capacity <= t->capacity) { // the largest listed prime is the most a table holds
        OVwarning("Material table %s is full: it holds at most %d entries\n", t->name, t->capacity);
        return false;
    }
    std::int32_t *words = take_words(t, capacity);
    if (!words) {
        OVwarning("Out of memory in OVmtable_expand\n");
        return false;
    }
    auto size = static_cast<std::size_t>(capacity);
    if (t->names) {
        auto *names = static_cast<char **>(std::realloc(t->names, size * sizeof(char *)));
        if (!names) {
            std::free(words);
            OVwarning("Out of memory in OVmtable_expand\n");
            return false;
        }
        std::fill(names + t->capacity, names + capacity, nullptr);
        t->names = names;
    }
    std::memcpy(words, t->entries,
                static_cast<std::size_t>(t->count) * static_cast<std::size_t>(t->stride) *
                    sizeof(float));
    if (!in_record(t)) std::free(t->entries);
    point_at(t, words, capacity);
    for (int i = 0; i < t->count; ++i)
        hash_store(t, i);
    return true;
}

// Takes index out of its bucket's chain; the next one heads the bucket when
// index did.
void hash_remove(OVmtable *t, unsigned bucket, int index) {
    std::int32_t *link = &t->bucket_first[bucket];
    while (*link >= 0 && *link != index)
        link = &t->bucket_next[*link];
    if (*link == index) *link = t->bucket_next[index];
}

bool entries_equal(const float *a, const float *b, int size) {
    return std::memcmp(a, b, sizeof(float) * static_cast<std::size_t>(size)) == 0;
}

} // namespace

namespace orv {

bool mtable_storage_init(OVmtable *table, int capacity) {
    table->stride = std::max(table->entry_size, 1);
    std::int32_t *words = take_words(table, capacity);
    if (!words) return false;
    point_at(table, words, capacity);
    return true;
}

void mtable_storage_free(OVmtable *table) {
    if (table->names)
        for (int i = 0; i < table->count; ++i)
            std::free(table->names[i]);
    std::free(table->names);
    if (!in_record(table)) std::free(table->entries);
    table->names = nullptr;
    table->entries = nullptr;
    table->count = table->capacity = 0;
}

unsigned mtable_bucket(const OVmtable *table, int index) {
    return mtable_hash(mtable_at(table, index), table->entry_size, table->capacity);
}

void mtable_rebucket(OVmtable *table, int index, unsigned old_bucket) {
    if (mtable_bucket(table, index) == old_bucket) return;
    hash_remove(table, old_bucket, index);
    hash_store(table, index);
}

int mtable_find(const OVmtable *t, const float *entry) {
    for (int i = t->bucket_first[mtable_hash(entry, t->entry_size, t->capacity)]; i >= 0;
         i = t->bucket_next[i])
        if (entries_equal(mtable_at(t, i), entry, t->entry_size)) return i;
    return -1;
}

int mtable_append(OVmtable *t, const float *entry) {
    if (t->count >= t->capacity && !expand(t)) return -1;
    int index = t->count;
    std::memcpy(mtable_at(t, index), entry,
                sizeof(float) * static_cast<std::size_t>(t->entry_size));
    if (t->names) t->names[index] = nullptr;
    hash_store(t, index);
    ++t->count;
    return index;
}

} // namespace orv
