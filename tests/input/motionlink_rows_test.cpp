// Motion-link operations row by row: what each accepts for each target kind,
// list order after deletions, angle bounds, and the node update's rotation
// order per frame, its identity test and its vetoes.
#include "input_fixture.h"
#include "orv/node.h"

#include <cmath>
#include <string>

namespace {

const char *const illegal_frame =
    "ORV Warning: Illegal reference frame requested. \t\t\t\t\t\t\t\t\tFrame unchanged.\n";

OVp3 g_step = {0, 0, 0};
OVq g_turn = {0, 0, 0, 1};
void apply(OVsensor *s) {
    OVsensor_setrecord(s, g_step, g_turn);
}
void set_record(const OVp3 step, const OVq turn) {
    for (int i = 0; i < 3; ++i)
        g_step[i] = step[i];
    for (int i = 0; i < 4; ++i)
        g_turn[i] = turn[i];
}

// Equal as rotations: q and -q turn alike.
void expect_same_turn(const OVq got, const OVq want) {
    float dot = 0;
    for (int i = 0; i < 4; ++i)
        dot += got[i] * want[i];
    const float sign = dot < 0 ? -1.0f : 1.0f;
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(got[i], sign * want[i], 1e-4) << i;
}

std::string events;
void note(void *, const char *property, void *, double) {
    events += property;
    events += ';';
}
int refuse(void *, const char *, double) {
    return 0;
}

class LinkRows : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        sensor = manual_sensor();
        OVsensor_setupdatefn(sensor, apply);
        const OVp3 none = {0, 0, 0};
        const OVq identity = {0, 0, 0, 1};
        set_record(none, identity);
        events.clear();
    }
    OVsensor *sensor = nullptr;

    // A node linked in frame (0 keeps the link's own) whose pre-handler refuses
    // the property, after one pass that steps by (1, 2, 3) and turns a
    // quarter about z; handlers note both properties.
    OVnode *pass_refusing(const char *refused, int frame) {
        OVnode *node = OVxformnode_new(nullptr);
        OVmotionlink *link = OVnode_addsensor(node, sensor);
        EXPECT_NE(link, nullptr);
        if (frame) {
            EXPECT_TRUE(OVmotionlink_setreferenceframe(link, frame, nullptr));
        }
        EXPECT_TRUE(OVproperty_addhandler(node, "Translation", note));
        EXPECT_TRUE(OVproperty_addhandler(node, "Rotation", note));
        EXPECT_TRUE(OVproperty_addhandler_pre(node, refused, refuse));
        set_record(kStep, kQuarterTurn);
        OVuniverse_go1();
        return node;
    }
    static constexpr OVp3 kStep = {1, 2, 3};
    static constexpr float kHalfRoot = 0.70710678f;
    static constexpr OVq kQuarterTurn = {0, 0, kHalfRoot, kHalfRoot};
};

} // namespace

TEST_F(LinkRows, TheSourceTypeIsKeptAsGiven) {
    OVmotionlink *link = OVmotionlink_new(sensor, OVuniverse_getviewpoint(), 7, OVLINK_VIEWPOINT);
    ASSERT_NE(link, nullptr);
    OVsensor *source = nullptr;
    int type = -1;
    ASSERT_TRUE(OVmotionlink_getsource(link, &source, &type));
    EXPECT_EQ(source, sensor);
    EXPECT_EQ(type, 7);
    void *target = nullptr;
    EXPECT_FALSE(OVmotionlink_getsource(link, &source, nullptr));
    EXPECT_FALSE(OVmotionlink_gettarget(link, &target, nullptr));
    EXPECT_FALSE(OVmotionlink_gettarget(nullptr, &target, &type));
}

