// The video system, the hidden context window and the shared OpenGL context.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

namespace orv::platform::sdl {

namespace {
SDL_Window *hidden = nullptr;
SDL_GLContext context = nullptr;

void request_attributes(const PixelRequest &r, bool stereo, int depth) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    int channel = r.color_bits >= 24 ? 8 : r.color_bits / 3;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, r.alpha_bits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, r.stencil_bits);
    SDL_GL_SetAttribute(SDL_GL_STEREO, stereo ? 1 : 0);
}

// One attempt at the hidden window and context with the given attributes.
bool try_format(const PixelRequest &r, bool stereo, int depth) {
    request_attributes(r, stereo, depth);
    hidden = SDL_CreateWindow("Orvane", 0, 0, 32, 32,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!hidden) return false;
    context = SDL_GL_CreateContext(hidden);
    if (context) return true;
    SDL_DestroyWindow(hidden);
    hidden = nullptr;
    return false;
}

// Vertical sync unless ORV_VSYNC=0: mouse flight moves a fixed step per
// pass, so unpaced passes make it far too fast on a quick machine.
int wanted_swap_interval() {
    const char *vsync = SDL_getenv("ORV_VSYNC");
    return vsync && SDL_strcmp(vsync, "0") == 0 ? 0 : 1;
}

int attribute(SDL_GLattr attr) {
    int value = 0;
    SDL_GL_GetAttribute(attr, &value);
    return value;
}
} // namespace

bool video_start() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // The toolkit decides itself what closing the last window means.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // The GL driver stays loaded with the video system: destroying the last
    // GL window would otherwise unload it, and the next context pays for
    // loading it again. Both live until the process ends.
    SDL_GL_LoadLibrary(nullptr);
    SDL_StartTextInput();
    return true;
}

// The video system stays up for the next universe of the process: restarting
// it under X loses the GL visual of later windows.
void video_stop() {
    context_destroy();
}

ScreenMetrics screen_metrics() {
    ScreenMetrics m;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        m.width = mode.w;
        m.height = mode.h;
    } else {
        m.width = 640;
        m.height = 480;
    }
    m.caption = 20;
    m.frame = 4;
    return m;
}

bool context_create(const PixelRequest &request, PixelFormat *granted) {
    if (context) return true;
    const int depths[] = {request.depth_bits, 24, 16};
    bool made = false;
    for (int depth : depths) {
        if (depth > request.depth_bits) continue;
        if (request.stereo && try_format(request, true, depth)) {
            made = true;
            break;
        }
        if (try_format(request, false, depth)) {
            made = true;
            break;
        }
    }
    if (!made) return false;
    SDL_GL_MakeCurrent(hidden, context);
    if (granted) {
        granted->color_bits =
            attribute(SDL_GL_RED_SIZE) + attribute(SDL_GL_GREEN_SIZE) + attribute(SDL_GL_BLUE_SIZE);
        granted->alpha_bits = attribute(SDL_GL_ALPHA_SIZE);
        granted->color_bits += granted->alpha_bits;
        granted->depth_bits = attribute(SDL_GL_DEPTH_SIZE);
        granted->stencil_bits = attribute(SDL_GL_STENCIL_SIZE);
        granted->stereo = attribute(SDL_GL_STEREO) != 0;
        granted->needs_palette = false;
    }
    return true;
}

void context_destroy() {
    if (context) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        SDL_GL_DeleteContext(context);
    }
    if (hidden) SDL_DestroyWindow(hidden);
    context = nullptr;
    hidden = nullptr;
}

bool context_exists() {
    return context != nullptr;
}

NativeWindow *context_window() {
    return reinterpret_cast<NativeWindow *>(hidden);
}

bool make_current(NativeWindow *window) {
    if (!context) return false;
    SDL_Window *target = window ? reinterpret_cast<SDL_Window *>(window) : hidden;
    if (SDL_GL_MakeCurrent(target, context) != 0) return false;
    // Some drivers keep the interval per drawable; one without it refuses
    // and the window runs unpaced.
    if (window) SDL_GL_SetSwapInterval(wanted_swap_interval());
    return true;
}

void swap_buffers(NativeWindow *window) {
    if (window) SDL_GL_SwapWindow(reinterpret_cast<SDL_Window *>(window));
}

} // namespace orv::platform::sdl
