#include "chart/backgroundimg.h"

namespace chart {

QString FileNamePart(const QString& path)
{
    int cut = -1;
    for (int i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c == u'/' || c == u'\\' || c == u':')
            cut = i;
    }
    return path.mid(cut + 1);
}

void TBakGndImg::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TBakGndImg::SetName(const QString& v)
{
    FName = FIncludePath ? v : FileNamePart(v);
    Changed();
}

void TBakGndImg::SetIncludePath(bool v)
{
    FIncludePath = v;
    if (!v)
        FName = FileNamePart(FName);
    Changed();
}

void TBakGndImg::SetFillMode(TBkgFill v)
{
    FFillMode = v;
    Changed();
}

void TBakGndImg::Assign(const TBakGndImg& source)
{
    if (&source == this)
        return;
    FIncludePath = source.FIncludePath;
    FName = FIncludePath ? source.FName : FileNamePart(source.FName);
    FFillMode = source.FFillMode;
    Changed();
}

} // namespace chart
