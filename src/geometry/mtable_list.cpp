// Material table records: layout, the universe's list and names.
#include "geometry/mtable_record.h"
#include "geometry/record_pool.h"
#include "orv/message.h"
#include "orv/orv_internal.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

OVmtable *g_tables = nullptr; // newest first

constexpr int kGlAmbient = 0x1200, kGlDiffuse = 0x1201, kGlSpecular = 0x1202;
constexpr int kGlEmission = 0x1600, kGlShininess = 0x1601, kGlAmbientDiffuse = 0x1602;

void add_component(OVmtable *t, int glparam, int property, int size) {
    OVmtablecomponent &c = t->components[t->ncomponents++];
    c = {glparam, property, t->entry_size, size};
    for (int bit = 0; bit < 7; ++bit)
        if (property == (1 << bit)) t->property_offset[bit] = t->entry_size;
    t->entry_size += size;
}

int normalise(int properties) {
    properties &= 0x7F;
    if ((properties & OVOPACITY) && !(properties & OVAMBIENTDIFFUSE)) properties |= OVDIFFUSE;
    if ((properties & OVAMBIENTDIFFUSE) && (properties & (OVAMBIENT | OVDIFFUSE))) {
        OVwarning("Attempt to use property OVAMBIENTDIFFUSE as well as one of OVAMBIENT or "
                  "OVDIFFUSE\n");
        properties &= ~OVDIFFUSE;
    }
    return properties;
}

void lay_out(OVmtable *t) {
    std::fill(std::begin(t->property_offset), std::end(t->property_offset), -1);
    int p = t->properties;
    if (p & OVSPECULAR) add_component(t, kGlSpecular, OVSPECULAR, 3);
    if (p & OVSHININESS) add_component(t, kGlShininess, OVSHININESS, 1);
    if (p & OVAMBIENT) add_component(t, kGlAmbient, OVAMBIENT, 3);
    if (p & OVEMISSION) add_component(t, kGlEmission, OVEMISSION, 3);
    if (p & OVAMBIENTDIFFUSE)
        add_component(t, kGlAmbientDiffuse, OVAMBIENTDIFFUSE, 4);
    else if (p & OVDIFFUSE)
        add_component(t, kGlDiffuse, OVDIFFUSE, 4);
    t->opacity_offset = (p & OVOPACITY) ? t->entry_size - 1 : -1;
    t->property_offset[6] = t->opacity_offset;
}

// Called on a table that has no name yet.
bool generate_name(OVmtable *t) {
    int highest = orv::mtable_highest_number();
    if (highest + 1 >= kMtableNumberLimit) {
        OVwarning("Cannot generate more than %d material names\n", kMtableNumberLimit);
        return false;
    }
    char name[kMtableNameSize];
    std::snprintf(name, sizeof name, "mt%d", highest + 1);
    orv::mtable_store_name(t, name);
    return true;
}

void unlink(OVmtable *t) {
    if (t->prev)
        t->prev->next = t->next;
    else if (g_tables == t)
        g_tables = t->next;
    if (t->next) t->next->prev = t->prev;
    t->next = t->prev = nullptr;
}

void free_record(OVmtable *t) {
    orv::mtable_count_number(t->mt_number, -1);
    orv::mtable_storage_free(t);
    orv::geom::mtable_give(t);
}

std::string base_name(const std::string &name) {
    std::string base = name;
    std::size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);
    std::size_t sep = base.find_last_of(":/\\");
    if (sep != std::string::npos) base.erase(0, sep + 1);
    return base;
}

} // namespace

namespace orv {

OVmtable *mtable_create(int properties, int initialsize, const char *name) {
    OVmtable *t = new (orv::geom::mtable_take()) OVmtable{};
    t->properties = normalise(properties);
    lay_out(t);
    if (!mtable_storage_init(t, mtable_prime(std::max(initialsize, 1)))) {
        OVwarning("Out of memory in OVmtable_new\n");
        free_record(t);
        return nullptr;
    }
    bool named = name ? OVmtable_setname(t, name) != 0 : generate_name(t);
    if (!named) {
        free_record(t);
        return nullptr;
    }
    t->next = g_tables;
    if (g_tables) g_tables->prev = t;
    g_tables = t;
    return t;
}

void mtable_store_name(OVmtable *table, const char *name) {
    mtable_count_number(table->mt_number, -1);
    std::snprintf(table->name, sizeof table->name, "%s", name);
    table->mt_number = mtable_name_number(table->name);
    mtable_count_number(table->mt_number, +1);
}

} // namespace orv

extern "C" {

ORV_API OVmtable *OVmtable_new(int properties, int initialsize, const char *name) {
    return orv::mtable_create(properties, initialsize, name);
}

ORV_API int OVmtable_setname(OVmtable *table, const char *name) {
    if (!table) {
        OVwarning("must specify a valid material table in order to set its name\n");
        return 0;
    }
    if (!name) {
        OVwarning("may not assign null name to a material table\n");
        return 0;
    }
    if (orv::mtable_name_number(name) >= 1) {
        OVwarning("material table names beginning with \"mt\" and followed by a number are "
                  "reserved\n");
        OVwarning("for use by ORV internal functions. Do not use name %s for this table\n", name);
        return 0;
    }
    std::string base = base_name(name);
    if (base.empty() || base.find(' ') != std::string::npos) {
        OVwarning("invalid mtable name %s: no spaces allowed in name\n", name);
        return 0;
    }
    if (base.size() >= sizeof table->name) {
        OVwarning("invalid mtable name %s: longer than %d characters\n", name, kMtableNameSize - 1);
        return 0;
    }
    if (base != name) {
        OVwarning("file delimiters and extensions not allowed in mtable name\n");
        OVwarning("mtable name shortened from given \"%s\" to \"%s\"\n", name, base.c_str());
    }
    for (OVmtable *m = g_tables; m; m = m->next)
        if (m != table && base == m->name) {
            OVwarning("A material table with name %s already exists\n", base.c_str());
            return 0;
        }
    orv::mtable_store_name(table, base.c_str());
    return 1;
}

ORV_API const char *OVmtable_getname(OVmtable *table) {
    return table ? table->name : nullptr;
}

ORV_API int OVmtable_getproperties(OVmtable *table) {
    return table ? table->properties : 0;
}

ORV_API void OVmtable_delete(OVmtable *table) {
    if (!table) return;
    unlink(table);
    orv::mtable_drop_users(table);
    free_record(table);
}

ORV_API OVmtable *OVuniverse_findmtable(const char *name) {
    if (!name) return nullptr;
    for (OVmtable *m = g_tables; m; m = m->next)
        if (std::strcmp(m->name, name) == 0) return m;
    return nullptr;
}

ORV_API OVmtable *OVuniverse_getfirstmtable(void) {
    return g_tables;
}

ORV_API OVmtable *OVmtable_getnext(OVmtable *table) {
    return table ? table->next : nullptr;
}

// Frees every table left at the universe's deletion.
ORV_API void _OVmtable_deleteall(void) {
    while (g_tables)
        OVmtable_delete(g_tables);
    orv::mtable_numbers_clear();
}

} // extern "C"
