#include "support_picturecompare.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace picturetest {

namespace {

constexpr int ReaderTimeoutMs = 60000;
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

bool ReaderRun::Clean() const
{
    static const QRegularExpression fault(QStringLiteral("error|warning|unexpected|unsupported"),
                                          QRegularExpression::CaseInsensitiveOption);
    return started && exitCode == 0 && !fault.match(errors).hasMatch();
}

ReaderRun RunReader(const QString& program, const QStringList& arguments)
{
    ReaderRun run;
    QProcess p;
    p.start(program, arguments);
    run.started = p.waitForStarted() && p.waitForFinished(ReaderTimeoutMs);
    if (!run.started)
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.output = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression progress(QStringLiteral("\\d+%"));
    run.errors = QString::fromLocal8Bit(p.readAllStandardError()).remove(progress).trimmed();
    return run;
}

double MismatchShare(const QImage& drawnIn, const PlacedPicture& picture, const QVector<QRect>& ignore)
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

} // namespace picturetest
