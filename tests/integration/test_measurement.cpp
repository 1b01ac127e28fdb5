// Measurement stories against duoclave-sim: each tick reads register 103 over a real pty and
// becomes a point of the chart and a line of the log.

#include "support_measurement.h"

#include "chart/scaleprops.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using testing_support::LayerView;
using testing_support::ScriptedDialogs;
using testing_support::ViewRange;

namespace {

constexpr double Exact = 1e-9;
constexpr int LastLayer = 16;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void ExpectView(const chart::TCustomLayerChart& chart, ViewRange expected)
{
    // Layer 0 in the range operation means every layer.
    for (int layer : {1, LastLayer}) {
        const ViewRange v = LayerView(chart, layer);
        EXPECT_NEAR(v.xLow, expected.xLow, Exact) << "layer " << layer;
        EXPECT_NEAR(v.xHigh, expected.xHigh, Exact) << "layer " << layer;
        EXPECT_NEAR(v.yLow, expected.yLow, Exact) << "layer " << layer;
        EXPECT_NEAR(v.yHigh, expected.yHigh, Exact) << "layer " << layer;
    }
}

class Measurement : public testing_support::MeasurementWindow {};

TEST_F(Measurement, StartAndStopSwitchTheTimerAndCaption)
{
    StartWithDevice({"--sync", "constant:3"});
    EXPECT_EQ(form->Button_Switch->text(), QStringLiteral("Start measurement"));
    EXPECT_FALSE(form->Measuring);
    EXPECT_EQ(form->MeasurementLog, nullptr);

    form->Button_Switch->click();
    EXPECT_TRUE(form->Measuring);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 1000);
    EXPECT_EQ(form->Button_Switch->text(), QStringLiteral("Stop Measurement"));
    ASSERT_NE(form->MeasurementLog, nullptr);
    EXPECT_TRUE(form->MeasurementLog->isEmpty());

    form->Button_Switch->click();
    EXPECT_FALSE(form->Measuring);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->Button_Switch->text(), QStringLiteral("Start Measurement"));
}

TEST_F(Measurement, FirstSampleShowsAlonePointInASmallView)
{
    StartWithDevice({"--sync", "constant:-12"});
    Switch();
    Tick();
    EXPECT_EQ(form->MeasurementCount, 1);
    EXPECT_EQ(Log(), QStringList{QStringLiteral("0\t-12")});
    // The start point and a segment to the same point.
    ASSERT_EQ(Chart().ItemCount(), 2);
    EXPECT_EQ(Chart().Item(0).Kind, chart::ikMoveTo);
    EXPECT_EQ(Chart().Item(1).Kind, chart::ikLineTo);
    EXPECT_EQ(Chart().Item(1).X, 0);
    EXPECT_EQ(Chart().Item(1).Y, -12);
    ExpectView(Chart(), {0, 1, -12.11, -11.89});
}

TEST_F(Measurement, SecondSampleFitsTheSpreadWithFivePercent)
{
    StartWithDevice({"--sync", "ramp:100:20"});
    Switch();
    Tick();
    Tick();
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("0\t100"), QStringLiteral("1\t120")}));
    EXPECT_EQ(Chart().ItemCount(), 3);
    ExpectView(Chart(), {0, 1, 99, 121});
}

TEST_F(Measurement, EqualSamplesGiveAViewWidenedByTheChart)
{
    StartWithDevice({"--sync", "constant:5"});
    Switch();
    for (int i = 0; i < 3; ++i)
        Tick();
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("0\t5"), QStringLiteral("1\t5"), QStringLiteral("2\t5")}));
    // The fit passes equal ends; the chart widens them by its minimum range around 5.
    const ViewRange v = LayerView(Chart(), 1);
    EXPECT_EQ(v.xLow, 0);
    EXPECT_EQ(v.xHigh, 2);
    EXPECT_LT(v.yLow, 5);
    EXPECT_GT(v.yHigh, 5);
    EXPECT_NEAR((v.yLow + v.yHigh) / 2, 5, Exact);
    EXPECT_NEAR(v.yHigh - v.yLow, Chart().ScaleY(1)->MinRange(), Exact);
}

TEST_F(Measurement, RawWordsAreSignedMicroseconds)
{
    struct Row {
        const char* raw;
        const char* line;
    };
    const Row rows[] = {{"0x8000", "0\t-32768"}, {"0xFFFF", "1\t-1"}, {"0x7FFF", "2\t32767"},
                        {"0", "3\t0"},          {"0x0001", "4\t1"}};
    StartWithDevice({});
    Switch();
    QStringList expected;
    for (const Row& row : rows) {
        ASSERT_TRUE(sim->Control(std::string("set 103 ") + row.raw));
        Tick();
        expected << QString::fromLatin1(row.line);
    }
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(Chart().Item(1).Y, -32768);
    EXPECT_EQ(Chart().Item(3).Y, 32767);
    ExpectView(Chart(), {0, 4, -32768 - 0.05 * 65535, 32767 + 0.05 * 65535});
}

