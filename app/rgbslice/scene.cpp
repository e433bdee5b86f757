// Start-up scene: lights, the colour cube, the three planes and their labels.
#include "explorer.h"

namespace rgbslice {

namespace {

void build_lights(OVnode *root, OVnode *light_sep) {
    OVlightnode_newdirected(light_sep);
    const OVp3 point_at = {-100, -100, 0};
    OVlightnode_setposition(OVlightnode_newpoint(light_sep), point_at);
    OVp3 directions[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (auto &d : directions)
        OVlightnode_setdirection(OVlightnode_newdirected(root), d);
}

// Corner colours: red with +x, green with -y (y points down), blue with +z.
void build_cube(OVnode *root) {
    OVgeometry *block = OVgeometry_newblock(50, 50, 50, 1);
    OVgeometry_beginedit(block);
    for (OVvertex *v = OVgeometry_getvertices(block); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVgeometry_getvertexposition(block, v, p);
        OVgeometry_setvertexrgb(block, v, p[0] > 0 ? 255 : 0, p[1] < 0 ? 255 : 0,
                                p[2] > 0 ? 255 : 0);
    }
    OVgeometry_endedit(block);
    OVgeometry_setrenderingstyle(block, 128, 1);
    OVgeometrynode_new(root, block);
}

// Each plane's corner colours in the rectangle's vertex order; -1 marks the
// channel that carries the plane's own value.
const int corner_colours[3][4][3] = {{{-1, 0, 255}, {-1, 255, 255}, {-1, 255, 0}, {-1, 0, 0}},
                                     {{255, -1, 0}, {255, -1, 255}, {0, -1, 255}, {0, -1, 0}},
                                     {{255, 0, -1}, {255, 255, -1}, {0, 255, -1}, {0, 0, -1}}};
const OVq plane_turns[3] = {{0, 0.7071f, 0, 0.7071f}, {0.7071f, 0, 0, 0.7071f}, {0, 0, 0, 1}};
const OVp3 label_places[3] = {{30, -15, 0}, {30, 5, 0}, {30, 25, 0}};

void build_plane(Channel c, OVnode *root) {
    OVgeometry *g = OVgeometry_newrectangle(50, 50, 1);
    if (c != Blue) {
        OVpq turn = {{0, 0, 0},
                     {plane_turns[c][0], plane_turns[c][1], plane_turns[c][2], plane_turns[c][3]}};
        OVgeometry_transform(g, &turn);
    }
    OVgeometry_beginedit(g);
    int corner = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v && corner < 4; v = OVvertex_next(v), ++corner) {
        int rgb[3];
        for (int k = 0; k < 3; ++k) {
            int own = corner_colours[c][corner][k];
            rgb[k] = own < 0 ? state().value[c] : own;
        }
        OVgeometry_setvertexrgb(g, v, rgb[0], rgb[1], rgb[2]);
    }
    OVgeometry_endedit(g);
    state().plane[c] = OVmovgeometrynode_new(root, g);
}

} // namespace

void build_scene() {
    State &s = state();
    // A new universe starts the explorer afresh: the nodes and font of a
    // previous one went with it.
    State fresh;
    fresh.root = s.root;
    fresh.viewpoint = s.viewpoint;
    fresh.mouse = s.mouse;
    s = fresh;
    OVnode *light_sep = OVsepnode_new(s.root);
    build_lights(s.root, light_sep);
    build_cube(s.root);
    build_plane(Red, s.root);
    s.font = OVfont3d_load("RCFONT3D.NFF");
    for (int c = Red; c <= Blue; ++c) {
        if (c != Red) build_plane(static_cast<Channel>(c), s.root);
        s.label_sep[c] = OVmovsepnode_new(light_sep);
        OVnode_settranslation(s.label_sep[c], label_places[c]);
        rebuild_label(static_cast<Channel>(c));
    }
}

} // namespace rgbslice
