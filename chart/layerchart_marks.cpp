#include "chart/layerchart_marks.h"

#include <algorithm>

namespace chart {

namespace {
constexpr int GlyphHalf = 3;       // the 7 x 7 glyphs
constexpr int NumGlyphs = 6;
constexpr int FirstFilledSquare = 7;
constexpr int FirstLargeGlyph = 10;
constexpr int LargeGlyphGrowth = 2; // half-size added per round of six larger glyphs

void DrawGlyph(QPainter& c, int glyph, QPoint p, int half, const QColor& color)
{
    const int x = p.x(), y = p.y();
    switch (glyph) {
    case 1: // plus
        c.drawLine(x - half, y, x + half + 1, y);
        c.drawLine(x, y - half, x, y + half + 1);
        break;
    case 2: // cross
        c.drawLine(x - half, y - half, x + half + 1, y + half + 1);
        c.drawLine(x - half, y + half, x + half + 1, y - half - 1);
        break;
    case 3: // square
        c.save();
        c.setBrush(Qt::NoBrush);
        c.drawRect(x - half, y - half, 2 * half, 2 * half);
        c.restore();
        break;
    case 4: { // diamond
        const QPoint pts[5] = {{x, y - half}, {x + half, y}, {x, y + half}, {x - half, y}, {x, y - half}};
        c.drawPolyline(pts, 5);
        break;
    }
    case 5: { // triangle
        const QPoint pts[4] = {{x, y - half}, {x + half, y + half}, {x - half, y + half}, {x, y - half}};
        c.drawPolyline(pts, 4);
        break;
    }
    default: // circle
        c.save();
        c.setBrush(Qt::NoBrush);
        c.drawEllipse(QPoint(x, y), half, half);
        c.restore();
        break;
    }
    (void)color;
}
} // namespace

void DrawMark(QPainter& canvas, int type, QPoint centre, const QColor& color)
{
    type = std::clamp(type, 0, NumMarkTypes - 1);
    if (type == 0) {
        canvas.fillRect(QRect(centre.x(), centre.y(), 1, 1), color);
        return;
    }
    if (type < FirstFilledSquare) {
        DrawGlyph(canvas, type, centre, GlyphHalf, color);
        return;
    }
    if (type < FirstLargeGlyph) {
        const int half = type - FirstFilledSquare + 1; // 3, 5, 7 pixels
        canvas.fillRect(QRect(centre.x() - half, centre.y() - half, 2 * half + 1, 2 * half + 1), color);
        return;
    }
    const int round = (type - FirstLargeGlyph) / NumGlyphs + 1;
    const int glyph = (type - FirstLargeGlyph) % NumGlyphs + 1;
    DrawGlyph(canvas, glyph, centre, GlyphHalf + LargeGlyphGrowth * round, color);
}

} // namespace chart
