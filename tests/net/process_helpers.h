// Child processes for the tests between real processes: forking, waiting
// with a deadline, and the typed exchange both sides of a conversation run.
#pragma once

#include "net_fixture.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <sys/wait.h>

namespace nettest {

// A forked child that runs body and exits with its result.
class Child {
  public:
    explicit Child(const std::function<int()> &body) {
        pid_ = fork();
        if (pid_ == 0) {
            OVmessage_sethook(nullptr);
            _exit(body());
        }
    }
    // A child not waited for (a failed assertion left early) is killed.
    ~Child() {
        if (pid_ > 0) wait(0);
    }
    // The child's exit code, or -1 when it had to be killed at the deadline.
    int wait(int timeout_ms = 20000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                return -1;
            }
            usleep(2000);
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
};

// Exit codes of an exchange.
enum { kExchanged = 0, kOpenFailed = 10, kNothingHeard = 11, kCorrupted = 12 };

// Opens the channel and sends a text, an array of shorts and a float once a
// pass, reading what arrives, until all three of the peer's have come; then
// keeps sending a while so that the peer hears it too.
inline int exchange(const std::string &group, int port, const std::string &me,
                    const std::string &peer) {
    if (!OVnet_open(group.c_str(), port, 0)) return kOpenFailed;
    const std::uint16_t shorts[3] = {1, 0x1234, 0xFFFF};
    const float value = 2.5f;
    bool text = false, numbers = false, real = false;
    int after = 0;
    for (int pass = 0; pass < 1500 && after < 20; ++pass) {
        OVnet_send(me.data(), static_cast<int>(me.size()), OVNET_BYTES, 1);
        OVnet_send(shorts, sizeof shorts, OVNET_SHORTS, 2);
        OVnet_send(&value, sizeof value, 3, 3);
        OVnet_flush();
        std::uint8_t buffer[256];
        int id, length, type;
        while ((type = OVnet_read(buffer, sizeof buffer, &id, &length)) > 0) {
            if (type == OVNET_BYTES && id == 1)
                text = text || std::string(buffer, buffer + length) == peer;
            else if (type == OVNET_SHORTS && id == 2)
                numbers = numbers || (length == 6 && !std::memcmp(buffer, shorts, 6));
            else if (type == 3 && id == 3)
                real = real || (length == 4 && !std::memcmp(buffer, &value, 4));
            else
                return kCorrupted;
        }
        if (text && numbers && real) ++after;
        usleep(10000);
    }
    OVnet_close();
    return after > 0 ? kExchanged : kNothingHeard;
}

} // namespace nettest
