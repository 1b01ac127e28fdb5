// duoclave-sim vanishing as a pulled USB adapter does and coming back: the by-id style link, the
// unplug and replug commands, the state kept across them.

#include "platform/PortFailure.h"
#include "platform/PortPresence.h"
#include "platform/SerialPort.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t HighByteRequest = 101;

bool IsLink(const std::string& path)
{
    std::error_code ignored;
    return fs::is_symlink(fs::symlink_status(path, ignored));
}

std::optional<std::uint8_t> ReplyByte(platform::PortHandle port)
{
    std::uint8_t byte = 0;
    std::optional<std::uint8_t> reply;
    WaitFor([&] {
        const auto read = platform::ReadByteWithinTimeouts(port, byte);
        if (read.value == 1) reply = byte;
        return reply.has_value() || !read.Ok();
    });
    return reply;
}

// Register `reg` read over the line as the host does; nothing when the device did not answer.
std::optional<std::uint16_t> ReadRegister(const std::string& path, std::uint8_t reg)
{
    const auto opened = platform::OpenPortExclusive(path);
    if (!opened) return std::nullopt;
    std::optional<std::uint16_t> value;
    platform::WriteByteWithinTimeouts(opened.value, reg);
    if (const auto low = ReplyByte(opened.value)) {
        platform::WriteByteWithinTimeouts(opened.value, HighByteRequest);
        if (const auto high = ReplyByte(opened.value)) value = static_cast<std::uint16_t>(*high << 8 | *low);
    }
    platform::ClosePort(opened.value);
    return value;
}

class SimUnplug : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/duoclave-by-id-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        byId = pattern;
    }
    void TearDown() override
    {
        sim.reset();
        std::error_code ignored;
        fs::remove_all(byId, ignored);
    }
    // The one link in the by-id folder; empty when there is none.
    std::string ByIdLink() const
    {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(byId, ignored)) return entry.path().string();
        return {};
    }

    std::string byId;
    std::unique_ptr<SimProcess> sim;
};

TEST_F(SimUnplug, TheByIdLinkNamesTheSimulatorAsAUsbAdapter)
{
    sim = std::make_unique<SimProcess>(std::vector<std::string>{"--by-id", byId, "--reg", "20=0x1234"});
    ASSERT_TRUE(sim->Running()) << sim->Error();
    const std::string link = ByIdLink();
    const std::string name = fs::path(link).filename().string();
    EXPECT_EQ(name.rfind("usb-Duoclave_Simulator_SIM", 0), 0u) << name;
    EXPECT_TRUE(name.ends_with("-if00-port0")) << name;
    EXPECT_EQ(fs::read_symlink(link).string(), sim->PtyPath());
    EXPECT_EQ(ReadRegister(link, 20), 0x1234);
    sim->Stop();
    EXPECT_FALSE(IsLink(link));
}

TEST_F(SimUnplug, UnplugHangsUpAndRemovesTheLinksReplugComesBackWithTheStateKept)
{
    sim = std::make_unique<SimProcess>(std::vector<std::string>{"--by-id", byId, "--no-byte-time"});
    ASSERT_TRUE(sim->Running()) << sim->Error();
    const std::string byIdLink = ByIdLink();
    ASSERT_TRUE(sim->Control("set 20 4711"));
    ASSERT_EQ(ReadRegister(byIdLink, 20), 4711);

    const auto held = platform::OpenPortExclusive(byIdLink);
    ASSERT_TRUE(held) << held.result.Message();
    ASSERT_TRUE(sim->Control("unplug"));
    ASSERT_TRUE(WaitFor([&] { return !IsLink(byIdLink) && !IsLink(sim->LinkPath()); }));
    EXPECT_FALSE(fs::exists(sim->PtyPath()));
    const platform::SerialResult check = platform::CheckPortPresent(held.value);
    EXPECT_TRUE(platform::MeansDeviceGone(check)) << check.Message();
    platform::ClosePort(held.value);
    // A second unplug changes nothing.
    ASSERT_TRUE(sim->Control("unplug"));

    ASSERT_TRUE(sim->Control("replug"));
    ASSERT_TRUE(WaitFor([&] { return IsLink(byIdLink) && IsLink(sim->LinkPath()); }));
    const std::string newPty = fs::read_symlink(byIdLink).string();
    EXPECT_EQ(fs::read_symlink(sim->LinkPath()).string(), newPty);
    EXPECT_EQ(ReadRegister(byIdLink, 20), 4711);
    EXPECT_EQ(ReadRegister(sim->LinkPath(), 20), 4711);
}

} // namespace
