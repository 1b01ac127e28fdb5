#include "chart/wmfpaintengine.h"

#include "chart/wmfrecords.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace chart {

using namespace wmf;

namespace {

// Far beyond the 16-bit coordinates the format can hold; keeps the double-to-int conversion safe.
constexpr double CoordinateLimit = 1.0e6;

int RoundCoord(double v)
{
    return int(std::floor(std::clamp(v, -CoordinateLimit, CoordinateLimit) + 0.5));
}

// Everything but the raster operations draws as plain copy.
uint16_t RopOf(QPainter::CompositionMode mode)
{
    switch (mode) {
    case QPainter::RasterOp_SourceXorDestination: return R2_XORPEN;
    case QPainter::RasterOp_NotDestination: return R2_NOT;
    case QPainter::RasterOp_SourceAndDestination: return R2_MASKPEN;
    case QPainter::RasterOp_SourceOrDestination: return R2_MERGEPEN;
    case QPainter::RasterOp_NotSource: return R2_NOTCOPYPEN;
    default: return R2_COPYPEN;
    }
}

// The colour a brush fills with when the format has no equivalent (gradients, textures).
QColor PlainColor(const QBrush& brush)
{
    if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
        return g->stops().first().second;
    return brush.color();
}

} // namespace

WmfPaintEngine::WmfPaintEngine(qreal dpi) : QPaintEngine(AllFeatures), dpi_(dpi) {}

bool WmfPaintEngine::begin(QPaintDevice* device)
{
    deviceSize_ = QSize(device->width(), device->height());
    writer_ = WmfWriter();
    dc_ = DcState();
    dc_.rop2 = R2_COPYPEN; // every player starts in copy mode
    saved_ = DcState();
    clip_.reset();
    hasBounds_ = false;
    pen_ = QPen();
    brush_ = QBrush();
    background_ = QBrush(Qt::white);
    bgMode_ = Qt::TransparentMode;
    xf_ = QTransform();
    composition_ = QPainter::CompositionMode_SourceOver;
    setActive(true);
    return true;
}

bool WmfPaintEngine::end()
{
    if (clip_) {
        RestoreDc();
        clip_.reset();
    }
    for (int* handle : {&dc_.pen, &dc_.brush, &dc_.font}) {
        if (*handle >= 0)
            writer_.DeleteObject(*handle);
        *handle = -1;
    }
    setActive(false);
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen)
        pen_ = state.pen();
    if (flags & DirtyBrush)
        brush_ = state.brush();
    if (flags & DirtyFont)
        font_ = state.font();
    if (flags & DirtyBackground)
        background_ = state.backgroundBrush();
    if (flags & DirtyBackgroundMode)
        bgMode_ = state.backgroundMode();
    if (flags & DirtyTransform)
        xf_ = state.transform();
    if (flags & DirtyCompositionMode)
        composition_ = state.compositionMode();
    if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled))
        UpdateClip();
}

// ---- coordinates and bounds ----

QPoint WmfPaintEngine::Round(const QPointF& p) { return {RoundCoord(p.x()), RoundCoord(p.y())}; }

QVector<QPoint> WmfPaintEngine::Round(const QPolygonF& poly)
{
    QVector<QPoint> out;
    out.reserve(poly.size());
    for (const QPointF& p : poly)
        out.append(Round(p));
    return out;
}

QPoint WmfPaintEngine::Dev(const QPointF& p) const { return Round(xf_.map(p)); }

QVector<QPoint> WmfPaintEngine::Dev(const QPointF* points, int count) const
{
    QVector<QPoint> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.append(Dev(points[i]));
    return out;
}

bool WmfPaintEngine::AxisAligned() const { return xf_.type() <= QTransform::TxScale; }

qreal WmfPaintEngine::Scale() const { return std::sqrt(std::abs(xf_.determinant())); }

void WmfPaintEngine::AddBounds(int left, int top, int right, int bottom)
{
    if (clip_) { // what the clip cuts off does not widen the picture
        left = std::max(left, clip_->left());
        top = std::max(top, clip_->top());
        right = std::min(right, clip_->right());
        bottom = std::min(bottom, clip_->bottom());
    }
    if (left > right || top > bottom)
        return;
    if (!hasBounds_) {
        minX_ = left, minY_ = top, maxX_ = right, maxY_ = bottom;
        hasBounds_ = true;
        return;
    }
    minX_ = std::min(minX_, left);
    minY_ = std::min(minY_, top);
    maxX_ = std::max(maxX_, right);
    maxY_ = std::max(maxY_, bottom);
}

