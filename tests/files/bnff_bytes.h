// Binary NFF bytes built field by field, and loading them through a pipe.
#pragma once

#include "orv/file.h"
#include "orv/geometry.h"

#include <bit>
#include <cstdint>
#include <string>

namespace nfftest {

// Builds binary NFF bytes field by field.
struct Bytes {
    std::string s;
    Bytes &u8(int b) {
        s += static_cast<char>(b);
        return *this;
    }
    Bytes &u32(std::uint32_t w) {
        for (int shift = 24; shift >= 0; shift -= 8)
            u8(static_cast<int>((w >> shift) & 0xFF));
        return *this;
    }
    Bytes &f32(float f) { return u32(std::bit_cast<std::uint32_t>(f)); }
    Bytes &str(const std::string &t) {
        u8(static_cast<int>(t.size()));
        s += t;
        return *this;
    }
    Bytes &header() {
        s += "bnff";
        return f32(6.01f);
    }
    // Tag 3, the name, a one-entry ambient-and-diffuse table of red.
    Bytes &geometry(const std::string &name) {
        u8(3).str(name).u8(4).u8(8).u8(0x20).u8(9);
        u8(0).u8(0x20).f32(1).f32(0).f32(0);
        return u8(5);
    }
    // Three vertices of a triangle without attributes.
    Bytes &triangle_vertices() {
        u32(3);
        f32(0).f32(0).f32(0).u8(0);
        f32(1).f32(0).f32(0).u8(0);
        return f32(0).f32(1).f32(0).u8(0);
    }
};

// Loads bytes through a pipe (a stream that cannot be mapped or seek) fed by
// a thread, under the given file name.
OVgeomlist *load_piped(const std::string &bytes, const std::string &name);

} // namespace nfftest
