#include "support_libwmf.h"

#include "chart/wmfrecords.h"
#include "support_wmfreader.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wmftest {

namespace {

constexpr int ConverterTimeoutMs = 60000;
constexpr int ColourTolerance = 48; // sum of the channel differences still called "the same"
constexpr int Neighbourhood = 1;

bool Same(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < ColourTolerance;
}

bool FoundNear(const QImage& img, int x, int y, QRgb colour)
{
    for (int dy = -Neighbourhood; dy <= Neighbourhood; ++dy)
        for (int dx = -Neighbourhood; dx <= Neighbourhood; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < img.width() && py < img.height() && Same(img.pixel(px, py), colour))
                return true;
        }
    return false;
}

} // namespace

bool LibwmfRun::Clean() const
{
    static const QRegularExpression fault(QStringLiteral("error|warning|unexpected|unsupported"),
                                          QRegularExpression::CaseInsensitiveOption);
    return started && exitCode == 0 && !fault.match(errors).hasMatch();
}

LibwmfRun RunLibwmf(const QString& program, const QStringList& arguments)
{
    LibwmfRun run;
    QProcess p;
    p.start(program, arguments);
    run.started = p.waitForStarted() && p.waitForFinished(ConverterTimeoutMs);
    if (!run.started)
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    static const QRegularExpression progress(QStringLiteral("\\d+%"));
    run.errors = QString::fromLocal8Bit(p.readAllStandardError()).remove(progress).trimmed();
    return run;
}

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

double MismatchShare(const QImage& drawnIn, const LibwmfPicture& picture, const QVector<QRect>& ignore)
{
    const QImage drawn = drawnIn.convertToFormat(QImage::Format_RGB32);
    const QImage& rendered = picture.image;
    if (drawn.isNull() || rendered.isNull())
        return 1.0;
    const auto ignored = [&](int x, int y) {
        return std::any_of(ignore.begin(), ignore.end(), [x, y](const QRect& r) { return r.contains(x, y); });
    };
    long bad = 0, total = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            if (ignored(x, y))
                continue;
            ++total;
            const int rx = int(std::floor(picture.scaleX * (x + 0.5) + picture.offsetX));
            const int ry = int(std::floor(picture.scaleY * (y + 0.5) + picture.offsetY));
            if (!FoundNear(rendered, rx, ry, drawn.pixel(x, y)))
                ++bad;
        }
    for (int ry = 0; ry < rendered.height(); ++ry)
        for (int rx = 0; rx < rendered.width(); ++rx) {
            const int x = int(std::floor((rx + 0.5 - picture.offsetX) / picture.scaleX));
            const int y = int(std::floor((ry + 0.5 - picture.offsetY) / picture.scaleY));
            if (x < 0 || y < 0 || x >= drawn.width() || y >= drawn.height() || ignored(x, y))
                continue;
            ++total;
            if (!FoundNear(drawn, x, y, rendered.pixel(rx, ry)))
                ++bad;
        }
    return total ? double(bad) / double(total) : 1.0;
}

} // namespace wmftest
