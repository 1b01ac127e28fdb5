#include "support_port_holder.h"

#include "platform/SerialPort.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const char* const HoldVariable = "DUOCLAVE_TEST_HOLD_PORT";
constexpr int ProcessWaitMs = 30000; // a guard against a hung helper, not a measurement

// In the helper process this runs before main: open, report, hold until stdin closes, exit.
[[maybe_unused]] const bool holderMode = [] {
    const char* path = std::getenv(HoldVariable);
    if (!path || !*path) return false;
    const platform::Outcome<platform::PortHandle> opened = platform::OpenPortExclusive(path);
    if (opened)
        std::printf("held\n");
    else
        std::printf("%s\n", opened.result.Message().c_str());
    std::fflush(stdout);
    char buffer[64];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    if (opened) platform::ClosePort(opened.value);
    std::_Exit(0);
}();

} // namespace

PortHolder::PortHolder(const QString& path)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(HoldVariable), path);
    process_.setProcessEnvironment(environment);
    process_.start(QCoreApplication::applicationFilePath(), {});
    if (!process_.waitForStarted(ProcessWaitMs)) {
        report_ = QStringLiteral("helper did not start");
        return;
    }
    while (!process_.canReadLine() && process_.waitForReadyRead(ProcessWaitMs)) {
    }
    report_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    holds_ = report_ == QStringLiteral("held");
}

PortHolder::~PortHolder()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(ProcessWaitMs)) process_.kill();
    process_.waitForFinished(ProcessWaitMs);
}
