// Window records of the headless backend and its display without pixels.
#include "platform/headless/headless_backend.h"

namespace orv::platform::headless {

namespace {

// The virtual desktop: what a common monitor would report.
constexpr ScreenMetrics desktop = {1920, 1080, 20, 4};
constexpr int adopted_size = 64;

struct WindowRecord {
    std::uint32_t id;
    std::uintptr_t handle;
    int x, y, width, height;
    bool shown;
    bool adopted;
};

bool video_up = false;
std::uint32_t last_id = 0;

WindowRecord *record(NativeWindow *window) {
    return reinterpret_cast<WindowRecord *>(window);
}

NativeWindow *new_record(int x, int y, int width, int height, std::uintptr_t adopted) {
    if (!video_up) return nullptr;
    const std::uint32_t id = ++last_id;
    auto *r = new WindowRecord{id, adopted ? adopted : id, x, y, width, height, true, adopted != 0};
    return reinterpret_cast<NativeWindow *>(r);
}

} // namespace

bool video_start() {
    video_up = true;
    return true;
}

void video_stop() {
    video_up = false;
}

ScreenMetrics screen_metrics() {
    return desktop;
}

// The display can hold windows; the format is what was asked, without stereo.
bool context_create(const PixelRequest &request, PixelFormat *granted) {
    if (!video_up) return false;
    if (granted) {
        granted->color_bits = request.color_bits;
        granted->depth_bits = request.depth_bits;
        granted->alpha_bits = request.alpha_bits;
        granted->stencil_bits = request.stencil_bits;
        granted->stereo = false;
        granted->needs_palette = false;
    }
    return true;
}

NativeWindow *window_create(int x, int y, int width, int height, bool, const char *) {
    return new_record(x, y, width > 0 ? width : 1, height > 0 ? height : 1, 0);
}

NativeWindow *window_adopt(std::uintptr_t native_id) {
    return native_id ? new_record(0, 0, adopted_size, adopted_size, native_id) : nullptr;
}

void window_destroy(NativeWindow *window) {
    delete record(window);
}

std::uint32_t window_id(NativeWindow *window) {
    return window ? record(window)->id : 0;
}

std::uintptr_t window_native_handle(NativeWindow *window) {
    return window ? record(window)->handle : 0;
}

void window_client_rect(NativeWindow *window, int *x, int *y, int *width, int *height) {
    const WindowRecord none{};
    const WindowRecord &r = window ? *record(window) : none;
    if (x) *x = r.x;
    if (y) *y = r.y;
    if (width) *width = r.width;
    if (height) *height = r.height;
}

void window_move_resize(NativeWindow *window, int x, int y, int width, int height) {
    if (!window) return;
    WindowRecord &r = *record(window);
    r.x = x;
    r.y = y;
    r.width = width;
    r.height = height;
}

void window_show(NativeWindow *window, bool shown) {
    if (window) record(window)->shown = shown;
}

} // namespace orv::platform::headless