TEST_F(LinkRows, ViewpointLinksStartInOwnFramesAndTakeTheirFrameValues) {
    OVmotionlink *link = OVmotionlink_new(sensor, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 0);
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 0);
    for (int frame : {1, 2, 0}) {
        EXPECT_TRUE(OVmotionlink_setreferenceframe(link, frame, nullptr)) << frame;
        EXPECT_EQ(OVmotionlink_getreferenceframe(link), frame);
    }
    for (int frame : {2, 1, 0}) {
        EXPECT_TRUE(OVmotionlink_setconstraintframe(link, frame)) << frame;
        EXPECT_EQ(OVmotionlink_getconstraintframe(link), frame);
    }
    EXPECT_EQ(g_messages, "");
    EXPECT_FALSE(OVmotionlink_setconstraintframe(link, -1));
    EXPECT_FALSE(OVmotionlink_setconstraintframe(nullptr, 0));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 0);
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, -1, nullptr));
    EXPECT_EQ(g_messages, illegal_frame);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 0);
}

TEST_F(LinkRows, MovableNodeLinksTakeTheNodeFrames) {
    OVmotionlink *link = OVnode_addsensor(OVmovsepnode_new(nullptr), sensor);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 0);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 3, nullptr));
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 2, nullptr));
    EXPECT_EQ(g_messages, "");
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 1, nullptr));
    EXPECT_EQ(g_messages, illegal_frame);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 3);
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 3));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 3);
    EXPECT_FALSE(OVmotionlink_setconstraintframe(link, 2));
}

TEST_F(LinkRows, NodePathLinksTakeConstraintFramesOneAndTwo) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnodepath *path = OVnodepath_new(root);
    ASSERT_TRUE(OVnodepath_push(path, OVmovsepnode_new(root)));
    OVmotionlink *link = OVmotionlink_new(sensor, path, 0, OVLINK_NODEPATH);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 2));
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 1));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 1);
    EXPECT_FALSE(OVmotionlink_setconstraintframe(link, 3));
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 1, nullptr));
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 2, OVxformnode_new(nullptr)));
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 2);
    OVmotionlink_delete(link);
    OVnodepath_delete(path);
}

TEST_F(LinkRows, DeletingALinkKeepsTheOthersInOrder) {
    OVnode *a = OVxformnode_new(nullptr), *b = OVxformnode_new(nullptr);
    OVnode *c = OVxformnode_new(nullptr);
    OVmotionlink *first = OVnode_addsensor(a, sensor);
    OVmotionlink *middle = OVnode_addsensor(b, sensor);
    OVmotionlink *last = OVnode_addsensor(c, sensor);
    ASSERT_TRUE(first && middle && last);
    OVmotionlink_delete(middle);
    EXPECT_EQ(OVuniverse_getmotionlinks(), first);
    EXPECT_EQ(OVmotionlink_next(first), last);
    OVmotionlink_delete(nullptr);
    OVmotionlink_deletetarget(nullptr);
    OVmotionlink_delete(last);
    EXPECT_EQ(OVmotionlink_next(first), nullptr);
    // The tail moved back: a new link follows the first.
    OVmotionlink *again = OVnode_addsensor(c, sensor);
    EXPECT_EQ(OVmotionlink_next(first), again);
    OVmotionlink_delete(first);
    EXPECT_EQ(OVuniverse_getmotionlinks(), again);
}

TEST_F(LinkRows, DirectionAngleBoundsSumBelowAFullTurn) {
    OVmotionlink *link = OVnode_addsensor(OVxformnode_new(nullptr), sensor);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 8, -3.2f, 3.0f));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 8, -3.2f, 3.1f));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 8, 4, 3));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 8, 1, 1));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 16, 0.5f, 5.7f));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 16, 0.5f, 5.8f));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 32, -3.14f, -3.14f));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 32, 0, 3.15f));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 0, 0, 1));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 1, -1e6f, 1e6f));
    EXPECT_FALSE(OVmotionlink_removeconstraint(link, 2));
    EXPECT_FALSE(OVmotionlink_removeconstraint(nullptr, 1));
    EXPECT_EQ(g_messages, "");
}

