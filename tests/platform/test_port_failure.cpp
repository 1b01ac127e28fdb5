// Why an open fails and whether an open port's device is still there, for real causes: paths that
// lead nowhere, a port held elsewhere, a far end that goes away, a node that is removed or
// replaced. (The window's failure reasons cover missing paths, files, folders and permissions.)

#include "platform/PortFailure.h"
#include "platform/PortPresence.h"
#include "platform/SerialPort.h"
#include "support_pty.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/duoclave-fail-XXXXXX";
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

PortFailure OpenAndClassify(const std::string& path)
{
    const Outcome<PortHandle> opened = OpenPortExclusive(path);
    if (opened) ClosePort(opened.value);
    return ClassifyOpenFailure(opened.result);
}

struct OpenCase {
    const char* name;
    std::string (*makePath)(const TemporaryFolder&);
    PortFailure expected;
};

const OpenCase OpenCases[] = {
    {"MissingFolder", [](const TemporaryFolder& f) { return f.Path() + "/serial/by-id/usb-gone"; }, PortFailure::NotFound},
    {"PathThroughAFile",
     [](const TemporaryFolder& f) {
         std::ofstream(f.Path() + "/file") << "x";
         return f.Path() + "/file/tty";
     },
     PortFailure::NotFound},
};

class OpenFailure : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenFailure, HasTheKindOfItsCause)
{
    TemporaryFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    EXPECT_EQ(OpenAndClassify(GetParam().makePath(folder)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Causes, OpenFailure, ::testing::ValuesIn(OpenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OpenFailureOfAPort, HeldElsewhereIsInUse)
{
    PtyPair pty;
    const Outcome<PortHandle> first = OpenPortExclusive(pty.SlavePath());
    ASSERT_TRUE(first) << first.result.Message();
    EXPECT_EQ(OpenAndClassify(pty.SlavePath()), PortFailure::InUse);
    ClosePort(first.value);
    EXPECT_EQ(OpenAndClassify(pty.SlavePath()), PortFailure::None);
}

TEST(OpenFailureOfAPort, ClaimedWithTiocexclAloneIsInUse)
{
    // As terminal programs claim a port: exclusive mode, no advisory lock.
    PtyPair pty;
    const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(ioctl(other, TIOCEXCL), 0);
    EXPECT_EQ(OpenAndClassify(pty.SlavePath()), PortFailure::InUse);
    ioctl(other, TIOCNXCL);
    ::close(other);
}

class PortPresence : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (handle != InvalidPortHandle) ClosePort(handle);
    }
    void OpenThrough(const std::string& path)
    {
        const Outcome<PortHandle> opened = OpenPortExclusive(path);
        ASSERT_TRUE(opened) << opened.result.Message();
        handle = opened.value;
    }
    PortHandle handle = InvalidPortHandle;
};

TEST_F(PortPresence, AnOpenPortWithItsFarEndIsPresent)
{
    PtyPair pty;
    OpenThrough(pty.SlavePath());
    EXPECT_TRUE(CheckPortPresent(handle).Ok());
    // Waiting input does not count as a hang-up.
    pty.WriteFromFarEnd({0x42});
    EXPECT_TRUE(CheckPortPresent(handle).Ok());
}

TEST_F(PortPresence, AHangUpIsADeviceGoneAndReadsSayTheSame)
{
    PtyPair pty;
    OpenThrough(pty.SlavePath());
    pty.HangUp();
    const SerialResult check = CheckPortPresent(handle);
    EXPECT_TRUE(MeansDeviceGone(check)) << check.Message();
    std::uint8_t byte = 0;
    const Outcome<std::size_t> read = ReadByteWithinTimeouts(handle, byte);
    EXPECT_TRUE(MeansDeviceGone(read.result)) << read.result.Message();
    const Outcome<std::size_t> written = WriteByteWithinTimeouts(handle, 0x67);
    EXPECT_TRUE(MeansDeviceGone(written.result)) << written.result.Message();
}

TEST_F(PortPresence, ARemovedOrRepointedLinkIsADeviceGone)
{
    TemporaryFolder folder;
    PtyPair first;
    PtyPair second;
    const std::string link = folder.Path() + "/usb-Maker_Adapter_1234-if00-port0";
    ASSERT_EQ(symlink(first.SlavePath().c_str(), link.c_str()), 0);
    OpenThrough(link);
    EXPECT_TRUE(CheckPortPresent(handle).Ok());

    ASSERT_EQ(unlink(link.c_str()), 0);
    EXPECT_EQ(CheckPortPresent(handle).error, ENODEV);
    // Back under the same name, but another device: this handle will never reach it.
    ASSERT_EQ(symlink(second.SlavePath().c_str(), link.c_str()), 0);
    EXPECT_EQ(CheckPortPresent(handle).error, ENODEV);
}

TEST_F(PortPresence, AClosedHandleIsNoDeviceGone)
{
    PtyPair pty;
    OpenThrough(pty.SlavePath());
    ClosePort(handle);
    const SerialResult check = CheckPortPresent(handle);
    handle = InvalidPortHandle;
    EXPECT_EQ(check.error, EBADF);
    EXPECT_FALSE(MeansDeviceGone(check));
}

} // namespace
