// Display-list names handed out by the toolkit itself, in blocks of 512.
#pragma once

namespace orv {

// count consecutive names (1 to 512); 0 when count is out of range.
unsigned list_names_take(int count);
void list_names_free(unsigned first, int count);
void list_names_reset();

} // namespace orv
