// A stand-in record of the path class with two bound properties ("Speed",
// "PtTr") whose setters follow the setter protocol, and "PtCo" unbound: the
// test rebinds those rows of the real path class.
#pragma once

#include "core/object.h"
#include "orv/property.h"

struct FakePath {
    OVobject header{OVTYPE_PATH, 0};
    int speed = 0;
    float translation[3] = {0, 0, 0};
};

extern int fake_setter_calls;

// Binds the stand-in rows over the path class's own.
void bind_fake_path_rows();
