// Geometry of the mouse modes.

#include "chart/mousegeometry.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace chart {

namespace {
// Larger than any squared pixel distance, so the first candidate always wins.
constexpr double NoDistance = 1.7E308;

double Square(int a, int b)
{
    const double d = double(int64_t(a) - int64_t(b));
    return d * d;
}
} // namespace

ChartArea ChartArea::Of(int width, int height, int lRim, int rRim, int tRim, int bRim, int shadowWidth)
{
    return ChartArea{lRim, tRim, width - rRim - shadowWidth, height - bRim - shadowWidth};
}

int ChartArea::ClampX(int x) const
{
    if (x < Left)
        return Left;
    if (x > Right)
        return Right;
    return x;
}

int ChartArea::ClampY(int y) const
{
    if (y < Top)
        return Top;
    if (y > Bottom)
        return Bottom;
    return y;
}

QPoint ZoomWindowCorner(QPoint start, QPoint pointer, const ChartArea& area, bool isometric)
{
    const int x = area.ClampX(pointer.x());
    int y = pointer.y();
    if (isometric) {
        const int64_t dx = int64_t(x) - start.x();
        if ((int64_t(y) - start.y()) * dx > 0)
            y = int(start.y() + dx);
        else
            y = int(start.y() - dx);
    }
    return QPoint(x, area.ClampY(y));
}

void KeepAxisDirection(double& a, double& b, double rangeLow, double rangeHigh)
{
    if ((b < a && rangeLow < rangeHigh) || (b > a && rangeLow > rangeHigh))
        std::swap(a, b);
}

AxisRange PanAxis(AxisRange current, AxisRange snapshot, int shiftPixels, int extentPixels, bool logarithmic)
{
    if (extentPixels <= 0)
        return snapshot;
    const double fraction = double(shiftPixels) / double(extentPixels);
    if (logarithmic) {
        // A logarithmic range through zero has no ratio; moving it would only spread NaNs.
        const double ratio = current.High / current.Low;
        if (!(ratio > 0) || !std::isfinite(ratio))
            return snapshot;
        const double f = std::exp(std::log(ratio) * fraction);
        return AxisRange{snapshot.Low * f, snapshot.High * f};
    }
    const double d = (current.High - current.Low) * fraction;
    return AxisRange{snapshot.Low + d, snapshot.High + d};
}

double ZoomDragFactorX(int x, int startX, int controlWidth)
{
    return 1.0 - (x - startX) * 1.0 / controlWidth;
}

double ZoomDragFactorY(int y, int startY, int controlHeight)
{
    return (y - startY) * 1.0 / controlHeight + 1.0;
}

AxisRange ZoomAboutCentre(AxisRange snapshot, double factor)
{
    const double c = (snapshot.High + snapshot.Low) / 2.0;
    const double half = (snapshot.High - snapshot.Low) * factor / 2.0;
    return AxisRange{c - half, c + half};
}

int NearestCrossHair(const std::vector<CrossHairTarget>& targets, QPoint pointer)
{
    int chosen = 1;
    double best = NoDistance;
    for (size_t i = 0; i < targets.size(); ++i) {
        const CrossHairTarget& t = targets[i];
        if (t.Vertical) {
            const double d = Square(t.Pixel.x(), pointer.x());
            if (d < best) {
                best = d;
                chosen = int(i) + 1;
            }
        }
        if (t.Horizontal) {
            const double d = Square(t.Pixel.y(), pointer.y());
            if (d < best) {
                best = d;
                chosen = int(i) + 1;
            }
        }
    }
    return chosen;
}

int NearestLabel(const std::vector<LabelTarget>& targets, QPoint pointer)
{
    int chosen = 1;
    double best = NoDistance;
    for (size_t i = 0; i < targets.size(); ++i) {
        const LabelTarget& t = targets[i];
        if (!t.Competes)
            continue;
        const double d = Square(t.Pixel.x(), pointer.x()) + Square(t.Pixel.y(), pointer.y());
        if (d < best) {
            best = d;
            chosen = int(i) + 1;
        }
    }
    return chosen;
}

void XorOutline(QImage& picture, QPoint a, QPoint b, const QRect& clip)
{
    const int left = std::min(a.x(), b.x());
    const int right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int bottom = std::max(a.y(), b.y());
    if (picture.isNull() || left == right || top == bottom)
        return;
    QPainter p(&picture);
    if (!clip.isEmpty())
        p.setClipRect(clip);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    // Four edges that never share a pixel, so each outline pixel is inverted exactly once.
    p.fillRect(QRect(QPoint(left, top), QPoint(right, top)), white);
    p.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), white);
    if (bottom - top > 1) {
        p.fillRect(QRect(QPoint(left, top + 1), QPoint(left, bottom - 1)), white);
        p.fillRect(QRect(QPoint(right, top + 1), QPoint(right, bottom - 1)), white);
    }
}

} // namespace chart
