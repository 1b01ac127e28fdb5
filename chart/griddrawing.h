#pragma once
// The grid of the chart area as pixels to draw: what DrawGrid paints, worked out beforehand so
// that a picture with this very grid can be kept.

#include <QLine>
#include <QPoint>
#include <QRgb>
#include <QSize>

#include <vector>

namespace chart {

struct GridDrawing {
    QRgb Color = 0;
    bool Dotted = false;
    int Width = 1;
    std::vector<QPoint> Points; // gsPoints
    std::vector<QLine> Lines;   // vertical lines first, then horizontal ones

    bool operator==(const GridDrawing&) const = default;
};

// Everything the chart-area background and grid depend on, for a kept picture of them.
struct AreaBackdropKey {
    QSize Size;
    QRgb Chart = 0;
    QRgb Frame = 0;
    bool Grid = false;
    GridDrawing Lines;

    bool operator==(const AreaBackdropKey&) const = default;
};

} // namespace chart
