#pragma once
// Another process that holds a serial port, for tests of ports in use and of ports released:
// the test program starts itself again in a mode that opens the port, says whether it got it,
// and keeps it until told to let go.

#include <QProcess>
#include <QString>

class PortHolder {
public:
    // Starts the other process and waits until it has tried to open `path`.
    explicit PortHolder(const QString& path);
    // Lets the port go and waits for the process to end.
    ~PortHolder();
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    // True when the other process opened the port (and holds it now).
    bool Holds() const { return holds_; }
    // Its report: "held", or the failure of the open.
    const QString& Report() const { return report_; }

private:
    QProcess process_;
    bool holds_ = false;
    QString report_;
};
