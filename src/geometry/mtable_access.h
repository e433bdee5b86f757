// What the renderer may read of a material table. The table's record stays
// inside the geometry module.
#pragma once

#include "orv/mtable.h"

// One component of a table's entries: which OpenGL material parameter it
// sets, its property bit, and where its floats lie in an entry.
struct OVmtablecomponent {
    int glparam;  // the OpenGL material parameter
    int property; // one property bit
    int offset;   // first float in an entry
    int size;     // floats
};

namespace orv {

// The table's OVAMBIENT... property bits.
int mtable_properties(const OVmtable *table);
// The components of every entry, in entry order, and their number.
const OVmtablecomponent *mtable_components(const OVmtable *table);
int mtable_component_count(const OVmtable *table);
// The entry a material id selects (modulo the number of entries), null when
// the table is empty or the id negative.
const float *mtable_entry(const OVmtable *table, int matid);
// Offset of the opacity in an entry, -1 without opacity.
int mtable_opacity_offset(const OVmtable *table);

} // namespace orv
