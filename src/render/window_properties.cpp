// The window rows of the property table, bound to the window operations.
#include "orv/message.h"
#include "orv/viewpoint.h"
#include "orv/node.h"
#include "scene/traversal_state.h"
#include "render/window_internal.h"
#include "scene/property_adapters.h"
#include "scene/property_table.h"

#include <cstring>

namespace {

OVwindow *win(void *o) {
    return static_cast<OVwindow *>(o);
}
template <typename T> T arg(const void *p) {
    return *static_cast<const T *>(p);
}
const float *floats(const void *p) {
    return static_cast<const float *>(p);
}
float *out_floats(void *p) {
    return static_cast<float *>(p);
}

int set_background(void *o, const void *p) {
    const float *c = floats(p);
    return OVwindow_setbgrgb(win(o), static_cast<int>(c[0] * 255), static_cast<int>(c[1] * 255),
                             static_cast<int>(c[2] * 255));
}
int get_background(void *o, void *p) {
    int r, g, b;
    if (!OVwindow_getbgrgb(win(o), &r, &g, &b)) return 0;
    float *c = out_floats(p);
    c[0] = r / 255.0f, c[1] = g / 255.0f, c[2] = b / 255.0f;
    return 1;
}

// The (top, left) or (bottom, right) pair of the window's current eye.
int set_corner(void *o, const void *p, bool top_left) {
    OVwindow *w = win(o);
    float f[6];
    if (!OVwindow_getfrustum(w, w->eye, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5])) return 0;
    const float *v = floats(p);
    if (top_left)
        f[3] = v[0], f[0] = v[1];
    else
        f[2] = v[0], f[1] = v[1];
    return OVwindow_setfrustum(w, w->eye, f[0], f[1], f[2], f[3], f[4], f[5]);
}
int get_corner(void *o, void *p, bool top_left) {
    OVwindow *w = win(o);
    float f[6];
    if (!OVwindow_getfrustum(w, w->eye, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5])) return 0;
    float *v = out_floats(p);
    v[0] = top_left ? f[3] : f[2];
    v[1] = top_left ? f[0] : f[1];
    return 1;
}
int set_tl(void *o, const void *p) {
    return set_corner(o, p, true);
}
int get_tl(void *o, void *p) {
    return get_corner(o, p, true);
}
int set_br(void *o, const void *p) {
    return set_corner(o, p, false);
}
int get_br(void *o, void *p) {
    return get_corner(o, p, false);
}

int set_position(void *o, const void *p) {
    int x, y, w, h;
    if (!OVwindow_getgeometry(win(o), &x, &y, &w, &h)) return 0;
    return OVwindow_setgeometry(win(o), static_cast<int>(floats(p)[0]),
                                static_cast<int>(floats(p)[1]), w, h);
}
int get_position(void *o, void *p) {
    int x, y;
    if (!OVwindow_getgeometry(win(o), &x, &y, nullptr, nullptr)) return 0;
    out_floats(p)[0] = static_cast<float>(x), out_floats(p)[1] = static_cast<float>(y);
    return 1;
}
int set_size(void *o, const void *p) {
    int x, y;
    if (!OVwindow_getgeometry(win(o), &x, &y, nullptr, nullptr)) return 0;
    return OVwindow_setgeometry(win(o), x, y, static_cast<int>(floats(p)[0]),
                                static_cast<int>(floats(p)[1]));
}
int get_size(void *o, void *p) {
    int w, h;
    if (!OVwindow_getgeometry(win(o), nullptr, nullptr, &w, &h)) return 0;
    out_floats(p)[0] = static_cast<float>(w), out_floats(p)[1] = static_cast<float>(h);
    return 1;
}

