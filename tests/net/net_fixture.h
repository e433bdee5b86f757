// Shared helpers of the channel tests: a port and group of this process, a
// message recorder, a plain socket that sees the channel's datagrams, and
// datagram building.
#pragma once

#include "orv/orv.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <memory>

#include <arpa/inet.h>
#include <cstdint>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace nettest {

using Bytes = std::vector<std::uint8_t>;

// Ports and groups differ between processes so that parallel runs of the
// suite do not hear each other.
inline int test_port() {
    return 1024 + static_cast<int>(getpid() % 3900) + 50;
}
inline std::string test_group() {
    unsigned pid = static_cast<unsigned>(getpid());
    return "239.201." + std::to_string(pid / 250 % 250) + "." + std::to_string(1 + pid % 250);
}

inline std::string messages;
inline int record(const char *text) {
    messages += text;
    return 0;
}

// The address the host's name resolves to, as the channel finds it.
inline bool own_host(in_addr &address) {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo *found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0 || !found) return false;
    address = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

// Multicast stays on this machine only when the host's name is a loopback
// address.
inline bool host_is_loopback() {
    in_addr a{};
    return own_host(a) && (ntohl(a.s_addr) >> 24) == 127;
}

#define REQUIRE_LOOPBACK_HOST()                                                                    \
    if (!nettest::host_is_loopback())                                                              \
    GTEST_SKIP() << "the host name does not resolve to a loopback address, so multicast would "    \
                    "leave this machine"

// A plain UDP socket on the channel's port, in the test group on the host's
// address: it sees every datagram sent to the group, the channel's own too.
class Listener {
  public:
    explicit Listener(const std::string &group, int port) {
        fd_ = socket(AF_INET, SOCK_DGRAM, 0);
        int on = 1;
        setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(static_cast<std::uint16_t>(port));
        ok_ = bind(fd_, reinterpret_cast<sockaddr *>(&local), sizeof local) == 0;
        ip_mreq m{};
        inet_pton(AF_INET, group.c_str(), &m.imr_multiaddr);
        own_host(m.imr_interface);
        ok_ = ok_ && setsockopt(fd_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) == 0;
    }
    ~Listener() { close(fd_); }
    bool ok() const { return ok_; }
    // The next datagram within the timeout; empty when none came.
    Bytes next(int timeout_ms = 1000) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, timeout_ms) <= 0) return {};
        Bytes b(2048);
        ssize_t n = recv(fd_, b.data(), b.size(), 0);
        b.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return b;
    }

  private:
    int fd_ = -1;
    bool ok_ = false;
};

// Bytes a payload of length bytes occupies on the wire.
inline std::size_t padded(std::size_t length) {
    return (length + 3) / 4 * 4;
}

// A datagram builder: packet header, then messages as a sender lays them out.
struct Datagram {
    static constexpr char kHeader[] = "ORVD";
    Bytes bytes = Bytes(kHeader, kHeader + 4);
    Datagram &message(int type, int identifier, const Bytes &payload) {
        bytes.push_back(static_cast<std::uint8_t>(type));
        bytes.push_back(static_cast<std::uint8_t>(payload.size() - 1));
        bytes.push_back(static_cast<std::uint8_t>(identifier >> 8));
        bytes.push_back(static_cast<std::uint8_t>(identifier));
        bytes.insert(bytes.end(), payload.begin(), payload.end());
        while (bytes.size() % 4)
            bytes.push_back(0);
        return *this;
    }
    int deliver() const { return _OVnet_deliver(bytes.data(), static_cast<int>(bytes.size())); }
};

inline Bytes sequence(std::size_t size, int start = 0) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = static_cast<std::uint8_t>(start + static_cast<int>(i));
    return b;
}

// Reads every queued message; the count.
inline int drain() {
    int count = 0;
    while (OVnet_peek(nullptr, nullptr) != 0) {
        OVnet_skip();
        ++count;
    }
    return count;
}

// A closed, emptied channel with the default port and range, its messages
// recorded; closed and emptied again after the test.
class ChannelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OVnet_close();
        drain();
        messages.clear();
        OVmessage_sethook(record);
        OVnet_setport(kDefaultPort);
        OVnet_setrange(kDefaultRange);
    }
    void TearDown() override {
        OVnet_close();
        drain();
        OVmessage_sethook(nullptr);
    }
    static constexpr int kDefaultPort = 1233, kDefaultRange = 1;
};

} // namespace nettest
