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

// The keys that move a channel by one.
struct ChannelKey {
    int key;
    Channel channel;
    int delta;
};
const ChannelKey channel_keys[] = {{'R', Red, +1},   {'r', Red, -1},  {'G', Green, +1},
                                   {'g', Green, -1}, {'B', Blue, +1}, {'b', Blue, -1}};

} // namespace

void act() {
    int key = OVkeyboard_getlastkey();
    for (const ChannelKey &k : channel_keys)
        if (k.key == key) {
            step(k.channel, k.delta);
            return;
        }
    switch (key) {
    case 0:
        break;
    case '0':
        reset_pose();
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
