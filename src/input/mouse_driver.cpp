// The mouse driver: state read, the flying update and the state-only update.
#include "input/mouse_state.h"
#include "input/sensor_record.h"
#include "orv/input.h"
#include "orv/message.h"
#include "orv/render.h"
#include "render/window_access.h"

#include <cmath>
#include <cstdlib>

namespace {

// Centre of the mouse window's viewport and the cursor the drivers use.
struct Centre {
    float x, y;
    int cursor_x, cursor_y;
};
Centre centre = {};

constexpr float dead_zone = 0.1f;

int stereo_gap() {
    return OVrender_getstereogap();
}

void read_centre(OVsensor *sensor, const OVwindow *window) {
    const auto &mouse = orv::input::mouse_state();
    const orv::PixelRect vp = orv::viewport_pixels(window);
    if (auto *raw = static_cast<float *>(sensor->raw)) {
        raw[0] = static_cast<float>(mouse.x + vp.x);
        raw[1] = static_cast<float>(mouse.y + vp.y);
    }
    centre.cursor_x = mouse.x;
    centre.cursor_y = mouse.y;
    const int w = vp.width, h = vp.height;
    if (orv::window_stacked_stereo(window)) {
        const int gap = stereo_gap();
        const int half = (h - gap) / 2;
        if (centre.cursor_y > gap + half) centre.cursor_y -= gap + half;
        centre.x = static_cast<float>(w / 2);
        centre.y = static_cast<float>(half / 2);
    } else {
        centre.x = static_cast<float>(w / 2);
        centre.y = static_cast<float>(h / 2);
    }
}

std::uint32_t button_bits(orv::input::ButtonState &b, std::uint32_t held, std::uint32_t pressed,
                          std::uint32_t released, std::uint32_t doubled) {
    std::uint32_t bits = (b.held ? held : 0) | (b.pressed ? pressed : 0) |
                         (b.released ? released : 0) | (b.doubled ? doubled : 0);
    b.pressed = b.released = b.doubled = 0;
    return bits;
}

// Raw data, centre and misc bits from the window procedure's state; the
// pressed, released and double-click events are consumed.
void read_state(OVsensor *sensor) {
    auto &mouse = orv::input::mouse_state();
    if (const OVwindow *window = orv::window_by_native_id(mouse.window))
        read_centre(sensor, window);
    sensor->misc = button_bits(mouse.left, OVMOUSE_LEFTHELD, OVMOUSE_LEFTPRESSED,
                               OVMOUSE_LEFTRELEASED, OVMOUSE_LEFTDOUBLE) |
                   button_bits(mouse.right, OVMOUSE_RIGHTHELD, OVMOUSE_RIGHTPRESSED,
                               OVMOUSE_RIGHTRELEASED, OVMOUSE_RIGHTDOUBLE) |
                   button_bits(mouse.middle, OVMOUSE_MIDDLEHELD, OVMOUSE_MIDDLEPRESSED,
                               OVMOUSE_MIDDLERELEASED, OVMOUSE_MIDDLEDOUBLE);
}

void reset_record(OVsensor *sensor) {
    for (int i = 0; i < 3; ++i)
        sensor->translation[i] = sensor->rotation[i] = 0;
    sensor->rotation[3] = 1;
}

// A component moves when its input leaves the dead zone and no constraint
// bit holds it.
bool moves(float input, const OVsensor *sensor, unsigned bit) {
    return std::fabs(input) > dead_zone && !(sensor->constraints & bit);
}

} // namespace

extern "C" {

ORV_API int OVmouse_open(OVsensor *sensor) {
    if (!sensor) return 0;
    auto *raw = static_cast<float *>(OVmalloc(2 * sizeof(float)));
    raw[0] = raw[1] = 0;
    sensor->raw = raw;
    return 1;
}

ORV_API void OVmouse_close(OVsensor *) {}

ORV_API void OVmouse_stateonly(OVsensor *sensor) {
    if (!sensor) return;
    read_state(sensor);
    reset_record(sensor);
}

ORV_API void OVmouse_fly(OVsensor *sensor) {
    if (!sensor) return;
    read_state(sensor);
    reset_record(sensor);
    // Before any window has seen the mouse there is no centre to fly from.
    if (centre.x <= 0 || centre.y <= 0) return;
    const float nx = (centre.cursor_x - centre.x) / centre.x;
    const float ny = (centre.cursor_y - centre.y) / centre.y;
    const float half_rate = 0.5f * sensor->angular_rate;
    const float sensitivity = sensor->sensitivity;
    OVp3 t = {0, 0, 0};
    OVq q = {0, 0, 0, 1};
    const std::uint32_t misc = sensor->misc;
    const bool left = misc & OVMOUSE_LEFTHELD, right = misc & OVMOUSE_RIGHTHELD;
    if (left && right) { // pitch or roll, whichever input is larger
        if (std::fabs(ny) >= std::fabs(nx)) {
            if (moves(ny, sensor, OVSENSOR_NORX)) q[0] = std::sin(ny * half_rate);
        } else if (moves(nx, sensor, OVSENSOR_NORZ)) {
            q[2] = -std::sin(nx * half_rate);
        }
    } else if (right) { // pan
        if (moves(ny, sensor, OVSENSOR_NOTY)) t[1] = ny * sensitivity;
        if (moves(nx, sensor, OVSENSOR_NOTX)) t[0] = nx * sensitivity;
    } else if (left) { // fly forward or back, and turn
        if (moves(ny, sensor, OVSENSOR_NOTZ)) t[2] = -ny * sensitivity;
        if (moves(nx, sensor, OVSENSOR_NORY)) q[1] = -std::sin(nx * half_rate);
    }
    q[3] = std::sqrt(1 - q[0] * q[0] - q[1] * q[1] - q[2] * q[2]);
    orv::input::combine_motion(sensor, t, q, 1);
}

} // extern "C"
