// Joining two material tables into a new one laid out for both.
#include "geometry/mtable_record.h"

#include <vector>

namespace {

int merged_properties(int a, int b) {
    int p = a | b;
    if ((p & OVAMBIENTDIFFUSE) && (p & (OVAMBIENT | OVDIFFUSE)))
        p = (p & ~OVAMBIENTDIFFUSE) | OVAMBIENT | OVDIFFUSE;
    return p;
}

// Where the source keeps the value a component of the new layout takes.
int source_offset(const OVmtable *src, int property) {
    int offset = orv::mtable_offset(src, property);
    if (offset < 0 && (property == OVAMBIENT || property == OVDIFFUSE))
        offset = orv::mtable_offset(src, OVAMBIENTDIFFUSE);
    return offset;
}

void convert(const OVmtable *src, const float *in, const OVmtable *dst, float *out) {
    orv::mtable_defaults(dst, out);
    for (int i = 0; i < dst->ncomponents; ++i) {
        const OVmtablecomponent &c = dst->components[i];
        int from = source_offset(src, c.property);
        if (from < 0) continue;
        int size = c.size == 4 ? 3 : c.size; // the opacity travels on its own
        for (int k = 0; k < size; ++k)
            out[c.offset + k] = in[from + k];
    }
    if (dst->opacity_offset >= 0 && src->opacity_offset >= 0)
        out[dst->opacity_offset] = in[src->opacity_offset];
}

} // namespace

extern "C" ORV_API OVmtable *OVmtable_merge(OVmtable *a, OVmtable *b) {
    if (!a || a == b) return b ? b : a;
    if (!b) return a;
    int properties = merged_properties(a->properties, b->properties);
    OVmtable *m = orv::mtable_create(properties, a->count + b->count, nullptr);
    if (!m) return nullptr;
    orv::mtable_store_name(m, a->name);
    std::vector<float> entry(static_cast<std::size_t>(m->entry_size));
    for (const OVmtable *src : {a, b})
        for (int i = 0; i < src->count; ++i) {
            convert(src, orv::mtable_at(src, i), m, entry.data());
            int index = orv::mtable_append(m, entry.data());
            if (index >= 0 && src->names && src->names[i])
                OVmtable_setentryname(m, index, src->names[i]);
        }
    return m;
}
