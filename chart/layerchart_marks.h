#pragma once
// The mark routine of ikMark items: 48 mark types centred on a pixel.

#include <QColor>
#include <QPainter>
#include <QPoint>

namespace chart {

inline constexpr int NumMarkTypes = 48;

// Type 0 is a single pixel in `color`; 1..6 are 7 x 7 glyphs (plus, cross, square, diamond,
// triangle, circle) in the current pen; 7..9 filled squares of 3, 5 and 7 pixels; 10..47 repeat
// the six glyphs at growing sizes. Types above 47 draw as 47.
void DrawMark(QPainter& canvas, int type, QPoint centre, const QColor& color);

} // namespace chart
