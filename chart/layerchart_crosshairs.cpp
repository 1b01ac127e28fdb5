// Crosshairs, drawn over a finished picture just before it reaches the window.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"

#include <QPainter>

namespace chart {

void TCustomLayerChart::DrawCrossHairs(QPainter& canvas, int offsetX, int offsetY)
{
    const int W = width();
    const int H = height();
    const int right = W - FRRim - FShadowWidth;
    const int bottom = H - FBRim - FShadowWidth;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& ch : FCrossHairs) {
        if (ch->Mode() == chOff)
            continue;
        canvas.setPen(CanvasPen(ToQColor(ch->Color(), palette()), ch->LineType(), ch->LineWid()));
        const int h = ch->LineWid() / 2;
        const QPoint p = DataToPixel(ch->Layer(), ch->PosX(), ch->PosY());
        // A line that would touch the chart frame is left out.
        if ((ch->Mode() == chHoriz || ch->Mode() == chBoth) && FTRim + h < p.y() && p.y() < bottom - h)
            GdiLine(canvas, FLRim + h + 1 + offsetX, p.y() + offsetY, right - h + offsetX, p.y() + offsetY);
        if ((ch->Mode() == chVert || ch->Mode() == chBoth) && FLRim + h < p.x() && p.x() < right - h)
            GdiLine(canvas, p.x() + offsetX, FTRim + h + 1 + offsetY, p.x() + offsetX, bottom - h + offsetY);
    }
    canvas.restore();
}

} // namespace chart
