// The palette of an indexed pixel format (never needed on true-colour visuals).
#include "orv/window.h"

#include <initializer_list>

namespace {

const unsigned char one_bit[2] = {0, 255};
const unsigned char two_bits[4] = {0, 85, 170, 255};
const unsigned char three_bits[8] = {0, 36, 73, 109, 146, 182, 219, 255};

unsigned channel(unsigned index, int bits, int shift) {
    unsigned value = (index >> shift) & ((1u << bits) - 1);
    switch (bits) {
    case 1:
        return one_bit[value];
    case 2:
        return two_bits[value];
    case 3:
        return three_bits[value];
    default:
        return bits >= 8 ? value & 0xFF : value * 255 / ((1u << bits) - 1);
    }
}

struct SystemColour {
    int entry;
    unsigned rgb;
};
const SystemColour system_colours[12] = {
    {3, 0x800000},   {24, 0x008000},  {27, 0x808000},  {64, 0x000080},
    {67, 0x800080},  {88, 0x008080},  {173, 0xC0C0C0}, {181, 0xC0DCC0},
    {236, 0xA6CAF0}, {247, 0xFFFBF0}, {164, 0xA0A0A4}, {91, 0x808080},
};

} // namespace

extern "C" {

ORV_API int _OVwindow_buildpalette(int colorbits, int redbits, int redshift, int greenbits,
                                   int greenshift, int bluebits, int blueshift, uint32_t *out) {
    if (!out || colorbits < 1 || colorbits > 8) return 0;
    for (int bits : {redbits, greenbits, bluebits})
        if (bits < 1 || bits > 8) return 0;
    unsigned n = 1u << colorbits;
    for (unsigned i = 0; i < n; ++i)
        out[i] = channel(i, redbits, redshift) << 16 | channel(i, greenbits, greenshift) << 8 |
                 channel(i, bluebits, blueshift);
    bool system_layout = colorbits == 8 && redbits == 3 && redshift == 0 && greenbits == 3 &&
                         greenshift == 3 && bluebits == 2 && blueshift == 6;
    if (system_layout)
        for (const SystemColour &c : system_colours)
            out[c.entry] = c.rgb;
    return static_cast<int>(n);
}

} // extern "C"
