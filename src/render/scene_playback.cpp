// Drawing a root node's scene into the current window: the scene graph
// collects what is to be drawn, and the lists are played back, opaque
// entries first, then transparent ones with blending.
#include "core/object_watch.h"
#include "render/collection_entries.h"
#include "render/draw_state.h"
#include "render/geometry_draw.h"
#include "render/geometry_groups.h"
#include "render/geometry_lists.h"
#include "render/light_lists.h"
#include "render/model_frame.h"
#include "render/render_config.h"
#include "scene/scene_queries.h"
#include "scene/traversal_state.h"

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace orv {

namespace {

using scene::Entry;
using scene::TraversalState;

// Kept between passes: gathering a stretch allocates nothing once grown.
std::vector<GroupMember> stretch_members;

class Playback {
  public:
    explicit Playback(TraversalState *s) : s_(s) {}

    // False when a callback deleted objects: the lists may name them, so
    // the rest of the scene is skipped.
    bool play(const Entry *entries, int count) {
        matrix_ = -1;
        ObjectWatch any(nullptr);
        for (int i = 0; i < count; ++i) {
            if (const int taken = stretch(entries + i, count - i)) {
                i += taken - 1;
                continue;
            }
            entry(entries[i]);
            if (any.any_deleted()) return false;
        }
        return true;
    }

    // Overrides still active go back to the defaults, and no light of this
    // scene stays on for the next window.
    void finish() {
        if (fog_) apply_fog(nullptr);
        if (ambient_) apply_ambient(nullptr);
        for (int slot = 0; slot < 8; ++slot)
            if (lights_ & (1u << slot)) light_off(slot);
    }

  private:
    TraversalState *s_;
    int matrix_ = -1;
    bool fog_ = false, ambient_ = false;
    unsigned lights_ = 0;

    void use_matrix(int index) {
        if (index == matrix_) return;
        matrix_ = index;
        // Saved matrices already hold the view.
        if (index <= 0 || index > s_->saved_count)
            load_model_view(&s_->view[0][0]);
        else
            load_model_view(&s_->saved[index - 1][0][0]);
    }

    // Consecutive geometry entries under one matrix, drawn as a group when
    // at least two of them replay compiled lists; nothing in a stretch calls
    // the application. Returns the entries drawn, 0 when it drew none.
    int stretch(const Entry *entries, int count) {
        const int matrix = entries[0].matrix(), pass = draw_cache().transparent_pass ? 1 : 0;
        stretch_members.clear();
        int taken = 0;
        for (; taken < count; ++taken) {
            const Entry &e = entries[taken];
            if (e.kind() != scene::ENTRY_GEOMETRY || e.matrix() != matrix) break;
            OVgeometry *g = scene::shown_geometry(static_cast<OVnode *>(e.item));
            if (!g) continue;
            const int style = geom::geometry_style(g, s_->rendering_flags);
            bool empty;
            if (const RenderData *d = listed_pass(g, style, pass, &empty))
                stretch_members.push_back({g, d->serial, style});
            else if (!empty)
                break;
        }
        const auto members = static_cast<int>(stretch_members.size());
        if (members < 2) {
            for (int i = 0; i < taken; ++i)
                entry(entries[i]);
            return taken;
        }
        use_matrix(matrix);
        draw_group(stretch_members.data(), members, s_);
        return taken;
    }

    static int slot_of(const Entry &e) {
        return static_cast<int>(reinterpret_cast<std::intptr_t>(e.item));
    }

    void entry(const Entry &e) {
        switch (e.kind()) {
        case scene::ENTRY_GEOMETRY:
        case scene::ENTRY_OTHERSTATE: {
            OVgeometry *g = scene::shown_geometry(static_cast<OVnode *>(e.item));
            if (!g) return;
            use_matrix(e.matrix());
            if (e.kind() == scene::ENTRY_GEOMETRY)
                _OVgeometry_draw(g, s_);
            else
                draw_with_style(g, s_, s_->rendering_flags);
            return;
        }
        case scene::ENTRY_BOUNDINGBOX: {
            auto *box = static_cast<const scene::BoxRecord *>(e.item);
            if (!box || draw_cache().transparent_pass) return;
            use_matrix(e.matrix());
            draw_box(box->midpoint, box->extents, s_);
            return;
        }
        case scene::ENTRY_LIGHTON:
            use_matrix(e.matrix());
            light_on(slot_of(e));
            lights_ |= 1u << (slot_of(e) & 7);
            return;
        case scene::ENTRY_LIGHTOFF:
            light_off(slot_of(e));
            return;
        case scene::ENTRY_MATERIAL:
            if (e.item) apply_material(static_cast<const scene::MaterialRecord *>(e.item), s_);
            return;
        case scene::ENTRY_FOG:
            apply_fog(static_cast<const scene::FogRecord *>(e.item));
            fog_ = e.item != nullptr;
            return;
        case scene::ENTRY_AMBIENT:
            apply_ambient(static_cast<const scene::AmbientRecord *>(e.item));
            ambient_ = e.item != nullptr;
            return;
        case scene::ENTRY_CALLBACK:
            use_matrix(e.matrix());
            _OVglcallback_draw(static_cast<OVnode *>(e.item), s_);
            return;
        default:
            return;
        }
    }
};

void transparent_pass(Playback &playback, const TraversalState *s) {
    DrawCache &c = draw_cache();
    c.transparent_pass = true;
    drawing_without(DRAW_COLORMATERIAL);
    apply_flags(c.flags | DRAW_TRANSPARENT);
    set_default_material();
    forget_colours();
    playback.play(s->transparent, s->transparent_count);
    drawing_without(DRAW_TRANSPARENT);
    c.transparent_pass = false;
}

} // namespace

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void _OVnode_draw(OVnode *root, void *state) {
    if (!state || !scene::is_root(root)) return;
    auto *s = static_cast<scene::TraversalState *>(state);
    // Bounds flagged changed are recomputed before the culling needs them.
    scene::refresh_bounds(root);
    scene::collect(root, s);
    Playback playback(s);
    if (playback.play(s->opaque, s->opaque_count) && s->transparent_count > 0)
        transparent_pass(playback, s);
    playback.finish();
    scene::release_temporaries(s);
}

} // extern "C"
