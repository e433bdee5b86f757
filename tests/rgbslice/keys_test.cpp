// The explorer's action function: the newest key of a pass, channel bounds,
// the printouts, reset and quit.
#include "explorer_fixture.h"
#include "input/key_queue.h"

#include <string>

namespace {

using namespace rgbslice;
using rgbslice_test::ExplorerScene;

std::string said;
int hear(const char *text) {
    said += text;
    return 0;
}

class ExplorerKeys : public ExplorerScene {
  protected:
    void SetUp() override {
        ExplorerScene::SetUp();
        OVkeyboard_open();
        orv::input::clear_keys();
        said.clear();
        OVmessage_sethook(hear);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        orv::input::clear_keys();
        ExplorerScene::TearDown();
    }
    // Types the keys and runs the action function once, as one pass would.
    static void press(const std::string &keys) {
        for (char k : keys)
            orv::input::queue_character(nullptr, k);
        act();
    }
    static int value(Channel c) { return state().value[c]; }
};

TEST_F(ExplorerKeys, ChannelKeysStepByOneAndStopAtTheEnds) {
    press("R");
    EXPECT_EQ(value(Red), 129);
    expect_label(Red, "Red   = 129 ( 0.505882 )");
    press("g");
    EXPECT_EQ(value(Green), 127);
    press("B");
    EXPECT_EQ(value(Blue), 129);
    set(Red, 255);
    press("R");
    EXPECT_EQ(value(Red), 255);
    set(Blue, 1);
    press("b");
    EXPECT_EQ(value(Blue), 0);
    expect_label(Blue, "Blue  =   0 ( 0.000000 )");
    EXPECT_NEAR(translation(Blue, 2), -25, 1e-4f);
    press("b");
    EXPECT_EQ(value(Blue), 0);
    set(Green, 254);
    press("G");
    press("G");
    EXPECT_EQ(value(Green), 255);
    EXPECT_NEAR(translation(Green, 1), -25, 1e-4f);
    EXPECT_TRUE(said.empty()) << said;
}

// A key at the end of its range changes nothing: not the plane, not the
// label's node.
TEST_F(ExplorerKeys, KeysAtTheEndsLeaveThePlaneAndTheLabelAlone) {
    set(Red, 255);
    set(Green, 0);
    set(Blue, 255);
    OVnode *labels[3] = {state().label_node[Red], state().label_node[Green],
                         state().label_node[Blue]};
    const float places[3] = {translation(Red, 0), translation(Green, 1), translation(Blue, 2)};
    for (const char *key : {"R", "g", "B"})
        press(key);
    for (int c = Red; c <= Blue; ++c) {
        EXPECT_EQ(state().label_node[c], labels[c]) << c;
        EXPECT_EQ(translation(static_cast<Channel>(c), c), places[c]) << c;
    }
    EXPECT_EQ(value(Red), 255);
    EXPECT_EQ(value(Green), 0);
    EXPECT_EQ(value(Blue), 255);
}

TEST_F(ExplorerKeys, OnlyTheNewestKeyOfAPassActs) {
    press("RRrG");
    EXPECT_EQ(value(Red), 128);
    EXPECT_EQ(value(Green), 129);
    // The older keys were dropped with it, not kept for the next pass.
    act();
    EXPECT_EQ(value(Green), 129);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}

TEST_F(ExplorerKeys, UnknownKeysPrintTheHelpAndNoKeyDoesNothing) {
    act();
    EXPECT_EQ(said, "");
    press("x");
    EXPECT_EQ(said, "\nThe following keys are active:\n\n"
                    "Q or q: Quit.\n"
                    "0 ( zero ): Reset\n"
                    "P or p: Print scene graph.\n");
}

TEST_F(ExplorerKeys, IPrintsThePoseAndZeroPutsItBack) {
    reset_pose();
    const OVp3 elsewhere = {1, 2, 3};
    OVviewpoint_setposition(state().viewpoint, elsewhere);
    press("i");
    EXPECT_EQ(said, "Current Position:    1.0000   2.0000   3.0000\n"
                    "Current Orientation:    0.0000   0.0000   0.0000   1.0000\n");
    said.clear();
    press("0");
    press("I");
    EXPECT_EQ(said, "Current Position:   75.0000 -55.0000 -200.0000\n"
                    "Current Orientation:    0.0000   0.0000   0.0000   1.0000\n");
}

TEST_F(ExplorerKeys, PPrintsTheSceneGraphFromTheRoot) {
    press("p");
    EXPECT_EQ(said.rfind("Depth 0 Root", 0), 0u) << said;
    said.clear();
    press("P");
    EXPECT_EQ(said.rfind("Depth 0 Root", 0), 0u) << said;
}

// The explorer's action, with a stop of its own so a lost quit cannot hang.
int passes_left = 0;
void act_at_most_a_few_passes() {
    act();
    if (--passes_left == 0) OVuniverse_stop();
}

// "q" stops the loop: the pass it came in finishes and go returns.
TEST_F(ExplorerKeys, QuitEndsTheLoopAfterThePass) {
    for (const char *quit : {"q", "Q"}) {
        OVuniverse_resetframecount();
        orv::input::queue_character(nullptr, quit[0]);
        passes_left = 5;
        OVuniverse_setactions(act_at_most_a_few_passes);
        OVuniverse_go();
        EXPECT_EQ(OVuniverse_framecount(), 1u) << quit;
    }
}

} // namespace
