#pragma once
// Runs the real duoclave-cli (the path in the environment variable DUOCLAVE_CLI) as a child
// process. The child gets the test's environment without a display or a chosen Qt platform, so
// that it runs as it would over ssh.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace testing_support {

struct CliResult {
    int exitCode = -1;     // -1: did not end normally
    QString out;
    QString err;
};

// Runs duoclave-cli with `arguments` to its end; `environment` entries "NAME=VALUE" are added.
CliResult RunCli(const QStringList& arguments, const QStringList& environment = {});

// A duoclave-cli that keeps running (a measurement), read line by line.
class CliProcess {
public:
    explicit CliProcess(const QStringList& arguments);
    bool Started() const;
    // The next line of standard output without its line end; a null string when none came
    // within the guard time or the program ended.
    QString ReadLine();
    void Signal(int signal);
    // Waits for the end; the rest of the output goes into the result.
    CliResult Finish();

private:
    std::unique_ptr<QProcess> process_;
    QString out_;
};

} // namespace testing_support
