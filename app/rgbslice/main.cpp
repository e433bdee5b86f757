// Placeholder until the explorer lands: the smallest honest program. It
// creates the universe without a window (display 512; the explorer will use
// display 1 once windows exist), runs a few passes, prints its frame count
// and deletes the universe.
#include "orv/orv.h"

int main() {
    OVuniverse_new(512, 0);
    for (int pass = 0; pass < 3; ++pass)
        OVuniverse_go1();
    OVmessage("rgbslice: %u frames\n", OVuniverse_framecount());
    OVuniverse_delete();
    return 0;
}