void WmfPaintEngine::AddBounds(const QVector<QPoint>& points, int grow)
{
    if (points.isEmpty())
        return;
    int l = points[0].x(), r = l, t = points[0].y(), b = t;
    for (const QPoint& p : points) {
        l = std::min(l, p.x());
        r = std::max(r, p.x());
        t = std::min(t, p.y());
        b = std::max(b, p.y());
    }
    AddBounds(l - grow, t - grow, r + grow, b + grow);
}

QRect WmfPaintEngine::LogicalFrame() const
{
    if (!hasBounds_)
        return QRect(QPoint(0, 0), deviceSize_.expandedTo(QSize(1, 1)));
    return QRect(minX_, minY_, std::max(1, maxX_ - minX_), std::max(1, maxY_ - minY_));
}

// ---- pens, brushes and the device context ----

WmfPaintEngine::PenKey WmfPaintEngine::NullPen() { return {PS_NULL, 1, 0}; }
WmfPaintEngine::BrushKey WmfPaintEngine::NullBrush() { return {BS_NULL, 0, 0}; }

WmfPaintEngine::PenKey WmfPaintEngine::KeyOf(const QPen& pen) const
{
    const QColor color = PlainColor(pen.brush());
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush || color.alpha() == 0)
        return NullPen();
    qreal w = pen.widthF();
    if (w <= 0)
        w = 1;
    else if (!pen.isCosmetic())
        w *= Scale();
    PenKey key;
    key.width = std::max(1, RoundCoord(w));
    switch (pen.style()) {
    case Qt::DashLine: key.style = PS_DASH; break;
    case Qt::DotLine: key.style = PS_DOT; break;
    case Qt::DashDotLine: key.style = PS_DASHDOT; break;
    case Qt::DashDotDotLine: key.style = PS_DASHDOTDOT; break;
    case Qt::CustomDashLine: key.style = PS_DASH; break;
    default: key.style = PS_SOLID; break;
    }
    if (key.width > 1) { // ends and joins only show on wide pens
        switch (pen.capStyle()) {
        case Qt::FlatCap: key.style |= PS_ENDCAP_FLAT; break;
        case Qt::RoundCap: key.style |= PS_ENDCAP_ROUND; break;
        default: key.style |= PS_ENDCAP_SQUARE; break;
        }
        switch (pen.joinStyle()) {
        case Qt::RoundJoin: key.style |= PS_JOIN_ROUND; break;
        case Qt::BevelJoin: key.style |= PS_JOIN_BEVEL; break;
        default: key.style |= PS_JOIN_MITER; break;
        }
    }
    key.color = FromQColor(color.toRgb());
    return key;
}

WmfPaintEngine::BrushKey WmfPaintEngine::KeyOf(const QBrush& brush)
{
    const QColor color = PlainColor(brush);
    if (brush.style() == Qt::NoBrush || color.alpha() == 0)
        return NullBrush();
    BrushKey key{BS_SOLID, FromQColor(color.toRgb()), 0};
    const auto hatched = [&key](uint16_t hatch) {
        key.style = BS_HATCHED;
        key.hatch = hatch;
    };
    switch (brush.style()) {
    case Qt::HorPattern: hatched(HS_HORIZONTAL); break;
    case Qt::VerPattern: hatched(HS_VERTICAL); break;
    case Qt::CrossPattern: hatched(HS_CROSS); break;
    case Qt::BDiagPattern: hatched(HS_BDIAGONAL); break;
    case Qt::FDiagPattern: hatched(HS_FDIAGONAL); break;
    case Qt::DiagCrossPattern: hatched(HS_DIAGCROSS); break;
    default: break;
    }
    return key;
}

int WmfPaintEngine::PenWidth() const { return KeyOf(pen_).width; }

