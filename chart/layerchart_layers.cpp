// Layer ranges, the zoom history and the mappings between data and control pixels.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"

#include <cmath>

namespace chart {

namespace {
long double AxisValue(double v, bool logarithmic)
{
    return logarithmic ? std::log((long double)v) : (long double)v;
}

bool RangeCounts(double low, double high, double minRange, bool logarithmic)
{
    if (std::fabs(high - low) < minRange)
        return false;
    return !logarithmic || low >= 1E-100 || high >= 1E-100;
}
} // namespace

void TCustomLayerChart::SetZoomRange(int layer, double xLow, double yLow, double xHigh, double yHigh)
{
    const int first = layer == 0 ? 1 : layer;
    const int last = layer == 0 ? NumLayers : layer;
    if (first < 1 || last > NumLayers)
        return;
    for (int L = first; L <= last; ++L) {
        double xl = xLow, xh = xHigh, yl = yLow, yh = yHigh;
        if (xl == xh) {
            const double m = ScaleX(L)->MinRange();
            xl -= m / 2;
            xh += m / 2;
        }
        if (yl == yh) {
            const double m = ScaleY(L)->MinRange();
            yl -= m / 2;
            yh += m / 2;
        }
        if (FIsometric) {
            yh = yl + (xh - xl) * double(height() - FTRim - FBRim - FShadowWidth + 1) /
                          double(width() - FLRim - FRRim - FShadowWidth + 1) * FAspectY / FAspectX;
        }
        SetLayerRange(L, true, xl, yl, xh, yh, false);
    }
    if (FAutoRedraw)
        Paint();
}

void TCustomLayerChart::SetLayerRange(int layer, bool recordHistory, double xLow, double yLow,
                                      double xHigh, double yHigh, bool clampToLimits)
{
    const bool wasSuspended = FPaintSuspended;
    FPaintSuspended = true;
    // A controlled axis cannot be changed through its own layer.
    if (XControllerOf(layer) != layer) {
        xLow = ScaleX(layer)->RangeLow();
        xHigh = ScaleX(layer)->RangeHigh();
    }
    if (YControllerOf(layer) != layer) {
        yLow = ScaleY(layer)->RangeLow();
        yHigh = ScaleY(layer)->RangeHigh();
    }
    SetOneLayer(layer, recordHistory, clampToLimits, xLow, yLow, xHigh, yHigh);
    for (int i = 1; i <= NumLayers; ++i) {
        if (i == layer)
            continue;
        const int cx = XControllerOf(i);
        const int cy = YControllerOf(i);
        if (cx != layer && cy != layer)
            continue;
        SetOneLayer(i, true, false, ScaleX(cx)->RangeLow(), ScaleY(cy)->RangeLow(),
                    ScaleX(cx)->RangeHigh(), ScaleY(cy)->RangeHigh());
    }
    SetPaintSuspended(wasSuspended);
}

void TCustomLayerChart::ApplyRangeLimits(double& xLow, double& yLow, double& xHigh, double& yHigh) const
{
    if (FLimitXMin == 0 && FLimitXMax == 0 && FLimitYMin == 0 && FLimitYMax == 0)
        return;
    // A pan keeps the width: the other end moves with the clamped one.
    const bool keepX = FMouseAction == maPan || FMouseAction == maPanHoriz;
    const bool keepY = FMouseAction == maPan || FMouseAction == maPanVert;
    auto clamp = [](double& end, double& other, double lo, double hi, bool keepWidth) {
        if (end < lo) {
            const double d = lo - end;
            end = lo;
            if (keepWidth)
                other += d;
        }
        if (end > hi) {
            const double d = hi - end;
            end = hi;
            if (keepWidth)
                other += d;
        }
    };
    clamp(xLow, xHigh, FLimitXMin, FLimitXMax, keepX);
    clamp(xHigh, xLow, FLimitXMin, FLimitXMax, keepX);
    clamp(yLow, yHigh, FLimitYMin, FLimitYMax, keepY);
    clamp(yHigh, yLow, FLimitYMin, FLimitYMax, keepY);
}

void TCustomLayerChart::SetRangeLimits(double xMin, double xMax, double yMin, double yMax)
{
    FLimitXMin = xMin;
    FLimitXMax = xMax;
    FLimitYMin = yMin;
    FLimitYMax = yMax;
}

void TCustomLayerChart::WriteLayerRange(int layer, double xLow, double yLow, double xHigh, double yHigh)
{
    const bool was = FWritingRanges;
    FWritingRanges = true;
    TScalePropsHoriz* px = ScaleX(layer);
    TScalePropsVert* py = ScaleY(layer);
    px->SetRangeLow(xLow);
    px->SetRangeHigh(xHigh);
    SyncScale(ScaleControlX(layer), px);
    py->SetRangeLow(yLow);
    py->SetRangeHigh(yHigh);
    SyncScale(ScaleControlY(layer), py);
    FWritingRanges = was;
}

void TCustomLayerChart::SetOneLayer(int layer, bool recordHistory, bool clampToLimits, double xLow,
                                    double yLow, double xHigh, double yHigh)
{
    if (clampToLimits)
        ApplyRangeLimits(xLow, yLow, xHigh, yHigh);
    WriteLayerRange(layer, xLow, yLow, xHigh, yHigh);
    const TScalePropsHoriz* px = ScaleX(layer);
    const TScalePropsVert* py = ScaleY(layer);
    const bool changed = RangeCounts(xLow, xHigh, px->MinRange(), px->Logarithmic()) ||
                         RangeCounts(yLow, yHigh, py->MinRange(), py->Logarithmic());
    if (recordHistory && changed)
        PushZoomHistory();
    RecomputeTransforms();
}

void TCustomLayerChart::PushZoomHistory()
{
    ZoomView& slot = FZoomHistory[size_t(FZoomNext - 1)];
    for (int n = 1; n <= NumLayers; ++n) {
        LayerView& v = slot[size_t(n - 1)];
        v.XLow = ScaleX(n)->RangeLow();
        v.YHigh = ScaleY(n)->RangeHigh();
        v.XHigh = ScaleX(n)->RangeHigh();
        v.YLow = ScaleY(n)->RangeLow();
    }
    FZoomNext = FZoomNext % ZoomHistorySize + 1;
}

void TCustomLayerChart::RecomputeTransforms()
{
    if (!FScalesReady)
        return;
    const int W = width();
    const int H = height();
    const long double right = W - FRRim - FShadowWidth;
    const long double bottom = H - FBRim - FShadowWidth;
    for (int n = 1; n <= NumLayers; ++n) {
        LayerTransform& t = FTransforms[size_t(n - 1)];
        const TScalePropsHoriz* px = ScaleX(n);
        const TScalePropsVert* py = ScaleY(n);
        if (AreaWidth() > 0) {
            const long double xl = AxisValue(px->RangeLow(), px->Logarithmic());
            const long double xh = AxisValue(px->RangeHigh(), px->Logarithmic());
            t.XFactor = AreaWidth() / (xh - xl);
            t.XOffset = (FLRim * xh - right * xl) / (xh - xl);
        } else {
            t.XFactor = 0;
            t.XOffset = W / 2.0L;
        }
        if (AreaHeight() > 0) {
            const long double yl = AxisValue(py->RangeLow(), py->Logarithmic());
            const long double yh = AxisValue(py->RangeHigh(), py->Logarithmic());
            t.YFactor = -AreaHeight() / (yh - yl);
            t.YOffset = (bottom * yh - FTRim * yl) / (yh - yl);
        } else {
            t.YFactor = 0;
            t.YOffset = H / 2.0L;
        }
    }
}

LayerMap TCustomLayerChart::MapOf(int layer) const
{
    const int L = ClampLayer(layer);
    const LayerTransform& t = FTransforms[size_t(L - 1)];
    const TScalePropsHoriz* px = ScaleX(L);
    const TScalePropsVert* py = ScaleY(L);
    LayerMap m;
    m.XFactor = t.XFactor;
    m.XOffset = t.XOffset;
    m.YFactor = t.YFactor;
    m.YOffset = t.YOffset;
    m.LogX = px->Logarithmic();
    m.LogY = py->Logarithmic();
    m.XFallback = px->RangeHigh() >= px->RangeLow() ? 0 : width();
    m.YFallback = py->RangeHigh() >= py->RangeLow() ? height() : 0;
    return m;
}

QPoint TCustomLayerChart::DataToPixel(int layer, double x, double y) const
{
    return MapToPixel(MapOf(layer), x, y);
}

QPointF TCustomLayerChart::PixelToData(int layer, int px, int py) const
{
    const int L = ClampLayer(layer);
    const LayerTransform& t = FTransforms[size_t(L - 1)];
    long double x = (px - t.XOffset) / t.XFactor;
    long double y = (py - t.YOffset) / t.YFactor;
    if (ScaleX(L)->Logarithmic())
        x = std::exp(x);
    if (ScaleY(L)->Logarithmic())
        y = std::exp(y);
    return QPointF(double(x), double(y));
}

void TCustomLayerChart::ApplyIsometricRelation()
{
    const double ratio = double(AreaHeight() + 1) / double(AreaWidth() + 1) * FAspectY / FAspectX;
    const bool was = FWritingRanges;
    FWritingRanges = true;
    for (int n = 1; n <= NumLayers; ++n) {
        TScalePropsHoriz* px = ScaleX(n);
        TScalePropsVert* py = ScaleY(n);
        py->SetRangeHigh(py->RangeLow() + (px->RangeHigh() - px->RangeLow()) * ratio);
        SyncScale(ScaleControlY(n), py);
    }
    FWritingRanges = was;
    RecomputeTransforms();
}

void TCustomLayerChart::SetIsometric(bool v)
{
    const bool becomesOn = v && !FIsometric;
    FIsometric = v;
    if (!becomesOn)
        return;
    ApplyIsometricRelation();
    PushZoomHistory();
    ChangedRepaint();
}

} // namespace chart
