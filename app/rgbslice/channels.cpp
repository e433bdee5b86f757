// What follows a change of a channel value: the plane moves and takes the new
// colour, and the label is rebuilt.
#include "explorer.h"

#include <cstdio>

namespace rgbslice {

namespace {

constexpr float kInv255 = 0.003921569f;
const char *const label_formats[3] = {"Red   = %3d ( %f )", "Green = %3d ( %f )",
                                      "Blue  = %3d ( %f )"};

// Green grows towards negative y, so its offset is reversed.
void move_plane(Channel c) {
    float v = state().value[c] * kInv255;
    OVp3 t = {0, 0, 0};
    t[c] = c == Green ? 50 * (0.5f - v) : 50 * (v - 0.5f);
    OVnode_settranslation(state().plane[c], t);
}

void recolour_plane(Channel c) {
    OVgeometry *g = OVnode_getgeometry(state().plane[c]);
    OVgeometry_beginedit(g);
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        int rgb[3];
        OVgeometry_getvertexrgb(g, v, &rgb[0], &rgb[1], &rgb[2]);
        rgb[c] = state().value[c];
        OVgeometry_setvertexrgb(g, v, rgb[0], rgb[1], rgb[2]);
    }
    OVgeometry_endedit(g);
}

} // namespace

void rebuild_label(Channel c) {
    State &s = state();
    char text[64];
    std::snprintf(text, sizeof text, label_formats[c], s.value[c], s.value[c] * kInv255);
    OVgeometry *g = OVgeometry_newtext3d(s.font, text);
    int rgb[3] = {0, 0, 0};
    rgb[c] = s.value[c];
    if (g) OVgeometry_setrgb(g, rgb[0], rgb[1], rgb[2]);
    if (s.label_node[c]) OVnode_delete(s.label_node[c]);
    s.label_node[c] = g ? OVgeometrynode_new(s.label_sep[c], g) : nullptr;
}

void channel_changed(Channel c) {
    move_plane(c);
    recolour_plane(c);
    rebuild_label(c);
}

} // namespace rgbslice
