// A second process floods the channel with 100,000 datagrams, valid ones
// among truncated, forged, oversized and foreign ones. The receiver must
// stay up, get every valid message intact and in order, and drop exactly
// the malformed datagrams.
#include "process_helpers.h"

#include <cstdio>
#include <random>

namespace {

using namespace nettest;

constexpr int kDatagrams = 100000;
// Datagrams per burst: few enough that the socket's small receive buffer
// holds a whole burst, so the network stack loses none. The last of a burst
// is valid: once its messages are read, the burst has been taken whole.
constexpr int kBurst = 4;
constexpr std::size_t kOversizedMax = 600;
constexpr std::size_t kMaxMessages = 508;

enum Kind {
    kValid,
    kTruncated,
    kForged,
    kZeroType,
    kOversized,
    kNoPacketType,
    kWrongMagic,
    kWrongPacketType,
    kKinds
};
const char *const kKindNames[kKinds] = {"valid",       "truncated",        "forged length",
                                        "zero type",   "oversized",        "no packet type",
                                        "wrong magic", "wrong packet type"};

std::uint8_t payload_byte(std::uint32_t seq, std::size_t i) {
    return static_cast<std::uint8_t>(seq * 31 + i * 7 + 1);
}

int payload_length(std::uint32_t seq) {
    return 1 + static_cast<int>(seq * 37 % 256);
}

// Valid messages carry consecutive sequence numbers as identifiers (mod
// 2^16) and payloads derived from them.
Datagram valid_datagram(std::uint32_t &seq, std::size_t limit, int max_length) {
    Datagram d;
    while (true) {
        int length = std::min(payload_length(seq), max_length);
        std::size_t grown = d.bytes.size() + padded(static_cast<std::size_t>(length));
        if (d.bytes.size() > 4 && grown > limit) break;
        Bytes payload(static_cast<std::size_t>(length));
        for (std::size_t i = 0; i < payload.size(); ++i)
            payload[i] = payload_byte(seq, i);
        d.message(1 + static_cast<int>(seq % 255), static_cast<int>(seq & 0xFFFF), payload);
        ++seq;
    }
    return d;
}

struct Sender {
    std::mt19937 random{20261208};
    std::uint32_t seq = 0;
    int counts[kKinds] = {};

    // A datagram of the given kind; valid ones advance the sequence.
    Bytes make(Kind kind) {
        std::uint32_t junk = 0x80000000u + static_cast<std::uint32_t>(random());
        std::size_t limit = 16 + random() % (kMaxMessages - 16);
        switch (kind) {
        case kValid:
            return valid_datagram(seq, limit, 256).bytes;
        case kTruncated: {
            Bytes b = valid_datagram(junk, limit, 256).bytes;
            // Cut inside the last message, never at a message boundary.
            b.resize(b.size() - 1 - random() % 3);
            return b;
        }
        case kForged: {
            Bytes b = valid_datagram(junk, limit, 200).bytes;
            std::size_t last = last_message(b);
            b[last + 1] = 255; // claims 256 bytes where at most 200 follow
            return b;
        }
        case kZeroType: {
            Bytes b = valid_datagram(junk, limit, 256).bytes;
            b[last_message(b)] = 0;
            return b;
        }
        case kOversized: {
            Bytes b = valid_datagram(junk, 1000, 256).bytes;
            b.resize(513 + random() % (kOversizedMax - 512), 0);
            return b;
        }
        case kNoPacketType:
            return {'O', 'R', 'V'};
        case kWrongMagic: {
            Bytes b = valid_datagram(junk, limit, 256).bytes;
            b[random() % 3] ^= 0x20;
            return b;
        }
        default: {
            Bytes b = valid_datagram(junk, limit, 256).bytes;
            b[3] = static_cast<std::uint8_t>("dXA\0"[random() % 4]);
            return b;
        }
        }
    }
    static std::size_t last_message(const Bytes &b) {
        std::size_t at = 4, last = 4;
        while (at < b.size()) {
            last = at;
            at += 4 + padded(b[at + 1] + 1);
        }
        return last;
    }
    Kind pick() {
        int r = static_cast<int>(random() % 100);
        if (r < 40) return kValid;
        return static_cast<Kind>(1 + r % (kKinds - 1));
    }
};

// The sending process: bursts of datagrams to the group, each burst
// announced on the pipe with the number of valid messages in it, then an
// acknowledgement awaited. A count of -1 ends the flood.
int flood(const std::string &group, int port, int announce, int acknowledge) {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    in_addr own{};
    own_host(own);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr = own;
    if (bind(fd, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0) return 1;
    setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &own, sizeof own);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, group.c_str(), &to.sin_addr);
    Sender sender;
    for (int sent = 0; sent < kDatagrams;) {
        std::uint32_t before = sender.seq;
        for (int i = 0; i < kBurst && sent < kDatagrams; ++i, ++sent) {
            Kind kind = i == kBurst - 1 ? kValid : sender.pick();
            Bytes d = sender.make(kind);
            ++sender.counts[kind];
            if (sendto(fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to) !=
                static_cast<ssize_t>(d.size()))
                return 2;
        }
        int valid = static_cast<int>(sender.seq - before);
        char ack;
        if (write(announce, &valid, sizeof valid) != sizeof valid) return 3;
        if (read(acknowledge, &ack, 1) != 1) return 4;
    }
    int end = -1;
    if (write(announce, &end, sizeof end) != sizeof end) return 3;
    if (write(announce, sender.counts, sizeof sender.counts) != sizeof sender.counts) return 3;
    close(fd);
    return 0;
}

