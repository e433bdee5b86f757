// Native windows of the toolkit and mouse capture.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>

namespace orv::platform::sdl {

namespace {
SDL_Window *sdl(NativeWindow *window) {
    return reinterpret_cast<SDL_Window *>(window);
}

// The offscreen driver gives a window its GL surface once, at creation, and
// never resizes it: a window that grew would stay black beyond its first size.
bool surface_fixed_at_creation() {
    const char *driver = SDL_GetCurrentVideoDriver();
    return driver && SDL_strcmp(driver, "offscreen") == 0;
}

// Drops the size events of one window: the toolkit made that size itself.
int drop_size_events(void *window_id, SDL_Event *event) {
    const auto id = static_cast<Uint32>(reinterpret_cast<std::uintptr_t>(window_id));
    const bool resized = event->type == SDL_WINDOWEVENT && event->window.windowID == id &&
                         (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                          event->window.event == SDL_WINDOWEVENT_RESIZED);
    return resized ? 0 : 1;
}
} // namespace

NativeWindow *window_create(int x, int y, int width, int height, bool borderless,
                            const char *caption) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (borderless)
        flags |= SDL_WINDOW_BORDERLESS;
    else
        flags |= SDL_WINDOW_RESIZABLE;
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    // Such a surface is made as large as the screen, the largest a window may
    // grow to; drawing and reading use the window's own part of it.
    int surface_width = width, surface_height = height;
    SDL_DisplayMode screen;
    if (surface_fixed_at_creation() && SDL_GetDesktopDisplayMode(0, &screen) == 0) {
        surface_width = SDL_max(width, screen.w);
        surface_height = SDL_max(height, screen.h);
    }
    SDL_Window *window = SDL_CreateWindow(caption, x, y, surface_width, surface_height, flags);
    if (window && (surface_width != width || surface_height != height)) {
        SDL_SetWindowSize(window, width, height);
        const std::uintptr_t id = SDL_GetWindowID(window);
        SDL_FilterEvents(drop_size_events, reinterpret_cast<void *>(id));
    }
    return reinterpret_cast<NativeWindow *>(window);
}

NativeWindow *window_adopt(std::uintptr_t native_id) {
    if (!native_id) return nullptr;
    char shared[32];
    std::snprintf(shared, sizeof shared, "%p", static_cast<void *>(context_window()));
    SDL_SetHint(SDL_HINT_VIDEO_WINDOW_SHARE_PIXEL_FORMAT, shared);
    SDL_SetHint("SDL_VIDEO_FOREIGN_WINDOW_OPENGL", "1");
    SDL_Window *window = SDL_CreateWindowFrom(reinterpret_cast<void *>(native_id));
    SDL_SetHint(SDL_HINT_VIDEO_WINDOW_SHARE_PIXEL_FORMAT, nullptr);
    return reinterpret_cast<NativeWindow *>(window);
}

// SDL leaves the native window of an adopted (foreign) window alone.
void window_destroy(NativeWindow *window) {
    if (window) SDL_DestroyWindow(sdl(window));
}

std::uint32_t window_id(NativeWindow *window) {
    return window ? SDL_GetWindowID(sdl(window)) : 0;
}

std::uintptr_t window_native_handle(NativeWindow *window) {
    if (!window) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdl(window), &info) && info.subsystem == SDL_SYSWM_X11)
        return static_cast<std::uintptr_t>(info.info.x11.window);
    // Without a native system the window's own id serves as its handle.
    return SDL_GetWindowID(sdl(window));
}

void window_client_rect(NativeWindow *window, int *x, int *y, int *width, int *height) {
    int px = 0, py = 0, w = 0, h = 0;
    if (window) {
        SDL_GetWindowPosition(sdl(window), &px, &py);
        SDL_GetWindowSize(sdl(window), &w, &h);
    }
    if (x) *x = px;
    if (y) *y = py;
    if (width) *width = w;
    if (height) *height = h;
}

void window_move_resize(NativeWindow *window, int x, int y, int width, int height) {
    if (!window) return;
    SDL_SetWindowPosition(sdl(window), x, y);
    SDL_SetWindowSize(sdl(window), width, height);
}

void window_show(NativeWindow *window, bool shown) {
    if (!window) return;
    if (shown)
        SDL_ShowWindow(sdl(window));
    else
        SDL_HideWindow(sdl(window));
}

void capture_mouse(bool on) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
}

} // namespace orv::platform::sdl
