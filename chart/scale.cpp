// TScale: properties, mapping and the paint cycle. The drawing itself is in scaledraw.cpp.

#include "chart/scale.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace chart {

namespace {

constexpr int InitialSize = 400;
// Logarithmic ends must stay above this.
constexpr double LogFloor = 1e-100;
constexpr double PixelLimit = 2147483647.0;
constexpr int TimeDecPlaces = 4;

} // namespace

TScale::TScale(QWidget* owner) : QWidget(owner)
{
    FSuspendPaint = true;
    resize(InitialSize, InitialSize);
    FDateFormat.SetOwnerDefaults();
    FDateFormat.OnChange = [this](TDTLabel*) { RequestRepaint(); };
    ApplyColorScheme();
    UpdateMapping();
    FSuspendPaint = false;
}

TScale::~TScale() = default;

// --- Property setters ---------------------------------------------------------------------

void TScale::SetCaption(const QString& v)
{
    FCaption = v;
    RequestRepaint();
}

void TScale::SetCaptionPosX(int v)
{
    FCaptionPosX = v;
    RequestRepaint();
}

void TScale::SetCaptionPosY(int v)
{
    FCaptionPosY = v;
    RequestRepaint();
}

void TScale::SetCaptionAlignment(TAlignment v)
{
    FCaptionAlignment = v;
    RequestRepaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor v)
{
    FCaptionAnchor = v;
    RequestRepaint();
}

void TScale::SetColorBackGnd(TColor v)
{
    if (v == FColorBackGnd)
        return;
    FColorBackGnd = v;
    RequestRepaint();
}

void TScale::SetColorScale(TColor v)
{
    if (v == FColorScale)
        return;
    FColorScale = v;
    RequestRepaint();
}

void TScale::ApplyColorScheme()
{
    FFrameColorDark = clBlack;
    if (FColorScheme == csSystem) {
        FFrameColorShadow = clBtnShadow;
        FFrameColorHighlight = clBtnHighlight;
    } else {
        FFrameColorShadow = clGray;
        FFrameColorHighlight = clWhite;
    }
}

void TScale::SetColorScheme(TColorScheme v)
{
    if (v == FColorScheme)
        return;
    FColorScheme = v;
    ApplyColorScheme();
    RequestRepaint();
}

void TScale::SetDateFormat(const TDTLabel& v)
{
    // One repaint for the whole copy, not one per changed field.
    auto notify = std::move(FDateFormat.OnChange);
    FDateFormat.OnChange = nullptr;
    FDateFormat.Assign(v);
    FDateFormat.OnChange = std::move(notify);
    RequestRepaint();
}

