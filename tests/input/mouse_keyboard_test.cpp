// Mouse and key messages of a window, the fly driver and the key queue.
#include "mouse_fixture.h"
#include "orv/render.h"

#include <cmath>
#include <string>

namespace {

int middle_value = -1;
void on_middle(void *, const char *, void *value, double) {
    middle_value = *static_cast<int *>(value);
}

int keys_seen = 0;
int key_read_in_handler = -1;
int read_key_before_delivery(void *, const char *, double) {
    key_read_in_handler = OVkeyboard_getkey();
    return 1;
}
void on_key(void *, const char *, void *, double) {
    ++keys_seen;
}

} // namespace

TEST_F(MouseTest, LeftButtonAboveCentreFliesForward) {
    OVsensor_setsensitivity(mouse, 2);
    cursor(0, -0.3f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_fly(mouse);
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0, 0, 0.6f);
    EXPECT_TRUE(OVsensor_getmiscdata(mouse) & OVMOUSE_LEFTHELD);
}

TEST_F(MouseTest, NothingMovesInsideTheDeadZone) {
    cursor(0.09f, -0.09f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    expect_record_at_rest();
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    expect_record_at_rest();
}

TEST_F(MouseTest, BothButtonsFarRightRollOnly) {
    cursor(0.9f, 0.2f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    OVq q;
    OVsensor_getrotation(mouse, q);
    EXPECT_FLOAT_EQ(q[0], 0);
    EXPECT_FLOAT_EQ(q[1], 0);
    EXPECT_NEAR(q[2], -std::sin(0.9f * 0.5f * 0.0872660f), 1e-4);
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0, 0, 0);
}

TEST_F(MouseTest, PressAndReleaseShowForOneUpdateOnly) {
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_RIGHT);
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_RIGHTPRESSED | OVMOUSE_RIGHTRELEASED));
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), 0u);
    send(OVwinmsgkind::ButtonDouble, 0, 0, OVBUTTON_MIDDLE);
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_MIDDLEDOUBLE));
}

TEST_F(MouseTest, MiddleButtonHandlersGetOne) {
    middle_value = -1;
    ASSERT_TRUE(OVproperty_addhandler(window, "MiddleButton", on_middle));
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_MIDDLE);
    _OVevent_pass();
    EXPECT_EQ(middle_value, 1);
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_MIDDLE);
    _OVevent_pass();
    EXPECT_EQ(middle_value, 0);
}

TEST_F(MouseTest, VetoedButtonChangesNothing) {
    OVproperty_addhandler_pre(window, "LeftButton", [](void *, const char *, double) { return 0; });
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), 0u);
}

TEST_F(MouseTest, KeysQueueInOrder) {
    send(OVwinmsgkind::Char, 0, 0, 0, 'a');
    send(OVwinmsgkind::Char, 0, 0, 0, 'b');
    send(OVwinmsgkind::Char, 0, 0, 0, '\r');
    send(OVwinmsgkind::KeyDown, 0, 0, 0, 0); // not a special key: nothing
    EXPECT_EQ(OVkeyboard_getkey(), 97);
    EXPECT_EQ(OVkeyboard_getkey(), 98);
    EXPECT_EQ(OVkeyboard_getkey(), 1013);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
    send(OVwinmsgkind::Char, 0, 0, 0, 'a');
    send(OVwinmsgkind::Char, 0, 0, 0, 'b');
    send(OVwinmsgkind::Char, 0, 0, 0, '\r');
    EXPECT_EQ(OVkeyboard_getlastkey(), 1013);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}

TEST_F(MouseTest, SpecialKeysQueueTheirCodesAndControlCharactersTheirs) {
    const int codes[] = {1059, 1070, 1000, 1001, 1002, 1003, 1071, 1073, 1079, 1081};
    for (int c : codes)
        send(OVwinmsgkind::KeyDown, 0, 0, 0, c);
    for (int c : codes)
        EXPECT_EQ(OVkeyboard_getkey(), c);
    send(OVwinmsgkind::Char, 0, 0, 0, '\b');
    send(OVwinmsgkind::Char, 0, 0, 0, '\t');
    EXPECT_EQ(OVkeyboard_getkey(), 1008);
    EXPECT_EQ(OVkeyboard_getkey(), 1009);
}

