#pragma once
// The file error of a picture export: the file could not be created or written.

#include "chart/wholefile.h"

#include <QString>
#include <stdexcept>

namespace chart {

class EPictureFileError : public std::runtime_error {
public:
    // Worded as the runtime's own file error: Cannot create file "path". reason
    EPictureFileError(const QString& path, const QString& reason)
        : std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason).toStdString())
    {
    }
    // A write cut short (a full disk) says so: Cannot write file "path". reason
    EPictureFileError(const QString& path, const WholeFileResult& failed)
        : std::runtime_error(QStringLiteral("Cannot %1 file \"%2\". %3")
                                 .arg(failed.failure == WholeFileResult::wfWrite ? QStringLiteral("write")
                                                                                  : QStringLiteral("create"),
                                      path, failed.reason)
                                 .toStdString())
    {
    }
};

} // namespace chart
