// The receive ring fed with datagrams as peers send them: decoding by type,
// the capacity refusal, the full ring, malformed datagrams dropped whole.
#include "net_fixture.h"

namespace {

using namespace nettest;

class NetRing : public ChannelTest {};

TEST_F(NetRing, AnEmptyRingGivesZeroAndZeroOutputs) {
    int id = 9, length = 9;
    EXPECT_EQ(OVnet_peek(&id, &length), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(length, 0);
    std::uint8_t buffer[4];
    id = length = 9;
    EXPECT_EQ(OVnet_read(buffer, 4, &id, &length), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(length, 0);
    OVnet_skip();
}

TEST_F(NetRing, MessagesComeOutInOrderWithTypeIdentifierAndLength) {
    Datagram d;
    d.message(1, 0x1234, sequence(5)).message(7, 65535, sequence(256, 3)).message(255, 0, {42});
    ASSERT_EQ(d.deliver(), 1);
    Datagram{}.message(9, 77, sequence(4, 100)).deliver();
    int id, length;
    EXPECT_EQ(OVnet_peek(&id, &length), 1);
    EXPECT_EQ(id, 0x1234);
    EXPECT_EQ(length, 5);
    std::uint8_t buffer[256];
    EXPECT_EQ(OVnet_readraw(buffer, 256, &id, &length), 1);
    EXPECT_EQ(Bytes(buffer, buffer + 5), sequence(5));
    EXPECT_EQ(OVnet_readraw(buffer, 256, &id, &length), 7);
    EXPECT_EQ(id, 65535);
    EXPECT_EQ(length, 256);
    EXPECT_EQ(Bytes(buffer, buffer + 256), sequence(256, 3));
    EXPECT_EQ(OVnet_readraw(buffer, 256, &id, &length), 255);
    EXPECT_EQ(buffer[0], 42);
    EXPECT_EQ(OVnet_readraw(buffer, 256, &id, &length), 9);
    EXPECT_EQ(id, 77);
    EXPECT_EQ(OVnet_peek(&id, &length), 0);
}

TEST_F(NetRing, ReadDecodesShortsAndWordsFromNetworkOrder) {
    Datagram{}
        .message(2, 1, {0x12, 0x34, 0xAB, 0xCD})
        .message(3, 2, {0x12, 0x34, 0x56, 0x78})
        .message(1, 3, {0x12, 0x34})
        .deliver();
    std::uint16_t shorts[2];
    int id, length;
    EXPECT_EQ(OVnet_read(shorts, 4, &id, &length), 2);
    EXPECT_EQ(shorts[0], 0x1234);
    EXPECT_EQ(shorts[1], 0xABCD);
    std::uint32_t word;
    EXPECT_EQ(OVnet_read(&word, 4, &id, &length), 3);
    EXPECT_EQ(word, 0x12345678u);
    std::uint8_t bytes[2];
    EXPECT_EQ(OVnet_read(bytes, 2, &id, &length), 1);
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(bytes[1], 0x34);
}

TEST_F(NetRing, AMessageLongerThanTheCapacityStaysForPeek) {
    Datagram{}.message(1, 5, sequence(9)).deliver();
    std::uint8_t buffer[16];
    int id = 0, length = 0;
    EXPECT_EQ(OVnet_read(buffer, 8, &id, &length), -1);
    EXPECT_EQ(OVnet_readraw(buffer, 8, &id, &length), -1);
    EXPECT_EQ(OVnet_read(nullptr, 16, &id, &length), -1);
    EXPECT_EQ(OVnet_peek(&id, &length), 1);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(length, 9);
    EXPECT_EQ(OVnet_read(buffer, 9, &id, &length), 1);
    EXPECT_EQ(Bytes(buffer, buffer + 9), sequence(9));
}

TEST_F(NetRing, SkipDiscardsExactlyOneMessage) {
    Datagram{}.message(4, 1, {1}).message(5, 2, {2}).deliver();
    OVnet_skip();
    int id;
    EXPECT_EQ(OVnet_peek(&id, nullptr), 5);
    EXPECT_EQ(id, 2);
    OVnet_skip();
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0);
}

TEST_F(NetRing, OtherPacketTypesAndForeignDatagramsAreIgnored) {
    unsigned before = OVnet_getdropped();
    Datagram d;
    d.message(1, 1, {1});
    d.bytes[3] = 'X';
    EXPECT_EQ(d.deliver(), 1);
    d.bytes[3] = 'D';
    d.bytes[0] = 'Q';
    EXPECT_EQ(d.deliver(), 1);
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0);
    EXPECT_EQ(OVnet_getdropped(), before) << "only malformed datagrams count as dropped";
}

// A full ring copies nothing: the datagram waits, nothing else is taken, and
// it is queued once enough has been read.
TEST_F(NetRing, AFullRingKeepsTheDatagramWaitingUntilThereIsRoom) {
    // 16 datagrams of two 252-byte messages fill 8064 of the 8192 ring bytes.
    const int kPerDatagram = 2;
    Bytes payload = sequence(248);
    int next_id = 0;
    for (int i = 0; i < 16; ++i) {
        Datagram d;
        for (int m = 0; m < kPerDatagram; ++m)
            d.message(1, next_id++, payload);
        ASSERT_EQ(d.deliver(), 1);
    }
    Datagram late;
    late.message(1, next_id, payload).message(1, next_id + 1, payload);
    next_id += 2;
    EXPECT_EQ(late.deliver(), 1) << "taken into the receive buffer, waiting";
    Datagram refused;
    refused.message(1, 999, payload);
    EXPECT_EQ(refused.deliver(), 0) << "nothing is taken while a datagram waits";
    // Reading one message is not enough room for 504 bytes...
    std::uint8_t buffer[256];
    int id, length;
    ASSERT_EQ(OVnet_read(buffer, 256, &id, &length), 1);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(refused.deliver(), 0);
    // ...two are: the waiting datagram joins the ring behind the others.
    ASSERT_EQ(OVnet_read(buffer, 256, &id, &length), 1);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(refused.deliver(), 1);
    for (int expect = 2; expect < next_id; ++expect) {
        ASSERT_EQ(OVnet_read(buffer, 256, &id, &length), 1);
        EXPECT_EQ(id, expect);
        EXPECT_EQ(Bytes(buffer, buffer + 248), payload);
    }
    ASSERT_EQ(OVnet_read(buffer, 256, &id, &length), 1);
    EXPECT_EQ(id, 999);
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0);
}

