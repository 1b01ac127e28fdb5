#include "chart/exportscope.h"

#include "chart/layerchart.h"

#include <QPainter>

namespace chart {

ExportScope::ExportScope(TLayerChart& chart, bool blackAndWhite)
    : chart_(chart), blackAndWhite_(blackAndWhite), wasSuspended_(chart.PaintSuspended())
{
    if (blackAndWhite_) {
        // The swap must not repaint the window in black and white.
        chart_.SetPaintSuspended(true);
        chart_.SwapToBlackAndWhite();
    }
}

ExportScope::~ExportScope()
{
    if (scalesMoved_)
        chart_.SetScaleTargets(nullptr, 0, 0);
    if (!blackAndWhite_)
        return;
    chart_.RestoreColours();
    try {
        chart_.SetPaintSuspended(wasSuspended_); // one repaint, in the restored colours
    } catch (...) { // a destructor must not throw; the colours are back already
    }
}

void ExportScope::DrawVectorFrame(QPainter& canvas, bool markCorner)
{
    chart_.SetScaleTargets(&canvas, 0, 0);
    scalesMoved_ = true;
    chart_.DrawFrame(canvas);
    chart_.DrawChartBackground(canvas, chart_.LRim(), chart_.TRim());
    if (markCorner) {
        canvas.setPen(QPen(Qt::black, 0));
        canvas.drawLine(chart_.width(), chart_.height(), chart_.width(), chart_.height());
    }
}

void ExportScope::DrawVectorItems(QPainter& canvas, const QRectF& itemClip)
{
    canvas.setClipRect(itemClip);
    chart_.RenderItems(canvas, chart_.LRim(), chart_.TRim(), blackAndWhite_, false);
    canvas.setClipping(false);
}

QImage ExportScope::WindowPicture()
{
    // The steps of a paint, into pictures of the export's own: the window keeps what it shows.
    QImage full(chart_.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    {
        QPainter canvas(&full);
        chart_.DrawFrame(canvas);
    }
    const QSize areaSize = chart_.AreaPictureSize();
    if (!areaSize.isEmpty()) {
        QImage area(areaSize, QImage::Format_RGB32);
        {
            QPainter canvas(&area);
            chart_.DrawChartBackground(canvas, 0, 0);
            chart_.RenderItems(canvas, 0, 0, blackAndWhite_, false);
        }
        QPainter canvas(&full);
        canvas.drawImage(chart_.LRim(), chart_.TRim(), area);
    }
    return full;
}

} // namespace chart
