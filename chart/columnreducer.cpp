#include "chart/columnreducer.h"

#include <algorithm>
#include <limits>

namespace chart {

void ColumnReducer::AddColumn(int cx, int entryY, int lowY, int highY, int exitY)
{
    if (open && cx == x) {
        low = std::min(low, lowY);
        high = std::max(high, highY);
        exit = exitY;
        return;
    }
    Finish();
    open = true;
    x = cx;
    entry = entryY;
    low = lowY;
    high = highY;
    exit = exitY;
}

void ColumnReducer::Finish()
{
    if (!open)
        return;
    open = false;
    Emit(QPoint(x, entry));
    Emit(QPoint(x, low));
    Emit(QPoint(x, high));
    Emit(QPoint(x, exit));
}

namespace {

// Keeps a pixel that close to a rounding boundary out of a column's window, so that a point
// inside the window rounds into the column for certain.
constexpr long double WindowMargin = 1E-6L;
constexpr long double Unbounded = std::numeric_limits<long double>::infinity();

// The linear mapping of one axis, limited as item points are.
struct LinearAxis {
    long double Factor = 0, Offset = 0;

    int Pixel(double v) const { return LimitItemPixel(RoundPixelValue(Factor * v + Offset)); }

    // The data values strictly between lo and hi map to `pixel`.
    void Window(int pixel, long double& lo, long double& hi) const
    {
        if (Factor == 0) {
            lo = -Unbounded;
            hi = Unbounded;
            return;
        }
        // The outermost pixels take everything beyond them.
        const long double pl = pixel <= -ItemPixelLimit ? -Unbounded : pixel - 0.5L + WindowMargin;
        const long double ph = pixel >= ItemPixelLimit ? Unbounded : pixel + 0.5L - WindowMargin;
        lo = (pl - Offset) / Factor;
        hi = (ph - Offset) / Factor;
        if (lo > hi)
            std::swap(lo, hi);
    }
};

// One pixel column being gathered, its y values still in data units: the y mapping is monotonic,
// so the lowest and highest value give the column's extreme pixels.
struct DataColumn {
    bool Open = false;
    int X = 0;
    long double Lo = 0, Hi = 0; // x window
    double Entry = 0, Low = 0, High = 0, Exit = 0;
};

} // namespace

void ReduceLineRun(const LinePointIndex& index, int begin, int end, const LayerMap& m, QPoint shift,
                   ColumnReducer& out)
{
    const double* xs = index.X();
    const double* ys = index.Y();
    if (m.LogX || m.LogY || index.HasNonFinite()) {
        // No ordered data bounds here: every point is placed on its own.
        for (int i = begin; i < end; ++i)
            out.Add(MapItemPoint(m, xs[i], ys[i]) + shift);
        return;
    }
    const LinearAxis ax{m.XFactor, m.XOffset};
    const LinearAxis ay{m.YFactor, m.YOffset};
    DataColumn c;
    auto close = [&] {
        if (!c.Open)
            return;
        const int a = ay.Pixel(c.Low), b = ay.Pixel(c.High);
        out.AddColumn(c.X + shift.x(), ay.Pixel(c.Entry) + shift.y(), std::min(a, b) + shift.y(),
                      std::max(a, b) + shift.y(), ay.Pixel(c.Exit) + shift.y());
    };
    auto start = [&](int px, double entry, double low, double high, double exit) {
        close();
        c.Open = true;
        c.X = px;
        ax.Window(px, c.Lo, c.Hi);
        c.Entry = entry;
        c.Low = low;
        c.High = high;
        c.Exit = exit;
    };
    auto extend = [&](double low, double high, double exit) {
        c.Low = std::min(c.Low, low);
        c.High = std::max(c.High, high);
        c.Exit = exit;
    };

    constexpr int B = LinePointIndex::BlockSize;
    int i = begin;
    while (i < end) {
        if (i % B == 0 && i + B <= end) {
            const PointBlock& b = index.Block(i / B);
            const double last = ys[i + B - 1];
            if (c.Open && c.Lo < b.XMin && b.XMax < c.Hi) {
                extend(b.YMin, b.YMax, last);
                i += B;
                continue;
            }
            const int p1 = ax.Pixel(b.XMin);
            if (p1 == ax.Pixel(b.XMax)) {
                if (c.Open && p1 == c.X)
                    extend(b.YMin, b.YMax, last);
                else
                    start(p1, ys[i], b.YMin, b.YMax, last);
                i += B;
                continue;
            }
        }
        const double x = xs[i], y = ys[i];
        if (c.Open && c.Lo < x && x < c.Hi) {
            extend(y, y, y);
        } else {
            const int px = ax.Pixel(x);
            if (c.Open && px == c.X)
                extend(y, y, y);
            else
                start(px, y, y, y, y);
        }
        ++i;
    }
    close();
}

} // namespace chart
