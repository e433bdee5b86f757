// Message boxes through SDL where a user can answer them, and always a copy
// on the standard error stream.
#include "platform/posix/posix_services.h"
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <cstdlib>

namespace orv::platform::sdl {

namespace {
// Boxes are shown only where a user can answer them: a real display and no
// ORV_NO_DIALOGS in the environment (tests and scripted runs set it).
bool dialogs_possible() {
    if (std::getenv("ORV_NO_DIALOGS")) return false;
    const char *driver = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0))
        return false;
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}
} // namespace

void show_error_box(const char *caption, const char *text) {
    posix::print_box_text(caption, text);
    if (dialogs_possible()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

AssertChoice show_assert_box(const char *caption, const char *text) {
    posix::print_box_text(caption, text);
    if (!dialogs_possible()) return AssertChoice::Abort;
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Abort"},
        {0, 1, "Retry"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 2, "Ignore"}};
    const SDL_MessageBoxData box = {
        SDL_MESSAGEBOX_ERROR, nullptr, caption, text, 3, buttons, nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return AssertChoice::Abort;
    return pressed == 1   ? AssertChoice::Retry
           : pressed == 2 ? AssertChoice::Ignore
                          : AssertChoice::Abort;
}

} // namespace orv::platform::sdl
