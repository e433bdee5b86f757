// The universe's portal list and the portal crossing test.
//
// Crossing test: the portal step remembers where the current viewpoint was at
// the previous portal step. The viewpoint has passed through a portal when the
// segment from there to where it is now meets the portal polygon, by the
// polygon ray test with the segment as the ray's unit of length: a one-sided
// portal is crossed from its front only (the side its normal faces), a
// two-sided one from either side. The first step after the list changes, or
// after another viewpoint became current, only remembers the position, so a
// universe just entered never sends the viewpoint on at once.
#include "objects/portal_list.h"

#include "orv/geometry.h"
#include "orv/viewpoint.h"

#include <string>
#include <vector>

namespace orv::objects {

namespace {

struct Portal {
    OVpoly *poly;
    std::string target;
    bool enabled;
};

std::vector<Portal> portals;

struct LastSeen {
    const OVviewpoint *viewpoint = nullptr;
    OVp3 position = {0, 0, 0};
};
LastSeen last_seen;

// Stationary objects stay where their geometry is: world and object
// coordinates agree.
bool crossed(const Portal &portal, const OVp3 from, const OVp3 to) {
    OVp3 d = {to[0] - from[0], to[1] - from[1], to[2] - from[2]};
    if (d[0] == 0 && d[1] == 0 && d[2] == 0) return false;
    float best = 1.0f;
    return _OVpoly_rayintersect(portal.poly, from, d, &best) != 0;
}

} // namespace

void portal_add(OVpoly *poly, const char *target) {
    portals.push_back({poly, target, true});
    last_seen = {};
}

void portal_delete_all() {
    portals.clear();
    last_seen = {};
}

} // namespace orv::objects

using namespace orv::objects;

extern "C" {

ORV_API const char *_OVportal_crossed(void) {
    const OVviewpoint *viewpoint = OVuniverse_getviewpoint();
    if (!viewpoint || portals.empty()) return nullptr;
    OVp3 now;
    OVviewpoint_getposition(viewpoint, now);
    LastSeen before = last_seen;
    last_seen.viewpoint = viewpoint;
    for (int i = 0; i < 3; ++i)
        last_seen.position[i] = now[i];
    if (before.viewpoint != viewpoint) return nullptr;
    for (const Portal &portal : portals)
        if (portal.enabled && crossed(portal, before.position, now)) return portal.target.c_str();
    return nullptr;
}

ORV_API void _OVportal_deleteall(void) {
    portal_delete_all();
}

ORV_API void _OVportal_restatall(void) {
    for (const Portal &portal : portals)
        _OVpoly_stats(portal.poly);
}

ORV_API void *_OVportal_findpoly(OVpoly *p) {
    for (Portal &portal : portals)
        if (portal.poly == p) return &portal;
    return nullptr;
}

// A portal whose polygon goes is deleted with it.
ORV_API void _OVportal_forgetpoly(OVpoly *p) {
    if (!portals.empty())
        std::erase_if(portals, [p](const Portal &portal) { return portal.poly == p; });
}

ORV_API const char *_OVportal_gettarget(const void *portal) {
    return portal ? static_cast<const Portal *>(portal)->target.c_str() : nullptr;
}

} // extern "C"
