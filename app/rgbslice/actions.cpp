// The action function: the newest key of the pass acts, older ones are dropped.
#include "explorer.h"

namespace rgbslice {

State &state() {
    static State s;
    return s;
}

void reset_pose() {
    const OVpq start = {{75, -55, -200}, {0, 0, 0, 1}};
    OVviewpoint_setpositionorientation(state().viewpoint, &start);
}

namespace {

void step(Channel c, int delta) {
    unsigned char &v = state().value[c];
    if ((delta > 0 && v == 255) || (delta < 0 && v == 0)) return;
    v = static_cast<unsigned char>(v + delta);
    channel_changed(c);
}

void print_pose() {
    OVp3 p;
    OVq q;
    OVviewpoint_getposition(state().viewpoint, p);
    OVviewpoint_getorientation(state().viewpoint, q);
    OVp3_print(p, "Current Position: ");
    OVq_print(q, "Current Orientation: ");
}

void print_help() {
    OVmessage("\nThe following keys are active:\n\n");
    OVmessage("Q or q: Quit.\n");
    OVmessage("0 ( zero ): Reset\n");
    OVmessage("P or p: Print scene graph.\n");
}

} // namespace

void act() {
    switch (OVkeyboard_getlastkey()) {
    case 0:
        break;
    case '0':
        reset_pose();
        break;
    case 'R':
        step(Red, +1);
        break;
    case 'r':
        step(Red, -1);
        break;
    case 'G':
        step(Green, +1);
        break;
    case 'g':
        step(Green, -1);
        break;
    case 'B':
        step(Blue, +1);
        break;
    case 'b':
        step(Blue, -1);
        break;
    case 'I':
    case 'i':
        print_pose();
        break;
    case 'P':
    case 'p':
        OVnode_print(state().root);
        break;
    case 'Q':
    case 'q':
        OVuniverse_stop();
        break;
    default:
        print_help();
        break;
    }
}

} // namespace rgbslice
