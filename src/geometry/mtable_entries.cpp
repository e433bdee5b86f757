// Material table entries: new entries, values, colour matching and entry
// names.
#include "core/finite.h"
#include "geometry/mtable_record.h"
#include "orv/message.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int match(OVmtable *t, const float rgb[3], const float *opacity) {
    if (!t) return -1;
    int ad = orv::mtable_offset(t, OVAMBIENTDIFFUSE);
    int diffuse = orv::mtable_offset(t, OVDIFFUSE);
    int ambient = orv::mtable_offset(t, OVAMBIENT);
    if (ad < 0 && diffuse < 0 && ambient < 0) return -1;
    std::vector<float> entry(static_cast<std::size_t>(t->entry_size));
    orv::mtable_defaults(t, entry.data());
    for (int offset : {ad >= 0 ? ad : diffuse, ad >= 0 ? -1 : ambient})
        if (offset >= 0) std::copy(rgb, rgb + 3, entry.begin() + offset);
    if (opacity && t->opacity_offset >= 0)
        entry[static_cast<std::size_t>(t->opacity_offset)] = *opacity;
    int found = orv::mtable_find(t, entry.data());
    return found >= 0 ? found : orv::mtable_append(t, entry.data());
}

bool in_range(const OVmtable *t, int index) {
    return t && index >= 0 && index < t->count;
}

// Where a value of this type lives and how many floats it moves.
bool value_slot(const OVmtable *t, int type, int *offset, int *size) {
    if (type == OVOPACITY) {
        *offset = t->opacity_offset;
        *size = 1;
    } else {
        *offset = orv::mtable_offset(t, type);
        *size = type == OVSHININESS ? 1 : 3;
    }
    return *offset >= 0;
}

} // namespace

namespace orv {

const float *mtable_colour(const OVmtable *table, int index) {
    if (!table || index < 0 || table->count <= 0) return nullptr;
    const float *entry = orv::mtable_at(table, index % table->count);
    for (int i = 0; i < table->ncomponents; ++i) {
        const OVmtablecomponent &c = table->components[i];
        if (c.property == OVAMBIENTDIFFUSE || c.property == OVDIFFUSE ||
            (c.property == OVAMBIENT && !(table->properties & OVDIFFUSE)))
            return entry + c.offset;
    }
    return nullptr;
}

} // namespace orv

extern "C" {

ORV_API int OVmtable_newentry(OVmtable *table) {
    if (!table) {
        OVwarning("Null material table passed into OVmtable_newentry\n");
        return -1;
    }
    // One float at least, so that a table without properties still has storage to copy.
    std::vector<float> entry(static_cast<std::size_t>(std::max(table->entry_size, 1)));
    orv::mtable_defaults(table, entry.data());
    return orv::mtable_append(table, entry.data());
}

ORV_API int OVmtable_getnumentries(OVmtable *table) {
    return table ? table->count : -1;
}

ORV_API int OVmtable_setvalue(OVmtable *table, int index, const float *values, int type) {
    int offset, size;
    if (!in_range(table, index) || !value_slot(table, type, &offset, &size) ||
        !orv::finite(values, size))
        return 0;
    // The entry moves to another bucket when its content changes.
    const unsigned old_bucket = orv::mtable_bucket(table, index);
    std::copy(values, values + size, orv::mtable_at(table, index) + offset);
    orv::mtable_rebucket(table, index, old_bucket);
    orv::mtable_touch_users(table);
    return 1;
}

ORV_API int OVmtable_getvalue(OVmtable *table, int index, float *out, int type) {
    int offset, size;
    if (!out || !in_range(table, index) || !value_slot(table, type, &offset, &size)) return 0;
    const float *entry = orv::mtable_at(table, index);
    std::copy(entry + offset, entry + offset + size, out);
    return 1;
}

ORV_API int OVmtable_matchcolor(OVmtable *table, const OVp3 rgb) {
    return orv::finite(rgb, 3) ? match(table, rgb, nullptr) : -1;
}

ORV_API int OVmtable_matchcoloralpha(OVmtable *table, const OVp3 rgb, float opacity) {
    return orv::finite(rgb, 3) && orv::finite(opacity) ? match(table, rgb, &opacity) : -1;
}

ORV_API int OVmtable_matchrgb(OVmtable *table, int r, int g, int b) {
    const float rgb[3] = {r / 255.0f, g / 255.0f, b / 255.0f};
    return match(table, rgb, nullptr);
}

ORV_API int OVmtable_matchcolor12(OVmtable *table, unsigned rgb) {
    const float c[3] = {((rgb >> 8) & 0xF) / 15.0f, ((rgb >> 4) & 0xF) / 15.0f,
                        (rgb & 0xF) / 15.0f};
    return match(table, c, nullptr);
}

ORV_API int OVmtable_matchcolor24(OVmtable *table, unsigned rgb) {
    const float c[3] = {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f,
                        (rgb & 0xFF) / 255.0f};
    return match(table, c, nullptr);
}

ORV_API unsigned OVmtable_getcolor24(OVmtable *table, int index) {
    const float *rgb = orv::mtable_colour(table, index);
    if (!rgb) return 0;
    auto channel = [&](int k) {
        return static_cast<unsigned>(std::clamp(rgb[k], 0.0f, 1.0f) * 255.0f);
    };
    return (channel(0) << 16) | (channel(1) << 8) | channel(2);
}

ORV_API int OVmtable_setentryname(OVmtable *table, int index, const char *name) {
    if (!in_range(table, index)) return 0;
    if (!table->names) {
        table->names = static_cast<char **>(
            std::calloc(static_cast<std::size_t>(table->capacity), sizeof(char *)));
        if (!table->names) {
            OVwarning("Out of memory in OVmtable_allocnames\n");
            return 0;
        }
    }
    char *copy = name ? strdup(name) : nullptr;
    std::free(table->names[index]);
    table->names[index] = copy;
    return 1;
}

ORV_API const char *OVmtable_getentryname(OVmtable *table, int index) {
    return in_range(table, index) && table->names ? table->names[index] : nullptr;
}

ORV_API int OVmtable_findentry(OVmtable *table, const char *name) {
    if (!table || !table->names || !name) return -1;
    for (int i = 0; i < table->count; ++i)
        if (table->names[i] && std::strcmp(table->names[i], name) == 0) return i;
    return -1;
}

} // extern "C"