TEST_F(Measurement, StopThenSaveWritesExactlyTheStoppedRun)
{
    StartWithDevice({"--sync", "ramp:-2:3"});
    Switch();
    for (int i = 0; i < 3; ++i)
        Tick();
    Switch(); // stop
    EXPECT_EQ(form->MeasurementCount, 3);
    EXPECT_EQ(Chart().ItemCount(), 4);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("run.dat"));
    dialogs.AnswerSaveDialogs({path});
    form->Button1->click();
    EXPECT_EQ(ReadAll(path), QByteArray("0\t-2\r\n1\t1\r\n2\t4\r\n"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const app::SaveDialogRequest& request = dialogs.shown[0].request;
    EXPECT_EQ(request.filter, QStringLiteral("Dat files|*.dat|All files|*.*"));
    EXPECT_EQ(request.defaultExt, QStringLiteral(".dat"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(dialogs.Texts(ScriptedDialogs::Kind::Error).isEmpty());
}

TEST_F(Measurement, NewStartEmptiesChartAndLog)
{
    StartWithDevice({"--sync", "ramp:7:1"});
    Switch();
    Tick();
    Tick();
    Switch(); // stop
    Switch(); // start again
    EXPECT_EQ(form->MeasurementCount, 0);
    EXPECT_EQ(Chart().ItemCount(), 0);
    ASSERT_NE(form->MeasurementLog, nullptr);
    EXPECT_TRUE(form->MeasurementLog->isEmpty());
    Tick();
    EXPECT_EQ(Log(), QStringList{QStringLiteral("0\t9")});
    ExpectView(Chart(), {0, 1, 8.89, 9.11});
}

TEST_F(Measurement, DoubleClickRestoresTheFittedView)
{
    StartWithDevice({"--sync", "ramp:100:20"});
    // Before any start: the empty view around 0.
    form->LayerChart1DblClick(form->LayerChart1);
    ExpectView(Chart(), {0, 1, -0.11, 0.11});

    Switch();
    Tick();
    Tick();
    Chart().SetZoomRange(0, 0.2, 104, 0.6, 110); // as a mouse zoom leaves it
    form->LayerChart1DblClick(form->LayerChart1);
    ExpectView(Chart(), {0, 1, 99, 121});

    // The operator's double click on the chart runs the same handler.
    Chart().SetZoomRange(0, 0.2, 104, 0.6, 110);
    QTest::mouseDClick(form->LayerChart1, Qt::LeftButton, {}, form->LayerChart1->rect().center());
    ExpectView(Chart(), {0, 1, 99, 121});
}

TEST_F(Measurement, SaveBeforeAnyStartWritesAnEmptyFile)
{
    StartWithDevice({});
    QTemporaryDir folder;
    const QString cancelled = folder.filePath(QStringLiteral("cancelled.dat"));
    const QString path = folder.filePath(QStringLiteral("empty.dat"));
    dialogs.AnswerSaveDialogs({std::nullopt, path});
    form->Button1->click(); // cancel: nothing written
    form->Button1->click();
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_EQ(ReadAll(path), QByteArray());
    EXPECT_TRUE(dialogs.Texts(ScriptedDialogs::Kind::Error).isEmpty());
}

TEST_F(Measurement, FailedSaveShowsTheErrorAndKeepsTheLog)
{
    StartWithDevice({"--sync", "constant:-4"});
    Switch();
    Tick();
    Tick();
    QTemporaryDir folder;
    const QString bad = folder.filePath(QStringLiteral("no/such/folder/run.dat"));
    const QString good = folder.filePath(QStringLiteral("run.dat"));
    dialogs.AnswerSaveDialogs({bad, good});
    form->Button1->click();
    EXPECT_EQ(dialogs.Texts(ScriptedDialogs::Kind::Error), QStringList{QStringLiteral("Cannot create file ") + bad});
    EXPECT_EQ(Log().size(), 2);
    form->Button1->click();
    EXPECT_EQ(ReadAll(good), QByteArray("0\t-4\r\n1\t-4\r\n"));
}

// A silent device gives no sample: no 0 in the data, no gap in the sample numbers, and a line
// in the window that says readings are being missed until the device speaks again.
TEST_F(Measurement, MissedReadingsTakeNoSampleAndRaiseTheAlarm)
{
    StartWithDevice({"--sync", "constant:-12"});
    QLabel* alarm = form->findChild<QLabel*>(QStringLiteral("Label_Missed"));
    ASSERT_NE(alarm, nullptr);
    EXPECT_EQ(alarm->parentWidget(), form->GroupBox1);
    EXPECT_TRUE(form->GroupBox1->rect().contains(alarm->geometry()));
    Switch();
    Tick();
    EXPECT_TRUE(alarm->text().isEmpty());

    ASSERT_TRUE(sim->Control("fault on silence"));
    Tick();
    Tick();
    EXPECT_EQ(form->MeasurementCount, 1);
    EXPECT_EQ(Log(), QStringList{QStringLiteral("0\t-12")});
    EXPECT_EQ(Chart().ItemCount(), 2);
    EXPECT_EQ(form->Measurement().MissedReadings(), 2);
    const QRegularExpression alarmText(QStringLiteral("^Missed readings: 2, last at \\d\\d:\\d\\d:\\d\\d$"));
    EXPECT_TRUE(alarmText.match(alarm->text()).hasMatch()) << alarm->text().toStdString();

    ASSERT_TRUE(sim->Control("fault off silence"));
    Tick();
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("0\t-12"), QStringLiteral("1\t-12")}));
    EXPECT_TRUE(alarm->text().isEmpty());
    EXPECT_EQ(form->Measurement().MissedReadings(), 2); // the run's total stays known

    // A new run starts with no alarm and no misses.
    ASSERT_TRUE(sim->Control("fault on silence"));
    Tick();
    EXPECT_FALSE(alarm->text().isEmpty());
    Switch(); // stop
    Switch(); // start
    EXPECT_TRUE(alarm->text().isEmpty());
    EXPECT_EQ(form->Measurement().MissedReadings(), 0);
}

} // namespace
