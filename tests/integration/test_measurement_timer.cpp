// Ten seconds of a measurement driven by the real one-second timer against duoclave-sim at line
// speed.

#include "support_measurement.h"

#include "platform/PortNames.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr int RunMs = 10500;
constexpr int MostTicks = RunMs / 1000; // a late tick is not made up

TEST(MeasurementTimer, TenSecondsGiveAboutTenGaplessSamples)
{
    SimProcess sim({"--sync", "ramp:-3:2"});
    ASSERT_TRUE(sim.Running()) << sim.Error();
    platform::SetComPortPath(1, sim.LinkPath());
    testing_support::ScriptedDialogs dialogs;
    auto form = std::make_unique<TForm1>(dialogs);
    ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));

    form->Button_Switch->click();
    QTest::qWait(RunMs);
    form->Button_Switch->click();
    EXPECT_FALSE(form->Timer1->isActive());

    const int taken = form->MeasurementCount;
    EXPECT_GE(taken, 1);
    EXPECT_LE(taken, MostTicks);
    ASSERT_NE(form->MeasurementLog, nullptr);
    ASSERT_EQ(form->MeasurementLog->size(), taken);
    for (int i = 0; i < taken; ++i)
        EXPECT_EQ(form->MeasurementLog->at(i), QStringLiteral("%1\t%2").arg(i).arg(-3 + 2 * i));
    EXPECT_EQ(form->LayerChart1->ItemCount(), taken + 1);
    EXPECT_EQ(form->Measurement().MissedReadings(), 0);
    EXPECT_TRUE(form->Label_Missed->text().isEmpty());

    form->close();
    form.reset();
    platform::SetComPortPath(1, "");
}

} // namespace
