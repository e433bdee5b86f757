// What the geometry module tells or asks the modules above it. The module
// that cares registers its hooks once at start-up; until then geometry goes
// on without them.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::geom {

// render/: a geometry's compiled display lists must go (names may be 0), and
// the cached drawing state must be sent again.
struct RenderHooks {
    void (*release_lists)(std::uint32_t list1, std::uint32_t list2);
    void (*mark_stale)();
};

// objects/: portals refer to polygons.
struct PortalHooks {
    void (*restat_all)();      // polygons changed: planes again
    void *(*find)(OVpoly *p);  // the portal on a polygon, or null
    void (*forget)(OVpoly *p); // p is being freed
};

// The texture store (textures are not built yet): uses of a loaded texture,
// the display list that binds it (0 while not loaded) and the polygon
// texture operations the model readers apply. A missing one is skipped.
struct TextureHooks {
    void (*add_use)(void *texture);
    void (*release_use)(void *texture);
    unsigned (*display_list)(void *texture);
    int (*set)(OVpoly *p, const char *name, int shaded, int transparent);
    int (*set_uv)(OVpoly *p, const char *name, const float *u, const float *v, int shaded,
                  int transparent);
    int (*mirror)(OVpoly *p);
    int (*rotate)(OVpoly *p, float angle);
    int (*scale)(OVpoly *p, float factor);
    int (*translate)(OVpoly *p, const float offset[2]);
    int (*set_style)(OVpoly *p, int shaded, int transparent, int tint);
};

void set_render_hooks(const RenderHooks &hooks);
void set_portal_hooks(const PortalHooks &hooks);
void set_texture_hooks(const TextureHooks &hooks);
const TextureHooks &texture_hooks();
// scene/: a node's drawing data changed.
void set_node_changed_hook(void (*fn)(OVnode *node));

void release_lists(std::uint32_t list1, std::uint32_t list2);
void mark_render_stale();
void portals_restat();
void *portal_of(OVpoly *p);
void portal_forget(OVpoly *p);
void texture_add_use(void *texture);
void texture_release_use(void *texture);
unsigned texture_display_list(void *texture);
void node_changed(OVnode *node);

} // namespace orv::geom
