// The 3D font record shared by loading and text layout.
#pragma once

#include "orv/font3d.h"

struct OVfont3d {
    OVgeometry *glyphs[256]; // by character code; 0 is never set
    OVgeomlist *geometries;  // everything read from the file, owned
    float cell_width;
    float advance;
    float minimum[3];
    float maximum[3];
    char file_name[256];
    OVfont3d *next;
};
