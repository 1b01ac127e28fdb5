#include "support_libwmf.h"

#include "chart/wmfrecords.h"
#include "support_wmfreader.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

namespace wmftest {

namespace {

QStringList SizeArguments(QSize size)
{
    return {QStringLiteral("--maxwidth=%1").arg(size.width()), QStringLiteral("--maxheight=%1").arg(size.height()),
            QStringLiteral("--maxsize")};
}

// Where wmf2svg put the rectangle `gdi` (left, top, right, bottom as recorded) at this size.
bool ReadMapping(const QString& wmfPath, QSize size, const QRect& gdi, LibwmfPicture& out)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("mapping.svg"));
    out.run = RunLibwmf(QStringLiteral("wmf2svg"), SizeArguments(size) + QStringList{QStringLiteral("-o"), svg, wmfPath});
    QFile f(svg);
    if (!out.run.Clean() || !f.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression rect(
        QStringLiteral("<rect x=\"([-0-9.]+)\" y=\"([-0-9.]+)\" width=\"([-0-9.]+)\" height=\"([-0-9.]+)\""));
    const auto match = rect.match(QString::fromUtf8(f.readAll()));
    if (!match.hasMatch() || gdi.width() <= 0 || gdi.height() <= 0)
        return false;
    out.scaleX = match.captured(3).toDouble() / gdi.width();
    out.scaleY = match.captured(4).toDouble() / gdi.height();
    out.offsetX = match.captured(1).toDouble() - out.scaleX * gdi.left();
    out.offsetY = match.captured(2).toDouble() - out.scaleY * gdi.top();
    return out.scaleX > 0 && out.scaleY > 0;
}

} // namespace

LibwmfPicture RenderWithLibwmf(const QString& wmfPath, QSize size)
{
    LibwmfPicture out;
    const Metafile file = ReadWmfFile(wmfPath);
    const Record* first = file.First(chart::wmf::META_RECTANGLE);
    if (!first || !file.problems.isEmpty())
        return out;
    const QRect gdi(QPoint(first->Int(3), first->Int(2)), QSize(first->Int(1) - first->Int(3), first->Int(0) - first->Int(2)));
    if (!ReadMapping(wmfPath, size, gdi, out))
        return out;
    // Again at the size that gives one output pixel per logical unit, or a hair less: above one,
    // libwmf widens one-pixel pens to two.
    const QSize unitSize(int(std::floor(size.width() / out.scaleX)), int(std::floor(size.height() / out.scaleY)));
    if (!ReadMapping(wmfPath, unitSize, gdi, out))
        return out;
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("rendered.png"));
    out.run = RunLibwmf(QStringLiteral("wmf2gd"), SizeArguments(unitSize) + QStringList{QStringLiteral("-o"), png, wmfPath});
    if (out.run.Clean())
        out.image = QImage(png).convertToFormat(QImage::Format_RGB32);
    return out;
}

} // namespace wmftest