TEST_F(MouseTest, KeyHandlersTakeTheirKeysOthersStay) {
    OVkeyboard_open();
    EXPECT_TRUE(OVkeyboard_isopen());
    OVkeyboard_close();
    EXPECT_FALSE(OVkeyboard_isopen());
    send(OVwinmsgkind::Char, 0, 0, 0, 'x');
    _OVkeyboard_deliver();
    EXPECT_EQ(OVkeyboard_getkey(), 'x'); // no handlers: kept for the application
    keys_seen = 0;
    ASSERT_TRUE(OVproperty_addhandler(window, "Key", on_key));
    send(OVwinmsgkind::Char, 0, 0, 0, 'y');
    OVuniverse_go1();
    EXPECT_EQ(keys_seen, 1);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}

TEST_F(MouseTest, MouseLinkedViewpointFliesForwardInAPass) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    ASSERT_NE(OVmotionlink_new(mouse, vp, 0, 0), nullptr);
    cursor(0, -0.3f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0.3f);
}

TEST_F(MouseTest, BothButtonsFarDownPitchOnly) {
    cursor(0.2f, 0.8f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    OVq q;
    OVsensor_getrotation(mouse, q);
    EXPECT_NEAR(q[0], std::sin(0.8f * 0.5f * 0.0872660f), 1e-4);
    EXPECT_FLOAT_EQ(q[1], 0);
    EXPECT_FLOAT_EQ(q[2], 0);
}

TEST_F(MouseTest, RightButtonPansAndConstraintsHoldAxes) {
    OVsensor_setsensitivity(mouse, 3);
    cursor(0.5f, -0.4f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 1.5f, -1.2f, 0);
    OVsensor_setconstraints(mouse, OVSENSOR_NOTX);
    OVmouse_fly(mouse);
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0, -1.2f, 0);
    // Flying with the forward axis and the turn held: nothing moves.
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_RIGHT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVsensor_setconstraints(mouse, OVSENSOR_NOTZ | OVSENSOR_NORY);
    OVmouse_fly(mouse);
    expect_record_at_rest();
}

TEST_F(MouseTest, KeyPreHandlerMayReadTheQueueDuringDelivery) {
    ASSERT_TRUE(OVproperty_addhandler(window, "Key", on_key));
    ASSERT_TRUE(OVproperty_addhandler_pre(window, "Key", read_key_before_delivery));
    keys_seen = 0;
    key_read_in_handler = -1;
    send(OVwinmsgkind::Char, 0, 0, 0, 'p');
    send(OVwinmsgkind::Char, 0, 0, 0, 'q');
    _OVkeyboard_deliver();
    _OVevent_pass();
    EXPECT_EQ(keys_seen, 2);
    EXPECT_EQ(key_read_in_handler, 0); // the delivered keys are not read twice
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}

TEST_F(MouseTest, StereoSplitWindowCentresOnOneEyeImage) {
    window = OVwindow_new(0, 0, 200, 100, OVWINDOW_STEREO | OVWINDOW_NOSTEREOBUFFERS);
    ASSERT_NE(window, nullptr);
    const int gap = OVrender_getstereogap();
    const int half = (100 - gap) / 2; // each eye image
    const int centre = half / 2;
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    for (int top : {0, gap + half}) { // upper image, then lower
        send(OVwinmsgkind::MouseMove, 100, top + centre / 2);
        OVmouse_fly(mouse);
        OVp3 t;
        OVsensor_gettranslation(mouse, t);
        EXPECT_NEAR(t[2], 1.0f - float(centre / 2) / float(centre), 1e-4) << top;
    }
}

TEST_F(MouseTest, ANewUniverseStartsWithoutKeysOrButtons) {
    send(OVwinmsgkind::Char, 0, 0, 0, 'z');
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVuniverse_delete();
    OVuniverse_new(512, 0);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
    OVsensor *fresh = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_stateonly, nullptr, 1, 0);
    ASSERT_NE(fresh, nullptr);
    OVmouse_stateonly(fresh);
    EXPECT_EQ(OVsensor_getmiscdata(fresh), 0u);
}

