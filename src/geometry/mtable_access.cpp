// A material table's layout and entries as the renderer reads them.
#include "geometry/mtable_record.h"

namespace orv {

int mtable_properties(const OVmtable *table) {
    return table->properties;
}

const OVmtablecomponent *mtable_components(const OVmtable *table) {
    return table->components;
}

int mtable_component_count(const OVmtable *table) {
    return table->ncomponents;
}

const float *mtable_entry(const OVmtable *table, int matid) {
    if (table->count <= 0 || matid < 0) return nullptr;
    return mtable_at(table, matid % table->count);
}

int mtable_opacity_offset(const OVmtable *table) {
    return table->opacity_offset;
}

} // namespace orv
