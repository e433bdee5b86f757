// Pending textures to OpenGL, once per display at the start of a frame.
#pragma once

namespace orv {

// Uploads (or deletes) every pending texture on the current display's context.
void upload_textures(int display_index, bool last_display);

} // namespace orv
