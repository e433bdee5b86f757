// Edges of the channel: a datagram filled to exactly 512 bytes, every payload
// length of every encoding there and back, the address length limit, a
// receiving port held by another socket, and calls on a closed channel.
#include "net_fixture.h"

namespace {

using namespace nettest;

class NetEdges : public ChannelTest {
  protected:
    // Opens the channel in this process's group with a listener beside it.
    void open_with_listener() {
        listener = std::make_unique<Listener>(test_group(), test_port());
        ASSERT_TRUE(listener->ok());
        ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 0)) << messages;
    }
    std::unique_ptr<Listener> listener;
};

TEST_F(NetEdges, MessagesFillingExactly508BytesShareOneDatagram) {
    REQUIRE_LOOPBACK_HOST();
    open_with_listener();
    Bytes big = sequence(256), rest = sequence(244, 9), one = {7};
    ASSERT_TRUE(OVnet_send(big.data(), 256, 1, 1));  // 4 + 256
    ASSERT_TRUE(OVnet_send(rest.data(), 244, 1, 2)); // 4 + 244: 508 in all
    OVnet_flush();
    Bytes full = listener->next();
    EXPECT_EQ(full.size(), 512u);
    EXPECT_TRUE(listener->next(50).empty());
    // One more byte would make 520: the pending datagram leaves first.
    ASSERT_TRUE(OVnet_send(big.data(), 256, 1, 3));
    ASSERT_TRUE(OVnet_send(rest.data(), 244, 1, 4));
    ASSERT_TRUE(OVnet_send(one.data(), 1, 1, 5));
    EXPECT_EQ(listener->next().size(), 512u) << "sent when the third message came";
    OVnet_flush();
    Bytes last = listener->next();
    ASSERT_EQ(last.size(), 4u + 8u);
    EXPECT_EQ(last[4 + 3], 5);
}

TEST_F(NetEdges, EveryLengthOfEveryEncodingComesBackAsSent) {
    REQUIRE_LOOPBACK_HOST();
    open_with_listener();
    for (int type : {1, 2, 3, 200}) {
        for (int length = 1; length <= 256; ++length) {
            Bytes sent = sequence(static_cast<std::size_t>(length), length + type);
            ASSERT_TRUE(OVnet_send(sent.data(), length, type, static_cast<unsigned short>(length)));
            OVnet_flush();
            Bytes d = listener->next();
            ASSERT_EQ(d.size(), 8u + padded(static_cast<std::size_t>(length)))
                << type << "/" << length;
            ASSERT_EQ(_OVnet_deliver(d.data(), static_cast<int>(d.size())), 1);
            std::uint8_t back[256] = {};
            int id = 0, got = 0;
            ASSERT_EQ(OVnet_read(back, 256, &id, &got), type);
            ASSERT_EQ(got, length);
            ASSERT_EQ(id, length);
            ASSERT_EQ(Bytes(back, back + length), sent) << type << "/" << length;
        }
    }
}

TEST_F(NetEdges, AnAddressOfSixteenCharactersIsTooLong) {
    EXPECT_TRUE(OVnet_setgroup("239.010.010.010")); // 15
    EXPECT_EQ(messages, "");
    EXPECT_FALSE(OVnet_setgroup("239.010.010.0010")); // 16
    EXPECT_EQ(messages, "ORV Warning: Bad Group Address\n");
    EXPECT_TRUE(OVnet_setgroup(test_group().c_str()));
}

TEST_F(NetEdges, AReceivingPortHeldElsewhereFailsTheOpenCleanly) {
    REQUIRE_LOOPBACK_HOST();
    const int port = test_port();
    int holder = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr *>(&local), sizeof local), 0);
    EXPECT_FALSE(OVnet_open(test_group().c_str(), port, 0));
    EXPECT_EQ(messages, "ORV Warning: Could not bind receive socket\n");
    std::uint8_t byte = 1;
    EXPECT_FALSE(OVnet_send(&byte, 1, 1, 1)) << "the channel stays closed";
    close(holder);
    messages.clear();
    EXPECT_TRUE(OVnet_open(test_group().c_str(), port, 0)) << messages;
}

TEST_F(NetEdges, AnOpenWithoutPortOrRangeKeepsTheStoredOnes) {
    REQUIRE_LOOPBACK_HOST();
    ASSERT_TRUE(OVnet_setport(test_port()));
    ASSERT_TRUE(OVnet_setrange(3));
    ASSERT_TRUE(OVnet_setgroup(test_group().c_str()));
    Listener listener(test_group(), test_port());
    ASSERT_TRUE(listener.ok());
    ASSERT_TRUE(OVnet_open(nullptr, 0, 0)) << messages;
    EXPECT_EQ(OVnet_getport(), test_port());
    EXPECT_EQ(OVnet_getrange(), 3);
    std::uint8_t byte = 1;
    ASSERT_TRUE(OVnet_send(&byte, 1, 1, 1));
    OVnet_flush();
    EXPECT_EQ(listener.next().size(), 12u);
}

TEST_F(NetEdges, AClosedChannelReadsNothingAndClosesTwiceQuietly) {
    OVnet_close();
    OVnet_close();
    OVnet_flush();
    int id = 5, length = 5;
    EXPECT_EQ(OVnet_peek(&id, &length), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(length, 0);
    std::uint8_t buffer[8];
    EXPECT_EQ(OVnet_readraw(buffer, 8, &id, &length), 0);
    OVnet_skip();
    EXPECT_FALSE(OVnet_sendraw(buffer, 1, 1, 1));
    EXPECT_EQ(messages, "");
}

} // namespace
