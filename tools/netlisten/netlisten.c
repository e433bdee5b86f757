/* orv-netlisten: joins a group of the message channel and prints every
 * message it receives, decoded by type: text for type 1, 16-bit integers
 * for type 2, and 32-bit words (as integer and as float) for the others.
 *
 * Usage: orv-netlisten [--group A.B.C.D] [--port N] [--count N] [--seconds S]
 * It stops after N messages or S seconds when given, else when interrupted.
 */
#include <orv/net.h>

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { MAX_PAYLOAD = 256, IDLE_US = 1000 };

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

static void print_text(const unsigned char *data, int length) {
    putchar('"');
    for (int i = 0; i < length; ++i) {
        if (data[i] == '"' || data[i] == '\\')
            printf("\\%c", data[i]);
        else if (isprint(data[i]))
            putchar(data[i]);
        else
            printf("\\x%02x", data[i]);
    }
    putchar('"');
}

static void print_shorts(const unsigned char *data, int length) {
    for (int i = 0; i + 1 < length; i += 2) {
        short value;
        memcpy(&value, data + i, sizeof value);
        printf(" %d", value);
    }
    if (length % 2) printf(" (+1 byte 0x%02x)", data[length - 1]);
}

static void print_words(const unsigned char *data, int length) {
    for (int i = 0; i + 3 < length; i += 4) {
        int value;
        float real;
        memcpy(&value, data + i, sizeof value);
        memcpy(&real, data + i, sizeof real);
        printf(" %d/%g", value, real);
    }
    if (length % 4) printf(" (+%d bytes)", length % 4);
}

static void print_message(int type, int id, const unsigned char *data, int length) {
    printf("type %3d  id %5d  %3d bytes ", type, id, length);
    if (type == OVNET_BYTES)
        print_text(data, length);
    else if (type == OVNET_SHORTS)
        print_shorts(data, length);
    else
        print_words(data, length);
    putchar('\n');
    fflush(stdout);
}

int main(int argc, char **argv) {
    const char *group = NULL;
    int port = 0;
    long count = -1;
    double seconds = -1;
    for (int i = 1; i < argc; ++i) {
        const char *value = i + 1 < argc ? argv[i + 1] : NULL;
        if (!strcmp(argv[i], "--group") && value)
            group = argv[++i];
        else if (!strcmp(argv[i], "--port") && value)
            port = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--count") && value)
            count = atol(argv[++i]);
        else if (!strcmp(argv[i], "--seconds") && value)
            seconds = atof(argv[++i]);
        else {
            fprintf(stderr, "usage: %s [--group A.B.C.D] [--port N] [--count N] [--seconds S]\n",
                    argv[0]);
            return 2;
        }
    }
    if (!OVnet_open(group, port, 0)) {
        fprintf(stderr, "orv-netlisten: could not open the message channel\n");
        return 1;
    }
    double end = seconds >= 0 ? now() + seconds : -1;
    while (count != 0 && (end < 0 || now() < end)) {
        unsigned char data[MAX_PAYLOAD];
        int id, length;
        int type = OVnet_read(data, sizeof data, &id, &length);
        if (type > 0) {
            print_message(type, id, data, length);
            if (count > 0) --count;
        } else {
            usleep(IDLE_US);
        }
    }
    if (OVnet_getdropped() > 0) printf("%u malformed datagrams dropped\n", OVnet_getdropped());
    OVnet_close();
    return 0;
}
