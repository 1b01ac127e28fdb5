// TScale drawing: ticks, labels, caption, base line and frame, placed from what
// scaleticks.cpp computes.

#include "chart/scale.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace chart {

namespace {

// The inner bottom-right edge of a lowered frame.
constexpr TColor FrameSilver = clSilver;

} // namespace

void TScale::PrepareCanvas(QPainter* canvas) const
{
    canvas->setRenderHint(QPainter::Antialiasing, false);
    canvas->setPen(QPen(Resolve(FColorScale), 1));
    // An opaque scale writes its labels on the background colour.
    if (FTransparent) {
        canvas->setBrush(Qt::NoBrush);
        canvas->setBackgroundMode(Qt::TransparentMode);
    } else {
        canvas->setBrush(Resolve(FColorBackGnd));
        canvas->setBackground(Resolve(FColorBackGnd));
        canvas->setBackgroundMode(Qt::OpaqueMode);
    }
}

int TScale::TickPixel(double v) const
{
    return ValueToPixel(v) + (IsHorizontal() ? FDrawOffsetX : FDrawOffsetY);
}

void TScale::DrawTickMark(QPainter* canvas, int tickPixel, int axis, int length)
{
    // `length` pixels including the one on the axis line.
    const int reach = length - 1;
    switch (FScaleType) {
    case sctXB: canvas->drawLine(tickPixel, axis, tickPixel, axis - reach); break;
    case sctXT: canvas->drawLine(tickPixel, axis, tickPixel, axis + reach); break;
    case sctYL: canvas->drawLine(axis, tickPixel, axis + reach, tickPixel); break;
    case sctYR: canvas->drawLine(axis, tickPixel, axis - reach, tickPixel); break;
    }
}

void TScale::RaiseTickDrawn(QPainter*& canvas, double value, int tickPixel, int axis)
{
    if (!OnScaleTickDrawn)
        return;
    if (IsHorizontal())
        OnScaleTickDrawn(this, canvas, FScaleType, value, tickPixel, axis);
    else
        OnScaleTickDrawn(this, canvas, FScaleType, value, axis, tickPixel);
}

void TScale::DrawTextAt(QPainter* canvas, int left, int top, const QString& text)
{
    if (text.isEmpty())
        return;
    const QPen linePen = canvas->pen();
    canvas->setPen(Resolve(FFont.Color));
    canvas->drawText(QPoint(left, top + canvas->fontMetrics().ascent()), text);
    canvas->setPen(linePen);
}

void TScale::DrawHorizLabel(QPainter* canvas, int tickX, int axisY, const QString& text, int shift)
{
    const QFontMetrics fm = canvas->fontMetrics();
    const int w2 = fm.horizontalAdvance(text) / 2;
    const int h = fm.height();
    const int x = tickX - FDrawOffsetX; // in the scale's own coordinates
    int left;
    if (x + w2 < width() - HorizLabelEdge)
        left = x - std::min(w2, x - HorizLabelEdge);
    else
        left = width() - 2 * w2 - HorizLabelEdge;
    const int top = FScaleType == sctXT ? axisY + LongTickLengthHoriz + shift
                                        : axisY - LongTickLengthHoriz - h - shift;
    DrawTextAt(canvas, left + FDrawOffsetX, top, text);
}

int TScale::VertLabelLeft(int axisX, int textWidth) const
{
    return FScaleType == sctYR ? axisX - textWidth - VertLabelGap : axisX + VertLabelGap;
}

void TScale::DrawNumericLabel(QPainter* canvas, int tickPixel, int axis, const QString& text)
{
    if (text.isEmpty())
        return;
    if (IsHorizontal()) {
        DrawHorizLabel(canvas, tickPixel, axis, text);
    } else {
        const int w = canvas->fontMetrics().horizontalAdvance(text);
        DrawTextAt(canvas, VertLabelLeft(axis, w), tickPixel - FLabelHeight / 2, text);
    }
}

QString TScale::DecorateLabel(const QString& text, int tickNumber) const
{
    if (FLabelType == ftUserText)
        return UserTickField(FUserTickText, tickNumber);
    return ApplyScaleInscript(text, FScaleInscript);
}

