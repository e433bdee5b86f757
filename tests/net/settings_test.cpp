// Settings of the channel: validation of ports, ranges and group addresses,
// refusal while open, and an open that fails changing nothing.
#include "net_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace nettest;

class NetSettings : public ChannelTest {};

// The settings before anything sets them: read in a fresh run of this
// program that runs this check alone, since every fixture sets them.
TEST(NetDefaults, AFreshProcessStartsAtPort1233AndRange1) {
    constexpr const char *kFreshRun = "ORV_NET_FRESH_RUN";
    if (std::getenv(kFreshRun)) {
        EXPECT_EQ(OVnet_getport(), 1233);
        EXPECT_EQ(OVnet_getrange(), 1);
        return;
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string run = std::string(kFreshRun) + "=1 '" + self +
                            "' --gtest_filter=NetDefaults.AFreshProcessStartsAtPort1233AndRange1"
                            " > /dev/null 2>&1";
    EXPECT_EQ(std::system(run.c_str()), 0);
}

TEST_F(NetSettings, PortsOutside1024To5000AreRefused) {
    EXPECT_FALSE(OVnet_setport(80));
    EXPECT_FALSE(OVnet_setport(6000));
    EXPECT_FALSE(OVnet_setport(1023));
    EXPECT_FALSE(OVnet_setport(5001));
    EXPECT_EQ(OVnet_getport(), 1233);
    EXPECT_NE(messages.find("Bad Port\n"), std::string::npos);
    EXPECT_TRUE(OVnet_setport(1024));
    EXPECT_EQ(OVnet_getport(), 1024);
    EXPECT_TRUE(OVnet_setport(5000));
    EXPECT_EQ(OVnet_getport(), 5000);
}

TEST_F(NetSettings, RangesOutside1To255AreRefused) {
    EXPECT_FALSE(OVnet_setrange(0));
    EXPECT_FALSE(OVnet_setrange(256));
    EXPECT_FALSE(OVnet_setrange(-1));
    EXPECT_NE(messages.find("Bad Range\n"), std::string::npos);
    EXPECT_TRUE(OVnet_setrange(255));
    EXPECT_EQ(OVnet_getrange(), 255);
}

TEST_F(NetSettings, ReservedAndMalformedGroupsAreRefused) {
    for (const char *bad :
         {"224.0.0.5", "232.1.1.1", "224.1.0.1", "224.2.3.4", "224.0.3.20", "224.0.4.1",
          "224.0.1.9", "31.1.1.1", "10.0.0.1", "1.2.3", "1.2.3.4.5", "239.1.1.256", "239..1.1",
          "239.1.1.1 ", "x239.1.1.1", "", "2390.1.1.1", "0239.001.001.0001"}) {
        messages.clear();
        EXPECT_FALSE(OVnet_setgroup(bad)) << bad;
        EXPECT_EQ(messages, "ORV Warning: Bad Group Address\n") << bad;
    }
    EXPECT_FALSE(OVnet_setgroup(nullptr));
}

TEST_F(NetSettings, GroupsOutsideTheReservedBlocksAreAccepted) {
    for (const char *good : {"224.0.0.10", "224.0.1.10", "224.0.2.1", "224.3.0.1",
                             "239.255.255.255", "233.1.1.1", "32.0.0.1", "192.168.1.255"})
        EXPECT_TRUE(OVnet_setgroup(good)) << good;
    EXPECT_TRUE(messages.empty()) << messages;
}

TEST_F(NetSettings, AnAddressStartingWith255IsTheBroadcastMask) {
    REQUIRE_LOOPBACK_HOST();
    // Under the mask 255.0.0.0 the host's own loopback address broadcasts to
    // 127.255.255.255, which a plain socket on the port receives.
    ASSERT_TRUE(OVnet_setgroup("255.0.0.0"));
    int port = test_port();
    int plain = socket(AF_INET, SOCK_DGRAM, 0);
    int on = 1;
    setsockopt(plain, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    ASSERT_EQ(bind(plain, reinterpret_cast<sockaddr *>(&local), sizeof local), 0);
    ASSERT_TRUE(OVnet_open("100.64.0.1", port, 0)) << messages;
    std::uint8_t byte = 7;
    ASSERT_TRUE(OVnet_send(&byte, 1, 1, 3));
    OVnet_flush();
    pollfd p{plain, POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 1000), 1);
    std::uint8_t got[64];
    sockaddr_in from{};
    socklen_t size = sizeof from;
    ssize_t n = recvfrom(plain, got, sizeof got, 0, reinterpret_cast<sockaddr *>(&from), &size);
    close(plain);
    EXPECT_EQ(n, 12);
    OVnet_close();
    OVnet_setgroup("255.255.255.0");
}

TEST_F(NetSettings, SettersAreRefusedWhileOpen) {
    REQUIRE_LOOPBACK_HOST();
    ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 0)) << messages;
    EXPECT_FALSE(OVnet_setport(2000));
    EXPECT_FALSE(OVnet_setrange(3));
    EXPECT_FALSE(OVnet_setgroup("239.1.1.1"));
    EXPECT_EQ(OVnet_getport(), test_port());
    EXPECT_FALSE(OVnet_open(nullptr, 0, 0)) << "a second open must fail";
    OVnet_close();
    EXPECT_TRUE(OVnet_setport(2000));
}

