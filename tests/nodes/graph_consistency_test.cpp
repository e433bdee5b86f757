// Random edits of a small graph (seeded, so every run is the same): after
// each one the links must agree with the counts, and the cached bounds with
// bounds computed afresh.
#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using GraphConsistency = SceneTest;

void expect_links_consistent(OVnode *n) {
    int appearances = 0;
    for (OVlink *l = n->first_parent; l; l = l->next_appearance) {
        ASSERT_EQ(l->type, OVNODE_LINK);
        ASSERT_EQ(l->child, n);
        bool listed = false;
        for (OVlink *s = orv::scene::first_child(l->parent); s; s = s->next_sibling)
            listed |= s == l;
        ASSERT_TRUE(listed);
        ++appearances;
    }
    if (n->parent_count == 0)
        EXPECT_EQ(appearances, 1); // the holding root's link
    else
        EXPECT_EQ(appearances, n->parent_count);
    for (OVlink *s = orv::scene::first_child(n); s; s = s->next_sibling) {
        ASSERT_EQ(s->parent, n);
        EXPECT_EQ(s->next_sibling ? s->next_sibling->prev_sibling
                                  : orv::scene::group_record(n)->last_child,
                  s);
    }
}

struct Fresh {
    bool has;
    float mid[3], ext[3];
};

// Bounds with every grouping node's cache thrown away first.
Fresh recomputed(OVnode *top, const std::vector<OVnode *> &all) {
    for (OVnode *n : all)
        n->flags |= NODE_CHANGED;
    top->flags |= NODE_CHANGED;
    Fresh f{};
    f.has = OVnode_getmidpoint(top, f.mid) && OVnode_getextents(top, f.ext);
    return f;
}

TEST_F(GraphConsistency, RandomEditsKeepLinksAndCachesRight) {
    std::mt19937 random(12345);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int selections[] = {-3, -1, 0, 1};
    OVnode *top = OVsepnode_new(root);
    std::vector<OVnode *> grouping{top}, xforms, movables;
    for (int step = 0; step < 1500; ++step) {
        OVnode *parent = grouping[pick(static_cast<int>(grouping.size()))];
        switch (pick(12)) {
        case 0:
            grouping.push_back(OVsepnode_new(parent));
            break;
        case 1:
            grouping.push_back(OVgroupnode_new(parent));
            break;
        case 2: {
            OVnode *s = OVswitchnode_new(parent);
            OVswitchnode_setwhichchild(s, selections[pick(4)]);
            grouping.push_back(s);
            break;
        }
        case 3: {
            OVnode *x = OVxformnode_new(parent);
            const OVp3 t = {float(pick(5)), float(pick(5)), float(pick(5))};
            OVnode_settranslation(x, t);
            if (pick(2)) OVnode_rotateaxis(x, pick(3), 30, 0);
            xforms.push_back(x);
            break;
        }
        case 4:
            OVgeometrynode_new(parent, OVgeometry_newblock(1 + pick(3), 1, 1, 0));
            break;
        case 5: // instance an existing node elsewhere (refused for cycles)
            OVnode_addchild(parent, grouping[pick(static_cast<int>(grouping.size()))]);
            break;
        case 6:
            if (OVnode_numchildren(parent) > 0) OVnode_removechild(parent, 0);
            break;
        case 7:
            if (!xforms.empty()) {
                const OVp3 v = {1, 0, 0};
                OVnode_translate(xforms[pick(static_cast<int>(xforms.size()))], v, 3);
            }
            break;
        case 9: {
            OVnode *m = OVmovsepnode_new(parent);
            const OVp3 t = {float(pick(3)), 0, 0};
            OVnode_settranslation(m, t);
            movables.push_back(m);
            grouping.push_back(m);
            break;
        }
        case 10: // attach anything that makes no cycle
            if (!movables.empty())
                OVmovnode_attach(movables[pick(static_cast<int>(movables.size()))],
                                 grouping[pick(static_cast<int>(grouping.size()))], pick(2) - 1);
            break;
        case 11:
            if (!movables.empty()) {
                OVnode *m = movables[pick(static_cast<int>(movables.size()))];
                if (OVmovnode_numattachments(m) > 0)
                    OVmovnode_detach(m, pick(OVmovnode_numattachments(m)));
            }
            break;
        default:
            if (parent->header.type == OVNODE_SWITCH)
                OVswitchnode_setwhichchild(parent, selections[pick(4)]);
            break;
        }
        if (step % 50 != 49) continue;
        for (OVnode *n : grouping)
            expect_links_consistent(n);
        for (OVnode *m : movables) {
            OVnode *group = orv::scene::first_child(m)->next_sibling->child;
            expect_links_consistent(group);
            if (group->flags & NODE_ATTACHGROUP)
                expect_links_consistent(orv::scene::first_child(group)->child);
            EXPECT_EQ(OVmovnode_numattachments(m) > 0, (group->flags & NODE_ATTACHGROUP) != 0);
        }
        OVp3 mid = {0, 0, 0}, ext = {0, 0, 0};
        bool has = OVnode_getmidpoint(top, mid) && OVnode_getextents(top, ext);
        Fresh f = recomputed(top, grouping);
        ASSERT_EQ(has, f.has) << "step " << step;
        for (int j = 0; has && j < 3; ++j) {
            EXPECT_NEAR(mid[j], f.mid[j], 1e-3) << "step " << step;
            EXPECT_NEAR(ext[j], f.ext[j], 1e-3) << "step " << step;
        }
    }
}

} // namespace