void WmfPaintEngine::DeleteUnlessSaved(int handle, int savedHandle)
{
    // An object that the open SaveDC holds must live until the RestoreDC selects it again.
    if (handle >= 0 && !(clip_ && handle == savedHandle))
        writer_.DeleteObject(handle);
}

void WmfPaintEngine::UsePen(const PenKey& key)
{
    if (dc_.pen >= 0 && dc_.penKey == key)
        return;
    const int old = dc_.pen;
    const bool reuseSaved = clip_ && saved_.pen >= 0 && saved_.penKey == key;
    dc_.pen = reuseSaved ? saved_.pen : writer_.CreatePenIndirect(key.style, key.width, key.color);
    dc_.penKey = key;
    writer_.SelectObject(dc_.pen);
    DeleteUnlessSaved(old, saved_.pen);
}

void WmfPaintEngine::UseBrush(const BrushKey& key)
{
    if (dc_.brush >= 0 && dc_.brushKey == key)
        return;
    const int old = dc_.brush;
    const bool reuseSaved = clip_ && saved_.brush >= 0 && saved_.brushKey == key;
    dc_.brush = reuseSaved ? saved_.brush : writer_.CreateBrushIndirect(key.style, key.color, key.hatch);
    dc_.brushKey = key;
    writer_.SelectObject(dc_.brush);
    DeleteUnlessSaved(old, saved_.brush);
}

void WmfPaintEngine::UseFont(const WmfLogFont& key)
{
    if (dc_.font >= 0 && dc_.fontKey == key)
        return;
    const int old = dc_.font;
    const bool reuseSaved = clip_ && saved_.font >= 0 && saved_.fontKey == key;
    dc_.font = reuseSaved ? saved_.font : writer_.CreateFontIndirect(key);
    dc_.fontKey = key;
    writer_.SelectObject(dc_.font);
    DeleteUnlessSaved(old, saved_.font);
}

void WmfPaintEngine::UseBackground(bool forceTransparent)
{
    const uint16_t mode = (!forceTransparent && bgMode_ == Qt::OpaqueMode) ? OPAQUE : TRANSPARENT;
    if (dc_.bkMode != mode) {
        writer_.SetBkMode(mode);
        dc_.bkMode = mode;
    }
    if (mode == OPAQUE) {
        const TColor color = FromQColor(PlainColor(background_).toRgb());
        if (dc_.bkColor != color) {
            writer_.SetBkColor(color);
            dc_.bkColor = color;
        }
    }
}

void WmfPaintEngine::UseRop()
{
    const uint16_t rop = RopOf(composition_);
    if (dc_.rop2 != rop) {
        writer_.SetROP2(rop);
        dc_.rop2 = rop;
    }
}

void WmfPaintEngine::UseTextColor(TColor c)
{
    if (dc_.textColor != c) {
        writer_.SetTextColor(c);
        dc_.textColor = c;
    }
}

void WmfPaintEngine::UseTextAlign(uint16_t align)
{
    if (dc_.textAlign != align) {
        writer_.SetTextAlign(align);
        dc_.textAlign = align;
    }
}

void WmfPaintEngine::UsePolyFill(uint16_t mode)
{
    if (dc_.polyFill != mode) {
        writer_.SetPolyFillMode(mode);
        dc_.polyFill = mode;
    }
}

void WmfPaintEngine::UseLineState()
{
    UseRop();
    UseBackground(false);
    UsePen(KeyOf(pen_));
}

void WmfPaintEngine::UseShapeState(const PenKey& pen, const BrushKey& brush)
{
    UseRop();
    UseBackground(false);
    UsePen(pen);
    UseBrush(brush);
}

// ---- clipping ----

void WmfPaintEngine::SaveDc()
{
    saved_ = dc_;
    writer_.SaveDC();
}

void WmfPaintEngine::RestoreDc()
{
    writer_.RestoreDC();
    // The restore selects the saved objects again; what was created since is free to go.
    if (dc_.pen >= 0 && dc_.pen != saved_.pen)
        writer_.DeleteObject(dc_.pen);
    if (dc_.brush >= 0 && dc_.brush != saved_.brush)
        writer_.DeleteObject(dc_.brush);
    if (dc_.font >= 0 && dc_.font != saved_.font)
        writer_.DeleteObject(dc_.font);
    dc_ = saved_;
    dc_.position.reset();
}

