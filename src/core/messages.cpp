// The four message channels, the hook and the fatal path.
#include "orv/message.h"

#include "platform/platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kBufferSize = OVMESSAGE_MAXTEXT + 1;

struct Channel {
    unsigned bits;
    FILE *file;
};

Channel channels[4] = {{1, nullptr}, {1, nullptr}, {1, nullptr}, {0, nullptr}};
OVmessagehook message_hook = nullptr;
bool fatal_in_progress = false;

// Formats into a fixed buffer; vsnprintf truncates safely at the limit.
void format_into(char (&buf)[kBufferSize], const char *prefix, const char *format, va_list ap) {
    int used = std::snprintf(buf, kBufferSize, "%s", prefix);
    if (used < 0) used = 0;
    std::vsnprintf(buf + used, kBufferSize - used, format, ap);
}

int emit(int channel, const char *prefix, const char *format, va_list ap) {
    if (!format) return 0; // nothing to say
    const Channel &ch = channels[channel - 1];
    char buf[kBufferSize];
    format_into(buf, prefix, format, ap);
    if (ch.bits & OVOUTPUT_CONSOLE) {
        if (channel == OVCHANNEL_FATAL) {
            orv::platform::current().show_error_box("ORV-ERROR", buf);
        } else {
            std::fputs(buf, stdout);
            std::fflush(stdout);
        }
    }
    if ((ch.bits & OVOUTPUT_FILE) && ch.file) {
        std::fputs(buf, ch.file);
        std::fflush(ch.file);
    }
    if ((ch.bits & (OVOUTPUT_CONSOLE | OVOUTPUT_FILE)) && message_hook) return message_hook(buf);
    return 0;
}

} // namespace

extern "C" {

ORV_API int OVfatal(const char *format, ...) {
    if (fatal_in_progress) return 0;
    va_list ap;
    va_start(ap, format);
    emit(OVCHANNEL_FATAL, "", format, ap);
    va_end(ap);
    fatal_in_progress = true;
    // Release windows, devices and files through the universe teardown when
    // the running program has one.
    if (auto teardown = reinterpret_cast<void (*)()>(
            orv::platform::current().process.find_symbol("OVuniverse_delete")))
        teardown();
    std::exit(-1);
}

ORV_API int OVwarning(const char *format, ...) {
    va_list ap;
    va_start(ap, format);
    int r = emit(OVCHANNEL_WARNING, "ORV Warning: ", format, ap);
    va_end(ap);
    return r;
}

ORV_API int OVmessage(const char *format, ...) {
    va_list ap;
    va_start(ap, format);
    int r = emit(OVCHANNEL_MESSAGE, "", format, ap);
    va_end(ap);
    return r;
}

ORV_API int OVdebug(const char *, ...) {
    return 0;
}

ORV_API void OVmessage_setoutput(int channel, unsigned bits, FILE *file) {
    if (channel < 1 || channel > 4) return;
    if ((bits & OVOUTPUT_FILE) && !file) return;
    channels[channel - 1].bits = bits;
    if (bits & OVOUTPUT_FILE) channels[channel - 1].file = file;
}

ORV_API void OVmessage_sethook(OVmessagehook hook) {
    message_hook = hook;
}

} // extern "C"

namespace orv {
bool fatal_is_in_progress() {
    return fatal_in_progress;
}
} // namespace orv
