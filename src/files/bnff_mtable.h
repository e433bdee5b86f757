// The material section of a binary NFF geometry.
#pragma once

#include "files/bnff_format.h"
#include "orv/orv_base.h"

namespace orv::bnff {

// Tag 4, the table's properties and entries, tag 5; a geometry without a
// table gets the empty section 4, 5.
void write_material_section(Writer &w, OVmtable *table);

// Reads the section from its tag 4 on; the table made (null for the empty
// section). False, with its messages, when no section or no table could be
// read: the geometry cannot go on.
bool read_material_section(Reader &r, const char *file_name, OVmtable **table);

} // namespace orv::bnff
