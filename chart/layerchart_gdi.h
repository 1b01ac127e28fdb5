#pragma once
// Drawing primitives with the pixel rules of the chart's classic canvas, on a QPainter: a line
// leaves out its end pixel, a rectangle (x1, y1)-(x2, y2) covers x1 .. x2 - 1 and y1 .. y2 - 1,
// text is placed by its top-left corner. Screen and metafile export share them.

#include "chart/chartbase.h"

#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QString>

#include <utility>

namespace chart {

// A pen as the classic canvas makes it: thin pens leave out the end pixel (flat cap), wide pens
// have round ends and joins and are always solid.
inline QPen CanvasPen(const QColor& color, TPenStyle style, int width)
{
    QPen pen(color);
    const int w = width < 1 ? 1 : width;
    pen.setWidth(w == 1 ? 0 : w);
    if (w == 1) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    Qt::PenStyle qs = Qt::SolidLine;
    switch (style) {
    case psDash: qs = Qt::DashLine; break;
    case psDot: qs = Qt::DotLine; break;
    case psDashDot: qs = Qt::DashDotLine; break;
    case psDashDotDot: qs = Qt::DashDotDotLine; break;
    case psClear: qs = Qt::NoPen; break;
    default: break;
    }
    if (w > 1 && qs != Qt::NoPen)
        qs = Qt::SolidLine;
    pen.setStyle(qs);
    return pen;
}

inline void GdiLine(QPainter& c, int x1, int y1, int x2, int y2)
{
    c.drawLine(x1, y1, x2, y2);
}

// Filled with the current brush and outlined with the current pen; corners in any order.
inline void GdiRectangle(QPainter& c, int x1, int y1, int x2, int y2)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    if (c.pen().style() == Qt::NoPen)
        c.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), c.brush());
    else
        c.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

inline void GdiEllipse(QPainter& c, int x1, int y1, int x2, int y2)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    c.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

inline void GdiSetPixel(QPainter& c, int x, int y, const QColor& color)
{
    c.fillRect(QRect(x, y, 1, 1), color);
}

// Text with its top-left corner at (x, y), in the painter's font and pen colour.
inline void GdiTextOut(QPainter& c, int x, int y, const QString& text)
{
    c.drawText(QPoint(x, y + c.fontMetrics().ascent()), text);
}

} // namespace chart
