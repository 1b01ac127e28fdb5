#include "cli/MeasureCommand.h"

#include "cli/ExitCodes.h"
#include "cli/HelpText.h"
#include "cli/StopSignals.h"
#include "chart/layerchart.h"
#include "core/EFileError.h"
#include "core/MeasurementFile.h"
#include "core/PortConnection.h"
#include "core/SyncChart.h"
#include "core/SyncMeasurement.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace cli {

namespace {

// The window's Timer1 interval.
constexpr std::chrono::milliseconds TickInterval{1000};

// The chart is a widget and needs the toolkit. duoclave-cli shows no window, so unless the user
// chose a platform it draws off screen: that works over ssh and without any display, and the
// picture does not depend on one.
// The toolkit's notes (no runtime folder, font substitutions) say nothing a user of the
// measurement can act on; only its errors reach standard error.
void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s: %s\n", CliHelp().program, qPrintable(message));
}

std::unique_ptr<QApplication> StartToolkit()
{
    if (QApplication::instance()) return nullptr;
    qInstallMessageHandler(ToolkitMessage);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "duoclave-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

bool DirectoryTakesFiles(const QString& path, QString& error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        error = QStringLiteral("cannot create file %1: no folder %2").arg(path, folder);
        return false;
    }
    if (access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
        error = QStringLiteral("cannot create file %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

} // namespace

bool ReadMeasureSettings(const Invocation& invocation, MeasureSettings& settings, QString& error)
{
    settings = MeasureSettings();
    if (invocation.Has("--seconds")) {
        bool ok = false;
        const QString text = invocation.Value("--seconds");
        settings.seconds = text.toInt(&ok);
        if (!ok || settings.seconds < 1) {
            error = QStringLiteral("--seconds needs a whole number of seconds from 1: %1").arg(text);
            return false;
        }
    }
    settings.datPath = invocation.Value("--out");
    settings.picturePath = invocation.Value("--picture");
    return true;
}

bool CheckMeasureFiles(const MeasureSettings& settings, QString& error)
{
    for (const QString& path : {settings.datPath, settings.picturePath})
        if (!path.isEmpty() && !DirectoryTakesFiles(path, error)) return false;
    return true;
}

int MeasureCommand(const MeasureSettings& settings, Console& console, core::PortConnection& port)
{
    const std::unique_ptr<QApplication> toolkit = StartToolkit();
    chart::TLayerChart chart;
    chart.resize(core::SyncChartSize);
    core::ApplySyncChartSettings(chart);
    std::int32_t count = 0;
    std::unique_ptr<QStringList> log;
    core::SyncMeasurement measurement(chart, count, log);
    measurement.Start();

    int status = ExitSuccess;
    {
        StopSignals stop;
        // Ticks on a fixed grid, the first one interval after the start, as the window's timer;
        // a tick that is late is not made up.
        auto next = std::chrono::steady_clock::now() + TickInterval;
        for (int ticks = 0; settings.seconds == 0 || ticks < settings.seconds; ++ticks) {
            if (stop.WaitUntil(next)) break;
            const core::SyncTick tick = measurement.Tick(QDateTime::currentDateTime(), port);
            if (tick.portChanged) console.Err(QString::fromStdString(port.StatusText()));
            if (!tick.taken) {
                console.Err(measurement.MissedReadingText());
                status = ExitDevice;
            } else if (!console.Out(core::SampleLine(tick.number, tick.value))) {
                console.Err(QStringLiteral("standard output closed; measurement ended"));
                break;
            }
            const auto now = std::chrono::steady_clock::now();
            while (next <= now) next += TickInterval;
        }
    }

    if (!settings.datPath.isEmpty()) {
        try {
            core::SaveMeasurementFile(settings.datPath, log ? *log : QStringList());
        } catch (const core::EFileError& e) {
            console.Err(e.Message());
            status = ExitBadInput;
        }
    }
    if (!settings.picturePath.isEmpty()) {
        try {
            core::SaveSyncPicture(chart, settings.picturePath);
        } catch (const std::exception& e) {
            console.Err(QString::fromUtf8(e.what()));
            status = ExitBadInput;
        }
    }
    return status;
}

} // namespace cli
