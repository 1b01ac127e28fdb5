// The whole-control picture: window colour, drop shadow, outline, caption and scales.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"

#include <QPainter>

namespace chart {

namespace {
int CaptionAnchorX(TCaptionAnchorHoriz a, int W, int lRim, int rRim, int s)
{
    switch (a) {
    case cahControlLeft: return 0;
    case cahChartLeft: return lRim;
    case cahChartCenter: return lRim + (W - lRim - rRim - s) / 2;
    case cahChartRight: return W - rRim - s;
    case cahControlRight: return W;
    }
    return 0;
}

int CaptionAnchorY(TCaptionAnchorVert a, int H, int tRim, int bRim, int s)
{
    switch (a) {
    case cavControlTop: return 0;
    case cavChartTop: return tRim;
    case cavChartCenter: return tRim + (H - tRim - bRim - s) / 2;
    case cavChartBottom: return H - bRim; // the shadow is not subtracted here
    case cavControlBottom: return H;
    }
    return 0;
}
} // namespace

void TCustomLayerChart::DrawFrame(QPainter& canvas)
{
    const int W = width();
    const int H = height();
    const int s = FShadowWidth;
    const QPalette& pal = palette();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QColor wind = ToQColor(FWindColor, pal);
    canvas.setPen(CanvasPen(wind, psSolid, 1));
    canvas.setBrush(wind);
    GdiRectangle(canvas, 0, 0, W, H);

    if (s > 0) {
        const QColor bak = ToQColor(FShadowBakColor, pal);
        canvas.setPen(CanvasPen(bak, psSolid, 1));
        canvas.setBrush(bak);
        GdiRectangle(canvas, W - s, 0, W, s);
        GdiRectangle(canvas, 0, H - s, s, H);

        const QColor shadow = ToQColor(FShadowColor, pal);
        canvas.setBrush(shadow);
        int e;
        if (FShadowStyle == ssFlying) {
            canvas.setPen(CanvasPen(shadow, psSolid, 1));
            e = s - 1;
        } else {
            canvas.setPen(CanvasPen(Qt::black, psSolid, 1));
            e = 0;
        }
        const QPoint bottomFace[4] = {{e, H - s}, {s - 1, H - 1}, {W - 1, H - 1}, {W - s, H - s}};
        canvas.drawPolygon(bottomFace, 4);
        const QPoint rightFace[4] = {{W - s, H - s}, {W - 1, H - 1}, {W - 1, s - 1}, {W - s, e}};
        canvas.drawPolygon(rightFace, 4);

        canvas.setPen(CanvasPen(Qt::black, psSolid, 1));
        const QPoint outline[5] = {{0, 0}, {W - s, 0}, {W - s, H - s}, {0, H - s}, {0, 0}};
        canvas.drawPolyline(outline, 5);
    }

    canvas.setPen(CanvasPen(ToQColor(FChartFrameColor, pal), psSolid, 1));
    canvas.setBrush(Qt::NoBrush);

    if (!FCaption.isEmpty()) {
        const int x = FCaptionPosX + CaptionAnchorX(FCaptionAnchorHoriz, W, FLRim, FRRim, s);
        const int y = FCaptionPosY + CaptionAnchorY(FCaptionAnchorVert, H, FTRim, FBRim, s);
        canvas.save();
        canvas.setFont(FFont.Font);
        canvas.setPen(ToQColor(FFont.Color, pal));
        const int t = canvas.fontMetrics().horizontalAdvance(FCaption);
        int left = x;
        if (FCaptionAlignment == taRightJustify)
            left = x - t;
        else if (FCaptionAlignment == taCenter)
            left = x - t / 2;
        GdiTextOut(canvas, left, y, FCaption);
        canvas.restore();
    }

    RecomputeTransforms();
    DrawScales(canvas);
    if (OnScalesRendered) {
        QPainter* c = &canvas;
        OnScalesRendered(this, c, 0, 0);
    }
}

} // namespace chart
