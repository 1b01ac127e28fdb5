#include "core/PortChoice.h"

#include "platform/PortNames.h"

#include <QSettings>
#include <QString>
#include <cstdlib>

namespace core {

namespace {

const char* const SettingsOrganization = "Duoclave";
const char* const SettingsApplication = "duoclave";
const char* const EnvironmentPrefix = "DUOCLAVE_COM";

// Named by organisation and application here, not by the program's QCoreApplication names, so
// that the window and the command-line program read the same file.
QSettings Settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(SettingsOrganization),
                     QString::fromLatin1(SettingsApplication));
}

QString Key(int portNumber) { return QStringLiteral("ports/com%1").arg(portNumber); }

std::string EnvironmentVariable(int portNumber) { return EnvironmentPrefix + std::to_string(portNumber); }

} // namespace

ResolvedPort ResolvePort(std::string_view name)
{
    const int number = platform::ComPortNumber(name);
    if (number == 0)
        return {std::string(name), PortSource::Path};
    if (std::string path = platform::ComPortOverride(number); !path.empty())
        return {path, PortSource::ThisRun};
    if (const char* path = std::getenv(EnvironmentVariable(number).c_str()); path && *path)
        return {path, PortSource::Environment};
    if (std::string path = RememberedPortPath(number); !path.empty())
        return {path, PortSource::Remembered};
    return {platform::DefaultComPortPath(number), PortSource::Default};
}

std::string ResolvePortPath(std::string_view name)
{
    return ResolvePort(name).path;
}

std::string RememberedPortPath(int portNumber)
{
    return Settings().value(Key(portNumber)).toString().toStdString();
}

bool ChoosePortPath(int portNumber, const std::string& path)
{
    if (portNumber < 1)
        return false;
    QSettings settings = Settings();
    if (path.empty())
        settings.remove(Key(portNumber));
    else
        settings.setValue(Key(portNumber), QString::fromStdString(path));
    settings.sync();
    platform::SetComPortPath(portNumber, path);
    return settings.status() == QSettings::NoError;
}

std::string DescribePortSource(PortSource source, int portNumber)
{
    switch (source) {
    case PortSource::ThisRun:
        return "set for this run";
    case PortSource::Environment:
        return "from " + EnvironmentVariable(portNumber);
    case PortSource::Remembered:
        return "remembered";
    case PortSource::Default:
        return "default";
    case PortSource::Path:
        break;
    }
    return "path";
}

} // namespace core
