// The mouse cursor of the toolkit's windows.
#pragma once

namespace orv::platform {

// The system wait cursor, or null when no video system is running.
void *wait_cursor();
// The current cursor, or null when no video system is running.
void *current_cursor();
// Makes a cursor current; ignored without a video system or for null.
void set_cursor(void *cursor);

} // namespace orv::platform
