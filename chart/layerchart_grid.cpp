// The grid of the chart area, on the scale ticks of the active layer or at fixed or
// logarithmic steps.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace chart {

namespace {
constexpr int GridLimit = 1000;        // lines per direction, and points in all for gsPoints
constexpr int ItemPixelLimit = 30000;
constexpr double ExponentSnap = 1E-14; // an exponent this close to an integer is that integer
enum LogGridStep { lgDecades = -1, lgOneTwoFive = -2, lgEveryMantissa = -3 };

int LimitPixel(int v)
{
    return std::clamp(v, -ItemPixelLimit, ItemPixelLimit);
}

// Mantissa and decade of a positive value, with the exponent snapped to an integer when it
// lies within 1E-14 of one.
void SplitDecade(double v, double& mantissa, double& decade)
{
    double e = std::log10(v);
    if (std::fabs(e - std::round(e)) < ExponentSnap)
        e = std::round(e);
    const double k = std::floor(e);
    mantissa = std::round(std::pow(10.0, e - k));
    decade = std::pow(10.0, k);
}

double FirstGridPosition(double step, bool logarithmic, const TScale* scale, double lo)
{
    if (step == 0)
        return scale->NumTicks() <= 0 ? lo : scale->GetTickPos(1);
    if (step > 0 || !logarithmic)
        return std::ceil(lo / step) * step;
    const double k = std::floor(std::log10(lo));
    const double decade = std::pow(10.0, k);
    const double mantissa = std::round(lo / decade);
    switch (int(step)) {
    case lgDecades:
        return std::pow(10.0, std::ceil(std::log10(lo)));
    case lgOneTwoFive:
        if (mantissa <= 2) return 2 * decade;
        if (mantissa <= 5) return 5 * decade;
        return 10 * decade;
    default:
        return mantissa * decade;
    }
}

double NextGridPosition(double step, bool logarithmic, const TScale* scale, double hi, int n, double current)
{
    if (step == 0)
        return n + 1 > scale->NumTicks() ? hi : scale->GetTickPos(n + 1);
    if (step > 0 || !logarithmic)
        return current + std::fabs(step);
    if (int(step) == lgDecades)
        return current * 10;
    double mantissa, decade;
    SplitDecade(current, mantissa, decade);
    if (int(step) == lgOneTwoFive) {
        if (mantissa < 2) return 2 * decade;
        if (mantissa < 5) return 5 * decade;
        return 10 * decade;
    }
    return (mantissa + 1) * decade;
}

std::vector<double> GridPositions(double step, bool logarithmic, const TScale* scale, double lo, double hi)
{
    std::vector<double> positions;
    double pos = FirstGridPosition(step, logarithmic, scale, lo);
    for (int n = 1; pos < hi && n <= GridLimit; ++n) {
        positions.push_back(pos);
        pos = NextGridPosition(step, logarithmic, scale, hi, n, pos);
    }
    return positions;
}
} // namespace

GridDrawing TCustomLayerChart::PlanGrid(int offsetX, int offsetY, int penWidth) const
{
    GridDrawing g;
    const int L = FActiveLayer;
    const TScalePropsHoriz* px = ScaleX(L);
    const TScalePropsVert* py = ScaleY(L);
    const double xmin = std::min(px->RangeLow(), px->RangeHigh());
    const double xmax = std::max(px->RangeLow(), px->RangeHigh());
    const double ymin = std::min(py->RangeLow(), py->RangeHigh());
    const double ymax = std::max(py->RangeLow(), py->RangeHigh());
    const std::vector<double> xs = GridPositions(FGridDx, px->Logarithmic(), ScaleControlX(L), xmin, xmax);
    const std::vector<double> ys = GridPositions(FGridDy, py->Logarithmic(), ScaleControlY(L), ymin, ymax);

    const LayerMap map = MapOf(L);
    const int dx = offsetX - FLRim;
    const int dy = offsetY - FTRim;
    auto toCanvas = [&](double x, double y) {
        const QPoint p = MapToPixel(map, x, y);
        return QPoint(LimitPixel(p.x()) + dx, LimitPixel(p.y()) + dy);
    };
    g.Color = ToQColor(FGridColor, palette()).rgb();
    g.Width = std::max(1, penWidth);
    g.Dotted = FGridStyle == gsDotLines || FGridStyle == gsHorizDotLines || FGridStyle == gsVertDotLines;

    if (FGridStyle == gsPoints) {
        for (double x : xs)
            for (double y : ys) {
                if (int(g.Points.size()) >= GridLimit)
                    break;
                g.Points.push_back(toCanvas(x, y));
            }
    }
    const bool vertical = FGridStyle == gsVertLines || FGridStyle == gsVertDotLines ||
                          FGridStyle == gsLines || FGridStyle == gsDotLines;
    const bool horizontal = FGridStyle == gsHorizLines || FGridStyle == gsHorizDotLines ||
                            FGridStyle == gsLines || FGridStyle == gsDotLines;
    if (vertical)
        for (double x : xs)
            g.Lines.emplace_back(toCanvas(x, py->RangeLow()), toCanvas(x, py->RangeHigh()));
    if (horizontal)
        for (double y : ys)
            g.Lines.emplace_back(toCanvas(px->RangeLow(), y), toCanvas(px->RangeHigh(), y));
    return g;
}

void TCustomLayerChart::DrawGridPlan(QPainter& canvas, const GridDrawing& g)
{
    const QColor color = QColor::fromRgb(g.Color);
    canvas.setPen(CanvasPen(color, g.Dotted ? psDot : psSolid, g.Width));
    for (const QPoint& p : g.Points)
        GdiSetPixel(canvas, p.x(), p.y(), color);
    for (const QLine& l : g.Lines)
        canvas.drawLine(l);
    canvas.setPen(CanvasPen(color, psSolid, g.Width));
}

void TCustomLayerChart::DrawGrid(QPainter& canvas, int offsetX, int offsetY)
{
    DrawGridPlan(canvas, PlanGrid(offsetX, offsetY, canvas.pen().width()));
}

} // namespace chart
