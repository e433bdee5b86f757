/* Net chat: processes on one network greet each other through the message
 * channel. Each pass may send; every half second a process sends its name as
 * text, its pass count as 16-bit integers and its clock as a float, and it
 * prints every message it receives, decoded by type. Start two or more:
 *
 *   ./net_chat --name alice &
 *   ./net_chat --name bob
 *
 * Options: --name TEXT, --group A.B.C.D (a non-multicast address broadcasts
 * to the subnet), --port N (1024 to 5000), --passes N (N passes, then exit:
 * for smoke tests; otherwise it runs until interrupted).
 */
#include <orv/orv.h>

#include "../example.h"

#include <stdio.h>

enum { NAME_ID = 1, COUNT_ID = 2, CLOCK_ID = 3 };
enum { CLOCK_TYPE = 3 };
static const int no_windows = 512;
static const double send_interval = 0.5;
static const int pause_ms = 10;

static const char *name = "chatter";
static double next_send = 0;
static unsigned short pass_count[2];

static void send_greeting(void) {
    float clock = (float)OVuniverse_time();
    ++pass_count[1];
    if (pass_count[1] == 0) ++pass_count[0];
    OVnet_send(name, (int)strlen(name), OVNET_BYTES, NAME_ID);
    OVnet_send(pass_count, sizeof pass_count, OVNET_SHORTS, COUNT_ID);
    OVnet_send(&clock, sizeof clock, CLOCK_TYPE, CLOCK_ID);
}

static void print_message(int type, int id, const unsigned char *data, int length) {
    if (type == OVNET_BYTES) {
        printf("[%d] text \"%.*s\"\n", id, length, (const char *)data);
    } else if (type == OVNET_SHORTS) {
        unsigned short values[2] = {0, 0};
        memcpy(values, data, length < 4 ? length : 4);
        printf("[%d] shorts %u %u\n", id, values[0], values[1]);
    } else {
        float value = 0;
        memcpy(&value, data, length < 4 ? length : 4);
        printf("[%d] float %.2f\n", id, value);
    }
}

/* The action function: send on schedule, print what arrived. The pass's
 * flush sends the messages at the end of this pass. */
static void act(void) {
    unsigned char data[256];
    int id, length, type;
    if (OVuniverse_time() >= next_send) {
        send_greeting();
        next_send = OVuniverse_time() + send_interval;
    }
    while ((type = OVnet_read(data, sizeof data, &id, &length)) > 0)
        print_message(type, id, data, length);
    fflush(stdout);
    OVsleep(pause_ms);
    example_countpass();
}

int main(int argc, char **argv) {
    const char *group = NULL;
    int port = 0;
    argc = example_takepasses(argc, argv);
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--name"))
            name = argv[i + 1];
        else if (!strcmp(argv[i], "--group"))
            group = argv[i + 1];
        else if (!strcmp(argv[i], "--port"))
            port = atoi(argv[i + 1]);
    }
    if (!OVnet_open(group, port, 0)) {
        fprintf(stderr, "net_chat: could not open the message channel\n");
        return 1;
    }
    printf("%s is on port %d\n", name, OVnet_getport());
    OVuniverse_new(no_windows, 0);
    return example_run(act); /* the universe's deletion closes the channel */
}
