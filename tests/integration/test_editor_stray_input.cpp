// The drain before an editor read, against a device that sends junk on its own: leftovers are
// discarded, and a line that never falls quiet cannot hold the window.

#include "app/MainWindow.h"
#include "core/E2PROMEditor.h"
#include "app/support_form.h"
#include "app/support_scripted_dialogs.h"
#include "platform/PortNames.h"
#include "platform/TickCount.h"
#include "support/SimProcess.h"
#include "support_link.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <iostream>
#include <memory>

using platform::LineDirection;
using testing_support::ChooseRow;
using testing_support::EditText;
using testing_support::ScriptedDialogs;

namespace {

class StrayInput : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& options)
    {
        sim = std::make_unique<SimProcess>(options);
        ASSERT_TRUE(sim->Running()) << sim->Error();
        platform::SetComPortPath(1, sim->LinkPath());
        form = std::make_unique<TForm1>(dialogs);
        ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
    }
    void TearDown() override
    {
        if (form) form->close();
        form.reset();
        sim.reset();
        platform::SetComPortPath(1, "");
    }
    // Lets the device send junk until more than `bytes` of it wait in the host's input queue.
    // Without byte time the simulator hands each junk byte over at once, so once the dump has
    // come back (commands run in order) no more junk is on its way.
    void FillInputQueue(std::size_t bytes)
    {
        sim->Control("fault on stray");
        while (sim->TraceBytes(false).size() <= bytes) QTest::qWait(10);
        sim->Control("fault off stray");
        sim->Dump();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TForm1> form;
};

TEST_F(StrayInput, AFewLeftoverBytesAreDiscardedBeforeTheRead)
{
    Start({"--reg", "20=42", "--stray-interval", "1", "--no-byte-time"});
    FillInputQueue(5);
    LineRecorder line;
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("42"));
    // Every waiting byte was taken before the request went out.
    const auto events = line.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(line.Bytes(LineDirection::Sent), (std::vector<std::uint8_t>{20, 101}));
    EXPECT_GE(line.Bytes(LineDirection::Received).size(), 2u + 6u);
}

TEST_F(StrayInput, TheDrainStopsAfterItsByteLimitAndTheReadFails)
{
    Start({"--reg", "20=42", "--stray-interval", "1", "--no-byte-time"});
    FillInputQueue(core::DrainByteLimit + 50);
    LineRecorder line;
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_EQ(line.Bytes(LineDirection::Received).size(), std::size_t(core::DrainByteLimit));
    EXPECT_TRUE(line.Bytes(LineDirection::Sent).empty());
}

TEST_F(StrayInput, TheDrainStopsAfterItsTimeLimitAndTheReadFails)
{
    Start({"--reg", "20=42", "--stray-interval", "1", "--no-byte-time"});
    FillInputQueue(core::DrainByteLimit + 50);
    // A clock that moves a tenth of the limit at every reading: the limit runs out after about
    // ten bytes, long before the byte limit.
    constexpr uint32_t step = core::DrainTimeLimitMs / 10;
    platform::ScopedTickSource clock([t = uint32_t(0)]() mutable { return t += step; });
    LineRecorder line;
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_LE(line.Bytes(LineDirection::Received).size(), std::size_t(core::DrainTimeLimitMs / step + 1));
    EXPECT_TRUE(line.Bytes(LineDirection::Sent).empty());
}

TEST_F(StrayInput, WhileJunkKeepsComingReadsComeBackAndRecoverAfterwards)
{
    Start({"--reg", "20=42", "--stray-interval", "1", "--no-byte-time", "--fault", "stray"});
    for (int attempt = 0; attempt < 3; ++attempt) {
        LineRecorder line;
        ChooseRow(*form, 19);
        // The handler came back; it took at most the drain's bytes and a reply's two.
        EXPECT_LE(line.Bytes(LineDirection::Received).size(), std::size_t(core::DrainByteLimit + 2));
    }
    // Once the junk stops, the next read that finds a quiet line is right again.
    sim->Control("fault off stray");
    QString shown;
    for (int attempt = 0; attempt < 5 && shown != QStringLiteral("42"); ++attempt) {
        ChooseRow(*form, 19);
        shown = EditText(*form);
    }
    EXPECT_EQ(shown, QStringLiteral("42"));
}

} // namespace
