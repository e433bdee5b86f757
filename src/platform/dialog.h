// Message boxes. Without a display they fall back to the standard error stream.
#pragma once

namespace orv::platform {

// Shows a modal error box with the caption and text.
void show_error_box(const char *caption, const char *text);

enum class AssertChoice { Abort, Retry, Ignore };
// Shows the Abort/Retry/Ignore box of a failed assertion.
AssertChoice show_assert_box(const char *caption, const char *text);

} // namespace orv::platform
