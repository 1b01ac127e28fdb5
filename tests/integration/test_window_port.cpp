// The window's serial port against duoclave-sim: the status line, a port in use, a change of
// port, a port that goes missing, and the release when the window closes.

#include "core/PortConnection.h"
#include "core/PortMessages.h"
#include "core/PortState.h"
#include "app/TRadioGroup.h"
#include "app/MainWindow.h"
#include "app/support_form.h"
#include "app/support_scripted_dialogs.h"
#include "platform/PortNames.h"
#include "platform/SerialPort.h"
#include "support/SimProcess.h"
#include "support_port_holder.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using testing_support::ChooseRow;
using testing_support::EditText;
using testing_support::ScriptedDialogs;

namespace {

const char* const MissingPort = "/nonexistent/duoclave-port";

QString NotFoundText() { return QString::fromStdString(core::PortStatusText(platform::PortFailure::NotFound, {})); }

class WindowPort : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (form) form->close();
        form.reset();
        platform::SetComPortPath(1, "");
        platform::SetComPortPath(2, "");
    }
    void Start(const std::string& com1, const std::string& com2 = MissingPort)
    {
        platform::SetComPortPath(1, com1);
        platform::SetComPortPath(2, com2);
        form = std::make_unique<TForm1>(dialogs);
    }
    void ClickPort(int item) { form->RadioGroup1->Button(item)->click(); }
    QString PortStatus() const { return form->Label1->text(); }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(WindowPort, APresentPortIsOkEvenWithASilentDevice)
{
    SimProcess sim({"--fault", "silence"});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    Start(sim.LinkPath());
    EXPECT_EQ(PortStatus(), QStringLiteral("Status: OK"));
    EXPECT_TRUE(PortIsOpen);
    EXPECT_EQ(PortDeviceName, "Com1");
    // The status line says nothing about the device; its reads fail.
    ChooseRow(*form, 0);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_FALSE(form->Measuring);
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(WindowPort, TheLineIsSetTo9600EightNoneOne)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    Start(sim.LinkPath());
    const platform::Outcome<platform::Dcb> dcb = platform::GetLineSettings(PortHandle);
    ASSERT_TRUE(dcb.Ok());
    EXPECT_EQ(dcb.value.BaudRate, 9600u);
    EXPECT_EQ(dcb.value.ByteSize, 8);
    EXPECT_EQ(dcb.value.Parity, platform::ParityNone);
    EXPECT_EQ(dcb.value.StopBits, platform::StopBitsOne);
    EXPECT_FALSE(dcb.value.Flag(platform::DcbOutX));
    EXPECT_EQ(dcb.value.RtsControl(), platform::RtsControlDisable);
    const platform::Outcome<platform::QueueSizes> queues = platform::GetQueueSizes(PortHandle);
    ASSERT_TRUE(queues.Ok());
    EXPECT_EQ(queues.value.In, 20u);
    EXPECT_EQ(queues.value.Out, 20u);
}

TEST_F(WindowPort, AnAbsentPortIsAnErrorAndTheWindowStaysUsable)
{
    Start(MissingPort);
    EXPECT_EQ(PortStatus(), NotFoundText());
    EXPECT_EQ(PortHandle, platform::InvalidPortHandle);
    EXPECT_FALSE(form->Measuring);
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
}

TEST_F(WindowPort, APortHeldByAnotherProcessIsAnError)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    PortHolder other(QString::fromStdString(sim.LinkPath()));
    ASSERT_TRUE(other.Holds()) << other.Report().toStdString();
    Start(sim.LinkPath());
    EXPECT_EQ(PortStatus(), QString::fromStdString(core::PortStatusText(platform::PortFailure::InUse, {})));
}

TEST_F(WindowPort, ClosingTheWindowReleasesThePort)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    Start(sim.LinkPath());
    ASSERT_EQ(PortStatus(), QStringLiteral("Status: OK"));
    {
        PortHolder whileOpen(QString::fromStdString(sim.LinkPath()));
        EXPECT_FALSE(whileOpen.Holds());
    }
    EXPECT_TRUE(form->close());
    PortHolder afterwards(QString::fromStdString(sim.LinkPath()));
    EXPECT_TRUE(afterwards.Holds()) << afterwards.Report().toStdString();
}

TEST_F(WindowPort, AClosedWindowWaitsForNoDevice)
{
    Start(MissingPort);
    ASSERT_TRUE(form->Port().IsWaitingForDevice());
    EXPECT_TRUE(form->Timer_PortWatch->isActive());
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->Port().IsWaitingForDevice());
    EXPECT_FALSE(form->Timer_PortWatch->isActive());
}

TEST_F(WindowPort, AChangeOfPortClosesTheOldPortFirst)
{
    SimProcess first({"--reg", "20=11"});
    SimProcess second({"--reg", "20=22"});
    ASSERT_TRUE(first.Running() && second.Running());
    Start(first.LinkPath(), second.LinkPath());
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("11"));

    ClickPort(1);
    EXPECT_EQ(PortStatus(), QStringLiteral("Status: OK"));
    EXPECT_EQ(PortDeviceName, "Com2");
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 1);
    PortHolder released(QString::fromStdString(first.LinkPath()));
    EXPECT_TRUE(released.Holds()) << released.Report().toStdString();
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("22"));

    // The new port gets speed and framing on top of its default configuration.
    const platform::Outcome<platform::Dcb> dcb = platform::GetLineSettings(PortHandle);
    ASSERT_TRUE(dcb.Ok());
    EXPECT_EQ(dcb.value.BaudRate, 9600u);
    EXPECT_EQ(dcb.value.ByteSize, 8);
}

TEST_F(WindowPort, AfterAChangeToAMissingPortReadsFailAndTheWindowStaysUsable)
{
    SimProcess sim({"--reg", "0=7"});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    Start(sim.LinkPath(), MissingPort);
    ASSERT_EQ(PortStatus(), QStringLiteral("Status: OK"));

    ClickPort(1);
    EXPECT_EQ(PortStatus(), NotFoundText());
    EXPECT_TRUE(PortIsOpen); // from the earlier success; nothing clears it
    ChooseRow(*form, 0);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    form->Button_Working->click();
    EXPECT_EQ(form->Label_E2PROM->text(), QStringLiteral("Comm error"));

    // The old port was released and can be chosen again.
    ClickPort(0);
    EXPECT_EQ(PortStatus(), QStringLiteral("Status: OK"));
    ChooseRow(*form, 0);
    EXPECT_EQ(EditText(*form), QStringLiteral("$7"));
}

TEST_F(WindowPort, ClosingAfterAFailedChangeIsHarmless)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    Start(sim.LinkPath(), MissingPort);
    ClickPort(1);
    ASSERT_EQ(PortStatus(), NotFoundText());
    EXPECT_TRUE(form->close());
    PortHolder afterwards(QString::fromStdString(sim.LinkPath()));
    EXPECT_TRUE(afterwards.Holds()) << afterwards.Report().toStdString();
}

} // namespace
