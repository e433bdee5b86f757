// Drawing a scene for the renderer: a depth-first walk that keeps transforms
// inside separators and draws every enabled geometry with its colours.
#include "geometry/geometry_record.h"
#include "orv/mtable.h"
#include "orv/node.h"
#include "orv/universe.h"
#include "scene/node_internal.h"

#include <GL/gl.h>

#include <vector>

namespace {

void set_colour(OVgeometry *g, int matid) {
    unsigned rgb = g->mtable ? OVmtable_getcolor24(g->mtable, matid) : 0xFFFFFFu;
    glColor3ub(static_cast<GLubyte>(rgb >> 16), static_cast<GLubyte>(rgb >> 8),
               static_cast<GLubyte>(rgb));
}

void draw_geometry(OVgeometry *g) {
    int flags = (OVuniverse_getrendering() & ~g->style_mask) | (g->style_values & g->style_mask);
    bool wire = flags & 0x80;
    for (OVpoly *p = g->polys; p; p = p->next) {
        if (p->rflags & OVPOLYR_INVISIBLE) continue;
        bool per_vertex = p->rflags & OVPOLYR_VCOLORS;
        if (!per_vertex) set_colour(g, p->matid);
        glBegin(wire ? GL_LINE_LOOP : GL_POLYGON);
        glNormal3fv(p->normal);
        for (OVcorner *c = p->corners; c; c = c->next) {
            if (per_vertex || (c->vertex->flags & OVVERTEX_OWNMATID))
                set_colour(g, (c->vertex->flags & OVVERTEX_OWNMATID) ? c->vertex->matid : p->matid);
            glVertex3fv(c->vertex->position);
        }
        glEnd();
    }
}

bool scoped(const OVnode *n) {
    return n->header.type == NT_SEPARATOR || n->header.type == NT_XFORMSEP ||
           n->header.type == NT_ROOT;
}

struct Step {
    OVnode *node;
    bool pop; // leaves the separator's matrix scope
};

} // namespace

extern "C" ORV_API void _OVnode_draw(OVnode *root, void *) {
    if (!root) return;
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    std::vector<Step> stack{{root, false}};
    while (!stack.empty()) {
        Step s = stack.back();
        stack.pop_back();
        OVnode *n = s.node;
        if (s.pop) {
            glPopMatrix();
            continue;
        }
        if (!(n->flags & NODE_ENABLED)) continue;
        switch (n->header.type) {
        case NT_XFORM:
            glMultMatrixf(&n->transform[0][0]);
            continue;
        case NT_GEOMETRY:
            if (n->geometry) draw_geometry(n->geometry);
            continue;
        default:
            break;
        }
        if (!node_is_grouping(n->header.type)) continue;
        if (scoped(n)) {
            glPushMatrix();
            stack.push_back({n, true});
        }
        std::vector<OVnode *> children;
        int index = 0;
        for (OVlink *l = n->first_child; l; l = l->next_sibling, ++index)
            if (n->header.type != NT_SWITCH || n->which_child == -3 || n->which_child == index)
                children.push_back(l->child);
        if (n->header.type == NT_LOD && children.size() > 1) children.resize(1);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({*it, false});
    }
}