void TScale::SetDecPlaces(int v)
{
    FDecPlaces = std::clamp(v, DecPlacesLow, DecPlacesHigh);
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetFont(const TFont& v)
{
    FFont = v;
    RequestRepaint();
}

void TScale::SetFrameStyle(TFrameStyle v)
{
    if (v == FFrameStyle)
        return;
    FFrameStyle = v;
    RequestRepaint();
}

void TScale::SetLabelType(TFigType v)
{
    FLabelType = v;
    if (v == ftDateTime)
        FLogarithmic = false;
    if (v == ftTime)
        FDecPlaces = TimeDecPlaces; // used when the time ticks fall back to numbers
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetLogarithmic(bool v)
{
    // A logarithmic mapping needs positive ends; date-time labels are linear days.
    const bool acceptable = FLoadingFlag
        || (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime);
    if (v && !acceptable)
        return;
    FLogarithmic = v;
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetMarginTop(int v)
{
    FMarginTop = std::max(v, 0);
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetMarginBottom(int v)
{
    FMarginBottom = std::max(v, 0);
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetMarginLeft(int v)
{
    FMarginLeft = std::max(v, 0);
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetMarginRight(int v)
{
    FMarginRight = std::max(v, 0);
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetMinTicks(int v)
{
    FMinTicks = std::clamp(v, MinTicksLow, MinTicksHigh);
    RequestRepaint();
}

void TScale::SetRangeLow(double v)
{
    // Equal ends would leave no length to map.
    FRangeLow = v;
    if (v == FRangeHigh)
        FRangeHigh = v + 1;
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetRangeHigh(double v)
{
    FRangeHigh = v;
    if (v == FRangeLow)
        FRangeLow = v + 1;
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetShortTicks(bool v)
{
    if (v == FShortTicks)
        return;
    FShortTicks = v;
    RequestRepaint();
}

void TScale::SetShowBaseLine(bool v)
{
    FShowBaseLine = v;
    RequestRepaint();
}

void TScale::SetScaleInscript(const QString& v)
{
    FScaleInscript = v;
    RequestRepaint();
}

void TScale::SetScaleType(TScaleType v)
{
    if (v == FScaleType)
        return;
    FScaleType = v;
    UpdateMapping();
    RequestRepaint();
}

void TScale::SetTransparent(bool v)
{
    FTransparent = v;
    RequestRepaint();
}

void TScale::SetUserTickText(const QString& v)
{
    FUserTickText = v;
    RequestRepaint();
}

void TScale::SetVisible(bool v)
{
    if (v == FVisible)
        return;
    FVisible = v;
    RequestRepaint();
}

// --- Operations ---------------------------------------------------------------------------

void TScale::Loaded()
{
    UpdateMapping();
    FLoadingFlag = false;
    RequestRepaint();
}

void TScale::SetBounds(int left, int top, int w, int h)
{
    setGeometry(left, top, std::max(w, 0), std::max(h, 0));
    UpdateMapping();
    RequestRepaint();
}

void TScale::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateMapping();
}

void TScale::SetSuspendPaint(bool flag)
{
    if (flag == FSuspendPaint)
        return;
    FSuspendPaint = flag;
    if (!flag)
        RequestRepaint();
}

void TScale::ForceRepaint()
{
    const bool previous = FSuspendPaint;
    FSuspendPaint = false;
    RequestRepaint();
    FSuspendPaint = previous;
}

void TScale::SetDirectPaint(bool flag)
{
    if (flag == FDirectPaint)
        return;
    FDirectPaint = flag;
    RequestRepaint();
}

void TScale::SetTargetCanvas(QPainter* canvas, int offsetX, int offsetY)
{
    FTargetCanvas = canvas;
    FTargetOffsetX = offsetX;
    FTargetOffsetY = offsetY;
}

void TScale::RequestRepaint()
{
    if (!FTransparent || FDirectPaint) {
        Paint();
    } else {
        FPaintPending = true;
        update();
    }
}

void TScale::UpdateMapping()
{
    if (FRangeHigh == FRangeLow)
        return;
    const bool horizontal = IsHorizontal();
    const double length = horizontal ? double(width() - FMarginLeft - FMarginRight - 1)
                                     : double(height() - FMarginTop - FMarginBottom - 1);
    if (length <= 0) {
        // No room: every value lands in the middle.
        FPixelFactor = 0;
        FPixelOffset = (horizontal ? width() : height()) / 2.0;
        return;
    }
    if (FLogarithmic) {
        if (FRangeLow <= 0 || FRangeHigh <= 0)
            return; // keep the previous mapping
        const double lnLow = std::log(FRangeLow);
        const double lnHigh = std::log(FRangeHigh);
        if (horizontal) {
            FPixelFactor = length / (lnHigh - lnLow);
            FPixelOffset = FMarginLeft - lnLow * FPixelFactor;
        } else {
            FPixelFactor = length / (lnLow - lnHigh);
            FPixelOffset = FMarginTop - lnHigh * FPixelFactor;
        }
        return;
    }
    if (horizontal) {
        FPixelFactor = length / (FRangeHigh - FRangeLow);
        FPixelOffset = FMarginLeft - FRangeLow * FPixelFactor;
    } else {
        FPixelFactor = length / (FRangeLow - FRangeHigh); // pixel y grows downwards
        FPixelOffset = FMarginTop - FRangeHigh * FPixelFactor;
    }
}

int TScale::ValueToPixel(double v) const
{
    double p;
    if (FLogarithmic) {
        if (v > LogFloor)
            p = FPixelFactor * std::log(v) + FPixelOffset;
        else
            p = FRangeHigh >= FRangeLow ? 0 : width();
    } else {
        p = FPixelFactor * v + FPixelOffset;
    }
    if (std::isnan(p))
        return 0;
    p = std::clamp(p, -PixelLimit, PixelLimit);
    return int(RoundHalfEven(p));
}

double TScale::GetTickPos(int index) const
{
    if (index < 1 || index > FNumTicks)
        return 0;
    return FTickPositions[size_t(index - 1)];
}

void TScale::RecordTick(double v)
{
    if (FNumTicks < MaxRecordedTicks)
        FTickPositions[size_t(FNumTicks++)] = v;
}

// --- Paint cycle --------------------------------------------------------------------------

QColor TScale::Resolve(TColor c) const
{
    return ToQColor(c, palette());
}

int TScale::AxisPosition(int offsetX, int offsetY) const
{
    switch (FScaleType) {
    case sctXB: return offsetY + height() - FMarginBottom - 1;
    case sctXT: return offsetY + FMarginTop;
    case sctYL: return offsetX + FMarginLeft;
    case sctYR: return offsetX + width() - FMarginRight - 1;
    }
    return 0;
}

void TScale::Paint()
{
    PaintScale(FInPaintEvent);
}

void TScale::PaintScale(bool fromPaintEvent)
{
    if (!FVisible || FSuspendPaint)
        return;
    const int w = width();
    const int h = height();
    const bool ownCanvas = FTargetCanvas == nullptr;
    std::optional<QPainter> ownPainter;
    QPainter* target = FTargetCanvas;
    int ox = FTargetOffsetX;
    int oy = FTargetOffsetY;
    if (ownCanvas) {
        if (w <= 0 || h <= 0)
            return;
        if (FPicture.size() != QSize(w, h))
            FPicture = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        // A transparent scale on its own canvas shows what lies beneath the widget.
        FPicture.fill(Qt::transparent);
        ownPainter.emplace(&FPicture);
        target = &*ownPainter;
        ox = 0;
        oy = 0;
    }
    if (!target->isActive())
        return;

    target->save();
    target->setFont(FFont.Font);
    if (OnBeforeScaleRendered)
        OnBeforeScaleRendered(this, target);
    FDrawOffsetX = ox;
    FDrawOffsetY = oy;
    if (FTransparent) {
        PrepareCanvas(target);
        QPainter* canvas = target;
        const int axis = AxisPosition(ox, oy);
        DrawScale(canvas, axis);
        if (FShowBaseLine)
            DrawBaseLine(canvas, axis);
        if (OnAfterScaleRendered)
            OnAfterScaleRendered(this, canvas);
    } else if (w > 0 && h > 0) {
        QImage bitmap(w, h, QImage::Format_RGB32);
        bitmap.fill(Resolve(FColorBackGnd));
        {
            QPainter bp(&bitmap);
            bp.setFont(FFont.Font);
            PrepareCanvas(&bp);
            FDrawOffsetX = 0;
            FDrawOffsetY = 0;
            QPainter* canvas = &bp;
            const int axis = AxisPosition(0, 0);
            DrawScale(canvas, axis);
            if (FShowBaseLine)
                DrawBaseLine(canvas, axis);
            if (OnAfterScaleRendered)
                OnAfterScaleRendered(this, &bp);
            DrawStyledFrame(&bp);
        }
        target->drawImage(ox, oy, bitmap);
    }
    FDrawOffsetX = 0;
    FDrawOffsetY = 0;
    target->restore();

    if (ownCanvas) {
        ownPainter.reset();
        if (!fromPaintEvent)
            update();
    }
}

void TScale::paintEvent(QPaintEvent*)
{
    if (FPaintPending) {
        FPaintPending = false;
        FInPaintEvent = true;
        Paint();
        FInPaintEvent = false;
    }
    QPainter p(this);
    p.drawImage(0, 0, FPicture);
}

// --- Assign -------------------------------------------------------------------------------

void TScale::Assign(const TScale& source)
{
    if (&source == this)
        return;
    FFrameStyle = source.FFrameStyle;
    FColorBackGnd = source.FColorBackGnd;
    FColorScale = source.FColorScale;
    FFrameColorDark = source.FFrameColorDark;
    FFrameColorShadow = source.FFrameColorShadow;
    FFrameColorHighlight = source.FFrameColorHighlight;
    FColorScheme = source.FColorScheme;
    OnScaleTickDrawn = source.OnScaleTickDrawn;
    FLogarithmic = source.FLogarithmic;
    FPixelFactor = source.FPixelFactor;
    FPixelOffset = source.FPixelOffset;
    FRangeLow = source.FRangeLow;
    FRangeHigh = source.FRangeHigh;
    FShortTicks = source.FShortTicks;
    FNumTicks = source.FNumTicks;
    FTickPositions = source.FTickPositions;
    FMinTicks = source.FMinTicks;
    FDecPlaces = source.FDecPlaces;
    FShowBaseLine = source.FShowBaseLine;
    FTransparent = source.FTransparent;
    FLabelType = source.FLabelType;
    FMarginTop = source.FMarginTop;
    FMarginBottom = source.FMarginBottom;
    FMarginLeft = source.FMarginLeft;
    FMarginRight = source.FMarginRight;
    FDirectPaint = source.FDirectPaint;
    FCaptionPosX = source.FCaptionPosX;
    FCaptionPosY = source.FCaptionPosY;
    FUserTickText = source.FUserTickText;
    FScaleInscript = source.FScaleInscript;
    FCaption = source.FCaption;
    FCaptionAnchor = source.FCaptionAnchor;
    FCaptionAlignment = source.FCaptionAlignment;
    FTargetCanvas = source.FTargetCanvas;
    FTargetOffsetX = source.FTargetOffsetX;
    FTargetOffsetY = source.FTargetOffsetY;
    FScaleType = source.FScaleType;
    FSuspendPaint = source.FSuspendPaint;
    RequestRepaint();
}

} // namespace chart
