// A window of 200 x 100 with a flying mouse sensor, and messages sent to it
// as the platform would.
#pragma once

#include "input_fixture.h"
#include "platform/window_messages.h"
#include "render/window_internal.h"
#include "orv/orv_internal.h"

#include <cmath>

class MouseTest : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        window = OVwindow_new(0, 0, 200, 100, 0);
        ASSERT_NE(window, nullptr);
        mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, nullptr, 1, 0);
        ASSERT_NE(mouse, nullptr);
        // Mouse state is process-wide: start every test with the buttons up.
        for (int b : {OVBUTTON_LEFT, OVBUTTON_MIDDLE, OVBUTTON_RIGHT})
            send(OVwinmsgkind::ButtonUp, 0, 0, b);
        OVmouse_stateonly(mouse);
        while (OVkeyboard_getkey()) {
        }
    }
    void send(OVwinmsgkind kind, int x = 0, int y = 0, int button = 0, int key = 0) {
        send_to(window, kind, x, y, button, key);
    }
    void send_to(OVwindow *to, OVwinmsgkind kind, int x = 0, int y = 0, int button = 0,
                 int key = 0) {
        OVwinmsg m{};
        m.kind = kind;
        m.window_id = to->native_id;
        m.x = x;
        m.y = y;
        m.button = button;
        m.key = key;
        _OVinput_windowmessage(to, &m);
    }
    // Cursor at fractions of the half size from the centre (100, 50).
    void cursor(float nx, float ny) {
        send(OVwinmsgkind::MouseMove, static_cast<int>(std::lround(100 + nx * 100)),
             static_cast<int>(std::lround(50 + ny * 50)));
    }
    // The mouse's record says: no move, no turn.
    void expect_record_at_rest() {
        OVp3 t;
        OVq q;
        OVsensor_gettranslation(mouse, t);
        OVsensor_getrotation(mouse, q);
        EXPECT_P3_NEAR(t, 0, 0, 0);
        EXPECT_FLOAT_EQ(q[3], 1);
    }
    OVwindow *window = nullptr;
    OVsensor *mouse = nullptr;
};
