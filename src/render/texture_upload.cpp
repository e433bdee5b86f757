// Uploading pending textures to OpenGL at the start of a frame.
#include "render/texture_upload.h"

#include "orv/message.h"
#include "orv/texture.h"
#include "render/draw_state.h"
#include "render/list_names.h"
#include "render/render_config.h"
#include "render/window_internal.h"
#include "texture/texture_resize.h"
#include "texture/texture_access.h"
#include "texture/texture_upload.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace orv {

namespace {

constexpr GLint kInternalFormat = 4; // four components
constexpr GLenum kFilters[] = {GL_NEAREST,
                               GL_LINEAR,
                               GL_LINEAR,
                               GL_LINEAR,
                               GL_NEAREST_MIPMAP_NEAREST,
                               GL_LINEAR_MIPMAP_NEAREST,
                               GL_NEAREST_MIPMAP_LINEAR,
                               GL_LINEAR_MIPMAP_LINEAR};

void remove(tex::UploadWork &w) {
    if (w.list) {
        glDeleteLists(w.list, 1);
        list_names_free(w.list, 1);
    }
    if (w.object) glDeleteTextures(1, &w.object);
    w.list = w.object = 0;
}

// Level 0 and, for a mipmapped minification, the halved levels down to 1 × 1.
void load_levels(const tex::UploadWork &w) {
    glTexImage2D(GL_TEXTURE_2D, 0, kInternalFormat, w.width, w.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 w.pixels);
    if (w.min_filter < OVTEXTURE_FIRSTMIPMAP) return;
    const bool average_alpha = tex::current_limits().average_alpha;
    std::vector<std::uint8_t> level(w.pixels, w.pixels + 4u * w.width * w.height), next;
    int width = w.width, height = w.height;
    for (int k = 1; width > 1 || height > 1; ++k) {
        int half_w = std::max(width / 2, 1), half_h = std::max(height / 2, 1);
        next.resize(4u * half_w * half_h);
        tex::box_reduce(level.data(), width, height, next.data(), half_w, half_h, average_alpha);
        glTexImage2D(GL_TEXTURE_2D, k, kInternalFormat, half_w, half_h, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, next.data());
        level.swap(next);
        width = half_w;
        height = half_h;
    }
}

void upload(tex::UploadWork &w) {
    if (w.remove) {
        remove(w);
        return;
    }
    if (!w.load || !w.pixels || !w.width || !w.height) return;
    const bool objects = display(0)->texture_objects;
    if (!w.list) w.list = list_names_take(1);
    if (objects) {
        if (!w.object) glGenTextures(1, &w.object);
        glBindTexture(GL_TEXTURE_2D, w.object);
        if (w.restore) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, w.restore);
    } else {
        glNewList(w.list, GL_COMPILE);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                    static_cast<GLint>(kFilters[w.mag_filter]));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    static_cast<GLint>(kFilters[w.min_filter]));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, w.clamp_s ? GL_CLAMP : GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, w.clamp_t ? GL_CLAMP : GL_REPEAT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    load_levels(w);
    if (objects) {
        glNewList(w.list, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, w.object);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, w.decal ? GL_DECAL : GL_MODULATE);
    glEndList();
    if (glGetError() == GL_OUT_OF_MEMORY) {
        w.out_of_memory = true;
        OVwarning("OUT OF MEMORY!");
    }
}

} // namespace

void upload_textures(int display_index, bool last_display) {
    // The binding changes under the drawing cache.
    draw_cache().texture_list = 0;
    tex::upload_pending(display_index, last_display, render_config().vendor_flag != 0, upload);
}

} // namespace orv
