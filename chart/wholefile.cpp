#include "chart/wholefile.h"

#include <QSaveFile>

namespace chart {

WholeFileResult WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so a short write shows in write()'s count; a buffered flush inside commit()
    // could let a file cut off by the file system pass as complete.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {WholeFileResult::wfCreate, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting(); // the temporary file goes; an older file stays as it was
        return {WholeFileResult::wfWrite, reason};
    }
    // commit() syncs the data to the disk before it renames.
    if (!file.commit())
        return {WholeFileResult::wfCreate, file.errorString()};
    return {};
}

} // namespace chart
