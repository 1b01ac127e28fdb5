// duoclave-cli measure against duoclave-sim on a pty: the samples it prints and the files it
// writes, against what the window takes and saves from the same simulated device; an interrupted
// run; a silent device; a file that cannot be written.

#include "cli/ExitCodes.h"
#include "core/PortMessages.h"
#include "support_cli.h"
#include "tests/integration/support_measurement.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

using testing_support::CliProcess;
using testing_support::CliResult;
using testing_support::RunCli;

namespace {

// A ramp through zero: the same values in the same order for every reader of a fresh simulator.
const std::vector<std::string> Ramp{"--sync", "ramp:-20:7", "--no-byte-time"};
constexpr int Seconds = 10;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

// The .dat file that the lines printed on standard output stand for.
QByteArray DatOf(const QString& printed)
{
    QByteArray bytes = printed.toUtf8();
    bytes.replace("\n", "\r\n");
    return bytes;
}

class CliMeasure : public testing_support::MeasurementWindow {
protected:
    QStringList PortArgs(const SimProcess& device) const
    {
        return {QStringLiteral("--port"), QString::fromStdString(device.LinkPath())};
    }
    QTemporaryDir dir;
};

TEST_F(CliMeasure, TenSecondsGiveTheFilesTheWindowSaves)
{
    // The window, its handlers called as the timer and the operator call them.
    StartWithDevice(Ramp);
    Switch();
    for (int i = 0; i < Seconds; ++i) Tick();
    const QString windowDat = dir.filePath(QStringLiteral("window.dat"));
    const QString windowPicture = dir.filePath(QStringLiteral("window.wmf"));
    dialogs.AnswerSaveDialogs({windowDat, windowPicture});
    form->Button1->click();
    form->Button2->click();
    ASSERT_TRUE(dialogs.Texts(testing_support::ScriptedDialogs::Kind::Error).isEmpty());

    SimProcess device(Ramp);
    ASSERT_TRUE(device.Running()) << device.Error();
    const QString cliDat = dir.filePath(QStringLiteral("cli.dat"));
    const QString cliPicture = dir.filePath(QStringLiteral("cli.wmf"));
    const CliResult r = RunCli(PortArgs(device) + QStringList{QStringLiteral("measure"), QStringLiteral("--seconds"),
                                                               QString::number(Seconds), QStringLiteral("--out"), cliDat,
                                                               QStringLiteral("--picture"), cliPicture});
    EXPECT_EQ(r.exitCode, cli::ExitSuccess) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());

    const QByteArray expected = ReadAll(windowDat);
    EXPECT_EQ(expected.count("\r\n"), Seconds);
    EXPECT_TRUE(expected.startsWith("0\t-20\r\n1\t-13\r\n2\t-6\r\n3\t1\r\n")) << expected.toStdString();
    EXPECT_EQ(ReadAll(cliDat), expected);
    EXPECT_EQ(DatOf(r.out), expected);
    EXPECT_EQ(ReadAll(cliPicture), ReadAll(windowPicture));
}

TEST_F(CliMeasure, PictureFormatFollowsTheExtensionAsInTheWindow)
{
    constexpr int ShortRun = 3;
    constexpr int SvgFilter = 2;
    StartWithDevice(Ramp);
    Switch();
    for (int i = 0; i < ShortRun; ++i) Tick();
    const QString windowPicture = dir.filePath(QStringLiteral("window.svg"));
    dialogs.AnswerSaveDialog(windowPicture, SvgFilter);
    form->Button2->click();
    ASSERT_TRUE(dialogs.Texts(testing_support::ScriptedDialogs::Kind::Error).isEmpty());

    SimProcess device(Ramp);
    ASSERT_TRUE(device.Running()) << device.Error();
    const QString cliPicture = dir.filePath(QStringLiteral("cli.svg"));
    const CliResult r = RunCli(PortArgs(device) + QStringList{QStringLiteral("measure"), QStringLiteral("--seconds"),
                                                               QString::number(ShortRun), QStringLiteral("--picture"),
                                                               cliPicture});
    EXPECT_EQ(r.exitCode, cli::ExitSuccess) << r.err.toStdString();
    const QByteArray svg = ReadAll(cliPicture);
    EXPECT_TRUE(svg.startsWith("<?xml") && svg.contains("<svg")) << svg.left(200).toStdString();
    EXPECT_TRUE(svg.contains(">Sync [us]</text>"));
    EXPECT_EQ(svg, ReadAll(windowPicture));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("cli.wmf"))));
}

