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
} // namespace

NativeWindow *window_create(int x, int y, int width, int height, bool borderless,
                            const char *caption) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (borderless)
        flags |= SDL_WINDOW_BORDERLESS;
    else
        flags |= SDL_WINDOW_RESIZABLE;
    return reinterpret_cast<NativeWindow *>(
        SDL_CreateWindow(caption, x, y, width > 0 ? width : 1, height > 0 ? height : 1, flags));
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
