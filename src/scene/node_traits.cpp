// The node-type table every walk consults, and the type-specific parts of
// node records.
#include "scene/node_record.h"

#include <array>

namespace orv::scene {

namespace {

constexpr int type_count = 32;
using B = BoundsRole;
using D = Drawn;

constexpr std::uint16_t grouping = TRAIT_KNOWN | TRAIT_GROUPING | TRAIT_GROUPRECORD;

constexpr std::array<NodeTraits, type_count> make_table() {
    std::array<NodeTraits, type_count> t{};
    for (auto &entry : t)
        entry = {0, B::unknown, D::none, sizeof(OVnode)};
    auto set = [&t](int type, std::uint16_t traits, B bounds, D drawn, std::size_t size) {
        t[static_cast<std::size_t>(type)] = {traits, bounds, drawn,
                                             static_cast<std::uint16_t>(size)};
    };
    set(OVNODE_XFORM, TRAIT_KNOWN | TRAIT_TRANSFORM, B::transform, D::none, sizeof(XformRecord));
    set(OVNODE_LOD, grouping | TRAIT_SHOWSBOX, B::cached, D::none, sizeof(LodRecord));
    set(OVNODE_SWITCH, grouping | TRAIT_PASSES | TRAIT_SHOWSBOX, B::passing, D::none,
        sizeof(PassingRecord));
    set(OVNODE_GEOMETRY, TRAIT_KNOWN | TRAIT_ENABLE | TRAIT_SHOWSBOX | TRAIT_POLYGONS, B::geometry,
        D::geometry, sizeof(GeometryRecord));
    set(OVNODE_GROUP, grouping | TRAIT_PASSES | TRAIT_SHOWSBOX, B::passing, D::none,
        sizeof(PassingRecord));
    set(OVNODE_SEPARATOR, grouping | TRAIT_SEPARATOR | TRAIT_SCOPE | TRAIT_ENABLE | TRAIT_SHOWSBOX,
        B::cached, D::none, sizeof(SeparatorRecord));
    set(OVNODE_OBJECT, TRAIT_KNOWN | TRAIT_GROUPRECORD | TRAIT_SHOWSBOX | TRAIT_POLYGONS, B::object,
        D::object, sizeof(ObjectRecord));
    set(OVNODE_LIGHT, TRAIT_KNOWN | TRAIT_ENABLE, B::none, D::light, sizeof(OVnode));
    set(OVNODE_ANCHOR, grouping | TRAIT_PASSES | TRAIT_SHOWSBOX, B::passing, D::none,
        sizeof(AnchorRecord));
    set(OVNODE_INLINE, grouping | TRAIT_SHOWSBOX, B::cached, D::none, sizeof(InlineRecord));
    set(OVNODE_XFORMSEP, grouping | TRAIT_SCOPE | TRAIT_ENABLE | TRAIT_SHOWSBOX, B::cached, D::none,
        sizeof(GroupRecord));
    set(OVNODE_MATERIAL, TRAIT_KNOWN, B::none, D::material, sizeof(OVnode));
    set(OVNODE_FOG, TRAIT_KNOWN | TRAIT_ENABLE, B::none, D::fog, sizeof(OVnode));
    set(OVNODE_AMBIENT, TRAIT_KNOWN | TRAIT_ENABLE, B::none, D::ambient, sizeof(OVnode));
    set(OVNODE_RENDERING, TRAIT_KNOWN, B::none, D::none, sizeof(OVnode));
    set(OVNODE_ROOT, grouping, B::cached, D::none, sizeof(SeparatorRecord));
    set(OVNODE_MTABLE, TRAIT_KNOWN, B::none, D::none, sizeof(OVnode));
    set(OVNODE_GL, TRAIT_KNOWN | TRAIT_ENABLE | TRAIT_SHOWSBOX, B::callback, D::callback,
        sizeof(OVnode));
    return t;
}

constexpr std::array<NodeTraits, type_count> table = make_table();
constexpr NodeTraits no_traits{0, B::unknown, D::none, sizeof(OVnode)};

} // namespace

// A plain group is what most of a large scene is made of.
static_assert(sizeof(PassingRecord) <= 128, "a group node must fit in two cache lines");

const NodeTraits &node_traits(int type) {
    return type >= 0 && type < type_count ? table[static_cast<std::size_t>(type)] : no_traits;
}

int which_child(const OVnode *node) {
    return node && node->header.type == OVNODE_SWITCH ? passing_record(node).which_child : -2;
}

char **location_slot(OVnode *node) {
    if (!node) return nullptr;
    if (node->header.type == OVNODE_ANCHOR) return &static_cast<AnchorRecord *>(node)->location;
    if (node->header.type == OVNODE_INLINE) return &static_cast<InlineRecord *>(node)->location;
    return nullptr;
}

OVgeometry *node_geometry(const OVnode *node) {
    if (!node) return nullptr;
    if (node->header.type == OVNODE_GEOMETRY)
        return static_cast<const GeometryRecord *>(node)->geometry;
    if (node->header.type == OVNODE_OBJECT)
        return static_cast<const ObjectRecord *>(node)->geometry;
    return nullptr;
}

void set_node_geometry(OVnode *node, OVgeometry *geometry) {
    if (node->header.type == OVNODE_GEOMETRY)
        static_cast<GeometryRecord *>(node)->geometry = geometry;
    else if (node->header.type == OVNODE_OBJECT)
        static_cast<ObjectRecord *>(node)->geometry = geometry;
}

std::size_t payload_offset(int type) {
    const std::size_t size = node_traits(type).record_size;
    return (size + payload_alignment - 1) / payload_alignment * payload_alignment;
}

bool carries_payload(int type) {
    const Drawn drawn = node_traits(type).drawn;
    return drawn != Drawn::none && drawn != Drawn::geometry;
}

void *node_payload(OVnode *node) {
    if (!node || !carries_payload(node->header.type)) return nullptr;
    return reinterpret_cast<unsigned char *>(node) + payload_offset(node->header.type);
}

const void *node_payload(const OVnode *node) {
    return node_payload(const_cast<OVnode *>(node));
}

int record_type(const OVnode *node) {
    return node->header.type;
}

} // namespace orv::scene

bool node_is_grouping(int type) {
    return (orv::scene::node_traits(type).traits & orv::scene::TRAIT_GROUPING) != 0;
}
