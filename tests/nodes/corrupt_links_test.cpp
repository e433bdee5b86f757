// A scene graph with broken parent links ends the process with status 1.
#include "scene/node_record.h"
#include "scene_fixture.h"

#include <unistd.h>

namespace {

// Marks the node changed after the damage has been done to it. The report
// goes to standard output, sent on to standard error where the test sees it.
void move_after(void (*damage)(OVnode *)) {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    OVuniverse_new(512, 0);
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *x = OVxformnode_new(sep);
    damage(x);
    const OVp3 p = {1, 2, 3};
    OVnode_settranslation(x, p);
}

TEST(CorruptLinksDeathTest, AParentLinkOfAnotherTypeIsFatal) {
    EXPECT_EXIT(move_after([](OVnode *x) { x->first_parent->type = OVNODE_GROUP; }),
                testing::ExitedWithCode(1), "FATAL ERROR IN PARENT LINKS\n");
}

TEST(CorruptLinksDeathTest, ATopThatIsNoRootIsFatal) {
    // The separator loses its own link: the marking reaches a top that is not a root.
    EXPECT_EXIT(move_after([](OVnode *x) { x->first_parent->parent->first_parent = nullptr; }),
                testing::ExitedWithCode(1), "FATAL ERROR: node root is wrong type\n");
}

TEST_F(SceneTest, SoundLinksAreMarkedUpToTheRoot) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *x = OVxformnode_new(sep);
    OVnode *stray = OVgroupnode_new(nullptr); // in the holding root
    OVnode *inner = OVxformnode_new(stray);
    const OVp3 p = {1, 2, 3};
    EXPECT_TRUE(OVnode_settranslation(x, p));
    EXPECT_TRUE(OVnode_settranslation(inner, p));
    EXPECT_TRUE(root->flags & NODE_CHANGED);
    EXPECT_TRUE(stray->flags & NODE_CHANGED);
}

} // namespace
