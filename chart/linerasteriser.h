#pragma once
// Solid lines of width 1 to 3 written straight into the scanlines of a 32-bit image, with the
// pixels the canvas pen gives them:
//   - width 1: one pixel per step along the longer axis, the far end of each segment left out
//     and the inner points of the polyline set;
//   - wider: every pixel whose centre lies within half the width of the polyline (the round
//     ends and joins of the canvas pen).
// Whatever falls outside the image is cut off.

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace chart {

inline constexpr int RasterisedWidthMax = 3;

// Whether `image` can take RasterisePolyline: a 32-bit format, not shared with another image.
bool CanRasteriseInto(const QImage& image);

// A polyline of `count` points in image pixels; width 1 .. RasterisedWidthMax. A polyline whose
// points all coincide draws nothing, as the canvas pen does.
void RasterisePolyline(QImage& image, const QPoint* points, int count, int width, QRgb color);

} // namespace chart