TEST_F(LinkRows, AHalfTurnRecordIsNoIdentity) {
    OVnode *node = OVxformnode_new(nullptr);
    ASSERT_NE(OVnode_addsensor(node, sensor), nullptr);
    ASSERT_TRUE(OVproperty_addhandler(node, "Translation", note));
    ASSERT_TRUE(OVproperty_addhandler(node, "Rotation", note));
    const OVp3 none = {0, 0, 0};
    const OVq minus_identity = {0, 0, 0, -1};
    set_record(none, minus_identity);
    OVuniverse_go1();
    EXPECT_EQ(events, "Translation;Rotation;") << "w differs from 1";
    events.clear();
    const OVq identity = {0, 0, 0, 1};
    const OVp3 tiny = {0, 1e-6f, 0};
    set_record(tiny, identity);
    OVuniverse_go1();
    EXPECT_EQ(events, "Translation;Rotation;") << "a translation component differs from 0";
}

TEST_F(LinkRows, NodeRotationComposesOnTheSideItsFrameSays) {
    const float h = std::sqrt(0.5f);
    const OVq start = {0, h, 0, h};     // the node: a quarter turn about y
    const OVq record = {h, 0, 0, h};    // the sensor: a quarter turn about x
    const OVq reference = {0, 0, h, h}; // the reference node: about z
    OVnode *ref = OVxformnode_new(nullptr);
    ASSERT_TRUE(OVnode_setorientation(ref, reference));
    const OVp3 none = {0, 0, 0};
    set_record(none, record);
    for (int frame : {0, 3, 2}) {
        OVnode *node = OVxformnode_new(nullptr);
        ASSERT_TRUE(OVnode_setorientation(node, start));
        OVmotionlink *link = OVnode_addsensor(node, sensor);
        ASSERT_TRUE(OVmotionlink_setreferenceframe(link, frame, frame == 2 ? ref : nullptr));
        OVuniverse_go1();
        OVq want, t;
        if (frame == 0) {
            OVq_mult(record, start, want);
        } else if (frame == 3) {
            OVq_mult(start, record, want);
        } else {
            const OVq conj = {-reference[0], -reference[1], -reference[2], reference[3]};
            OVq_mult(conj, record, t);
            OVq_mult(t, reference, t);
            OVq_mult(start, t, want);
        }
        OVq got;
        ASSERT_TRUE(OVnode_getorientation(node, got));
        SCOPED_TRACE(frame);
        expect_same_turn(got, want);
        OVmotionlink_delete(link);
    }
}

TEST_F(LinkRows, AVetoedTranslationKeepsItsValueWhileTheTurnGoesOn) {
    OVnode *node = pass_refusing("Translation", 0);
    OVp3 p;
    OVnode_gettranslation(node, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVq q;
    ASSERT_TRUE(OVnode_getorientation(node, q));
    expect_same_turn(q, kQuarterTurn);
    EXPECT_EQ(events, "Rotation;");
}

TEST_F(LinkRows, AVetoedRotationKeepsItsValueWhileTheStepGoesOn) {
    OVnode *node = pass_refusing("Rotation", 3);
    OVp3 p;
    OVnode_gettranslation(node, p);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    OVq q;
    ASSERT_TRUE(OVnode_getorientation(node, q));
    const OVq identity = {0, 0, 0, 1};
    expect_same_turn(q, identity);
    EXPECT_EQ(events, "Translation;");
}

TEST_F(LinkRows, TheTargetPoseOfATurnedNodeIsItsTransformAsAPose) {
    OVnode *node = OVxformnode_new(nullptr);
    const OVq turn = {0, 0.6f, 0, 0.8f};
    const OVp3 at = {4, -5, 6};
    ASSERT_TRUE(OVnode_setorientation(node, turn));
    ASSERT_TRUE(OVnode_settranslation(node, at));
    OVmotionlink *link = OVnode_addsensor(node, sensor);
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    OVm4 m;
    ASSERT_TRUE(OVnode_gettransform(node, m));
    OVpq want;
    OVm4_2pq(m, &want);
    EXPECT_P3_NEAR(pose.p, want.p[0], want.p[1], want.p[2]);
    EXPECT_P3_NEAR(pose.p, 4, -5, 6);
    expect_same_turn(pose.q, want.q);
    expect_same_turn(pose.q, turn);
}
