#pragma once
// The file error of a picture export: the file could not be created or written.

#include <QString>
#include <stdexcept>

namespace chart {

class EWmfFileError : public std::runtime_error {
public:
    // Worded as the runtime's own file error: Cannot create file "path". reason
    EWmfFileError(const QString& path, const QString& reason)
        : std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason).toStdString())
    {
    }
};

} // namespace chart
