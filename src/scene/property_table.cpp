// The static property tables: constant rows, bound functions, and a per-class
// name hash confirmed by exact comparison.
#include "scene/property_table.h"

#include "core/object.h"
#include "orv/message.h"
#include "orv/property.h"
#include "scene/name_hash.h"

#include <array>
#include <cstring>

namespace orv {
namespace {

constexpr PropertyRow node_rows[] = {
    {"BoundingBox", OVINT},
    {"Enabled", OVINT},
    {"Children", OVSTRING},
    {"Rotation", OVM3},
    {"Translation", OVP3},
    {"URL", OVSTRING},
    {"Color", OVQ},
    {"Linear Start", OVFLOAT},
    {"Is Exponential", OVINT},
    {"Range", OVFLOAT},
    {"Location", OVSTRING},
    {"LtAm", OVP3},
    {"Angle", OVFLOAT},
    {"Attenuation", OVP3},
    {"LtDi", OVP3},
    {"Exponent", OVFLOAT},
    {"Intensity", OVFLOAT},
    {"LtSp", OVP3},
    {"LtPs", OVP3},
    {"LtDr", OVP3},
    {"LoCe", OVP3},
    {"Ranges", OVSTRING},
    {"MvAt", OVSTRING},
    {"SeCu", OVINT},
    {"Active Child", OVINT},
};

constexpr PropertyRow viewpoint_rows[] = {
    {"AspectRatio", OVFLOAT}, {"ConvergenceDist", OVFLOAT}, {"Convergence", OVINT},
    {"Orientation", OVQ},     {"Parallax", OVFLOAT},        {"Position", OVP3},
};

constexpr PropertyRow window_rows[] = {
    {"Backgroud color", OVP3},
    {"FrustumBR", OVP2},
    {"Enabled", OVINT},
    {"Eye", OVINT},
    {"Hither Clipping", OVFLOAT},
    {"Position", OVP2},
    {"Projection", OVINT},
    {"Root Node", OVSTRING},
    {"Size", OVP2},
    {"FrustumTL", OVP2},
    {"Viewpoint", OVSTRING},
    {"Viewpoint2", OVSTRING},
    {"View Angle", OVFLOAT},
    {"Yon Clipping", OVFLOAT},
    {"Key", OVINT},
    {"LeftButton", OVINT},
    {"LeftButtonDbl", OVINT},
    {"RightButton", OVINT},
    {"RightButtonDbl", OVINT},
    {"MiddleButton", OVINT},
    {"MiddleButtonDbl", OVINT},
};

constexpr PropertyRow sensor_rows[] = {
    {"Angular rate", OVFLOAT}, {"Snlt", OVP3},      {"Snlr", OVQ}, {"Misc data", OVINT},
    {"SnRa", OVPOINTER},       {"Rotation", OVQ},   {"SnRf", OVQ}, {"Sensitivity", OVFLOAT},
    {"Translation", OVP3},     {"SnUp", OVPOINTER},
};

constexpr PropertyRow path_rows[] = {
    {"PtCo", OVINT},    {"Forward", OVINT}, {"PtMa", OVPOINTER},  {"PtMo", OVINT},
    {"Playing", OVINT}, {"Speed", OVINT},   {"Recording", OVINT}, {"Record From", OVPOINTER},
    {"PtRo", OVQ},      {"PtSa", OVINT},    {"PtTr", OVP3},       {"PtVi", OVINT},
};

struct Table {
    const PropertyRow *rows;
    int count;
};

template <size_t N> constexpr Table table_of(const PropertyRow (&rows)[N]) {
    return {rows, static_cast<int>(N)};
}

// Class 5 has no table; the base object has only dynamic properties.
constexpr Table tables[PROPERTY_CLASSES] = {
    table_of(node_rows),   table_of(viewpoint_rows), table_of(window_rows),
    table_of(sensor_rows), table_of(path_rows),      {nullptr, 0},
    {nullptr, 0},
};

constexpr int max_rows = 32;

struct Binding {
    PropertySetter setter;
    PropertyGetter getter;
    PropertyApplies applies;
};

// Zero-initialised before any dynamic initialiser runs.
Binding bindings[PROPERTY_CLASSES][max_rows];

// Per class: name hash buckets holding row index + 1, chained through next.
constexpr int name_buckets = 32;
struct NameIndex {
    std::array<signed char, name_buckets> head{};
    std::array<signed char, max_rows> next{};
};

const NameIndex &name_index(int cls) {
    static const auto indexes = [] {
        std::array<NameIndex, PROPERTY_CLASSES> built{};
        for (int c = 0; c < PROPERTY_CLASSES; ++c)
            for (int r = tables[c].count - 1; r >= 0; --r) {
                unsigned b = name_hash(tables[c].rows[r].name) % name_buckets;
                built[c].next[r] = built[c].head[b];
                built[c].head[b] = static_cast<signed char>(r + 1);
            }
        return built;
    }();
    return indexes[cls];
}

bool valid(int cls, int index) {
    return cls >= 0 && cls < PROPERTY_CLASSES && index >= 0 && index < tables[cls].count;
}

} // namespace

bool bind_property(int cls, int index, PropertySetter setter, PropertyGetter getter,
                   PropertyApplies applies) {
    if (!valid(cls, index)) return false;
    bindings[cls][index] = {setter, getter, applies};
    return true;
}

int property_class(const void *object) {
    if (!object) return -1;
    int type = orv_object_type(object);
    if (type < 30) return PROPERTY_CLASS_NODE;
    int cls = type - 30;
    return cls < PROPERTY_CLASSES && cls != 5 ? cls : -1;
}

int property_rows(int cls) {
    return cls >= 0 && cls < PROPERTY_CLASSES ? tables[cls].count : 0;
}

const PropertyRow *property_row(int cls, int index) {
    return valid(cls, index) ? &tables[cls].rows[index] : nullptr;
}

int find_property_row(int cls, const char *name) {
    if (!name || property_rows(cls) == 0) return -1;
    const NameIndex &index = name_index(cls);
    for (int r = index.head[name_hash(name) % name_buckets]; r; r = index.next[r - 1])
        if (std::strcmp(tables[cls].rows[r - 1].name, name) == 0) return r - 1;
    return -1;
}

PropertySetter property_setter(int cls, int index) {
    return valid(cls, index) ? bindings[cls][index].setter : nullptr;
}

PropertyGetter property_getter(int cls, int index) {
    return valid(cls, index) ? bindings[cls][index].getter : nullptr;
}

bool property_applies(int cls, int index, const void *object) {
    if (!valid(cls, index)) return false;
    PropertyApplies applies = bindings[cls][index].applies;
    return !applies || applies(object);
}

} // namespace orv
