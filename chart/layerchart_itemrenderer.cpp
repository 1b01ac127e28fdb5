#include "chart/layerchart_itemrenderer.h"

#include "chart/layerchart_gdi.h"
#include "chart/layerchart_marks.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {
constexpr double ArrowHeadAngle = 0.3490658503988659; // 20 degrees either side of the shaft
constexpr double DegToRad = 3.14159265358979323846 / 180.0;
constexpr int Bar3DSidesSwapAngle = 90;
enum Rect3DFrame { rfLightTopLeft = 2, rfDarkTopLeft = 3, rfDoubleLight = 4, rfDoubleDark = 5 };
} // namespace

void ItemRenderer::ApplyPen()
{
    c.setPen(CanvasPen(ToQColor(penColor, pal), penStyle, penWidth));
}

void ItemRenderer::Start(TColor chartColor, int width, QPoint corner)
{
    penColor = chartColor;
    penStyle = psSolid;
    penWidth = width;
    brushColor = chartColor;
    brushClear = false;
    fontColor = chartColor;
    ApplyPen();
    c.setBrush(ToQColor(brushColor, pal));
    pen = canvasPen = corner;
    penPlaced = false;
    count = 0;
}

void ItemRenderer::SetPenColor(TColor col)
{
    if (col != penColor) {
        penColor = col;
        ApplyPen();
    }
}

void ItemRenderer::SetPenStyle(TPenStyle style)
{
    if (style != penStyle) {
        penStyle = style;
        ApplyPen();
    }
}

void ItemRenderer::SetPenWidth(int w)
{
    if (w != penWidth) {
        penWidth = w;
        ApplyPen();
    }
}

void ItemRenderer::SetBrush(TColor col, bool clear)
{
    if (clear) {
        if (!brushClear)
            c.setBrush(Qt::NoBrush);
        brushClear = true;
        return;
    }
    if (brushClear || col != brushColor) {
        brushColor = col;
        brushClear = false;
        c.setBrush(ToQColor(col, pal));
    }
}

void ItemRenderer::SetFontColor(TColor col)
{
    fontColor = col;
}

void ItemRenderer::Flush()
{
    if (count == 0)
        return;
    if (count > 1)
        c.drawPolyline(buffer.data(), count);
    pen = canvasPen = buffer[size_t(count - 1)];
    penPlaced = true;
    count = 0;
}

void ItemRenderer::TakePendingLine(ColumnReducer& reducer)
{
    if (count > 0) {
        for (int i = 0; i < count; ++i)
            reducer.Add(buffer[size_t(i)]);
        count = 0;
    } else if (penPlaced) {
        reducer.Add(pen);
    }
}

void ItemRenderer::LineDrawnTo(QPoint last)
{
    count = 0;
    pen = canvasPen = last;
    penPlaced = true;
}

void ItemRenderer::AddLinePoint(QPoint p)
{
    if (count == 0) {
        if (!penPlaced) {
            // A line item with no point before it starts the line at its own point; the
            // starting corner of the chart area is no point of the data.
            buffer[0] = p;
            count = 1;
            pen = p;
            penPlaced = true;
            return;
        }
        buffer[0] = pen;
        count = 1;
    }
    buffer[size_t(count++)] = p;
    if (count == PolylineMax) {
        Flush();
        buffer[0] = p;
        count = 1;
    }
}

void ItemRenderer::MoveTo(QPoint p)
{
    Flush();
    pen = canvasPen = p;
    penPlaced = true;
}

void ItemRenderer::Segment(QPoint a, QPoint b)
{
    c.drawLine(a, b);
    canvasPen = b;
}

bool ItemRenderer::SamePixel(QPoint a, QPoint b, TColor col)
{
    if (a != b)
        return false;
    GdiSetPixel(c, a.x(), a.y(), ToQColor(col, pal));
    return true;
}

void ItemRenderer::DrawShape(const DisplayItem& it, TColor col, TColor fill, QPoint p1, QPoint p2,
                             QPoint boxCorner1, QPoint boxCorner2)
{
    const TPenStyle style = TPenStyle(it.PenStyle);
    switch (it.Kind) {
    case ikMark:
        SetPenColor(col);
        SetPenStyle(style);
        DrawMark(c, it.MarkType, p1, ToQColor(col, pal));
        break;
    case ikLine:
        SetPenColor(col);
        SetPenStyle(style);
        if (!SamePixel(p1, p2, col))
            Segment(p1, p2);
        break;
    case ikRectangle: {
        SetPenColor(col);
        SetPenStyle(style);
        SetBrush(fill, it.Transparent);
        if (SamePixel(p1, p2, col))
            break;
        const int l = std::min(p1.x(), p2.x()), r = std::max(p1.x(), p2.x()) + 1;
        const int t = std::min(p1.y(), p2.y()), b = std::max(p1.y(), p2.y()) + 1;
        GdiRectangle(c, l, t, r, b);
        break;
    }
    case ikRect3D:
        if (SamePixel(p1, p2, col))
            break;
        DrawRect3D(it, p1, p2, fill);
        break;
    case ikBar3D:
        SetPenColor(col);
        SetPenStyle(style);
        SetBrush(fill, false);
        DrawBar3D(it, p1, p2);
        break;
    case ikText:
        DrawText(it, col, p1);
        break;
    case ikEllipse: {
        SetPenColor(col);
        SetPenStyle(style);
        SetBrush(fill, it.Transparent);
        if (SamePixel(boxCorner1, boxCorner2, col))
            break;
        const int l = std::min(boxCorner1.x(), boxCorner2.x());
        const int r = std::max(boxCorner1.x(), boxCorner2.x()) + 1;
        const int t = std::min(boxCorner1.y(), boxCorner2.y());
        const int b = std::max(boxCorner1.y(), boxCorner2.y()) + 1;
        GdiEllipse(c, l, t, r, b);
        break;
    }
    case ikMoveRel:
        canvasPen += QPoint(int(std::lround(it.X)), int(std::lround(it.Y)));
        pen = canvasPen;
        penPlaced = true;
        break;
    case ikLineRel: {
        SetPenColor(col);
        SetPenStyle(style);
        const QPoint end = canvasPen + QPoint(int(std::lround(it.X)), int(std::lround(it.Y)));
        Segment(canvasPen, end);
        GdiSetPixel(c, end.x(), end.y(), ToQColor(col, pal));
        break;
    }
    case ikArrow:
        SetPenColor(col);
        SetPenStyle(style);
        SetBrush(fill, it.Transparent);
        if (SamePixel(p1, p2, col))
            break;
        DrawArrow(it, col, p1, p2);
        break;
    default:
        break;
    }
}

