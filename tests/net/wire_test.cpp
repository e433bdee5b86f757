// Datagrams on the wire, seen by a plain socket in the channel's group on the
// loopback interface: layout, padding, batching and the pass's flush.
#include "net_fixture.h"

namespace {

using namespace nettest;

class NetWire : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_LOOPBACK_HOST();
        messages.clear();
        OVmessage_sethook(record);
        listener = std::make_unique<Listener>(test_group(), test_port());
        ASSERT_TRUE(listener->ok());
        ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 0)) << messages;
    }
    void TearDown() override {
        OVnet_close();
        OVmessage_sethook(nullptr);
    }
    std::unique_ptr<Listener> listener;
};

TEST_F(NetWire, AFiveByteMessageTakesTwelveBytes) {
    Bytes hello = {'h', 'e', 'l', 'l', 'o'};
    ASSERT_TRUE(OVnet_send(hello.data(), 5, 1, 0x0102));
    EXPECT_TRUE(listener->next(50).empty()) << "nothing leaves before the flush";
    OVnet_flush();
    Bytes d = listener->next();
    ASSERT_EQ(d.size(), 4u + 12u);
    EXPECT_EQ(Bytes(d.begin(), d.begin() + 4), (Bytes{'O', 'R', 'V', 'D'}));
    EXPECT_EQ(Bytes(d.begin() + 4, d.end()), (Bytes{1, 4, 1, 2, 'h', 'e', 'l', 'l', 'o', 0, 0, 0}));
    // The same bytes from a peer give the five bytes back.
    ASSERT_EQ(_OVnet_deliver(d.data(), static_cast<int>(d.size())), 1);
    std::uint8_t got[8];
    int id, length;
    EXPECT_EQ(OVnet_read(got, 8, &id, &length), 1);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(id, 0x0102);
    EXPECT_EQ(Bytes(got, got + 5), hello);
}

TEST_F(NetWire, PayloadsTravelInNetworkOrderByType) {
    std::uint16_t shorts[3] = {0x0102, 0x0304, 0x0506};
    std::uint32_t word = 0x0A0B0C0D;
    float one = 1.0f;
    ASSERT_TRUE(OVnet_send(shorts, 6, 2, 1));
    ASSERT_TRUE(OVnet_send(&word, 4, 3, 2));
    ASSERT_TRUE(OVnet_send(&one, 4, 200, 3));
    ASSERT_TRUE(OVnet_sendraw(&word, 4, 3, 4));
    OVnet_flush();
    Bytes d = listener->next();
    ASSERT_EQ(d.size(), 4u + 12u + 8u + 8u + 8u);
    EXPECT_EQ(Bytes(d.begin() + 8, d.begin() + 16), (Bytes{1, 2, 3, 4, 5, 6, 0, 0}));
    EXPECT_EQ(Bytes(d.begin() + 20, d.begin() + 24), (Bytes{0x0A, 0x0B, 0x0C, 0x0D}));
    EXPECT_EQ(Bytes(d.begin() + 28, d.begin() + 32), (Bytes{0x3F, 0x80, 0, 0}));
    std::uint8_t raw[4];
    std::memcpy(raw, &word, 4);
    EXPECT_EQ(Bytes(d.begin() + 36, d.end()), Bytes(raw, raw + 4)) << "sendraw keeps host order";
}

TEST_F(NetWire, SixtyMessagesOfEightBytesNeedTwoDatagrams) {
    for (int i = 0; i < 60; ++i) {
        Bytes payload = sequence(8, i);
        ASSERT_TRUE(OVnet_send(payload.data(), 8, 1, static_cast<unsigned short>(i)));
    }
    OVnet_flush();
    Bytes first = listener->next();
    Bytes second = listener->next();
    EXPECT_TRUE(listener->next(50).empty());
    // 42 messages of 12 bytes fill 508 of the 512 bytes; the 43rd would not fit.
    EXPECT_EQ(first.size(), 4u + 42u * 12u);
    EXPECT_EQ(second.size(), 4u + 18u * 12u);
    EXPECT_EQ(first[4 + 41 * 12 + 3], 41) << "the 42nd message ends the first datagram";
    EXPECT_EQ(second[4 + 3], 42) << "the 43rd message begins the second";
}

TEST_F(NetWire, OwnDatagramsAreNotReceived) {
    std::uint8_t byte = 1;
    ASSERT_TRUE(OVnet_send(&byte, 1, 1, 1));
    OVnet_flush();
    ASSERT_FALSE(listener->next().empty()) << "the datagram went out and came back";
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0);
        usleep(1000);
    }
}

TEST_F(NetWire, ClosingSendsWhatIsPending) {
    std::uint8_t byte = 5;
    ASSERT_TRUE(OVnet_send(&byte, 1, 1, 1));
    OVnet_close();
    EXPECT_EQ(listener->next().size(), 12u);
}

TEST_F(NetWire, EveryPassEndsWithTheFlush) {
    OVuniverse_new(512, 0);
    std::uint8_t byte = 9;
    ASSERT_TRUE(OVnet_send(&byte, 1, 1, 1));
    OVuniverse_go1();
    EXPECT_EQ(listener->next().size(), 12u);
    OVuniverse_go1();
    EXPECT_TRUE(listener->next(50).empty()) << "an empty pass sends nothing";
    ASSERT_TRUE(OVnet_send(&byte, 1, 1, 1));
    OVuniverse_delete();
    EXPECT_EQ(listener->next().size(), 12u) << "teardown closes the channel, sending first";
    EXPECT_FALSE(OVnet_send(&byte, 1, 1, 1)) << "the channel is closed";
}

} // namespace
