// The adapter pulled during a measurement and plugged in again (duoclave-sim's unplug and replug
// behind its by-id link): the status line shows the loss and the return, every tick without the
// device is one missed reading, sampling resumes at the first tick after the return, the saved
// .dat holds every good sample in order, and no tick or editor read outlasts its reply limits.
//
// The program's tick counter is the test's: it steps on every reading (so that reply waits are
// counted in readings of at least a millisecond each, whatever the machine's load) and moves on
// a second between ticks. Durations below are in that counter's milliseconds.

#include "app/MainWindow.h"
#include "app/support_form.h"
#include "app/support_scripted_dialogs.h"
#include "core/DeviceLink.h"
#include "core/PortConnection.h"
#include "core/PortMessages.h"
#include "core/SyncMeasurement.h"
#include "platform/PortNames.h"
#include "platform/TickCount.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

using platform::PortFailure;
using testing_support::ChooseRow;
using testing_support::EditText;
using testing_support::ScriptedDialogs;

namespace {

constexpr std::uint32_t TickIntervalMs = 1000;
// The longest a tick or a 16-bit editor read may hold the window: two reply waits and the gap
// between them, plus the counter readings of the surrounding steps.
constexpr std::uint32_t ExchangeLimitMs = 2 * ReplyTimeLimit + ByteGap;
constexpr std::uint32_t StepReadings = 20;
constexpr int TicksWithoutDevice = 5;
constexpr int SyncStart = 100;
constexpr int SyncStep = 3;
constexpr auto Guard = WaitForGuard;

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

// Runs the window's events until `condition` holds; false when the guard ran out first.
bool WaitInWindow(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + 3 * Guard;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QTest::qWait(10);
    }
    return true;
}

QString LostText() { return QString::fromStdString(core::PortStatusText(PortFailure::DeviceGone, {})); }

// The window on the simulator's by-id link, as a user who chose the adapter by its stable name.
class UnplugReplug : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(byId.isValid() && files.isValid());
        sim = std::make_unique<SimProcess>(std::vector<std::string>{
            "--by-id", byId.path().toStdString(), "--no-byte-time", "--reg", "20=321",
            "--sync", "ramp:" + std::to_string(SyncStart) + ":" + std::to_string(SyncStep)});
        ASSERT_TRUE(sim->Running()) << sim->Error();
        for (const auto& entry : std::filesystem::directory_iterator(byId.path().toStdString())) link = entry.path().string();
        ASSERT_FALSE(link.empty());
        platform::SetComPortPath(1, link);
        form = std::make_unique<TForm1>(dialogs);
        ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
        // Only the test runs the handlers; the window's own timers would run on the real clock.
        form->Timer_PortWatch->stop();
    }
    void TearDown() override
    {
        if (form) form->close();
        form.reset();
        platform::SetComPortPath(1, "");
        if (HasFailure() && sim) std::cout << sim->TraceText();
    }

    // A second passes, then Timer1 fires; returns how long the tick held the window.
    std::uint32_t Tick()
    {
        clock += TickIntervalMs;
        const std::uint32_t start = clock;
        form->RunHandler([this] { form->Timer1Timer(form->Timer1); });
        return clock - start;
    }
    void Unplug()
    {
        ASSERT_TRUE(sim->Control("unplug"));
        ASSERT_TRUE(WaitFor([&] { return !Exists(link); }));
    }
    void Replug()
    {
        ASSERT_TRUE(sim->Control("replug"));
        ASSERT_TRUE(WaitFor([&] { return Exists(link); }));
    }
    // An editor read of row 19 (register 20); returns how long it held the window.
    std::uint32_t ReadRow19()
    {
        const std::uint32_t start = clock;
        ChooseRow(*form, 19);
        return clock - start;
    }

    // Installed by the stories that count; the others run on the real clock.
    void CountTicks() { source.emplace([this] { return clock++; }); }

    std::uint32_t clock = 0;
    std::optional<platform::ScopedTickSource> source;
    QTemporaryDir byId;
    QTemporaryDir files;
    std::unique_ptr<SimProcess> sim;
    std::string link;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(UnplugReplug, AMeasurementRunsThroughTheLossAndResumesWhenTheDeviceIsBack)
{
    CountTicks();
    form->Button_Switch->click();
    form->Timer1->stop(); // the test ticks
    auto takeTicks = [&](int n) {
        for (int i = 0; i < n; ++i) EXPECT_LE(Tick(), ExchangeLimitMs + StepReadings) << "tick " << i;
    };
    takeTicks(3);
    ASSERT_EQ(form->MeasurementCount, 3);
    EXPECT_EQ(form->Measurement().MissedReadings(), 0);

    Unplug();
    const std::uint32_t lossTick = Tick();
    EXPECT_LE(lossTick, ExchangeLimitMs + StepReadings);
    EXPECT_EQ(form->Label1->text(), LostText());
    EXPECT_TRUE(form->Label1->text().startsWith(QStringLiteral("Status: Error")));
    EXPECT_EQ(form->Measurement().MissedReadings(), 1);
    EXPECT_FALSE(form->Label_Missed->text().isEmpty());
    EXPECT_TRUE(form->Measuring);

    // An editor read during the loss fails within its limit, as without a port.
    const std::uint32_t editorRead = ReadRow19();
    EXPECT_EQ(EditText(*form), QStringLiteral("ERROR"));
    EXPECT_LE(editorRead, ExchangeLimitMs + StepReadings);
    form->Button_Working->click();
    EXPECT_EQ(form->Label_E2PROM->text(), QStringLiteral("Comm error"));

    takeTicks(TicksWithoutDevice - 1);
    EXPECT_EQ(form->MeasurementCount, 3);
    EXPECT_NEAR(form->Measurement().MissedReadings(), TicksWithoutDevice, 1);
    EXPECT_EQ(form->Label1->text(), LostText());

    Replug();
    const std::uint32_t back = clock;
    Tick();
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
    EXPECT_EQ(form->MeasurementCount, 4) << "no sample at the first tick after the return";
    EXPECT_LE(clock - back, 2 * TickIntervalMs);
    EXPECT_TRUE(form->Label_Missed->text().isEmpty());
    EXPECT_EQ(form->Port().Path(), link); // the by-id name, whichever pty it leads to now
    takeTicks(3);
    EXPECT_EQ(form->MeasurementCount, 7);
    EXPECT_NEAR(form->Measurement().MissedReadings(), TicksWithoutDevice, 1);

    ReadRow19();
    EXPECT_EQ(EditText(*form), QStringLiteral("321"));

    // Every good sample, in order: the ramp steps once per answered read.
    const QString dat = files.filePath(QStringLiteral("through-unplug.dat"));
    dialogs.AnswerSaveDialogs({dat});
    form->Button1->click();
    QFile file(dat);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 8); // seven lines and what follows the last line end
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(lines[i], QStringLiteral("%1\t%2\r").arg(i).arg(SyncStart + i * SyncStep).toLatin1()) << i;
    EXPECT_TRUE(lines[7].isEmpty());
}