// Viewpoints and root nodes travel by name.
int set_named_viewpoint(void *o, const void *p, bool second) {
    const char *name = static_cast<const char *>(p);
    if (!name) return 0;
    OVviewpoint *v = OVuniverse_findviewpoint(name, static_cast<int>(std::strlen(name)));
    if (!v) return 0;
    return second ? OVwindow_setviewpoint2(win(o), v) : OVwindow_setviewpoint(win(o), v);
}
int get_named(void *p, const char *name) {
    *static_cast<char **>(p) = OVstrdup(name ? name : "");
    return 1;
}
int set_viewpoint(void *o, const void *p) {
    return set_named_viewpoint(o, p, false);
}
int get_viewpoint(void *o, void *p) {
    OVviewpoint *v = OVwindow_getviewpoint(win(o));
    return get_named(p, v ? OVviewpoint_getname(v) : nullptr);
}
int set_viewpoint2(void *o, const void *p) {
    return set_named_viewpoint(o, p, true);
}
int get_viewpoint2(void *o, void *p) {
    OVviewpoint *v = OVwindow_getviewpoint2(win(o));
    return get_named(p, v ? OVviewpoint_getname(v) : nullptr);
}
int set_root(void *o, const void *p) {
    const char *name = static_cast<const char *>(p);
    if (!name) return 0;
    OVnode *n = OVuniverse_findnode(name, static_cast<int>(std::strlen(name)));
    return n ? OVwindow_setrootnode(win(o), n) : 0;
}
int get_root(void *o, void *p) {
    OVnode *n = OVwindow_getrootnode(win(o));
    return get_named(p, n ? OVnode_getname(n) : nullptr);
}

// The key and button accessors are stubs that refuse: so do their rows.
template <int (*Set)(OVwindow *, int)> int set_stub(void *o, const void *p) {
    return Set(win(o), arg<int>(p));
}
template <int (*Get)(const OVwindow *)> int get_stub(void *o, void *p) {
    return *static_cast<int *>(p) = Get(win(o));
}
// "RightButtonDbl" has no setter at all and refuses silently.
int set_rbd(void *, const void *) {
    return 0;
}

using orv::get_through;
using orv::PropertyBinding;
using orv::set_through;
constexpr int W = orv::PROPERTY_CLASS_WINDOW;
const PropertyBinding rows[] = {
    {W, 0, set_background, get_background},
    {W, 1, set_br, get_br},
    {W, 2, set_through<OVwindow_setenabled>, get_through<OVwindow_getenabled>},
    {W, 3, set_through<OVwindow_seteye>, get_through<OVwindow_geteye>},
    {W, 4, set_through<OVwindow_sethither>, get_through<OVwindow_gethither>},
    {W, 5, set_position, get_position},
    {W, 6, set_through<OVwindow_setprojection>, get_through<OVwindow_getprojection>},
    {W, 7, set_root, get_root},
    {W, 8, set_size, get_size},
    {W, 9, set_tl, get_tl},
    {W, 10, set_viewpoint, get_viewpoint},
    {W, 11, set_viewpoint2, get_viewpoint2},
    {W, 12, set_through<OVwindow_setviewangle>, get_through<OVwindow_getviewangle>},
    {W, 13, set_through<OVwindow_setyon>, get_through<OVwindow_getyon>},
    {W, 14, set_stub<OVwindow_setkey>, get_stub<OVwindow_getkey>},
    {W, 15, set_stub<OVwindow_setlbutton>, get_stub<OVwindow_getlbutton>},
    {W, 16, set_stub<OVwindow_setlbuttondblclk>, get_stub<OVwindow_getlbuttondblclk>},
    {W, 17, set_stub<OVwindow_setrbutton>, get_stub<OVwindow_getrbutton>},
    {W, 18, set_rbd, get_stub<OVwindow_getrbuttondblclk>},
    {W, 19, set_stub<OVwindow_setmbutton>, get_stub<OVwindow_getmbutton>},
    {W, 20, set_stub<OVwindow_setmbuttondblclk>, get_stub<OVwindow_getmbuttondblclk>},
};

} // namespace
