// The material table record, private to the geometry module; the renderer
// uses mtable_access.h.
#pragma once

#include "geometry/mtable_access.h"
#include "orv/mtable.h"

#include <cstdint>

constexpr int kMtableNameSize = 260; // terminator included
// Generated names ("mt" and a number) stay below this number.
constexpr int kMtableNumberLimit = 1000000;
// Words (floats or bucket indices) a table keeps in its own record: a table
// of three one-colour entries, the kind every new geometry makes, needs no
// other storage.
constexpr int kMtableInlineWords = 26;

// Every geometry made by OVgeometry_begin has a table of its own, so a scene
// may hold as many tables as geometries: records come from a pool in
// creation order, and what deletion reads (links, users, storage, the
// generated number) comes first, in one cache line.
struct OVmtable {
    OVmtable *next;
    OVmtable *prev;         // so that deleting a table need not walk the list
    OVgeometry *first_user; // the geometries using it, linked through their records
    // Entry i's floats start at entries + i * stride.
    float *entries;
    char **names; // entry names, null until one is set
    int count;
    int capacity;
    int stride;    // floats of storage per entry, at least one
    int mt_number; // the number of a generated "mt" name, 0 for any other name
    // bucket_first[h] is the first entry of hash h, bucket_next[i] the entry
    // after i in its bucket.
    std::int32_t *bucket_first;
    std::int32_t *bucket_next;
    int properties;
    int entry_size;
    int ncomponents;
    int opacity_offset;     // -1 without opacity
    int property_offset[7]; // by bit number, -1 when absent
    OVmtablecomponent components[6];
    char name[kMtableNameSize];
    alignas(8) std::int32_t inline_words[kMtableInlineWords];
};

// Whole cache lines: a pool's records then start on line boundaries.
static_assert(sizeof(void *) != 8 || sizeof(OVmtable) % 64 == 0, "table record off the lines");

namespace orv {
// The smallest listed prime not below n (the largest for anything above it).
int mtable_prime(int n);
// The content hash of an entry for a table of the given capacity.
unsigned mtable_hash(const float *entry, int size, int capacity);
// Fills entry with the table's defaults.
void mtable_defaults(const OVmtable *table, float *entry);
// The floats of entry index (not checked).
inline float *mtable_at(const OVmtable *table, int index) {
    return table->entries + static_cast<std::ptrdiff_t>(index) * table->stride;
}
// The index of an entry equal to entry, -1 if none.
int mtable_find(const OVmtable *table, const float *entry);
// Appends a copy of entry (growing the table); its index or -1.
int mtable_append(OVmtable *table, const float *entry);
// Storage for capacity entries with empty buckets, in the record while it
// fits; false when memory ran out.
bool mtable_storage_init(OVmtable *table, int capacity);
// The bucket entry index belongs in by its content.
unsigned mtable_bucket(const OVmtable *table, int index);
// Moves entry index, whose content changed, from old_bucket to the bucket of
// its new content (behind that bucket's first entry, as when appended).
void mtable_rebucket(OVmtable *table, int index, unsigned old_bucket);
// Gives back the entries' storage and names.
void mtable_storage_free(OVmtable *table);
// Offset of a property's component in an entry, -1 when absent.
int mtable_offset(const OVmtable *table, int property);
// A table laid out for the properties (normalised), named by the rules of new.
OVmtable *mtable_create(int properties, int initialsize, const char *name);
// Every write of a table's name goes through here (generated numbers are counted).
void mtable_store_name(OVmtable *table, const char *name);
// The RGB floats of the colour component at index modulo the count (the
// first ambient-and-diffuse or diffuse component, else ambient); null when
// the table has none.
const float *mtable_colour(const OVmtable *table, int index);
// Marks every geometry using the table as modified.
void mtable_touch_users(OVmtable *table);
// Unlinks every user of a table being deleted; those still pointing at it
// lose their table.
void mtable_drop_users(OVmtable *table);
// The number right after a leading "mt", else 0.
int mtable_name_number(const char *name);
// Counts a live table bearing a generated number (delta +1) or forgets it
// (-1); numbers of 1 and above only.
void mtable_count_number(int number, int delta);
// The highest generated number a live table bears, 0 when none does.
int mtable_highest_number();
// Forgets every count (no table is left) and frees their storage.
void mtable_numbers_clear();
} // namespace orv
