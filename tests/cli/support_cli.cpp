#include "support_cli.h"

#include <csignal>

namespace testing_support {

namespace {

// Guards against a program that never ends: generous, never a measure.
constexpr int RunGuardMs = 60000;
constexpr int LineGuardMs = 10000;

std::unique_ptr<QProcess> StartCli(const QStringList& arguments, const QStringList& environment)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(name));
    for (const QString& entry : environment) env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    process->setProcessEnvironment(env);
    process->start(QString::fromLocal8Bit(qgetenv("DUOCLAVE_CLI")), arguments);
    process->waitForStarted();
    return process;
}

CliResult Result(QProcess& process, const QString& outSoFar)
{
    CliResult result;
    result.out = outSoFar + QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit && process.state() == QProcess::NotRunning)
        result.exitCode = process.exitCode();
    return result;
}

} // namespace

CliResult RunCli(const QStringList& arguments, const QStringList& environment)
{
    const std::unique_ptr<QProcess> process = StartCli(arguments, environment);
    process->waitForFinished(RunGuardMs);
    return Result(*process, {});
}

CliProcess::CliProcess(const QStringList& arguments) : process_(StartCli(arguments, {})) {}

bool CliProcess::Started() const { return process_->state() == QProcess::Running; }

QString CliProcess::ReadLine()
{
    while (!process_->canReadLine()) {
        if (!process_->waitForReadyRead(LineGuardMs)) return {};
    }
    QString line = QString::fromUtf8(process_->readLine());
    out_ += line;
    line.chop(1);
    return line;
}

void CliProcess::Signal(int signal) { ::kill(pid_t(process_->processId()), signal); }

CliResult CliProcess::Finish()
{
    process_->waitForFinished(RunGuardMs);
    return Result(*process_, out_);
}

} // namespace testing_support
