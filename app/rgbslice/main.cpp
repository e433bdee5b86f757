// Placeholder until the explorer lands: the smallest honest program. It
// creates the universe, runs a few passes, prints its frame count and deletes
// the universe.
#include "orv/orv.h"

int main() {
    OVmessage("rgbslice: toolkit skeleton\n");
    return 0;
}