void ItemRenderer::DrawRect3D(const DisplayItem& it, QPoint a, QPoint b, TColor fill)
{
    SetPenColor(fill);
    SetPenStyle(TPenStyle(it.PenStyle));
    SetBrush(fill, false);
    const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
    const int t = std::min(a.y(), b.y()), bt = std::max(a.y(), b.y());
    GdiRectangle(c, l, t, r, bt);
    auto edges = [&](TColor first, TColor second) {
        SetPenColor(first);
        Segment(QPoint(l, bt), QPoint(l, t));
        Segment(QPoint(l, t), QPoint(r, t));
        SetPenColor(second);
        Segment(QPoint(r, t), QPoint(r, bt));
        Segment(QPoint(r, bt), QPoint(l, bt));
    };
    auto outline = [&](int x1, int y1, int x2, int y2, TColor col) {
        SetPenColor(col);
        const QPoint pts[5] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}};
        c.drawPolyline(pts, 5);
    };
    switch (it.FrameStyle) {
    case rfLightTopLeft: edges(it.FrameColor1, it.FrameColor2); break;
    case rfDarkTopLeft: edges(it.FrameColor2, it.FrameColor1); break;
    case rfDoubleLight:
        outline(l + 1, t + 1, r, bt, it.FrameColor1);
        outline(l, t, r - 1, bt - 1, it.FrameColor2);
        break;
    case rfDoubleDark:
        outline(l + 1, t + 1, r, bt, it.FrameColor2);
        outline(l, t, r - 1, bt - 1, it.FrameColor1);
        break;
    default: break;
    }
}

void ItemRenderer::DrawBar3D(const DisplayItem& it, QPoint a, QPoint b)
{
    const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
    const int t = std::min(a.y(), b.y()), bt = std::max(a.y(), b.y());
    const double angle = it.Size * DegToRad;
    const int ddx = int(std::lround(std::cos(angle) * it.Depth));
    const int ddy = -int(std::lround(std::sin(angle) * it.Depth));
    const QPoint top[4] = {{l, t}, {l + ddx, t + ddy}, {r + ddx, t + ddy}, {r, t}};
    c.drawPolygon(top, 4);
    const int sx = it.Size > Bar3DSidesSwapAngle ? l : r;
    const QPoint side[4] = {{sx, t}, {sx + ddx, t + ddy}, {sx + ddx, bt + ddy}, {sx, bt}};
    c.drawPolygon(side, 4);
    GdiRectangle(c, l, t, r, bt);
}

void ItemRenderer::DrawText(const DisplayItem& it, TColor col, QPoint p)
{
    SetFontColor(col);
    QFont f = textSettings.Font;
    if (it.Size > 0)
        f.setPointSize(it.Size);
    f.setBold(textSettings.Style & fsBold);
    f.setItalic(textSettings.Style & fsItalic);
    f.setUnderline(textSettings.Style & fsUnderline);
    f.setStrikeOut(textSettings.Style & fsStrikeOut);
    const QString text = QString::fromLatin1(it.GetText().c_str());
    const QFontMetrics fm(f);
    const int w = fm.horizontalAdvance(text);
    int x = p.x();
    if (textSettings.Alignment == taRightJustify)
        x -= w;
    else if (textSettings.Alignment == taCenter)
        x -= w / 2;
    const int top = p.y() - fm.height() / 2;
    c.save();
    if (textSettings.BkStyle == tbSolid)
        c.fillRect(QRect(x, top, w, fm.height()), ToQColor(textSettings.BkColor, pal));
    c.setFont(f);
    c.setPen(ToQColor(col, pal));
    GdiTextOut(c, x, top, text);
    c.restore();
}

void ItemRenderer::DrawArrow(const DisplayItem& it, TColor col, QPoint a, QPoint b)
{
    // The larger x and the larger y of the two points move one pixel outward.
    if (a.x() > b.x()) a.rx() += 1; else b.rx() += 1;
    if (a.y() > b.y()) a.ry() += 1; else b.ry() += 1;
    Segment(a, b);
    if (it.Size < 1)
        return;
    const double shaft = std::atan2(double(b.y() - a.y()), double(b.x() - a.x()));
    auto side = [&](double turn) {
        return QPoint(b.x() - int(std::lround(it.Size * std::cos(shaft + turn))),
                      b.y() - int(std::lround(it.Size * std::sin(shaft + turn))));
    };
    const QPoint s1 = side(ArrowHeadAngle);
    const QPoint s2 = side(-ArrowHeadAngle);
    if (it.Transparent) {
        Segment(b, s1);
        Segment(b, s2);
    } else {
        const QPoint head[3] = {b, s1, s2};
        c.drawPolygon(head, 3);
    }
    canvasPen = b;
}

} // namespace chart
