// What a backend without a display answers.
#include "platform/no_display/no_display.h"

#include "platform/posix/posix_services.h"

namespace orv::platform::no_display {

bool context_exists() {
    return false;
}

NativeWindow *context_window() {
    return nullptr;
}

bool make_current(NativeWindow *) {
    return false;
}

void swap_buffers(NativeWindow *) {}

void *no_cursor() {
    return nullptr;
}

void set_cursor(void *) {}

void capture_mouse(bool) {}

bool screen_cursor(int *, int *) {
    return false;
}

std::uint32_t window_under_cursor() {
    return 0;
}

AssertChoice show_assert_box(const char *caption, const char *text) {
    posix::print_box_text(caption, text);
    return AssertChoice::Abort;
}

} // namespace orv::platform::no_display
