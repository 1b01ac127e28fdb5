#include "chart/linerasteriser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace chart {

namespace {

// Pixel centres are sampled this little up and left of the true centre, which settles exact
// ties at the edge of a wide line the way the canvas pen settles them.
constexpr double SampleShift = 1E-6;
// Rounding bias of thin lines: the canvas pen's choice of pixel where a line passes exactly
// between two.
constexpr double ThinTieBias = 1E-9;
constexpr double Infinite = std::numeric_limits<double>::infinity();

struct Target {
    uint32_t* bits;
    qsizetype stride; // in pixels
    int w, h;
    uint32_t color;

    void Set(int x, int y) const
    {
        if (x >= 0 && x < w && y >= 0 && y < h)
            bits[y * stride + x] = color;
    }
    // Rows y0 .. y1 of column x, cut to the image.
    void Column(int x, int y0, int y1) const
    {
        y0 = std::max(y0, 0);
        y1 = std::min(y1, h - 1);
        for (uint32_t* p = bits + y0 * stride + x; y0 <= y1; ++y0, p += stride)
            *p = color;
    }
};

// One segment of a thin line: columns (or rows) from the lower end up to, not including, the
// higher end; the other coordinate as the canvas pen rounds it.
void ThinSegment(const Target& t, QPoint a, QPoint b)
{
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    if (dx == 0 && dy == 0)
        return;
    auto along = [](double s) { return s > 0 ? s / 2 - ThinTieBias : ThinTieBias; };
    if (std::abs(dx) >= std::abs(dy)) {
        const QPoint l = dx > 0 ? a : b;
        const QPoint r = dx > 0 ? b : a;
        const double s = double(r.y() - l.y()) / double(r.x() - l.x());
        const double bias = along(s);
        const int x0 = std::max(l.x(), 0), x1 = std::min(r.x(), t.w);
        for (int x = x0; x < x1; ++x) {
            const int y = int(std::floor(l.y() + (x - l.x()) * s + bias));
            if (y >= 0 && y < t.h)
                t.bits[y * t.stride + x] = t.color;
        }
    } else {
        const QPoint u = dy > 0 ? a : b;
        const QPoint d = dy > 0 ? b : a;
        const double s = double(d.x() - u.x()) / double(d.y() - u.y());
        const double bias = along(s);
        const int y0 = std::max(u.y(), 0), y1 = std::min(d.y(), t.h);
        for (int y = y0; y < y1; ++y) {
            const int x = int(std::floor(u.x() + (y - u.y()) * s + bias));
            if (x >= 0 && x < t.w)
                t.bits[y * t.stride + x] = t.color;
        }
    }
}

// The capsule of radius r around a segment: every point within r of it. Convex, so a vertical
// line cuts it in one interval, the hull of what its two end discs and the band between them cut.
class Capsule {
public:
    Capsule(QPoint a, QPoint b, double r)
        : ax(a.x()), ay(a.y()), bx(b.x()), by(b.y()), r(r), r2(r * r), dx(bx - ax), dy(by - ay),
          len2(dx * dx + dy * dy), rl(r * std::sqrt(len2)), invDx(dx != 0 ? 1 / dx : 0), invDy(dy != 0 ? 1 / dy : 0)
    {
    }