// Payloads that wrap round the end of the ring come out whole.
TEST_F(NetRing, MessagesWrapRoundTheRingEnd) {
    for (int round = 0; round < 40; ++round) {
        Datagram d;
        d.message(3, round, sequence(200, round)).message(1, round + 1000, sequence(77, round));
        ASSERT_EQ(d.deliver(), 1);
        std::uint8_t buffer[256];
        int id, length;
        ASSERT_EQ(OVnet_readraw(buffer, 256, &id, &length), 3);
        ASSERT_EQ(Bytes(buffer, buffer + 200), sequence(200, round)) << round;
        ASSERT_EQ(OVnet_readraw(buffer, 256, &id, &length), 1);
        ASSERT_EQ(Bytes(buffer, buffer + 77), sequence(77, round)) << round;
    }
}

TEST_F(NetRing, MalformedDatagramsAreDroppedWholeAndCounted) {
    unsigned before = OVnet_getdropped();
    Datagram good;
    good.message(1, 1, sequence(8)).message(1, 2, sequence(8));
    Bytes truncated(good.bytes.begin(), good.bytes.end() - 3);
    Datagram forged = good;
    forged.bytes[4 + 12 + 1] = 200; // the second message claims 201 bytes
    Datagram zero_type = good;
    zero_type.bytes[4 + 12] = 0;
    Bytes trailing = good.bytes;
    trailing.insert(trailing.end(), {1, 0});
    Bytes oversized = Datagram{}.message(1, 1, sequence(256)).message(1, 1, sequence(256)).bytes;
    Bytes header_only = {'O', 'R', 'V'};
    for (const Bytes *bad :
         {&truncated, &forged.bytes, &zero_type.bytes, &trailing, &oversized, &header_only})
        EXPECT_EQ(_OVnet_deliver(bad->data(), static_cast<int>(bad->size())), 1);
    EXPECT_EQ(OVnet_getdropped() - before, 6u);
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0) << "no part of a malformed datagram is queued";
    EXPECT_EQ(good.deliver(), 1);
    EXPECT_EQ(drain(), 2);
    // Those whose messages do not line up are reported; the ones too long or
    // too short for a datagram are not the channel's.
    std::string out_of_sync;
    for (int i = 0; i < 4; ++i)
        out_of_sync += "ORV Warning: Net data is out of sync\n";
    EXPECT_EQ(messages, out_of_sync);
}

TEST_F(NetRing, AnEmptyDataPacketQueuesNothing) {
    EXPECT_EQ(Datagram{}.deliver(), 1);
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0);
}

TEST_F(NetRing, ReceivedMessagesOutliveTheCloseUntilTheNextOpen) {
    REQUIRE_LOOPBACK_HOST();
    ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 0)) << messages;
    Datagram{}.message(1, 1, {1}).message(1, 2, {2}).deliver();
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 1);
    OVnet_close();
    std::uint8_t byte = 0;
    int id = 0, length = 0;
    EXPECT_EQ(OVnet_read(&byte, 1, &id, &length), 1);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(byte, 1);
    ASSERT_TRUE(OVnet_open(test_group().c_str(), test_port(), 0));
    EXPECT_EQ(OVnet_peek(nullptr, nullptr), 0) << "an open starts with an empty ring";
    OVnet_close();
}

TEST_F(NetRing, AZeroTypeAfterQueuedMessagesLosesOnlyItsOwnDatagram) {
    Datagram{}.message(3, 5, {0, 0, 0, 9}).deliver();
    Datagram broken;
    broken.message(1, 6, {6});
    broken.bytes[4] = 0;
    EXPECT_EQ(_OVnet_deliver(broken.bytes.data(), static_cast<int>(broken.bytes.size())), 1);
    EXPECT_EQ(messages, "ORV Warning: Net data is out of sync\n");
    std::uint32_t word = 0;
    int id = 0, length = 0;
    EXPECT_EQ(OVnet_read(&word, 4, &id, &length), 3);
    EXPECT_EQ(word, 9u);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(OVnet_read(&word, 4, &id, &length), 0);
}

} // namespace
