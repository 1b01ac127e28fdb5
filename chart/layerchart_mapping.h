#pragma once
// The data-to-pixel mapping of one layer, as a value that rendering loops can keep at hand.

#include <QPoint>

#include <cmath>

namespace chart {

inline constexpr long double LogAxisFloor = 1E-100L;   // smallest value a logarithmic axis maps
inline constexpr long double PixelValueLimit = 2147483647.0L;
inline constexpr int ItemPixelLimit = 30000; // far-away item points are limited before drawing

inline int LimitItemPixel(int v)
{
    return v < -ItemPixelLimit ? -ItemPixelLimit : (v > ItemPixelLimit ? ItemPixelLimit : v);
}

struct LayerMap {
    long double XFactor = 0, XOffset = 0, YFactor = 0, YOffset = 0;
    bool LogX = false, LogY = false;
    long double XFallback = 0; // pixel of values <= 1E-100 on a logarithmic axis
    long double YFallback = 0;
};

// Limited to +-2147483647 and rounded half to even (the default rounding mode). Rounded by
// hand: the library's nearbyint saves and restores the floating-point state on every call,
// which costs more than the rest of a redraw's mapping.
inline int RoundPixelValue(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v > PixelValueLimit)
        v = PixelValueLimit;
    if (v < -PixelValueLimit)
        v = -PixelValueLimit;
    const long long t = (long long)v; // towards zero
    const long double frac = v - (long double)t; // exact: t is an integer next to v
    long long r = t;
    if (frac > 0.5L || (frac == 0.5L && (t & 1)))
        r = t + 1;
    else if (frac < -0.5L || (frac == -0.5L && (t & 1)))
        r = t - 1;
    return int(r);
}

inline QPoint MapToPixel(const LayerMap& m, double x, double y)
{
    long double u;
    if (m.LogX)
        u = x > LogAxisFloor ? m.XFactor * std::log((long double)x) + m.XOffset : m.XFallback;
    else
        u = m.XFactor * x + m.XOffset;
    long double v;
    if (m.LogY)
        v = y > LogAxisFloor ? m.YFactor * std::log((long double)y) + m.YOffset : m.YFallback;
    else
        v = m.YFactor * y + m.YOffset;
    return QPoint(RoundPixelValue(u), RoundPixelValue(v));
}

// The pixel an item point is drawn at: MapToPixel, each coordinate limited to +-ItemPixelLimit.
inline QPoint MapItemPoint(const LayerMap& m, double x, double y)
{
    const QPoint p = MapToPixel(m, x, y);
    return QPoint(LimitItemPixel(p.x()), LimitItemPixel(p.y()));
}

} // namespace chart
