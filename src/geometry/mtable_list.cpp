// Material table records: layout, the universe's list, names and users.
#include "geometry/geometry_hooks.h"
#include "geometry/geometry_record.h"
#include "geometry/mtable_record.h"
#include "orv/message.h"
#include "orv/orv_internal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

OVmtable *g_tables = nullptr; // newest first
// The "mt" numbers borne by live tables, with how many bear each, so that a
// generated name needs no walk over every table.
std::map<long, int> g_mt_numbers;

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

// The number after "mt" when the whole rest of the name is one, else 0.
long mt_number(const char *name) {
    if (std::strncmp(name, "mt", 2) != 0 || name[2] < '0' || name[2] > '9') return 0;
    char *end = nullptr;
    long n = std::strtol(name + 2, &end, 10);
    return *end == '\0' ? n : 0;
}

void count_name(const OVmtable *t, int delta) {
    long n = mt_number(t->name);
    if (n < 1) return;
    if ((g_mt_numbers[n] += delta) <= 0) g_mt_numbers.erase(n);
}

// Called on a table that has no name yet.
bool generate_name(OVmtable *t) {
    long highest = g_mt_numbers.empty() ? 0 : g_mt_numbers.rbegin()->first;
    if (highest + 1 >= 1000000) {
        OVwarning("Cannot generate more than 1000000 material names\n");
        return false;
    }
    char name[kMtableNameSize];
    std::snprintf(name, sizeof name, "mt%ld", highest + 1);
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
    count_name(t, -1);
    for (int i = 0; i < t->count; ++i) {
        std::free(t->entries[i]);
        if (t->names) std::free(t->names[i]);
    }
    std::free(t->entries);
    std::free(t->names);
    delete t->hash;
    delete t->users;
    delete t;
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
    OVmtable *t = new OVmtable{};
    t->properties = normalise(properties);
    lay_out(t);
    t->capacity = mtable_prime(std::max(initialsize, 1));
    t->entries =
        static_cast<float **>(std::calloc(static_cast<std::size_t>(t->capacity), sizeof(float *)));
    t->hash = new std::vector<OVmaterialbucket>(static_cast<std::size_t>(t->capacity));
    t->users = new std::unordered_set<OVgeometry *>;
    if (!t->entries) {
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
    count_name(table, -1);
    std::snprintf(table->name, sizeof table->name, "%s", name);
    count_name(table, +1);
}

void mtable_touch_users(OVmtable *table) {
    for (OVgeometry *g : *table->users) {
        orv::geom::render_stale(g);
        g->passes = 0;
        orv::geom::node_changed(g->node);
    }
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
    if (mt_number(name) >= 1) {
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
    std::unordered_set<OVgeometry *> users;
    users.swap(*table->users);
    for (OVgeometry *g : users) {
        if (g->mtable == table) {
            g->mtable = nullptr;
            orv::geom::render_stale(g);
            g->passes = 0;
        }
    }
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

ORV_API void _OVmtable_attach(OVmtable *table, OVgeometry *g) {
    if (table && g) table->users->insert(g);
}

ORV_API void _OVmtable_detach(OVmtable *table, OVgeometry *g) {
    if (!table || !g) return;
    auto &users = *table->users;
    if (users.erase(g) == 0) return;
    if (users.empty()) OVmtable_delete(table);
}

// Frees every table left at the universe's deletion.
ORV_API void _OVmtable_deleteall(void) {
    while (g_tables)
        OVmtable_delete(g_tables);
}

} // extern "C"
