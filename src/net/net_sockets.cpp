// Socket set-up and tear-down for multicast and subnet broadcast, sending of
// datagrams and non-blocking reception.
#include "net/net_channel.h"

#include "orv/message.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orv::net {

namespace {
constexpr int kReceiveBufferSize = 4096;
constexpr std::uint32_t kFirstMulticast = 224;
constexpr std::uint32_t kLastMulticast = 239;

struct Sockets {
    int send = -1;
    int receive = -1;
    bool multicast = false;
    sockaddr_in destination{};
    in_addr group{};
    // Own datagrams come from this address and the sending socket's port.
    in_addr own_address{};
    in_port_t own_port = 0;
};
Sockets sockets;

bool is_multicast(in_addr address) {
    std::uint32_t first = ntohl(address.s_addr) >> 24;
    return first >= kFirstMulticast && first <= kLastMulticast;
}

// The address the host's name resolves to.
bool own_host_address(in_addr &address) {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0) return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0 || !found) return false;
    address = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

sockaddr_in socket_address(in_addr address, int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr = address;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    return a;
}

// Binds the sending socket to the own address at a free port and remembers
// that port, so that two channels on one host tell their datagrams apart.
bool bind_sender() {
    sockaddr_in local = socket_address(sockets.own_address, 0);
    socklen_t size = sizeof local;
    if (bind(sockets.send, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0 ||
        getsockname(sockets.send, reinterpret_cast<sockaddr *>(&local), &size) != 0) {
        OVwarning("Could not bind socket - %d", errno);
        return false;
    }
    sockets.own_port = local.sin_port;
    return true;
}

bool set_up_multicast(const Settings &settings) {
    sockets.destination = socket_address(sockets.group, settings.port);
    if (!own_host_address(sockets.own_address)) {
        OVwarning("Could not look up the own host address\n");
        return false;
    }
    if (!bind_sender()) return false;
    if (setsockopt(sockets.send, IPPROTO_IP, IP_MULTICAST_IF, &sockets.own_address,
                   sizeof sockets.own_address) != 0)
        OVwarning("Could not set default mcast interface - %d\n", errno);
    unsigned char ttl = static_cast<unsigned char>(settings.range);
    setsockopt(sockets.send, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
    return true;
}

bool set_up_broadcast(const Settings &settings) {
    if (!own_host_address(sockets.own_address)) {
        OVwarning("Do not have a valid group address\n");
        return false;
    }
    std::uint32_t own = ntohl(sockets.own_address.s_addr);
    in_addr subnet{htonl((own & settings.broadcast_mask) | ~settings.broadcast_mask)};
    sockets.destination = socket_address(subnet, settings.port);
    int on = 1;
    if (setsockopt(sockets.send, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        OVwarning("Could not set broadcast option\n");
        return false;
    }
    return bind_sender();
}

ip_mreq membership() {
    ip_mreq m{};
    m.imr_multiaddr = sockets.group;
    m.imr_interface = sockets.own_address;
    return m;
}

// Several channels of one host share the port, each receiving every datagram.
bool set_up_receiver(const Settings &settings) {
    sockets.receive = socket(AF_INET, SOCK_DGRAM, 0);
    if (sockets.receive < 0) {
        OVwarning("could not create receive socket\n");
        return false;
    }
    int on = 1;
    if (setsockopt(sockets.receive, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
        OVwarning("socket option error\n");
        return false;
    }
    sockaddr_in local = socket_address(in_addr{htonl(INADDR_ANY)}, settings.port);
    if (bind(sockets.receive, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) {
        OVwarning("Could not bind receive socket\n");
        return false;
    }
    int size = kReceiveBufferSize;
    if (setsockopt(sockets.receive, SOL_SOCKET, SO_RCVBUF, &size, sizeof size) != 0) {
        OVwarning("socket option error\n");
        return false;
    }
    if (!sockets.multicast) return true;
    ip_mreq m = membership();
    if (setsockopt(sockets.receive, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) != 0) {
        OVwarning("Could not join the multicast group - %d\n", errno);
        return false;
    }
    return true;
}

void close_socket(int &fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}
} // namespace

bool channel_open() {
    return sockets.send >= 0;
}

bool open_sockets(const Settings &settings) {
    sockets = Sockets{};
    sockets.send = socket(AF_INET, SOCK_DGRAM, 0);
    if (sockets.send < 0) {
        OVwarning("could not create send socket\n");
        return false;
    }
    if (inet_pton(AF_INET, settings.group.c_str(), &sockets.group) != 1) {
        OVwarning("Bad Group Address\n");
        close_socket(sockets.send);
        return false;
    }
    sockets.multicast = is_multicast(sockets.group);
    bool sending = sockets.multicast ? set_up_multicast(settings) : set_up_broadcast(settings);
    if (!sending) {
        close_socket(sockets.send);
        return false;
    }
    if (!set_up_receiver(settings)) {
        close_socket(sockets.receive);
        close_socket(sockets.send);
        return false;
    }
    return true;
}

void close_sockets() {
    if (sockets.multicast && sockets.receive >= 0) {
        ip_mreq m = membership();
        setsockopt(sockets.receive, IPPROTO_IP, IP_DROP_MEMBERSHIP, &m, sizeof m);
    }
    close_socket(sockets.receive);
    close_socket(sockets.send);
}

bool send_datagram(const std::uint8_t *bytes, std::size_t size) {
    const auto *to = reinterpret_cast<const sockaddr *>(&sockets.destination);
    if (sendto(sockets.send, bytes, size, 0, to, sizeof sockets.destination) < 0) {
        OVwarning("Could not send datagram - %d\n", errno);
        return false;
    }
    return true;
}

long receive_datagram(std::uint8_t *buffer, std::size_t capacity, bool &own) {
    if (sockets.receive < 0) return -1;
    pollfd ready{sockets.receive, POLLIN, 0};
    if (poll(&ready, 1, 0) <= 0 || !(ready.revents & POLLIN)) return -1;
    sockaddr_in from{};
    socklen_t from_size = sizeof from;
    // MSG_TRUNC gives the real length, so an oversized datagram is noticed.
    ssize_t size = recvfrom(sockets.receive, buffer, capacity, MSG_DONTWAIT | MSG_TRUNC,
                            reinterpret_cast<sockaddr *>(&from), &from_size);
    if (size < 0) return -1;
    own = from.sin_addr.s_addr == sockets.own_address.s_addr && from.sin_port == sockets.own_port;
    return size;
}

} // namespace orv::net