void WmfPaintEngine::UpdateClip()
{
    std::optional<QRect> wanted;
    if (QPainter* p = painter(); p && p->hasClipping())
        wanted = p->combinedTransform().map(p->clipRegion()).boundingRect();
    if (wanted == clip_)
        return;
    if (clip_)
        RestoreDc();
    clip_ = wanted;
    if (clip_) {
        SaveDc();
        writer_.IntersectClipRect(*clip_);
    }
}

// ---- primitives ----

void WmfPaintEngine::Shape(uint16_t function, int l, int t, int r, int b)
{
    if (function == META_ELLIPSE)
        writer_.Ellipse(l, t, r, b);
    else
        writer_.Rectangle(l, t, r, b);
}

void WmfPaintEngine::FillRect(const QRect& px, const QBrush& brush)
{
    const BrushKey key = KeyOf(brush);
    if (key == NullBrush() || px.isEmpty())
        return;
    if (key.style == BS_SOLID && px.size() == QSize(1, 1) && RopOf(composition_) == R2_COPYPEN) {
        // One pixel (the canvas's SetPixel): no pen or brush needed. SetPixel knows no raster op.
        writer_.SetPixel(px.topLeft(), key.color);
        AddBounds(px.left(), px.top(), px.right(), px.bottom());
        return;
    }
    if (key.style == BS_SOLID) {
        // An outline in the fill colour covers exactly the edge pixels on every player, unlike a
        // null pen, whose rectangles some players shrink by one pixel and others do not.
        UseShapeState({PS_SOLID, 1, key.color}, key);
        writer_.Rectangle(px.left(), px.top(), px.right() + 1, px.bottom() + 1);
    } else {
        UseShapeState(NullPen(), key);
        writer_.Rectangle(px.left(), px.top(), px.right() + 2, px.bottom() + 2);
    }
    AddBounds(px.left(), px.top(), px.right(), px.bottom());
}

void WmfPaintEngine::drawRects(const QRect* rects, int count)
{
    for (int i = 0; i < count; ++i) {
        const QRectF r(rects[i]);
        drawRects(&r, 1);
    }
}

void WmfPaintEngine::drawRects(const QRectF* rects, int count)
{
    const PenKey pen = KeyOf(pen_);
    for (int i = 0; i < count; ++i) {
        if (!AxisAligned()) {
            const QPolygonF corners(rects[i]);
            drawPolygon(corners.constData(), 4, ConvexMode);
            continue;
        }
        const QRectF d = xf_.mapRect(rects[i].normalized());
        const int l = RoundCoord(d.left()), t = RoundCoord(d.top());
        const int r = RoundCoord(d.right()), b = RoundCoord(d.bottom());
        if (pen == NullPen()) {
            FillRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)), brush_);
            continue;
        }
        // A QPainter outline runs through both edges, l and r; GDI's right edge is exclusive.
        UseShapeState(pen, KeyOf(brush_));
        writer_.Rectangle(l, t, r + 1, b + 1);
        const int grow = pen.width / 2;
        AddBounds(l - grow, t - grow, r + grow, b + grow);
    }
}

void WmfPaintEngine::drawEllipse(const QRect& r) { drawEllipse(QRectF(r)); }

void WmfPaintEngine::drawEllipse(const QRectF& rect)
{
    if (!AxisAligned()) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    const PenKey pen = KeyOf(pen_);
    const BrushKey brush = KeyOf(brush_);
    if (pen == NullPen() && brush == NullBrush())
        return;
    const QRectF d = xf_.mapRect(rect.normalized());
    const int l = RoundCoord(d.left()), t = RoundCoord(d.top());
    const int r = RoundCoord(d.right()), b = RoundCoord(d.bottom());
    UseShapeState(pen, brush);
    writer_.Ellipse(l, t, r + 1, b + 1);
    const int grow = pen.width / 2;
    AddBounds(l - grow, t - grow, r + grow, b + grow);
}

void WmfPaintEngine::drawLines(const QLine* lines, int count)
{
    for (int i = 0; i < count; ++i) {
        const QLineF l(lines[i]);
        drawLines(&l, 1);
    }
}

