// The fly driver's button combinations, constraints and dead zone, the raw
// data of the window that got the last mouse message, and key delivery
// across two windows.
#include "mouse_fixture.h"

#include <cmath>
#include <vector>

namespace {

constexpr float kRate = 0.0872660f; // the default angular rate

std::vector<int> delivered;
void take_key(void *, const char *, void *value, double) {
    delivered.push_back(*static_cast<int *>(value));
}

} // namespace

TEST_F(MouseTest, OpenAllocatesTheRawDataAtOnce) {
    const float *raw = static_cast<const float *>(OVsensor_getrawdata(mouse));
    EXPECT_NE(raw, nullptr);
    OVsensor *state = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_stateonly, nullptr, 0, 0);
    ASSERT_NE(state, nullptr);
    EXPECT_NE(OVsensor_getrawdata(state), nullptr);
    EXPECT_NE(OVsensor_getrawdata(state), raw) << "each sensor has its own";
    EXPECT_EQ(OVsensor_getupdatefn(state), OVmouse_stateonly);
}

TEST_F(MouseTest, JustOutsideTheDeadZoneMovesByTheOffset) {
    send(OVwinmsgkind::MouseMove, 100, 44); // 12% above the centre
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_fly(mouse);
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0, 0, 0.12f);
    send(OVwinmsgkind::MouseMove, 100, 46); // 8% above: inside
    OVmouse_fly(mouse);
    expect_record_at_rest();
}

TEST_F(MouseTest, TheMiddleButtonAddsNothingToPanOrFlight) {
    cursor(0.5f, -0.4f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_MIDDLE);
    OVmouse_fly(mouse);
    OVp3 t;
    OVq q;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0.5f, -0.4f, 0);
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_RIGHT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_fly(mouse);
    OVsensor_gettranslation(mouse, t);
    OVsensor_getrotation(mouse, q);
    EXPECT_P3_NEAR(t, 0, 0, 0.4f);
    EXPECT_NEAR(q[1], -std::sin(0.5f * 0.5f * kRate), 1e-6);
    EXPECT_FLOAT_EQ(q[0], 0);
    EXPECT_FLOAT_EQ(q[2], 0);
}

TEST_F(MouseTest, PanAndRollConstraintsHoldTheirComponents) {
    cursor(-0.6f, 0.3f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVsensor_setconstraints(mouse, OVSENSOR_NOTY);
    OVmouse_fly(mouse);
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, -0.6f, 0, 0);
    // Both buttons, x the larger offset: a roll, which its bit holds.
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVsensor_setconstraints(mouse, 0);
    OVmouse_fly(mouse);
    OVq q;
    OVsensor_getrotation(mouse, q);
    EXPECT_NEAR(q[2], std::sin(0.6f * 0.5f * kRate), 1e-6);
    EXPECT_FLOAT_EQ(q[0], 0);
    OVsensor_setconstraints(mouse, OVSENSOR_NORZ);
    OVmouse_fly(mouse);
    expect_record_at_rest();
    // The pitch bit leaves the roll alone.
    OVsensor_setconstraints(mouse, OVSENSOR_NORX);
    OVmouse_fly(mouse);
    OVsensor_getrotation(mouse, q);
    EXPECT_NEAR(q[2], std::sin(0.6f * 0.5f * kRate), 1e-6);
}

TEST_F(MouseTest, BothButtonsWithMostlyVerticalOffsetPitchUp) {
    cursor(0.05f, -0.7f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    OVq q;
    OVsensor_getrotation(mouse, q);
    const float qx = std::sin(-0.7f * 0.5f * kRate);
    EXPECT_NEAR(q[0], qx, 1e-6);
    EXPECT_FLOAT_EQ(q[1], 0);
    EXPECT_FLOAT_EQ(q[2], 0);
    EXPECT_NEAR(q[3], std::sqrt(1 - qx * qx), 1e-6);
}

TEST_F(MouseTest, StateOnlyPutsAWrittenRecordBackAtRest) {
    const OVp3 t = {1, 2, 3};
    const OVq q = {0, 0.6f, 0, 0.8f};
    ASSERT_TRUE(OVsensor_setrecord(mouse, t, q));
    cursor(0.8f, 0.8f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_stateonly(mouse);
    expect_record_at_rest();
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_LEFTHELD | OVMOUSE_LEFTPRESSED));
}

TEST_F(MouseTest, RawDataAddsBothViewportOrigins) {
    ASSERT_TRUE(OVwindow_setviewport(window, 20, 10, 100, 80));
    send(OVwinmsgkind::MouseMove, 70, 30);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    const float *raw = static_cast<const float *>(OVsensor_getrawdata(mouse));
    ASSERT_NE(raw, nullptr);
    EXPECT_FLOAT_EQ(raw[0], 90);
    EXPECT_FLOAT_EQ(raw[1], 40);
    // The centre is (50, 40): 40% right, 25% up.
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0.4f, -0.25f, 0);
}

TEST_F(MouseTest, AButtonMessageMakesItsWindowTheMouseWindow) {
    OVwindow *other = OVwindow_new(0, 0, 200, 100, 0);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(OVwindow_setviewport(other, 30, 10, 100, 80));
    send(OVwinmsgkind::MouseMove, 60, 20);
    send_to(other, OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_stateonly(mouse);
    const float *raw = static_cast<const float *>(OVsensor_getrawdata(mouse));
    ASSERT_NE(raw, nullptr);
    EXPECT_FLOAT_EQ(raw[0], 90) << "the cursor of the move, the origin of the clicked window";
    EXPECT_FLOAT_EQ(raw[1], 30);
}

TEST_F(MouseTest, KeysOfAWindowWithHandlersLeaveTheQueueInOrderOthersStay) {
    OVwindow *quiet = OVwindow_new(0, 0, 200, 100, 0);
    ASSERT_NE(quiet, nullptr);
    ASSERT_TRUE(OVproperty_addhandler(window, "Key", take_key));
    delivered.clear();
    send(OVwinmsgkind::Char, 0, 0, 0, 'a');
    send_to(quiet, OVwinmsgkind::Char, 0, 0, 0, 'b');
    send(OVwinmsgkind::KeyDown, 0, 0, 0, OVKEY_PAGEDOWN);
    send_to(quiet, OVwinmsgkind::KeyDown, 0, 0, 0, OVKEY_LEFT);
    send(OVwinmsgkind::Char, 0, 0, 0, 'c');
    OVuniverse_go1();
    EXPECT_EQ(delivered, (std::vector<int>{'a', OVKEY_PAGEDOWN, 'c'}));
    EXPECT_EQ(OVkeyboard_getkey(), 'b');
    EXPECT_EQ(OVkeyboard_getkey(), OVKEY_LEFT);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}

TEST_F(MouseTest, KeysQueueWhetherTheKeyboardIsOpenOrNot) {
    OVkeyboard_close();
    send(OVwinmsgkind::Char, 0, 0, 0, 27);
    OVkeyboard_open();
    send(OVwinmsgkind::Char, 0, 0, 0, ' ');
    EXPECT_EQ(OVkeyboard_getkey(), 27);
    EXPECT_EQ(OVkeyboard_getkey(), ' ');
    OVkeyboard_close();
}

TEST_F(MouseTest, NoWindowIsUnderANullCursorQuery) {
    EXPECT_FALSE(OVmouse_inwindow(mouse, nullptr));
    EXPECT_FALSE(OVmouse_inwindow(nullptr, nullptr));
    OVwindow *under = OVmouse_getwindow();
    if (under) {
        EXPECT_TRUE(OVmouse_inwindow(mouse, under));
    }
}
