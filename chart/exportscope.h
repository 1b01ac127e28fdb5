#pragma once
// One picture export of a chart in progress, whatever the format. While it lives the chart shows
// the black-and-white colour set when asked for; whatever happens (a file error, a failing render
// handler), the chart ends up drawing its own colours onto its own off-screen picture again.

#include <QImage>
#include <QRectF>

class QPainter;

namespace chart {

class TLayerChart;

class ExportScope {
public:
    ExportScope(TLayerChart& chart, bool blackAndWhite);
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;
    ~ExportScope();

    // The vector picture, in chart pixels of the canvas's current coordinates, in two parts that
    // may go to two canvases. First the frame, caption and scales and the chart background;
    // markCorner adds the zero-length line in the bottom-right corner that makes a metafile's
    // frame span the control.
    void DrawVectorFrame(QPainter& canvas, bool markCorner);
    // Then the grid and every item, drawn exactly (no reduction for speed), with text labels and
    // the area frame, cut at itemClip.
    void DrawVectorItems(QPainter& canvas, const QRectF& itemClip);

    // The picture the window shows, made afresh as a paint makes it, without crosshairs or mouse
    // outlines. Works on a hidden chart too.
    QImage WindowPicture();

private:
    TLayerChart& chart_;
    bool blackAndWhite_;
    bool wasSuspended_;
    bool scalesMoved_ = false;
};

} // namespace chart
