// Mouse interaction of the chart: zoom window, pan, zoom drag, rubber band, crosshair and label
// dragging, the mode cursors and the position reports.

#include "chart/chartcursors.h"
#include "chart/layerchart.h"
#include "chart/mousegeometry.h"
#include "chart/scaleprops.h"

#include <QEvent>
#include <QMouseEvent>

namespace chart {

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState s = 0;
    if (modifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (modifiers & Qt::AltModifier)
        s |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

// False for buttons the chart does not know (back, forward ...).
bool ButtonOf(Qt::MouseButton qt, TMouseButton& button)
{
    switch (qt) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
    }
}

bool IsZoomWindowMode(TMouseActMode m)
{
    return m == maZoomWind || m == maZoomWindPos;
}

bool IsDragMode(TMouseActMode m)
{
    return m == maPan || m == maPanHoriz || m == maPanVert || m == maZoomDrag;
}

// The cursor a mode asks for inside the chart area; `changes` is false where the chart leaves
// the screen-wide cursor alone.
int ModeCursor(TMouseActMode m, bool& changes)
{
    changes = true;
    switch (m) {
    case maNone: return crCross;
    case maPan:
    case maPanHoriz:
    case maPanVert: return crHandCursor;
    case maZoomWind: return crZoomWindCursor;
    case maZoomWindPos: return crZoomPosCursor;
    case maZoomDrag: return crZoomDragCursor;
    case maDragCrossH:
    case maDragLabel: return crDefault;
    default: changes = false; return crDefault;
    }
}

} // namespace

ChartArea TCustomLayerChart::MouseArea() const
{
    return ChartArea::Of(width(), height(), FLRim, FRRim, FTRim, FBRim, FShadowWidth);
}

bool TCustomLayerChart::MouseAffectsLayer(int layer) const
{
    return layer >= 1 && layer <= NumLayers && FMouseAffectsLayer[size_t(layer - 1)];
}

void TCustomLayerChart::SetMouseAffectsLayer(int layer, bool affects)
{
    if (layer >= 1 && layer <= NumLayers)
        FMouseAffectsLayer[size_t(layer - 1)] = affects;
}

// ---- XOR outlines on the window picture ----

void TCustomLayerChart::ToggleOutline(QPoint a, QPoint b, const QRect& clip)
{
    XorOutline(FWindowPicture, a, b, clip);
    ShowOnWindow(QRect(a, b).normalized().adjusted(0, 0, 1, 1));
}

void TCustomLayerChart::EraseOutline(ShownOutline& outline)
{
    if (!outline.Shown)
        return;
    ToggleOutline(outline.A, outline.B);
    outline.Shown = false;
}

void TCustomLayerChart::DrawOutline(ShownOutline& outline, QPoint a, QPoint b)
{
    EraseOutline(outline);
    ToggleOutline(a, b);
    outline = ShownOutline{true, a, b};
}

void TCustomLayerChart::RestoreMouseOutlines(const QRect& presented)
{
    // A fresh picture covered the outlines inside `presented`; put them back there so that the
    // next erase removes them instead of drawing stale ones.
    for (const ShownOutline* o : {&FMouse.ZoomOutline, &FMouse.BandOutline})
        if (o->Shown)
            ToggleOutline(o->A, o->B, presented);
}

// ---- the frame of every view change ----

void TCustomLayerChart::ChangeViewWithMouse(const std::function<void(int layer)>& changeLayer)
{
    const bool wasSuspended = FPaintSuspended;
    SetPaintSuspended(true);
    for (int i = 1; i <= NumLayers; ++i)
        if (MouseAffectsLayer(i))
            changeLayer(i);
    SetPaintSuspended(wasSuspended);
    if (OnZoomPan)
        OnZoomPan(this);
}

void TCustomLayerChart::TakeDragSnapshot(int x, int y)
{
    for (int n = 1; n <= NumLayers; ++n) {
        LayerDragSnapshot& s = FMouse.Snapshot[size_t(n - 1)];
        s.Start = QPoint(x, y);
        s.XLow = ScaleX(n)->RangeLow();
        s.XHigh = ScaleX(n)->RangeHigh();
        s.YLow = ScaleY(n)->RangeLow();
        s.YHigh = ScaleY(n)->RangeHigh();
    }
}

// ---- the handlers ----

void TCustomLayerChart::MouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (FRubberBandState == rbArmed) {
        if (button == mbRight) {
            FRubberBandState = rbIdle;
        } else {
            FRubberBandStart = QPoint(x, y);
            FMouse.BandCorner = QPoint(x, y);
            FRubberBandState = rbDragging;
        }
    }
    if (IsZoomWindowMode(FMouseAction) && button == mbLeft && !FMouse.ZoomActive && MouseArea().Contains(x, y)) {
        FMouse.ZoomActive = true;
        FMouse.ZoomStart = QPoint(x, y);
        FMouse.ZoomCorner = QPoint(x, y);
    }
}