void WmfPaintEngine::drawLines(const QLineF* lines, int count)
{
    if (KeyOf(pen_) == NullPen())
        return;
    UseLineState();
    const int grow = PenWidth() / 2;
    for (int i = 0; i < count; ++i) {
        const QPoint a = Dev(lines[i].p1());
        const QPoint b = Dev(lines[i].p2());
        if (dc_.position != a)
            writer_.MoveTo(a);
        writer_.LineTo(b);
        dc_.position = b;
        AddBounds({a, b}, grow);
    }
}

void WmfPaintEngine::Polyline(const QVector<QPoint>& points)
{
    if (points.size() < 2 || KeyOf(pen_) == NullPen())
        return;
    UseLineState();
    writer_.Polyline(points);
    AddBounds(points, PenWidth() / 2);
}

void WmfPaintEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i)
        poly.append(QPointF(points[i]));
    drawPolygon(poly.constData(), count, mode);
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    const QVector<QPoint> pts = Dev(points, count);
    if (mode == PolylineMode) {
        Polyline(pts);
        return;
    }
    const PenKey pen = KeyOf(pen_);
    const BrushKey brush = KeyOf(brush_);
    if (pts.size() < 2 || (pen == NullPen() && brush == NullBrush()))
        return;
    UsePolyFill(mode == WindingMode ? WINDING : ALTERNATE);
    UseShapeState(pen, brush);
    writer_.Polygon(pts);
    AddBounds(pts, pen.width / 2);
}

void WmfPaintEngine::drawPoints(const QPoint* points, int count)
{
    for (int i = 0; i < count; ++i) {
        const QPointF p(points[i]);
        drawPoints(&p, 1);
    }
}

void WmfPaintEngine::drawPoints(const QPointF* points, int count)
{
    const PenKey pen = KeyOf(pen_);
    if (pen == NullPen())
        return;
    UseRop();
    for (int i = 0; i < count; ++i) {
        const QPoint p = Dev(points[i]);
        if (pen.width <= 1) {
            writer_.SetPixel(p, pen.color);
            AddBounds(p.x(), p.y(), p.x(), p.y());
            continue;
        }
        // A wide point is a dot of the pen's width: round for round caps, square otherwise.
        const int l = p.x() - pen.width / 2, t = p.y() - pen.width / 2;
        const QRect dot(l, t, pen.width, pen.width);
        if (pen_.capStyle() == Qt::RoundCap) {
            UseShapeState({PS_SOLID, 1, pen.color}, {BS_SOLID, pen.color, 0});
            writer_.Ellipse(dot.left(), dot.top(), dot.right() + 1, dot.bottom() + 1);
            AddBounds(dot.left(), dot.top(), dot.right(), dot.bottom());
        } else {
            FillRect(dot, QBrush(pen_.color()));
        }
    }
}

void WmfPaintEngine::drawPath(const QPainterPath& path)
{
    const QList<QPolygonF> subpaths = path.toSubpathPolygons(xf_);
    const PenKey pen = KeyOf(pen_);
    const BrushKey brush = KeyOf(brush_);
    if (brush != NullBrush()) {
        QVector<QVector<QPoint>> rings;
        bool allClosed = true;
        for (const QPolygonF& sub : subpaths) {
            if (sub.size() < 3)
                continue;
            QVector<QPoint> ring = Round(sub);
            if (sub.isClosed())
                ring.removeLast(); // the format closes polygons itself
            else
                allClosed = false;
            rings.append(ring);
        }
        if (!rings.isEmpty()) {
            UsePolyFill(path.fillRule() == Qt::WindingFill ? WINDING : ALTERNATE);
            // Open subpaths are filled as if closed but outlined without the closing edge.
            const PenKey outline = allClosed ? pen : NullPen();
            UseShapeState(outline, brush);
            if (rings.size() == 1)
                writer_.Polygon(rings.first());
            else
                writer_.PolyPolygon(rings);
            for (const auto& ring : rings)
                AddBounds(ring, outline.width / 2);
            if (allClosed)
                return;
        }
    }
    if (pen == NullPen())
        return;
    for (const QPolygonF& sub : subpaths)
        Polyline(Round(sub));
}

} // namespace chart
