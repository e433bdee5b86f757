/* Orvane: message channels, checked memory and small process services. */
#ifndef ORV_MESSAGE_H
#define ORV_MESSAGE_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Channel numbers for OVmessage_setoutput. */
enum { OVCHANNEL_FATAL = 1, OVCHANNEL_WARNING = 2, OVCHANNEL_MESSAGE = 3, OVCHANNEL_DEBUG = 4 };
/* Output bits of a channel. */
enum { OVOUTPUT_CONSOLE = 1, OVOUTPUT_FILE = 2 };
/* Characters one message holds (its terminator not counted); longer texts are cut. */
enum { OVMESSAGE_MAXTEXT = 511 };

/* Receives the finished text of every message that reached an output; its
 * result becomes the result of the message function. */
typedef int (*OVmessagehook)(const char *text);

/* Fatal error: message box "ORV-ERROR", teardown, exit code -1. Returns only
 * while a fatal error is already in progress. */
ORV_API int OVfatal(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* Warning, printed as "ORV Warning: " followed by the text. */
ORV_API int OVwarning(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* Plain message. */
ORV_API int OVmessage(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* Debug message: produces no output. */
ORV_API int OVdebug(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* Routes a channel (1..4) to the console (bit 1) and/or a file (bit 2). */
ORV_API void OVmessage_setoutput(int channel, unsigned bits, FILE *file);
/* Installs the message hook; null removes it. */
ORV_API void OVmessage_sethook(OVmessagehook hook);
/* Assertion dialog; returns the button code when the user chooses Ignore. */
ORV_API int OVassert_failed(const char *file, int line);

/* Checked allocation: running out of memory is fatal ("OUT OF MEMORY!"). */
ORV_API void *OVmalloc(size_t size);
/* Checked reallocation, fatal when memory runs out; an impossible size gives null. */
ORV_API void *OVrealloc(void *block, size_t size);
/* Frees a block from OVmalloc, OVrealloc or OVstrdup; null is ignored. */
ORV_API void OVfree(void *block);
/* Copy made with OVmalloc; null for null. */
ORV_API char *OVstrdup(const char *text);
/* Base name without directories and extension, newly allocated; null when
 * empty or containing a blank. */
ORV_API char *OVname_normalise(const char *text);
/* Case-insensitive comparison with strcmp's result convention. */
ORV_API int OVstrcasecmp(const char *a, const char *b);

/* Seconds since the previous call (-1 on the first call of the process). */
ORV_API double OVelapsed(void);
/* Process clock in seconds. */
ORV_API double OVclock(void);
/* Standard pseudo-random number modulo n. */
ORV_API int OVrandom(int n);
/* Suspends the calling thread for the given milliseconds. */
ORV_API void OVsleep(int milliseconds);
/* 0 shows the wait cursor, 1 restores the cursor it replaced; any other value
 * is a cursor handle made current. */
ORV_API void OVwaitcursor(intptr_t mode);

ORV_EXTERN_C_END

#endif
