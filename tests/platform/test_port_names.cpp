#include "platform/PortNames.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class PortNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("DUOCLAVE_COM1");
        unsetenv("DUOCLAVE_COM2");
        SetComPortPath(1, "");
        SetComPortPath(2, "");
    }
    void TearDown() override { SetUp(); }
};

} // namespace

TEST_F(PortNames, DefaultsForTheNamesOfTheProgramAndTheDriver)
{
    EXPECT_EQ(DevicePathForPortName("Com1"), "/dev/ttyS0");
    EXPECT_EQ(DevicePathForPortName("\\\\.\\COM1"), "/dev/ttyS0");
    EXPECT_EQ(DevicePathForPortName("Com2"), "/dev/ttyS1");
    EXPECT_EQ(DevicePathForPortName("\\\\.\\COM2"), "/dev/ttyS1");
    EXPECT_EQ(DevicePathForPortName("COM16"), "/dev/ttyS15");
}

TEST_F(PortNames, OtherNamesArePaths)
{
    EXPECT_EQ(DevicePathForPortName("/dev/pts/7"), "/dev/pts/7");
    EXPECT_EQ(DevicePathForPortName("Com"), "Com");
    EXPECT_EQ(DevicePathForPortName("Com0"), "Com0");
    EXPECT_EQ(DevicePathForPortName("Com01"), "Com01");
    EXPECT_EQ(DevicePathForPortName("Com1x"), "Com1x");
    EXPECT_EQ(DevicePathForPortName(""), "");
    EXPECT_EQ(ComPortNumber("\\\\.\\COM12"), 12);
    EXPECT_EQ(ComPortNumber("tty"), 0);
}

TEST_F(PortNames, TheOptionBeatsTheEnvironmentWhichBeatsTheDefault)
{
    setenv("DUOCLAVE_COM1", "/tmp/from-env", 1);
    EXPECT_EQ(DevicePathForPortName("Com1"), "/tmp/from-env");
    EXPECT_EQ(DevicePathForPortName("Com2"), "/dev/ttyS1");
    SetComPortPath(1, "/tmp/from-option");
    EXPECT_EQ(DevicePathForPortName("Com1"), "/tmp/from-option");
    EXPECT_EQ(DevicePathForPortName("\\\\.\\COM1"), "/tmp/from-option");
    SetComPortPath(1, "");
    EXPECT_EQ(DevicePathForPortName("Com1"), "/tmp/from-env");
    SetComPortPath(2, "/tmp/second");
    EXPECT_EQ(DevicePathForPortName("Com2"), "/tmp/second");
}
