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

// The rows [lo, hi] where the vertical line at X crosses the capsule of radius r around the
// segment a-b; false where it misses it. The capsule is convex, so its two end discs and the band
// between them cut the line in pieces of one interval.
bool CapsuleSlice(double X, double ax, double ay, double bx, double by, double r, double& lo, double& hi)
{
    bool hit = false;
    lo = Infinite;
    hi = -Infinite;
    auto disc = [&](double cx, double cy) {
        const double d = X - cx;
        if (std::fabs(d) <= r) {
            const double h = std::sqrt(r * r - d * d);
            lo = std::min(lo, cy - h);
            hi = std::max(hi, cy + h);
            hit = true;
        }
    };
    disc(ax, ay);
    disc(bx, by);
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0)
        return hit;
    const double rl = r * std::sqrt(len2);
    const double px = X - ax;
    double blo = -Infinite, bhi = Infinite;
    // Within r of the segment's line: |dx (Y - ay) - dy px| <= r |d|.
    if (dx != 0) {
        const double y1 = (dy * px - rl) / dx, y2 = (dy * px + rl) / dx;
        blo = std::max(blo, std::min(y1, y2));
        bhi = std::min(bhi, std::max(y1, y2));
    } else if (std::fabs(dy * px) > rl) {
        return hit;
    }
    // Projecting onto the segment itself: 0 <= px dx + (Y - ay) dy <= |d|^2.
    if (dy != 0) {
        const double t1 = -px * dx / dy, t2 = (len2 - px * dx) / dy;
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

// Every pixel whose (slightly shifted) centre lies within r of the segment.
void WideSegment(const Target& t, QPoint a, QPoint b, double r)
{
    const double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    const int x0 = std::max(0, int(std::ceil(std::min(ax, bx) - r - 0.5 + SampleShift)));
    const int x1 = std::min(t.w - 1, int(std::floor(std::max(ax, bx) + r - 0.5 + SampleShift)));
    for (int x = x0; x <= x1; ++x) {
        double lo, hi;
        if (!CapsuleSlice(x + 0.5 - SampleShift, ax, ay, bx, by, r, lo, hi))
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
    const double r = std::min(width, RasterisedWidthMax) / 2.0;
    for (int i = 0; i + 1 < count; ++i)
        WideSegment(t, points[i], points[i + 1], r);
}

} // namespace chart