    // The rows [lo, hi] of the line at X inside the capsule; false where it misses it.
    bool Slice(double X, double& lo, double& hi) const
    {
        bool hit = false;
        lo = Infinite;
        hi = -Infinite;
        Disc(X, ax, ay, lo, hi, hit);
        Disc(X, bx, by, lo, hi, hit);
        if (len2 == 0 || dx == 0) // a vertical band adds nothing its end discs do not cover
            return hit;
        const double px = X - ax;
        // Within r of the segment's line: |dx (Y - ay) - dy px| <= r |d|.
        const double y1 = (dy * px - rl) * invDx, y2 = (dy * px + rl) * invDx;
        double blo = std::min(y1, y2), bhi = std::max(y1, y2);
        // Projecting onto the segment itself: 0 <= px dx + (Y - ay) dy <= |d|^2.
        if (dy != 0) {
            const double t1 = -px * dx * invDy, t2 = (len2 - px * dx) * invDy;
            blo = std::max(blo, std::min(t1, t2));
            bhi = std::min(bhi, std::max(t1, t2));
        } else if (px * dx < 0 || px * dx > len2) {
            return hit;
        }
        if (blo <= bhi) {
            lo = std::min(lo, ay + blo);
            hi = std::max(hi, ay + bhi);
            hit = true;
        }
        return hit;
    }

private:
    void Disc(double X, double cx, double cy, double& lo, double& hi, bool& hit) const
    {
        const double d = X - cx;
        if (d * d > r2)
            return;
        const double h = std::sqrt(r2 - d * d);
        // A vertical segment's band lies between its discs: the slice runs from one to the other.
        lo = std::min(lo, std::min(cy, dx == 0 ? std::min(ay, by) : cy) - h);
        hi = std::max(hi, std::max(cy, dx == 0 ? std::max(ay, by) : cy) + h);
        hit = true;
    }

    double ax, ay, bx, by, r, r2, dx, dy, len2, rl, invDx, invDy;
};

// Every pixel whose (slightly shifted) centre lies within r of the segment.
void WideSegment(const Target& t, QPoint a, QPoint b, double r)
{
    const Capsule capsule(a, b, r);
    const int x0 = std::max(0, int(std::ceil(std::min(a.x(), b.x()) - r - 0.5 + SampleShift)));
    const int x1 = std::min(t.w - 1, int(std::floor(std::max(a.x(), b.x()) + r - 0.5 + SampleShift)));
    for (int x = x0; x <= x1; ++x) {
        double lo, hi;
        if (!capsule.Slice(x + 0.5 - SampleShift, lo, hi))
            continue;
        const double y0 = std::ceil(lo - 0.5 + SampleShift);
        const double y1 = std::floor(hi - 0.5 + SampleShift);
        if (y1 < 0 || y0 >= t.h || y0 > y1)
            continue;
        t.Column(x, int(std::max(y0, 0.0)), int(std::min(y1, double(t.h - 1))));
    }
}

bool AllSame(const QPoint* points, int count)
{
    for (int i = 1; i < count; ++i)
        if (points[i] != points[0])
            return false;
    return true;
}

} // namespace

bool CanRasteriseInto(const QImage& image)
{
    const QImage::Format f = image.format();
    return !image.isNull() && image.isDetached() &&
           (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied);
}

void RasterisePolyline(QImage& image, const QPoint* points, int count, int width, QRgb color)
{
    if (count < 2 || AllSame(points, count) || !CanRasteriseInto(image))
        return;
    const Target t{reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
                   image.height(), uint32_t(color | 0xFF000000u)};
    if (width <= 1) {
        for (int i = 0; i + 1 < count; ++i)
            ThinSegment(t, points[i], points[i + 1]);
        for (int i = 1; i + 1 < count; ++i)
            t.Set(points[i].x(), points[i].y());
        return;
    }
    // A wide line is the union of its segments' capsules, so the vertical segments within one
    // column (most of a dense chart's) go as the one stretch they cover.
    const double r = std::min(width, RasterisedWidthMax) / 2.0;
    for (int i = 0; i < count;) {
        const int x = points[i].x();
        int j = i, low = points[i].y(), high = low;
        for (; j + 1 < count && points[j + 1].x() == x; ++j) {
            low = std::min(low, points[j + 1].y());
            high = std::max(high, points[j + 1].y());
        }
        if (low < high)
            WideSegment(t, QPoint(x, low), QPoint(x, high), r);
        if (j + 1 < count)
            WideSegment(t, points[j], points[j + 1], r);
        i = j + 1;
    }
}

} // namespace chart
