#include "sim/Protocol.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

constexpr std::uint64_t Ms = 1000;

class ProtocolTest : public ::testing::Test {
protected:
    ProtocolTest() : registers(*SyncSource::Parse("constant:-12", 1)), protocol(registers)
    {
        protocol.log = [this](const std::string& line) { log.push_back(line); };
    }

    // Feeds bytes 10 ms apart from `t` on and collects the replies.
    std::vector<std::uint8_t> Feed(std::initializer_list<std::uint8_t> bytes)
    {
        std::vector<std::uint8_t> out;
        for (std::uint8_t b : bytes) {
            for (const Reply& r : protocol.Receive(b, t))
                out.push_back(r.byte);
            t += 10 * Ms;
        }
        return out;
    }

    Registers registers;
    Protocol protocol;
    std::vector<std::string> log;
    std::uint64_t t = 1000 * Ms;
};

using Bytes = std::vector<std::uint8_t>;

} // namespace

TEST_F(ProtocolTest, ReadAnswersLowThenHighOfOneReading)
{
    EXPECT_EQ(Feed({SyncRegister, HighByteRequest}), (Bytes{0xF4, 0xFF}));
    registers.Preset(40, 0xBEEF);
    EXPECT_EQ(Feed({40}), (Bytes{0xEF}));
    registers.Preset(40, 0x1234); // changes between the halves do not tear the value
    EXPECT_EQ(Feed({HighByteRequest}), (Bytes{0xBE}));
    EXPECT_TRUE(protocol.Idle());
}

TEST_F(ProtocolTest, WriteWithRightCheckIsStoredAndAcknowledged)
{
    EXPECT_EQ(Feed({0x89, 0x12, 0x34, 0xAF}), (Bytes{WriteAck}));
    EXPECT_EQ(registers.E2prom()[9], 0x1234);
    EXPECT_TRUE(log.empty());
}

TEST_F(ProtocolTest, WriteWithWrongCheckIsAnsweredWithZeroStoresNothingAndIsLogged)
{
    const std::uint16_t before = registers.E2prom()[9];
    EXPECT_EQ(Feed({0x89, 0x12, 0x34, 0xAE}), (Bytes{WriteNak}));
    EXPECT_EQ(registers.E2prom()[9], before);
    EXPECT_EQ(protocol.ChecksumErrors(), 1u);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("register 9"), std::string::npos);
    EXPECT_NE(log[0].find("0xAF"), std::string::npos);
}

TEST_F(ProtocolTest, RepliesWaitForTheReplyDelay)
{
    protocol.Timing().replyDelayMs = 150;
    auto replies = protocol.Receive(SyncRegister, t);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].dueUs, t + 150 * Ms);
    protocol.Faults().Set(Fault::Late, true);
    protocol.Timing().lateDelayMs = 250;
    replies = protocol.Receive(HighByteRequest, t + 160 * Ms);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].dueUs, t + 410 * Ms);
}

TEST_F(ProtocolTest, AnyOtherByteWhileAwaitingTheHighRequestStartsANewRequest)
{
    registers.Preset(30, 0x0102);
    EXPECT_EQ(Feed({SyncRegister, 30, HighByteRequest}), (Bytes{0xF4, 0x02, 0x01}));
    EXPECT_EQ(Feed({SyncRegister, 0x89, 0x12, 0x34, 0xAF}), (Bytes{0xF4, WriteAck}));
}

TEST_F(ProtocolTest, AnIncompleteRequestIsForgottenAfterTheTimeout)
{
    protocol.Timing().requestTimeoutMs = 100;
    EXPECT_EQ(Feed({0x89, 0x12}), Bytes{});
    ASSERT_TRUE(protocol.ExpiryDue());
    EXPECT_EQ(*protocol.ExpiryDue(), t - 10 * Ms + 100 * Ms);
    t += 200 * Ms;
    // 0x34 now starts a read of register 52.
    EXPECT_EQ(Feed({0x34}).size(), 1u);

    // The wait for the high-byte request counts from when the low byte actually left.
    t += 2000 * Ms;
    Feed({SyncRegister});
    protocol.ReplySent(t + 95 * Ms);
    t += 180 * Ms;
    EXPECT_EQ(Feed({HighByteRequest}), (Bytes{0xFF}));
}

struct FaultCase {
    const char* name;
    Fault fault;
    Bytes readReply;    // to SyncRegister, HighByteRequest
    Bytes writeReply;   // to a good write of 0x1234 to register 9
    bool stored;
};

class ProtocolFaults : public ProtocolTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ProtocolFaults, ReadAndWriteUnderTheFault)
{
    const FaultCase& c = GetParam();
    registers.Preset(9, 0);
    protocol.Faults().Set(c.fault, true);
    EXPECT_EQ(Feed({SyncRegister, HighByteRequest}), c.readReply);
    EXPECT_EQ(Feed({0x89, 0x12, 0x34, 0xAF}), c.writeReply);
    EXPECT_EQ(registers.E2prom()[9] == 0x1234, c.stored);
    protocol.Faults().Set(c.fault, false);
    EXPECT_EQ(Feed({SyncRegister, HighByteRequest}), (Bytes{0xF4, 0xFF}));
}

INSTANTIATE_TEST_SUITE_P(Faults, ProtocolFaults, ::testing::Values(
    FaultCase{"Silence", Fault::Silence, {}, {}, false},
    FaultCase{"NoHighByte", Fault::NoHighByte, {0xF4}, {WriteAck}, true},
    FaultCase{"RefuseWrites", Fault::RefuseWrites, {0xF4, 0xFF}, {WriteNak}, false},
    FaultCase{"NoAck", Fault::NoAck, {0xF4, 0xFF}, {}, true},
    FaultCase{"Late", Fault::Late, {0xF4, 0xFF}, {WriteAck}, true},
    FaultCase{"Stray", Fault::Stray, {0xF4, 0xFF}, {WriteAck}, true}),
    [](const auto& info) { return std::string(info.param.name); });