void TScale::DrawVertScale(QPainter*& canvas, int axisX)
{
    DrawScale(canvas, axisX);
}

void TScale::DrawHorizScale(QPainter*& canvas, int axisY)
{
    DrawScale(canvas, axisY);
}

void TScale::DrawScale(QPainter*& canvas, int axis)
{
    if (FTransparent)
        canvas->setBrush(Qt::NoBrush);
    else
        canvas->setBrush(Resolve(FColorBackGnd));
    FNumTicks = 0;
    FTickPositions.fill(0);
    FLabelHeight = canvas->fontMetrics().height();
    DrawTicks(canvas, axis);
    DrawCaption(canvas, axis);
}

void TScale::DrawTicks(QPainter*& canvas, int axis)
{
    switch (FLabelType) {
    case ftDateTime:
        if (DrawDateTimeTicks(canvas, axis))
            return;
        break;
    case ftTime:
        if (DrawTimeTicks(canvas, axis))
            return;
        break;
    case ftNoFigs:
    case ftNum:
    case ftUserText:
        break;
    }
    if (FLogarithmic && UseLogTicks(FRangeLow, FRangeHigh))
        DrawLogTicks(canvas, axis);
    else
        DrawLinearTicks(canvas, axis);
}

void TScale::DrawLinearTicks(QPainter*& canvas, int axis)
{
    const TScaleStep step = FindScaleStep(FMinTicks, FRangeLow, FRangeHigh);
    if (step.Step == 0)
        return;
    const bool horizontal = IsHorizontal();
    if (FShortTicks) {
        for (const long double v : LinearShortTicks(step, FRangeLow, FRangeHigh)) {
            const int p = TickPixel(double(v));
            RecordTick(double(v));
            DrawTickMark(canvas, p, axis, ShortTickLength);
            RaiseTickDrawn(canvas, double(v), p, axis);
        }
    }
    const int decimals = AutoDecimals(FDecPlaces, FRangeHigh, FRangeLow);
    int tickNumber = 0;
    for (const long double v : LinearLabelTicks(step, FRangeHigh)) {
        ++tickNumber;
        const int p = TickPixel(double(v));
        // A horizontal scale with short ticks has recorded the labelled positions already.
        if (!horizontal || !FShortTicks)
            RecordTick(double(v));
        DrawTickMark(canvas, p, axis, horizontal ? LongTickLengthHoriz : LongTickLengthVert);
        if (!horizontal)
            RaiseTickDrawn(canvas, double(v), p, axis);
        if (FLabelType != ftNoFigs) {
            const QString text = DecorateLabel(LinearTickText(v, decimals, FRangeLow, FRangeHigh), tickNumber);
            DrawNumericLabel(canvas, p, axis, text);
        }
        if (horizontal)
            RaiseTickDrawn(canvas, double(v), p, axis);
    }
}

void TScale::DrawLogTicks(QPainter*& canvas, int axis)
{
    const bool horizontal = IsHorizontal();
    const double lo = std::min(FRangeLow, FRangeHigh);
    const double hi = std::max(FRangeLow, FRangeHigh);
    const int decimals = AutoDecimalsLog(FDecPlaces, hi, lo);
    int tickNumber = 0;
    auto label = [&](const TLogTick& tick, int p) {
        ++tickNumber;
        if (FLabelType != ftNoFigs)
            DrawNumericLabel(canvas, p, axis, DecorateLabel(LogTickText(tick, FDecPlaces, decimals), tickNumber));
    };
    for (const TLogTick& tick : LogTicks(FMinTicks, FRangeLow, FRangeHigh)) {
        const double v = double(tick.Value);
        const int p = TickPixel(v);
        if (!horizontal) {
            if (!tick.Labelled && !FShortTicks)
                continue;
            RecordTick(v);
            DrawTickMark(canvas, p, axis, LongTickLengthVert);
            RaiseTickDrawn(canvas, v, p, axis);
            if (tick.Labelled)
                label(tick, p);
        } else if (tick.Labelled) {
            RecordTick(v);
            DrawTickMark(canvas, p, axis, LongTickLengthHoriz);
            label(tick, p);
            RaiseTickDrawn(canvas, v, p, axis);
        } else {
            // A hidden short tick still reports its position.
            if (FShortTicks) {
                RecordTick(v);
                DrawTickMark(canvas, p, axis, ShortTickLength);
            }
            RaiseTickDrawn(canvas, v, p, axis);
        }
    }
}