namespace {
std::string button_events;
void record_button(void *, const char *property, void *value, double) {
    button_events += std::string(property) + '=' + std::to_string(*static_cast<int *>(value)) + ';';
}
} // namespace

TEST_F(MouseTest, EveryButtonMessageFiresItsPropertyWithItsValue) {
    button_events.clear();
    for (const char *property : {"LeftButton", "RightButton", "MiddleButton", "LeftButtonDbl",
                                 "RightButtonDbl", "MiddleButtonDbl"})
        ASSERT_TRUE(OVproperty_addhandler(window, property, record_button));
    for (int b : {OVBUTTON_LEFT, OVBUTTON_RIGHT, OVBUTTON_MIDDLE}) {
        send(OVwinmsgkind::ButtonDown, 0, 0, b);
        send(OVwinmsgkind::ButtonUp, 0, 0, b);
        send(OVwinmsgkind::ButtonDouble, 0, 0, b);
    }
    _OVevent_pass();
    EXPECT_EQ(button_events, "LeftButton=1;LeftButton=0;LeftButtonDbl=1;"
                             "RightButton=1;RightButton=0;RightButtonDbl=1;"
                             "MiddleButton=1;MiddleButton=0;MiddleButtonDbl=1;");
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), 0xFC7u) << "pressed, released and doubled, none held";
}

TEST_F(MouseTest, HeldButtonsShowUntilReleased) {
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_MIDDLE);
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_LEFTHELD | OVMOUSE_MIDDLEHELD |
                                                    OVMOUSE_LEFTPRESSED | OVMOUSE_MIDDLEPRESSED));
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_LEFTHELD | OVMOUSE_MIDDLEHELD));
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_LEFT);
    OVmouse_stateonly(mouse);
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_MIDDLEHELD | OVMOUSE_RIGHTHELD |
                                                    OVMOUSE_RIGHTPRESSED | OVMOUSE_LEFTRELEASED));
}

TEST_F(MouseTest, OnlyTheFirstMouseSensorSeesThePressEvents) {
    OVsensor *second = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_stateonly, nullptr, 1, 0);
    ASSERT_NE(second, nullptr);
    OVsensor_setupdatefn(mouse, OVmouse_stateonly);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVuniverse_go1();
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_LEFTHELD | OVMOUSE_LEFTPRESSED));
    EXPECT_EQ(OVsensor_getmiscdata(second), unsigned(OVMOUSE_LEFTHELD));
}

TEST_F(MouseTest, RawDataIsTheCursorPlusTheViewportOriginAndStateOnlyStaysAtRest) {
    ASSERT_TRUE(OVwindow_setviewport(window, 20, 0, 100, 100));
    send(OVwinmsgkind::MouseMove, 70, 30);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_stateonly(mouse);
    const float *raw = static_cast<const float *>(OVsensor_getrawdata(mouse));
    ASSERT_NE(raw, nullptr);
    EXPECT_FLOAT_EQ(raw[0], 90);
    expect_record_at_rest();
    OVq q;
    // The centre is half the viewport's size: x 70 is 40% right of 50.
    OVmouse_fly(mouse);
    OVsensor_getrotation(mouse, q);
    EXPECT_NEAR(q[1], -std::sin(0.4f * 0.5f * 0.0872660f), 1e-5);
}

TEST_F(MouseTest, MessagesOfAnotherWindowLeaveTheRawDataAlone) {
    send(OVwinmsgkind::MouseMove, 40, 40);
    OVmouse_stateonly(mouse);
    const float *raw = static_cast<const float *>(OVsensor_getrawdata(mouse));
    ASSERT_NE(raw, nullptr);
    EXPECT_FLOAT_EQ(raw[0], 40);
    // A message whose platform window is none of the toolkit's.
    OVwinmsg m{};
    m.kind = OVwinmsgkind::MouseMove;
    m.window_id = 0xFFFFFF;
    m.x = 5;
    _OVinput_windowmessage(window, &m);
    OVmouse_stateonly(mouse);
    EXPECT_FLOAT_EQ(raw[0], 40);
}

