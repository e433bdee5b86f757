/* Orvane: the network message channel. Cooperating processes on a local
 * network exchange short typed messages by UDP multicast, or by subnet
 * broadcast when the group address is no multicast address. Messages sent
 * during a simulation pass leave together in one datagram at its end;
 * received ones are queued in a ring and read one by one. */
#ifndef ORV_NET_H
#define ORV_NET_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Message types whose payload has an encoding of its own: a byte string sent
 * unchanged and an array of 16-bit integers. Every other type (3 to 255) is an
 * array of 32-bit words. Each travels in network byte order. */
enum { OVNET_BYTES = 1, OVNET_SHORTS = 2 };

/* Sets the multicast group ("a.b.c.d"); an address starting with 255 sets the
 * subnet mask used for broadcasting instead. False while open or refused. */
ORV_API int OVnet_setgroup(const char *address);
/* Sets the port (1024 to 5000) used for sending and receiving. */
ORV_API int OVnet_setport(int port);
/* Sets the multicast time-to-live (1 to 255). */
ORV_API int OVnet_setrange(int range);
/* The port setting. */
ORV_API int OVnet_getport(void);
/* The range setting. */
ORV_API int OVnet_getrange(void);
/* Opens the channel; a non-null address, non-zero port and non-zero range
 * are validated and stored first, in that order, as by the setters. */
ORV_API int OVnet_open(const char *address, int port, int range);
/* Sends what is pending, leaves the group and closes the channel. Messages
 * already received stay readable until the next open. */
ORV_API void OVnet_close(void);
/* Appends a message of 1 to 256 bytes and type 1 to 255 to the pending
 * datagram, encoded as its type asks. False when closed or refused. */
ORV_API int OVnet_send(const void *data, int length, int type, unsigned short identifier);
/* Appends a message whose payload is sent as a byte string whatever its
 * type. */
ORV_API int OVnet_sendraw(const void *data, int length, int type, unsigned short identifier);
/* Sends the pending datagram, if any, then receives. The simulation loop
 * calls it at the end of every pass. */
ORV_API void OVnet_flush(void);
/* The next message's type with its identifier and payload length, left
 * queued; 0 (and zero outputs) when none. */
ORV_API int OVnet_peek(int *identifier, int *length);
/* Takes the next message, decoded into host byte order by its type; its type,
 * 0 when none, -1 (nothing taken) when longer than capacity. */
ORV_API int OVnet_read(void *buffer, int capacity, int *identifier, int *length);
/* Takes the next message with its payload as it was on the wire. */
ORV_API int OVnet_readraw(void *buffer, int capacity, int *identifier, int *length);
/* Discards the next message, if any. */
ORV_API void OVnet_skip(void);
/* Datagrams dropped whole since the channel was opened because their
 * messages did not fit them ("Net data is out of sync\n" is reported for
 * those whose messages do not line up) or they were too long or too short. */
ORV_API unsigned OVnet_getdropped(void);

ORV_EXTERN_C_END

#endif