TEST_F(NetSettings, AFailedOpenKeepsWhatItStoredBeforeTheRefusal) {
    EXPECT_FALSE(OVnet_open("239.1.2.3", 4000, 300));
    EXPECT_EQ(messages, "ORV Warning: Bad Range\n");
    EXPECT_EQ(OVnet_getport(), 4000);
    EXPECT_EQ(OVnet_getrange(), 1);
    messages.clear();
    EXPECT_FALSE(OVnet_open("239.1.2.3", 80, 2));
    EXPECT_EQ(messages, "ORV Warning: Bad Port\n");
    EXPECT_EQ(OVnet_getport(), 4000);
    EXPECT_EQ(OVnet_getrange(), 1) << "the range after a refused port is not looked at";
    messages.clear();
    EXPECT_FALSE(OVnet_open("224.0.0.1", 3000, 2));
    EXPECT_EQ(messages, "ORV Warning: Bad Group Address\n");
    EXPECT_EQ(OVnet_getport(), 4000);
    EXPECT_EQ(OVnet_getrange(), 1);
    EXPECT_TRUE(OVnet_setport(1233));
}

TEST_F(NetSettings, AGroupWithLeadingZerosOpens) {
    REQUIRE_LOOPBACK_HOST();
    ASSERT_TRUE(OVnet_setgroup("239.001.002.003"));
    EXPECT_TRUE(OVnet_open(nullptr, test_port(), 0)) << messages;
    OVnet_close();
    EXPECT_TRUE(OVnet_setgroup(test_group().c_str()));
}

TEST_F(NetSettings, AnOpenStoresItsArguments) {
    REQUIRE_LOOPBACK_HOST();
    ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 4)) << messages;
    EXPECT_EQ(OVnet_getport(), test_port());
    EXPECT_EQ(OVnet_getrange(), 4);
}

TEST_F(NetSettings, SendingNeedsAnOpenChannelAndValidArguments) {
    std::uint8_t data[300] = {};
    EXPECT_FALSE(OVnet_send(data, 4, 1, 1)) << "closed";
    REQUIRE_LOOPBACK_HOST();
    ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 0)) << messages;
    EXPECT_FALSE(OVnet_send(data, 0, 1, 1));
    EXPECT_FALSE(OVnet_send(data, 257, 1, 1));
    EXPECT_FALSE(OVnet_send(data, 4, 0, 1));
    EXPECT_FALSE(OVnet_send(data, 4, 256, 1));
    EXPECT_FALSE(OVnet_send(nullptr, 4, 1, 1));
    EXPECT_TRUE(OVnet_send(data, 256, 255, 65535));
    EXPECT_TRUE(OVnet_sendraw(data, 1, 2, 0));
}

} // namespace