namespace {
int key_value = 0;
int key_asked = 0;
void take_key_value(void *, const char *, void *value, double) {
    key_value = *static_cast<int *>(value);
}
int count_key_asked(void *, const char *, double) {
    ++key_asked;
    return 1;
}
} // namespace

TEST_F(MouseTest, KeyHandlersGetTheKeyCode) {
    key_value = 0;
    ASSERT_TRUE(OVproperty_addhandler(window, "Key", take_key_value));
    send(OVwinmsgkind::KeyDown, 0, 0, 0, OVKEY_F1 + 4);
    OVuniverse_go1();
    EXPECT_EQ(key_value, 1063);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}

TEST_F(MouseTest, KeyPreHandlersAloneAreAskedAndTheKeyStaysQueued) {
    key_asked = 0;
    ASSERT_TRUE(OVproperty_addhandler_pre(window, "Key", count_key_asked));
    send(OVwinmsgkind::Char, 0, 0, 0, 'k');
    _OVkeyboard_deliver();
    EXPECT_EQ(key_asked, 1);
    EXPECT_EQ(OVkeyboard_getkey(), 'k');
}

TEST_F(MouseTest, EmptyQueueReadsZeroEitherWay) {
    EXPECT_EQ(OVkeyboard_getkey(), 0);
    EXPECT_EQ(OVkeyboard_getlastkey(), 0);
    OVkeyboard_open();
    send(OVwinmsgkind::Char, 0, 0, 0, '7');
    EXPECT_EQ(OVkeyboard_getlastkey(), '7');
    EXPECT_EQ(OVkeyboard_getlastkey(), 0);
    OVkeyboard_close();
}

TEST_F(MouseTest, MiddleButtonAloneDoesNotFly) {
    cursor(0.8f, -0.8f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_MIDDLE);
    OVmouse_fly(mouse);
    expect_record_at_rest();
    EXPECT_EQ(OVsensor_getmiscdata(mouse), unsigned(OVMOUSE_MIDDLEHELD | OVMOUSE_MIDDLEPRESSED));
}

TEST_F(MouseTest, LeftButtonTurnsAndBacksOffBelowTheCentre) {
    OVsensor_setangularrate(mouse, 1.0f);
    cursor(-0.5f, 0.4f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_fly(mouse);
    OVp3 t;
    OVq q;
    OVsensor_gettranslation(mouse, t);
    OVsensor_getrotation(mouse, q);
    EXPECT_P3_NEAR(t, 0, 0, -0.4f);
    const float qy = std::sin(0.25f); // -sin(nx * 0.5 * rate) with nx = -0.5
    EXPECT_NEAR(q[0], 0, 1e-6);
    EXPECT_NEAR(q[1], qy, 1e-4);
    EXPECT_NEAR(q[2], 0, 1e-6);
    EXPECT_NEAR(q[3], std::sqrt(1 - qy * qy), 1e-4);
}

TEST_F(MouseTest, BothButtonsWithEqualOffsetsPitch) {
    cursor(0.5f, 0.5f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_RIGHT);
    OVmouse_fly(mouse);
    OVq q;
    OVsensor_getrotation(mouse, q);
    EXPECT_NEAR(q[0], std::sin(0.5f * 0.5f * 0.0872660f), 1e-5);
    EXPECT_FLOAT_EQ(q[2], 0);
    OVsensor_setconstraints(mouse, OVSENSOR_NORX);
    OVmouse_fly(mouse);
    expect_record_at_rest();
}

TEST_F(MouseTest, EachFlyingPassStartsFromRest) {
    cursor(0, -0.5f);
    send(OVwinmsgkind::ButtonDown, 0, 0, OVBUTTON_LEFT);
    OVmouse_fly(mouse);
    OVmouse_fly(mouse);
    OVp3 t;
    OVsensor_gettranslation(mouse, t);
    EXPECT_P3_NEAR(t, 0, 0, 0.5f);
    send(OVwinmsgkind::ButtonUp, 0, 0, OVBUTTON_LEFT);
    OVmouse_fly(mouse);
    expect_record_at_rest();
}
