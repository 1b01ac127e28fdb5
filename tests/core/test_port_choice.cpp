// Which device COM1 and COM2 stand for: a path set for the run, then the environment, then the
// choice remembered from an earlier run, then the default; and the choice kept across runs.

#include "core/PortChoice.h"
#include "platform/PortNames.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

using core::PortSource;

namespace {

class PortChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settingsFolder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
        Clear();
    }
    void TearDown() override { Clear(); }
    void Clear()
    {
        for (int port : {1, 2}) {
            platform::SetComPortPath(port, "");
            unsetenv(("DUOCLAVE_COM" + std::to_string(port)).c_str());
        }
    }
    QTemporaryDir settingsFolder;
};

struct Layers {
    const char* name;
    const char* thisRun;     // nullptr: not set
    const char* environment;
    const char* remembered;
    const char* expectedPath;
    PortSource expectedSource;
};

class PortChoiceOrder : public PortChoice, public ::testing::WithParamInterface<Layers> {};

TEST_P(PortChoiceOrder, TheStrongestLayerSetWins)
{
    const Layers& c = GetParam();
    if (c.remembered) {
        ASSERT_TRUE(core::ChoosePortPath(1, c.remembered));
    }
    platform::SetComPortPath(1, c.thisRun ? c.thisRun : ""); // a choice also counts for its run
    if (c.environment) setenv("DUOCLAVE_COM1", c.environment, 1);
    for (const char* name : {"Com1", "COM1", "\\\\.\\COM1"}) {
        const core::ResolvedPort port = core::ResolvePort(name);
        EXPECT_EQ(port.path, c.expectedPath) << name;
        EXPECT_EQ(port.source, c.expectedSource) << name;
    }
    // The other port is untouched.
    EXPECT_EQ(core::ResolvePortPath("Com2"), "/dev/ttyS1");
}

INSTANTIATE_TEST_SUITE_P(Layers, PortChoiceOrder, ::testing::Values(
    Layers{"Nothing", nullptr, nullptr, nullptr, "/dev/ttyS0", PortSource::Default},
    Layers{"Remembered", nullptr, nullptr, "/dev/ttyUSB0", "/dev/ttyUSB0", PortSource::Remembered},
    Layers{"EnvironmentOverRemembered", nullptr, "/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyACM0", PortSource::Environment},
    Layers{"OptionOverAll", "/tmp/sim", "/dev/ttyACM0", "/dev/ttyUSB0", "/tmp/sim", PortSource::ThisRun},
    Layers{"OptionOverRemembered", "/tmp/sim", nullptr, "/dev/ttyUSB0", "/tmp/sim", PortSource::ThisRun}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PortChoice, AChoiceCountsAtOnceAndIsRememberedForTheNextRun)
{
    setenv("DUOCLAVE_COM2", "/dev/from-env", 1);
    ASSERT_TRUE(core::ChoosePortPath(2, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
    // In this run the choice wins even over the environment...
    EXPECT_EQ(core::ResolvePortPath("Com2"), "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    // ...in the next (no run path set) the environment does, and without it the choice.
    platform::SetComPortPath(2, "");
    EXPECT_EQ(core::ResolvePort("Com2").source, PortSource::Environment);
    unsetenv("DUOCLAVE_COM2");
    EXPECT_EQ(core::ResolvePort("Com2").source, PortSource::Remembered);
    EXPECT_EQ(core::RememberedPortPath(2), "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    // Kept in the user's settings file, where another program reads it too.
    QSettings file(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Duoclave"), QStringLiteral("duoclave"));
    EXPECT_EQ(file.value(QStringLiteral("ports/com2")).toString(),
              QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
    EXPECT_TRUE(file.fileName().startsWith(settingsFolder.path())) << file.fileName().toStdString();
}

TEST_F(PortChoice, AnEmptyChoiceForgetsItAndTheDefaultReturns)
{
    ASSERT_TRUE(core::ChoosePortPath(1, "/dev/ttyUSB3"));
    ASSERT_TRUE(core::ChoosePortPath(1, ""));
    EXPECT_EQ(core::RememberedPortPath(1), "");
    EXPECT_EQ(core::ResolvePort("Com1").path, "/dev/ttyS0");
    EXPECT_EQ(core::ResolvePort("Com1").source, PortSource::Default);
}

TEST_F(PortChoice, PathsAreNoPortNames)
{
    ASSERT_TRUE(core::ChoosePortPath(1, "/dev/ttyUSB3"));
    EXPECT_EQ(core::ResolvePort("/dev/ttyACM1").path, "/dev/ttyACM1");
    EXPECT_EQ(core::ResolvePort("/dev/ttyACM1").source, PortSource::Path);
    EXPECT_FALSE(core::ChoosePortPath(0, "/dev/ttyUSB3"));
}

TEST_F(PortChoice, SourcesInWords)
{
    EXPECT_EQ(core::DescribePortSource(PortSource::Environment, 2), "from DUOCLAVE_COM2");
    EXPECT_EQ(core::DescribePortSource(PortSource::Remembered, 1), "remembered");
    EXPECT_EQ(core::DescribePortSource(PortSource::Default, 1), "default");
    EXPECT_EQ(core::DescribePortSource(PortSource::ThisRun, 1), "set for this run");
}

} // namespace
