// The window record and the window list, private to the render module:
// other modules use render/window_access.h.
#pragma once

#include "core/object.h"
#include "orv/window.h"
#include "render/window_access.h"

#include <cstdint>

namespace orv::platform {
struct NativeWindow;
}

enum : std::uint32_t {
    OVWINDOW_VISIBLE = 0x01,
    OVWINDOW_GEOMETRY_CHANGED = 0x20,
};

// Frustum values of one eye, in the record's order.
enum {
    OVFRUSTUM_LEFT,
    OVFRUSTUM_RIGHT,
    OVFRUSTUM_TOP,
    OVFRUSTUM_BOTTOM,
    OVFRUSTUM_NEAR,
    OVFRUSTUM_FAR
};

struct OVwindow {
    OVobject header; // type 32
    std::uint8_t reserved[2];
    char *name;
    void *previous_procedure; // adopted windows: kept, never called (the platform chains itself)
    orv::platform::NativeWindow *native;
    OVwindowdrawfn draw2d;
    OVwindowdrawfn draw3d;
    std::uint8_t in_draw3d;
    std::uint8_t in_draw2d;
    int display_mode;
    OVviewpoint *viewpoint;
    OVviewpoint *viewpoint2;
    OVnode *root;
    void *state; // traversal state of this window
    std::uint32_t reserved_word;
    std::uint32_t background;
    std::int16_t eye;
    int width, height;
    int x, y;
    float pixel_aspect;
    int display_index;
    std::uint32_t state_flags;
    std::uint8_t enabled;
    std::uintptr_t handle;   // native window handle
    std::uint32_t native_id; // the platform's id, used to route messages
    bool adopted;            // made by OVwindow_newuser
    bool bordered;           // has a caption and sizing frame
    std::int16_t projection;
    float frustum[6][2]; // [OVFRUSTUM_*][eye]
    float hither;
    float yon;
    float view_tangent;
    float vertical_tangent;
    int polygon_count;
    int projection_key; // eye + 4, 0 when the cache is invalid
    float projection_cache[16];
    OVwindow *surface; // the window whose surface a viewport draws into
    int is_viewport;
    float viewport[4]; // left, width, bottom, height as fractions of the surface
    void *data;
    std::uint64_t frame_times[2]; // last swap, the one before
    OVwindow *next;
};

namespace orv {

constexpr int max_windows = 8;

// The display record; the toolkit keeps exactly one.
struct Display {
    int max_width = 0, max_height = 0;
    int valid = 0;
    int stereo_capable = 0;
    int interlace = 0;
    int texture_objects = 0;
    int caption = 0, frame = 0; // bordered-window decorations
    platform::NativeWindow *hidden = nullptr;
};

Display *display(int index);
int display_count();

// The window's root node while it is still one of the universe's roots; a
// root freed by the deletion of the whole scene is forgotten.
OVnode *shown_root(const OVwindow *window);
// Appends to or takes out of the list (false when it was not there).
void window_link(OVwindow *window);
bool window_unlink(OVwindow *window);
int window_count();
// The window the focus was last given to, or null.
OVwindow *focus_window();
void set_focus_window(OVwindow *window);

// Sizes and positions beyond any screen (the X protocol's 16 bits).
constexpr int max_window_extent = 32767;
// Whether a viewport rectangle in pixels is one a surface can have; reports
// the caller's refusal otherwise.
bool viewport_in_range(const char *caller, int x, int y, int width, int height);
// Stores a viewport rectangle in pixels as fractions of its surface.
void set_viewport_fractions(OVwindow *window, const OVwindow *surface, int x, int y, int width,
                            int height);

// Recomputes the vertical tangent after a change of size, angle or aspect.
void window_update_vertical(OVwindow *window);

} // namespace orv