TEST_F(UnplugReplug, WithoutAMeasurementTheWindowNoticesAndReopensOnItsOwn)
{
    form->Timer_PortWatch->start();
    Unplug();
    // The guards are no measure: the watch runs once a second.
    ASSERT_TRUE(WaitInWindow([&] { return form->Label1->text() == LostText(); }));
    EXPECT_FALSE(form->Port().IsOpen());
    Replug();
    ASSERT_TRUE(WaitInWindow([&] { return form->Label1->text() == QStringLiteral("Status: OK"); }));
    ChooseRow(*form, 19);
    EXPECT_EQ(EditText(*form), QStringLiteral("321"));
}

TEST_F(UnplugReplug, TheRealTimersCarryAMeasurementThroughTheLoss)
{
    // Timer1 and the port watch on the real clock; the state after every tick is kept.
    struct Seen {
        std::int32_t samples;
        int missed;
    };
    std::vector<Seen> ticks;
    QObject::connect(form->Timer1, &QTimer::timeout, form.get(),
                     [&] { ticks.push_back({form->MeasurementCount, form->Measurement().MissedReadings()}); });
    form->Timer_PortWatch->start();
    form->Button_Switch->click();
    // The guards are no measure: ticks come once a second.
    ASSERT_TRUE(WaitInWindow([&] { return form->MeasurementCount >= 3; }));

    Unplug();
    const std::size_t unplugged = ticks.size();
    ASSERT_TRUE(WaitInWindow([&] { return ticks.size() >= unplugged + TicksWithoutDevice; }));
    EXPECT_EQ(form->Label1->text(), LostText());
    Replug();
    const std::size_t replugged = ticks.size();
    const std::int32_t samplesBefore = ticks.back().samples;
    ASSERT_TRUE(WaitInWindow([&] { return ticks.size() >= replugged + 2; }));
    form->Button_Switch->click();
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));

    // Every tick took a sample or missed one; the ticks without the device missed (the one
    // that met the unplug may have been either).
    EXPECT_EQ(ticks.back().samples + ticks.back().missed, static_cast<int>(ticks.size()));
    EXPECT_NEAR(ticks[replugged - 1].missed, static_cast<int>(replugged - unplugged), 1);
    // Sampling resumed at the first or second tick after the return.
    EXPECT_GT(ticks[replugged + 1].samples, samplesBefore);

    const QString dat = files.filePath(QStringLiteral("real-timers.dat"));
    dialogs.AnswerSaveDialogs({dat});
    form->Button1->click();
    QFile file(dat);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), form->MeasurementCount + 1);
    for (int i = 0; i < form->MeasurementCount; ++i)
        EXPECT_EQ(lines[i], QStringLiteral("%1\t%2\r").arg(i).arg(SyncStart + i * SyncStep).toLatin1()) << i;
}

} // namespace
