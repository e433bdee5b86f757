// The material table record, private to the geometry module; the renderer
// uses mtable_access.h.
#pragma once

#include "geometry/mtable_access.h"
#include "orv/mtable.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

constexpr int kMtableNameSize = 260; // terminator included

struct OVmaterialbucket {
    int first = -1;
    std::vector<int> chain;
};

struct OVmtable {
    char name[kMtableNameSize];
    int properties;
    int entry_size;
    int ncomponents;
    OVmtablecomponent components[6];
    int property_offset[7]; // by bit number, -1 when absent
    int opacity_offset;     // -1 without opacity
    int count;
    int capacity;
    float **entries;
    char **names;
    std::vector<OVmaterialbucket> *hash;
    OVmtable *next;
    OVmtable *prev;                          // so that deleting a table need not walk the list
    std::unordered_set<OVgeometry *> *users; // a set: thousands may share a table
};

namespace orv {
// The smallest listed prime not below n (the largest for anything above it).
int mtable_prime(int n);
// The content hash of an entry for a table of the given capacity.
unsigned mtable_hash(const float *entry, int size, int capacity);
// Fills entry with the table's defaults.
void mtable_defaults(const OVmtable *table, float *entry);
// The index of an entry equal to entry, -1 if none.
int mtable_find(const OVmtable *table, const float *entry);
// Appends a copy of entry (growing the table); its index or -1.
int mtable_append(OVmtable *table, const float *entry);
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
} // namespace orv
