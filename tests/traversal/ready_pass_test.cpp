// The preparation before the simulation starts: one pass per shown root, a
// root shared by consecutive windows done once, each with its window's bit.
#include "traversal_fixture.h"

#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"

namespace travtest {
namespace {

struct Prepared {
    OVnode *root;
    int display_bit;
    int opaque_count;
};
std::vector<Prepared> prepared;
std::vector<OVnode *> shown;

int fake_roots(OVnode **roots, int *bits, int capacity) {
    int n = 0;
    for (; n < static_cast<int>(shown.size()) && n < capacity; ++n) {
        roots[n] = shown[n];
        bits[n] = 1 << n;
    }
    return n;
}

void fake_prepare(OVnode *root, void *state) {
    auto *s = static_cast<TraversalState *>(state);
    prepared.push_back({root, s->display_bit, s->opaque_count});
}

class ReadyPass : public Traversal {
  protected:
    void SetUp() override {
        Traversal::SetUp();
        prepared.clear();
        orv::scene::set_render_hooks(fake_roots, fake_prepare);
    }
    void TearDown() override {
        orv::scene::set_render_hooks(_OVwindow_roots, _OVrender_prepare);
        Traversal::TearDown();
    }
};

TEST_F(ReadyPass, EachShownRootOnceWithItsWindowsBit) {
    OVnode *second = OVrootnode_new();
    shown = {root, root, second, nullptr, root};
    _OVnode_ready();
    ASSERT_EQ(prepared.size(), 3u);
    EXPECT_EQ(prepared[0].root, root);
    EXPECT_EQ(prepared[0].display_bit, 1);
    EXPECT_EQ(prepared[1].root, second);
    EXPECT_EQ(prepared[1].display_bit, 4);
    // Not consecutive with its first window: prepared again.
    EXPECT_EQ(prepared[2].root, root);
    EXPECT_EQ(prepared[2].display_bit, 16);
    for (const Prepared &p : prepared)
        EXPECT_EQ(p.opaque_count, 0); // a fresh state each time
}

TEST_F(ReadyPass, NoWindowsNoPasses) {
    shown.clear();
    _OVnode_ready();
    EXPECT_TRUE(prepared.empty());
}

} // namespace
} // namespace travtest
