#include "chart/wmffilename.h"

namespace chart {

namespace {

const QString MetafileExtension = QStringLiteral(".wmf");

// Windows' path and drive delimiters count too, so names typed the Windows way split the same.
bool IsDelimiter(QChar c) { return c == u'/' || c == u'\\' || c == u':'; }

} // namespace

QString WmfFileName(const QString& fileName)
{
    qsizetype nameStart = fileName.size();
    while (nameStart > 0 && !IsDelimiter(fileName[nameStart - 1]))
        --nameStart;
    QString name = fileName.mid(nameStart);
    if (const qsizetype dot = name.indexOf(u'.'); dot >= 0)
        name.truncate(dot);
    return fileName.left(nameStart) + name + MetafileExtension;
}

} // namespace chart