void TCustomLayerChart::MouseMove(TShiftState shift, int x, int y)
{
    const ChartArea area = MouseArea();
    if (FRubberBandState == rbDragging) {
        x = area.ClampX(x);
        y = area.ClampY(y);
        DrawOutline(FMouse.BandOutline, FRubberBandStart, QPoint(x, y));
        FMouse.BandCorner = QPoint(x, y);
    }

    switch (FMouseAction) {
    case maZoomWind:
    case maZoomWindPos:
        if (FMouse.ZoomActive) {
            const QPoint c = ZoomWindowCorner(FMouse.ZoomStart, QPoint(x, y), area, FIsometric);
            x = c.x();
            y = c.y();
            DrawOutline(FMouse.ZoomOutline, FMouse.ZoomStart, c);
            FMouse.ZoomCorner = c;
        }
        break;
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag: DragViewStep(shift, x, y); break;
    case maDragCrossH: CrossHairDragStep(shift, x, y); break;
    case maDragLabel: LabelDragStep(shift, x, y); break;
    default: break;
    }

    const bool inside = area.Contains(x, y);
    if (inside) {
        const QPointF d = PixelToData(FActiveLayer, x, y);
        FMousePosX = d.x();
        FMousePosY = d.y();
    }
    bool changes = false;
    const int cursor = ModeCursor(FMouseAction, changes);
    if (inside && !FMouseCursorFixed) {
        if (changes)
            SetScreenCursor(cursor);
    } else {
        SetScreenCursor(crDefault);
    }
}

void TCustomLayerChart::DragViewStep(TShiftState shift, int x, int y)
{
    if (!(shift & ssLeft)) {
        FMouse.DragBegun = false;
        return;
    }
    if (!FMouse.DragBegun) {
        // The first move with the button held only records where the drag starts.
        TakeDragSnapshot(x, y);
        FMouse.DragBegun = true;
        return;
    }
    if (!MouseArea().Contains(x, y))
        return;
    const int w = AreaWidth();
    const int h = AreaHeight();
    ChangeViewWithMouse([&](int i) {
        const LayerDragSnapshot& s = FMouse.Snapshot[size_t(i - 1)];
        const TScalePropsHoriz* px = ScaleX(i);
        const TScalePropsVert* py = ScaleY(i);
        const AxisRange curX{px->RangeLow(), px->RangeHigh()};
        const AxisRange curY{py->RangeLow(), py->RangeHigh()};
        AxisRange nx = curX;
        AxisRange ny = curY;
        if (FMouseAction == maZoomDrag) {
            const double fx = ZoomDragFactorX(x, s.Start.x(), width());
            const double fy = FIsometric ? fx : ZoomDragFactorY(y, s.Start.y(), height());
            nx = ZoomAboutCentre({s.XLow, s.XHigh}, fx);
            ny = ZoomAboutCentre({s.YLow, s.YHigh}, fy);
        } else {
            if (FMouseAction != maPanVert)
                nx = PanAxis(curX, {s.XLow, s.XHigh}, s.Start.x() - x, w, px->Logarithmic());
            if (FMouseAction != maPanHoriz)
                ny = PanAxis(curY, {s.YLow, s.YHigh}, y - s.Start.y(), h, py->Logarithmic());
        }
        SetLayerRange(i, false, nx.Low, ny.Low, nx.High, ny.High, true);
    });
}

void TCustomLayerChart::CrossHairDragStep(TShiftState shift, int x, int y)
{
    if (!(shift & ssLeft)) {
        FMouse.DragBegun = false;
        return;
    }
    if (!FMouse.DragBegun) {
        TakeDragSnapshot(x, y);
        std::vector<CrossHairTarget> targets;
        for (int n = 1; n <= NumCrossHairs; ++n) {
            const TCrossHair* c = CrossHair(n);
            const TCrossHMode m = c->Mode();
            targets.push_back({m == chVert || m == chBoth, m == chHoriz || m == chBoth,
                               DataToPixel(c->Layer(), c->PosX(), c->PosY())});
        }
        FMouse.DraggedCrossHair = NearestCrossHair(targets, QPoint(x, y));
        FMouse.DragBegun = true;
        return;
    }
    TCrossHair* c = CrossHair(FMouse.DraggedCrossHair);
    const QPointF d = PixelToData(ClampLayer(c->Layer()), x, y);
    // Two setters, one repaint.
    const bool wasSuspended = FPaintSuspended;
    SetPaintSuspended(true);
    c->SetPosX(d.x());
    c->SetPosY(d.y());
    SetPaintSuspended(wasSuspended);
    if (OnCrossHairMove)
        OnCrossHairMove(this, c);
}

