// Merging the compiled lists of consecutive geometries.
#include "render/geometry_groups.h"

#include "orv/geometry.h"
#include "orv/message.h"
#include "platform/platform.h"
#include "render/geometry_draw.h"
#include "render/geometry_lists.h"
#include "render/list_names.h"
#include "render/pass_arrays.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace orv {

// The members the group was made for, and their merged list or buffer once made.
struct GeometryGroup {
    PassRecord record;
    unsigned list;      // 0 until merged into a list
    PassArrays *arrays; // null until merged into a vertex buffer
    int sightings;      // draws in a row with the same members
    bool unmergeable;   // no list name or memory was left for it
    int count;
    int capacity; // members the block holds
};

namespace {

// Merging costs a compile: only stretches that stay unchanged are worth it.
constexpr int sightings_before_merging = 3;

int merges = 0;

GroupMember *members_of(GeometryGroup *group) {
    return reinterpret_cast<GroupMember *>(group + 1);
}

bool same_members(GeometryGroup *group, const GroupMember *members, int count) {
    return group && group->count == count &&
           std::equal(members, members + count, members_of(group));
}

void release_list(GeometryGroup *group) {
    release_pass_arrays(group->arrays);
    group->arrays = nullptr;
    if (!group->list) return;
    if (platform::current().context_exists()) glDeleteLists(group->list, 1);
    list_names_free(group->list, 1);
    group->list = 0;
}

// A group for the members, made in the old one's block when it fits: a head
// seen in turns with different stretches allocates nothing per draw.
GeometryGroup *regroup(GeometryGroup *old, const GroupMember *members, int count) {
    GeometryGroup *group = old;
    if (group && group->capacity >= count) {
        release_list(group);
    } else {
        release_group(old);
        void *block = OVmalloc(sizeof(GeometryGroup) + sizeof(GroupMember) * count);
        group = new (block) GeometryGroup{};
        group->capacity = count;
    }
    const int capacity = group->capacity;
    *group = GeometryGroup{};
    group->capacity = capacity;
    group->count = count;
    std::copy(members, members + count, members_of(group));
    return group;
}

BatchOptions options_for(int style, const scene::TraversalState *s) {
    return {false, (style & OVSTYLE_WIREFRAME) != 0, (style & OVSTYLE_ANTIALIAS) != 0,
            s ? s->projection_mode : 1};
}

void draw_each(const GroupMember *members, int count, scene::TraversalState *s) {
    for (int i = 0; i < count; ++i)
        draw_with_style(members[i].geometry, s, members[i].style);
}

// Compiles and draws the members' passes into one vertex buffer, or one list
// when some polygon needs more than a buffer holds.
void merge(GeometryGroup *group, int pass, scene::TraversalState *s) {
    const GroupMember *members = members_of(group);
    std::vector<PassPart> parts;
    parts.reserve(static_cast<std::size_t>(group->count));
    for (int i = 0; i < group->count; ++i)
        parts.push_back(listed_part(members[i].geometry, options_for(members[i].style, s)));
    if ((group->arrays = build_pass_arrays(parts.data(), group->count, pass))) {
        ++merges;
        const int drawn = draw_pass_arrays(group->arrays);
        if (s) s->drawn_polys += drawn;
        return;
    }
    unsigned name = list_names_take(1);
    if (!name) {
        group->unmergeable = true;
        draw_each(members, group->count, s);
        return;
    }
    bool empty;
    const RenderData *head = listed_pass(members[0].geometry, members[0].style, pass, &empty);
    PassRecord &r = group->record;
    r.flags_in = head->pass[pass].flags_in;
    r.color_material_in = head->pass[pass].color_material_in;
    r.color_known_in = head->pass[pass].color_known_in;
    std::memcpy(r.color_in, head->pass[pass].color_in, sizeof r.color_in);
    const bool recorded = record_list(name, r, GL_COMPILE_AND_EXECUTE,
                                      [&] { return draw_parts(parts.data(), group->count, pass); });
    if (recorded) {
        group->list = name;
        ++merges;
    } else {
        group->unmergeable = true;
    }
    if (s) s->drawn_polys += r.polys;
}

} // namespace

void draw_group(const GroupMember *members, int count, scene::TraversalState *s) {
    const int pass = draw_cache().transparent_pass ? 1 : 0;
    GeometryGroup *&group = render_data(members[0].geometry)->group[pass];
    if (!same_members(group, members, count)) group = regroup(group, members, count);
    if (group->arrays) {
        const int drawn = draw_pass_arrays(group->arrays);
        if (s) s->drawn_polys += drawn;
        return;
    }
    if (group->list) {
        replay_list(group->record, group->list);
        if (s) s->drawn_polys += group->record.polys;
        return;
    }
    if (group->unmergeable || ++group->sightings < sightings_before_merging) {
        draw_each(members, count, s);
        return;
    }
    merge(group, pass, s);
}

void release_group(GeometryGroup *group) {
    if (!group) return;
    release_list(group);
    OVfree(group);
}

int merge_count() {
    return merges;
}

} // namespace orv