TEST(NetFlood, HundredThousandDatagramsLoseAndCorruptNoValidMessage) {
    REQUIRE_LOOPBACK_HOST();
    messages.clear();
    OVmessage_sethook(record);
    std::string group = test_group();
    int port = test_port();
    ASSERT_TRUE(OVnet_open(group.c_str(), port, 0)) << messages;
    int announce[2], acknowledge[2];
    ASSERT_EQ(pipe(announce), 0);
    ASSERT_EQ(pipe(acknowledge), 0);
    Child child([&] {
        close(announce[0]);
        close(acknowledge[1]);
        return flood(group, port, announce[1], acknowledge[0]);
    });
    close(announce[1]);
    close(acknowledge[0]);
    std::uint32_t expected = 0;
    int received = 0, wrong = 0, bursts = 0;
    for (int valid; read(announce[0], &valid, sizeof valid) == sizeof valid && valid >= 0;) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (int got = 0; got < valid;) {
            std::uint8_t buffer[256];
            int id, length;
            int type = OVnet_readraw(buffer, sizeof buffer, &id, &length);
            if (type == 0) {
                ASSERT_LT(std::chrono::steady_clock::now(), deadline)
                    << "message " << expected << " never arrived; burst " << bursts << ", dropped "
                    << OVnet_getdropped();
                continue;
            }
            bool intact = type == static_cast<int>(1 + expected % 255) &&
                          id == static_cast<int>(expected & 0xFFFF) &&
                          length == payload_length(expected);
            for (int i = 0; intact && i < length; ++i)
                intact = buffer[i] == payload_byte(expected, static_cast<std::size_t>(i));
            wrong += !intact;
            ASSERT_LT(wrong, 5) << "message " << expected << " corrupted";
            ++expected, ++got, ++received;
        }
        ++bursts;
        ASSERT_EQ(write(acknowledge[1], "k", 1), 1);
    }
    int counts[kKinds] = {};
    ASSERT_EQ(read(announce[0], counts, sizeof counts), static_cast<ssize_t>(sizeof counts));
    EXPECT_EQ(child.wait(60000), 0);
    // The last burst's other datagrams are taken one per poll.
    usleep(100000);
    for (int i = 0; i < 2 * kBurst; ++i)
        ASSERT_EQ(OVnet_peek(nullptr, nullptr), 0) << "a message beyond the valid ones was queued";
    int total = 0;
    for (int k = 0; k < kKinds; ++k) {
        std::printf("flood: %-18s %6d datagrams\n", kKindNames[k], counts[k]);
        total += counts[k];
    }
    unsigned malformed =
        static_cast<unsigned>(counts[kTruncated] + counts[kForged] + counts[kZeroType] +
                              counts[kOversized] + counts[kNoPacketType]);
    std::printf("flood: %d datagrams in %d bursts; %d valid messages received, %d corrupted; "
                "%u datagrams dropped as malformed\n",
                total, bursts, received, wrong, OVnet_getdropped());
    EXPECT_EQ(total, kDatagrams);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(received, static_cast<int>(expected));
    EXPECT_EQ(OVnet_getdropped(), malformed);
    // Only the datagrams whose messages do not line up are reported.
    const std::string report = "ORV Warning: Net data is out of sync\n";
    std::size_t reports = 0;
    for (std::size_t at = messages.find(report); at != std::string::npos;
         at = messages.find(report, at + report.size()))
        ++reports;
    EXPECT_EQ(reports * report.size(), messages.size()) << messages.substr(0, 400);
    EXPECT_EQ(reports,
              static_cast<std::size_t>(counts[kTruncated] + counts[kForged] + counts[kZeroType]));
    OVnet_close();
    OVmessage_sethook(nullptr);
    close(announce[0]);
    close(acknowledge[1]);
}

} // namespace