void TCustomLayerChart::LabelDragStep(TShiftState shift, int x, int y)
{
    if (!(shift & ssLeft)) {
        FMouse.DragBegun = false;
        return;
    }
    if (!FMouse.DragBegun) {
        TakeDragSnapshot(x, y);
        std::vector<LabelTarget> targets;
        for (int n = 1; n <= NumTextLabels; ++n) {
            const TTextLabel* l = TextLabel(n);
            const QPoint p = l->AttachToData() ? DataToPixel(l->Layer(), l->PosX(), l->PosY())
                                               : QPoint(RoundPixelValue(l->PosX()), RoundPixelValue(l->PosY()));
            targets.push_back({l->Mode() != tlOff, p});
        }
        FMouse.DraggedLabel = NearestLabel(targets, QPoint(x, y));
        FMouse.DragBegun = true;
        return;
    }
    TTextLabel* l = TextLabel(FMouse.DraggedLabel);
    if (l->AttachToData()) {
        const QPointF d = PixelToData(l->Layer(), x, y);
        l->MoveSilently(d.x(), d.y());
    } else {
        l->MoveSilently(x, y);
    }
    Paint();
    if (OnTextLabelMove)
        OnTextLabelMove(this, l);
}

void TCustomLayerChart::MouseUp(TMouseButton button, TShiftState, int x, int y)
{
    if (FRubberBandState == rbDragging) {
        EraseOutline(FMouse.BandOutline);
        if (button == mbRight) {
            FRubberBandState = rbIdle;
        } else {
            FRubberBandEnd = QPoint(x, y);
            FRubberBandState = rbFinished;
        }
    }
    if (IsZoomWindowMode(FMouseAction) && FMouse.ZoomActive && button != mbMiddle) {
        EraseOutline(FMouse.ZoomOutline);
        FMouse.ZoomActive = false;
        const QPoint a = FMouse.ZoomStart;
        const QPoint b = FMouse.ZoomCorner; // the last corner of the outline, not the release point
        if (button == mbLeft && a.x() != b.x() && a.y() != b.y()) {
            ChangeViewWithMouse([&](int i) {
                const QPointF da = PixelToData(i, a.x(), a.y());
                const QPointF db = PixelToData(i, b.x(), b.y());
                double xa = da.x(), ya = da.y(), xb = db.x(), yb = db.y();
                if (FMouseAction == maZoomWindPos) {
                    KeepAxisDirection(xa, xb, ScaleX(i)->RangeLow(), ScaleX(i)->RangeHigh());
                    KeepAxisDirection(ya, yb, ScaleY(i)->RangeLow(), ScaleY(i)->RangeHigh());
                }
                SetLayerRange(i, true, xa, ya, xb, yb, false);
            });
        }
    }
    if (IsDragMode(FMouseAction))
        PushZoomHistory();
    // A drag ends with its button, even when no move without the button follows before the
    // next press; otherwise that press would carry on with the old snapshot and target.
    if (button == mbLeft)
        FMouse.DragBegun = false;
}

void TCustomLayerChart::mousePressEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ButtonOf(event->button(), button))
        return QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    if (OnMouseDown)
        OnMouseDown(this, button, shift, p.x(), p.y());
    MouseDown(button, shift, p.x(), p.y());
}

void TCustomLayerChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: the application hears of the double click, then the
    // press runs like any other.
    TMouseButton button;
    if (!ButtonOf(event->button(), button))
        return QWidget::mouseDoubleClickEvent(event);
    if (button == mbLeft && OnDblClick)
        OnDblClick(this);
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons()) | ssDouble;
    if (OnMouseDown)
        OnMouseDown(this, button, shift, p.x(), p.y());
    MouseDown(button, shift, p.x(), p.y());
}

void TCustomLayerChart::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    FLastMouseX = p.x();
    FLastMouseY = p.y();
    if (OnMouseMove)
        OnMouseMove(this, shift, p.x(), p.y());
    MouseMove(shift, p.x(), p.y());
    if (OnMouseMoveInChart) {
        // The message's own position, unclamped: over the rims InChart is false.
        const QPointF d = PixelToData(FActiveLayer, p.x(), p.y());
        OnMouseMoveInChart(this, MouseArea().Contains(p), shift, d.x(), d.y());
    }
}

void TCustomLayerChart::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!ButtonOf(event->button(), button))
        return QWidget::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    if (OnMouseUp)
        OnMouseUp(this, button, shift, p.x(), p.y());
    MouseUp(button, shift, p.x(), p.y());
}

void TCustomLayerChart::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    SetScreenCursor(crDefault);
}

} // namespace chart
