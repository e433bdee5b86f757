// The texture record, private to the texture store.
#pragma once

#include "orv/texture.h"

#include <cstdint>

namespace orv::tex {

// Displays a texture can be uploaded to.
constexpr int kMaxDisplays = 4;

enum TextureState : std::uint8_t {
    kDeletePending = 0x01,
    kUploadPending = 0x02,
    kCallerPixels = 0x04,
    kInPendingList = 0x08,
    kFiltersChanged = 0x10
};

} // namespace orv::tex

struct OVtexture {
    OVtexture *prev, *next;  // the store, newest first
    OVtexture *pending_next; // while in the pending list
    char *name;
    unsigned objects[orv::tex::kMaxDisplays]; // OpenGL texture names, 0 until generated
    std::uint16_t width, height;
    unsigned list; // the display list that binds it, 0 until first uploaded
    int reserved;
    int use_count;
    unsigned char *pixels; // RGBA rows; null once released after upload
    std::int8_t min_filter, mag_filter;
    std::uint8_t state;
    std::uint8_t used;
    std::uint8_t clamp_s, clamp_t;
    std::uint8_t decal;
};
