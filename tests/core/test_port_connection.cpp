// The port's connection to a device that vanishes and comes back (duoclave-sim's unplug and
// replug): the loss noticed and the handle closed, reopening no more than once per interval of
// the tick counter, the line set up again, and what is not worth waiting for.

#include "core/DeviceLink.h"
#include "core/PortConnection.h"
#include "core/PortMessages.h"
#include "core/PortState.h"
#include "platform/TickCount.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using platform::PortFailure;

namespace {

bool LinkThere(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

class PortConnection : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim = std::make_unique<SimProcess>(std::vector<std::string>{"--no-byte-time", "--reg", "20=321"});
        ASSERT_TRUE(sim->Running()) << sim->Error();
        port.SetLineSetup([this] { ++setups; });
    }
    void TearDown() override { port.Close(); }
    void Unplug()
    {
        ASSERT_TRUE(sim->Control("unplug"));
        ASSERT_TRUE(WaitFor([&] { return !LinkThere(sim->LinkPath()); }));
    }
    void Replug()
    {
        ASSERT_TRUE(sim->Control("replug"));
        ASSERT_TRUE(WaitFor([&] { return LinkThere(sim->LinkPath()); }));
    }
    std::uint16_t Register20(bool& ok) { return ReadWord(20, ok); }

    std::uint32_t clock = 1000;
    // Steps on every reading, so that busy waits end; the test moves it on by whole intervals.
    platform::ScopedTickSource source{[this] { return clock++; }};
    std::unique_ptr<SimProcess> sim;
    core::PortConnection port;
    int setups = 0;
};

TEST_F(PortConnection, AVanishedDeviceIsNoticedOnceAndItsHandleClosed)
{
    ASSERT_TRUE(port.Open(sim->LinkPath()));
    EXPECT_FALSE(port.Watch());
    EXPECT_EQ(port.StatusText(), "Status: OK");

    Unplug();
    EXPECT_TRUE(port.Watch());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.IsWaitingForDevice());
    EXPECT_EQ(port.Failure(), PortFailure::DeviceGone);
    EXPECT_EQ(port.StatusText(), core::PortStatusText(PortFailure::DeviceGone, {}));
    EXPECT_EQ(PortHandle, platform::InvalidPortHandle);
    EXPECT_FALSE(port.Watch()); // nothing new until it is tried again
}

TEST_F(PortConnection, AnExchangeThatMeetsTheLossMarksItForTheWatch)
{
    ASSERT_TRUE(port.Open(sim->LinkPath()));
    Unplug();
    bool ok = true;
    Register20(ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(PortDeviceGone);
    EXPECT_TRUE(port.Watch());
    EXPECT_FALSE(PortDeviceGone);
    EXPECT_EQ(port.Failure(), PortFailure::DeviceGone);
}

TEST_F(PortConnection, TheReturnedDeviceIsReopenedAtTheFirstTryAfterAnInterval)
{
    ASSERT_TRUE(port.Open(sim->LinkPath()));
    Unplug();
    ASSERT_TRUE(port.Watch());                  // lost at 1000
    clock += core::ReconnectIntervalMs;          // 2000: tried, still absent
    EXPECT_FALSE(port.Watch());
    EXPECT_TRUE(port.IsWaitingForDevice());

    Replug();                                    // back at 2000
    clock += core::ReconnectIntervalMs / 2;      // 2500: too soon after the last try
    EXPECT_FALSE(port.Watch());
    EXPECT_FALSE(port.IsOpen());
    clock += core::ReconnectIntervalMs / 2;      // 3000: tried again, found
    EXPECT_TRUE(port.Watch());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(port.IsWaitingForDevice());
    EXPECT_EQ(port.StatusText(), "Status: OK");
    EXPECT_EQ(setups, 1);
    bool ok = false;
    EXPECT_EQ(Register20(ok), 321);
    EXPECT_TRUE(ok);
}

TEST(PortConnectionByName, AnAdapterBackUnderAnotherNodeIsFoundByItsByIdName)
{
    // A machine whose by-id folder holds the simulator's link; the user chose the node itself.
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("duoclave-byname-" + std::to_string(getpid()));
    std::filesystem::create_directories(root / "dev/serial/by-id");
    setenv("DUOCLAVE_DEVICE_ROOT", root.c_str(), 1);
    std::uint32_t clock = 1000;
    platform::ScopedTickSource source([&] { return clock++; });
    {
        SimProcess sim({"--no-byte-time", "--reg", "20=321", "--by-id", (root / "dev/serial/by-id").string()});
        ASSERT_TRUE(sim.Running()) << sim.Error();
        core::PortConnection port;
        ASSERT_TRUE(port.Open(sim.PtyPath()));
        const std::string byId = port.ReopenPath();
        EXPECT_EQ(byId.rfind((root / "dev/serial/by-id/usb-Duoclave_Simulator_SIM").string(), 0), 0u) << byId;

        ASSERT_TRUE(sim.Control("unplug"));
        ASSERT_TRUE(WaitFor([&] { return !LinkThere(byId); }));
        ASSERT_TRUE(port.Watch());
        // Another terminal takes the node the adapter had; the adapter comes back elsewhere.
        const int other = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(other, 0);
        ASSERT_TRUE(sim.Control("replug"));
        ASSERT_TRUE(WaitFor([&] { return LinkThere(byId); }));
        EXPECT_NE(std::filesystem::read_symlink(byId).string(), sim.PtyPath());
        clock += core::ReconnectIntervalMs;
        EXPECT_TRUE(port.Watch());
        EXPECT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Path(), sim.PtyPath()); // the user's choice, as it was
        bool ok = false;
        EXPECT_EQ(ReadWord(20, ok), 321);
        EXPECT_TRUE(ok);
        port.Close();
        close(other);
    }
    unsetenv("DUOCLAVE_DEVICE_ROOT");
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

TEST_F(PortConnection, ADeviceAbsentAtTheStartIsWaitedForAsWell)
{
    Unplug();
    EXPECT_FALSE(port.Open(sim->LinkPath()));
    EXPECT_EQ(port.Failure(), PortFailure::NotFound);
    EXPECT_TRUE(port.IsWaitingForDevice());
    Replug();
    clock += core::ReconnectIntervalMs;
    EXPECT_TRUE(port.Watch());
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(PortConnection, WhatNoWaitingMendsIsNotTriedAgain)
{
    EXPECT_FALSE(port.Open("/dev/null"));
    EXPECT_EQ(port.Failure(), PortFailure::NotSerial);
    EXPECT_FALSE(port.IsWaitingForDevice());
    clock += core::ReconnectIntervalMs;
    EXPECT_FALSE(port.Watch());

    // A closed port is no longer waited for, even when its device is missing.
    Unplug();
    port.Open(sim->LinkPath());
    ASSERT_TRUE(port.IsWaitingForDevice());
    port.Close();
    EXPECT_FALSE(port.IsWaitingForDevice());
    Replug();
    clock += core::ReconnectIntervalMs;
    EXPECT_FALSE(port.Watch());
    EXPECT_FALSE(port.IsOpen());
}

} // namespace