TEST_F(CliMeasure, AStopSignalSavesTheSamplesTakenSoFar)
{
    for (int signal : {SIGINT, SIGTERM}) {
        SimProcess device(Ramp);
        ASSERT_TRUE(device.Running()) << device.Error();
        const QString dat = dir.filePath(QStringLiteral("stopped%1.dat").arg(signal));
        CliProcess run(PortArgs(device) + QStringList{QStringLiteral("measure"), QStringLiteral("--out"), dat});
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.ReadLine(), QStringLiteral("0\t-20"));
        EXPECT_EQ(run.ReadLine(), QStringLiteral("1\t-13"));
        run.Signal(signal);
        // Without --seconds only the signal ends the run: a normal exit shows it was heeded.
        const CliResult r = run.Finish();
        EXPECT_EQ(r.exitCode, cli::ExitSuccess) << "signal " << signal << ": " << r.err.toStdString();
        // A tick under way when the signal came is finished and kept.
        const QByteArray saved = ReadAll(dat);
        EXPECT_EQ(saved, DatOf(r.out)) << "signal " << signal;
        EXPECT_TRUE(saved.startsWith("0\t-20\r\n1\t-13\r\n")) << saved.toStdString();
    }
}

TEST_F(CliMeasure, AnUnpluggedDeviceIsWaitedForAndReadAgain)
{
    SimProcess device(Ramp);
    ASSERT_TRUE(device.Running()) << device.Error();
    const QString dat = dir.filePath(QStringLiteral("replugged.dat"));
    CliProcess run(PortArgs(device) + QStringList{QStringLiteral("measure"), QStringLiteral("--seconds"), QStringLiteral("7"),
                                                  QStringLiteral("--out"), dat});
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.ReadLine(), QStringLiteral("0\t-20"));
    ASSERT_TRUE(device.Control("unplug"));
    // Long enough for a few ticks to find the device gone.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ASSERT_TRUE(device.Control("replug"));
    const CliResult r = run.Finish();

    EXPECT_EQ(r.exitCode, cli::ExitDevice) << r.err.toStdString();
    const QString lost = QStringLiteral("duoclave-cli: Status: Error: %1\n")
                             .arg(QString::fromLatin1(core::PortFailureAdvice(platform::PortFailure::DeviceGone)));
    EXPECT_TRUE(r.err.contains(lost)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("duoclave-cli: Missed readings: 1, last at "))) << r.err.toStdString();
    EXPECT_TRUE(r.err.indexOf(QStringLiteral("duoclave-cli: Status: OK\n")) > r.err.indexOf(lost)) << r.err.toStdString();
    // Missed readings take no sample numbers; the device's ramp goes on where it stopped.
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2) << r.out.toStdString();
    EXPECT_LT(lines.size(), 7) << r.out.toStdString();
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], QStringLiteral("%1\t%2").arg(i).arg(-20 + 7 * i)) << r.out.toStdString();
    EXPECT_EQ(ReadAll(dat), DatOf(r.out));
}

TEST_F(CliMeasure, ASilentDeviceGivesMissedReadingsAndNoSamples)
{
    SimProcess device({"--fault", "silence"});
    ASSERT_TRUE(device.Running()) << device.Error();
    const QString dat = dir.filePath(QStringLiteral("silent.dat"));
    const CliResult r = RunCli(PortArgs(device) + QStringList{QStringLiteral("measure"), QStringLiteral("--seconds"),
                                                               QStringLiteral("2"), QStringLiteral("--out"), dat});
    EXPECT_EQ(r.exitCode, cli::ExitDevice);
    EXPECT_EQ(r.out, QString());
    const QStringList messages = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(messages.size(), 2) << r.err.toStdString();
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("duoclave-cli: Missed readings: 1, last at "))) << r.err.toStdString();
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("duoclave-cli: Missed readings: 2, last at "))) << r.err.toStdString();
    EXPECT_EQ(ReadAll(dat), QByteArray());
}

TEST_F(CliMeasure, FilesThatCannotBeWrittenAreRefusedBeforeTheRun)
{
    const QStringList targets[] = {
        {QStringLiteral("--out"), QStringLiteral("/nonexistent/folder/sync.dat")},
        {QStringLiteral("--picture"), QStringLiteral("/nonexistent/folder/sync.wmf")},
    };
    for (const QStringList& target : targets) {
        // The port is absent too: the file is checked first, so no run is started at all.
        const CliResult r = RunCli(QStringList{QStringLiteral("--port"), QStringLiteral("/nonexistent/ttyX"),
                                               QStringLiteral("measure")} + target);
        EXPECT_EQ(r.exitCode, cli::ExitBadInput) << target.join(' ').toStdString();
        EXPECT_EQ(r.out, QString());
        EXPECT_TRUE(r.err.contains(QStringLiteral("cannot create file ") + target[1])) << r.err.toStdString();
    }
}

} // namespace
