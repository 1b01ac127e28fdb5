// The chart's 32 scales: creation, placement over the whole control, copying of the property
// sets (SyncScale) and drawing.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"

#include <QPainter>

namespace chart {

namespace {
constexpr int HorizScalePosStep = 30; // extra offset per pair of layers
constexpr int VertScalePosStep = 50;
} // namespace

TScalePropsHoriz* TCustomLayerChart::ScaleX(int layer) const { return FPropsX[size_t(layer - 1)].get(); }
TScalePropsVert* TCustomLayerChart::ScaleY(int layer) const { return FPropsY[size_t(layer - 1)].get(); }
TScale* TCustomLayerChart::ScaleControlX(int layer) const { return FScalesX[size_t(layer - 1)]; }
TScale* TCustomLayerChart::ScaleControlY(int layer) const { return FScalesY[size_t(layer - 1)]; }

void TCustomLayerChart::CreateScales()
{
    for (int n = 1; n <= NumLayers; ++n) {
        for (int vertical = 0; vertical < 2; ++vertical) {
            auto* s = new TScale(this);
            s->hide(); // the chart draws its scales itself
            s->setObjectName(QStringLiteral("LC_FScale_%1_%2").arg(vertical ? "Y" : "X").arg(n));
            s->SetSuspendPaint(true);
            s->SetDirectPaint(true);
            s->SetTargetCanvas(nullptr, 0, 0);
            s->Loaded(); // built in code: no stored settings to wait for
            s->OnScaleTickDrawn = [this](TScale* sender, QPainter*& canvas, TScaleType type, double pos,
                                         int x, int y) {
                if (OnScaleTickDrawn)
                    OnScaleTickDrawn(sender, canvas, type, pos, x, y);
            };
            (vertical ? FScalesY : FScalesX)[size_t(n - 1)] = s;
        }
        auto px = std::make_unique<TScalePropsHoriz>();
        px->SetScaleType(n % 2 == 1 ? sctXT : sctXB);
        px->SetScalePos((n - 1) / 2 * HorizScalePosStep);
        px->SetColorScale(LayerColorTable[n - 1]);
        px->OnChange = [this](TScaleProps*) { ScalePropsChanged(); };
        FPropsX[size_t(n - 1)] = std::move(px);

        auto py = std::make_unique<TScalePropsVert>();
        py->SetScaleType(n % 2 == 1 ? sctYR : sctYL);
        py->SetScalePos((n - 1) / 2 * VertScalePosStep);
        py->SetColorScale(LayerColorTable[n - 1]);
        py->OnChange = [this](TScaleProps*) { ScalePropsChanged(); };
        FPropsY[size_t(n - 1)] = std::move(py);
    }
}

void TCustomLayerChart::PlaceScales()
{
    if (!FScalesReady)
        return;
    for (int n = 1; n <= NumLayers; ++n) {
        for (TScale* s : {ScaleControlX(n), ScaleControlY(n)}) {
            s->SetTransparent(true);
            s->SetColorBackGnd(FWindColor);
            s->SetFrameStyle(fsNone);
            s->SetBounds(0, 0, width(), height());
        }
        TScale* sx = ScaleControlX(n);
        sx->SetMarginLeft(FLRim);
        sx->SetMarginRight(FRRim + FShadowWidth - 1);
        TScale* sy = ScaleControlY(n);
        sy->SetMarginTop(FTRim);
        sy->SetMarginBottom(FBRim + FShadowWidth - 1);
    }
}

void TCustomLayerChart::SyncScale(TScale* scale, TScaleProps* props)
{
    if (!scale || !props)
        return;
    const int W = width();
    const int H = height();
    const int p = props->ScalePos();
    scale->SetScaleType(props->ScaleType());
    // The margin that puts the axis line on the chart-area edge, moved outward by ScalePos.
    switch (props->ScaleType()) {
    case sctXB: scale->SetMarginBottom(p + H - FTRim - 1); break;
    case sctXT: scale->SetMarginTop(p + H - FBRim - FShadowWidth); break;
    case sctYL: scale->SetMarginLeft(p + W - FRRim - FShadowWidth); break;
    case sctYR: scale->SetMarginRight(p + W - FLRim - 1); break;
    }
    scale->SetRangeLow(props->RangeLow());
    scale->SetRangeHigh(props->RangeHigh());
    scale->SetVisible(props->Visible());
    scale->SetCaption(props->Caption());
    scale->SetCaptionPosX(props->CaptionPosX());
    scale->SetCaptionPosY(props->CaptionPosY());
    scale->SetCaptionAlignment(props->CaptionAlignment());
    scale->SetCaptionAnchor(props->CaptionAnchor());
    scale->SetColorScale(props->ColorScale());
    scale->SetDecPlaces(props->DecPlaces());
    scale->SetLogarithmic(props->Logarithmic());
    scale->SetLabelType(props->LabelType());
    scale->SetShortTicks(props->ShortTicks());
    scale->SetMinTicks(props->MinTicks());
    scale->SetScaleInscript(props->ScaleInscript());
    scale->SetUserTickText(props->UserTickText());
    TFont font = props->Font();
    font.Color = props->ColorScale();
    scale->SetFont(font);
    const TDTLabel& from = props->DateFormat();
    TDTLabel& to = scale->DateFormat();
    to.SetTimeFormat(from.TimeFormat());
    to.SetDateSeparator(from.DateSeparator());
    to.SetTimeSeparator(from.TimeSeparator());
    to.SetYearLength(from.YearLength());
    to.SetMonthName(from.MonthName());
    to.SetDateForTime(from.DateForTime());
    to.SetDateOrder(from.DateOrder());
}

void TCustomLayerChart::SyncAllScales()
{
    if (!FScalesReady)
        return;
    for (int n = 1; n <= NumLayers; ++n)
        SyncScale(ScaleControlX(n), ScaleX(n));
    for (int n = 1; n <= NumLayers; ++n)
        SyncScale(ScaleControlY(n), ScaleY(n));
}

void TCustomLayerChart::ScalePropsChanged()
{
    if (!FScalesReady || FWritingRanges)
        return;
    SyncAllScales();
    // Re-applied so that a changed MinRange or Logarithmic reaches the mappings; one repaint.
    const bool wasSuspended = FPaintSuspended;
    FPaintSuspended = true;
    for (int n = 1; n <= NumLayers; ++n)
        SetLayerRange(n, false, ScaleX(n)->RangeLow(), ScaleY(n)->RangeLow(), ScaleX(n)->RangeHigh(),
                      ScaleY(n)->RangeHigh(), false);
    FPaintSuspended = wasSuspended;
    Paint();
}

void TCustomLayerChart::SetScaleTargets(QPainter* canvas, int offsetX, int offsetY)
{
    FScaleTarget = canvas;
    FScaleTargetX = offsetX;
    FScaleTargetY = offsetY;
    for (int n = 1; n <= NumLayers; ++n) {
        ScaleControlX(n)->SetTargetCanvas(canvas, offsetX, offsetY);
        ScaleControlY(n)->SetTargetCanvas(canvas, offsetX, offsetY);
    }
}

void TCustomLayerChart::DrawScales(QPainter& picture)
{
    const bool onPicture = FScaleTarget == nullptr;
    if (onPicture)
        for (int n = 1; n <= NumLayers; ++n) {
            ScaleControlX(n)->SetTargetCanvas(&picture, 0, 0);
            ScaleControlY(n)->SetTargetCanvas(&picture, 0, 0);
        }
    for (int n = 1; n <= NumLayers; ++n)
        ScaleControlX(n)->ForceRepaint();
    for (int n = 1; n <= NumLayers; ++n)
        ScaleControlY(n)->ForceRepaint();
    if (onPicture) // the painter ends with this picture; no scale may keep it
        for (int n = 1; n <= NumLayers; ++n) {
            ScaleControlX(n)->SetTargetCanvas(nullptr, 0, 0);
            ScaleControlY(n)->SetTargetCanvas(nullptr, 0, 0);
        }
}

} // namespace chart