void TScale::DrawCaption(QPainter* canvas, int axis)
{
    if (FCaption.isEmpty())
        return;
    const int w = canvas->fontMetrics().horizontalAdvance(FCaption);
    int x;
    int y;
    if (IsHorizontal()) {
        y = axis;
        switch (FCaptionAnchor) {
        case uaSclTopLft: x = FMarginLeft; break;
        case uaSclCenter: x = FMarginLeft + (width() - FMarginLeft - FMarginRight) / 2; break;
        case uaSclBotRgt: x = width() - FMarginRight; break;
        default: x = FMarginLeft; break;
        }
        x += FDrawOffsetX;
    } else {
        x = axis;
        switch (FCaptionAnchor) {
        case uaSclTopLft: y = FMarginTop; break;
        case uaSclCenter: y = FMarginTop + (height() - FMarginTop - FMarginBottom) / 2; break;
        case uaSclBotRgt: y = height() - FMarginBottom; break;
        default: y = FMarginTop; break;
        }
        y += FDrawOffsetY;
    }
    x += FCaptionPosX;
    y += FCaptionPosY;
    switch (FCaptionAlignment) {
    case taLeftJustify: break;
    case taRightJustify: x -= w; break;
    case taCenter: x -= w / 2; break;
    }
    DrawTextAt(canvas, x, y, FCaption);
}

void TScale::DrawBaseLine(QPainter* canvas, int axis)
{
    if (IsHorizontal())
        canvas->drawLine(FDrawOffsetX + FMarginLeft, axis, FDrawOffsetX + width() - FMarginRight - 1, axis);
    else
        canvas->drawLine(axis, FDrawOffsetY + FMarginTop, axis, FDrawOffsetY + height() - FMarginBottom - 1);
}

void TScale::DrawStyledFrame(QPainter* canvas)
{
    const int r = width() - 1;
    const int b = height() - 1;
    if (FFrameStyle == fsNone || r < 0 || b < 0)
        return;
    const QPen previous = canvas->pen();
    // Top and left edges in one colour, bottom and right in the other; the corners at the
    // top right and bottom left belong to the bottom-right colour.
    auto bevel = [&](int inset, TColor topLeft, TColor bottomRight) {
        const int l = inset, t = inset, rr = r - inset, bb = b - inset;
        if (rr < l || bb < t)
            return;
        canvas->setPen(Resolve(topLeft));
        canvas->drawLine(l, t, rr - 1 < l ? l : rr - 1, t);
        canvas->drawLine(l, t, l, bb - 1 < t ? t : bb - 1);
        canvas->setPen(Resolve(bottomRight));
        canvas->drawLine(rr, t, rr, bb);
        canvas->drawLine(l, bb, rr, bb);
    };
    switch (FFrameStyle) {
    case fsNone: break;
    case fsSimple:
        canvas->setPen(Resolve(FFrameColorDark));
        canvas->setBrush(Qt::NoBrush);
        canvas->drawRect(0, 0, r, b);
        break;
    case fsLowered:
        bevel(0, FFrameColorShadow, FFrameColorHighlight);
        bevel(1, FFrameColorDark, FrameSilver);
        break;
    case fsRaised:
        bevel(0, FFrameColorHighlight, FFrameColorDark);
        bevel(1, FrameSilver, FFrameColorShadow);
        break;
    case fsEmbossed:
        bevel(0, FFrameColorHighlight, FFrameColorShadow);
        bevel(1, FFrameColorShadow, FFrameColorHighlight);
        break;
    case fsEngraved:
        bevel(0, FFrameColorShadow, FFrameColorHighlight);
        bevel(1, FFrameColorHighlight, FFrameColorShadow);
        break;
    }
    canvas->setPen(previous);
}

} // namespace chart
