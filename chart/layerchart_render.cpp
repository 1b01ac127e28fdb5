// The chart area: grid, display items, text labels and the chart-area frame.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"
#include "chart/layerchart_itemrenderer.h"

#include <QPainter>

#include <array>

namespace chart {

namespace {
constexpr int ItemPixelLimit = 30000; // far-away points are limited before drawing
constexpr TColor BlackAndWhiteFill = 0xC0C0C0;

int LimitPixel(int v)
{
    return v < -ItemPixelLimit ? -ItemPixelLimit : (v > ItemPixelLimit ? ItemPixelLimit : v);
}
} // namespace

void TCustomLayerChart::RenderItems(QPainter& canvasIn, int offsetX, int offsetY, bool blackAndWhite,
                                    bool skipGrid)
{
    QPainter* cv = &canvasIn;
    cv->setRenderHint(QPainter::Antialiasing, false);
    cv->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (OnBeforeRenderData) {
        // The handler may draw in any colour; the canvas's pen and brush colours come back.
        const QColor keepPen = cv->pen().color();
        const QColor keepBrush = cv->brush().color();
        OnBeforeRenderData(this, cv, FTRim - offsetY, FLRim - offsetX);
        QPen p = cv->pen();
        p.setColor(keepPen);
        cv->setPen(p);
        QBrush b = cv->brush();
        b.setColor(keepBrush);
        cv->setBrush(b);
    }
    QPainter& canvas = *cv;
    if (!skipGrid && FGridStyle != gsNone)
        DrawGrid(canvas, offsetX, offsetY);

    const QPalette& pal = palette();
    TextItemSettings text;
    text.Font = FFont.Font;
    text.Style = FTextFontStyle;
    text.BkStyle = FTextBkStyle;
    text.BkColor = FTextBkColor;
    text.Alignment = FTextAlignment;
    ItemRenderer r(canvas, pal, text);
    r.Start(FChartColor, FLineWidth, QPoint(offsetX, offsetY));

    std::array<LayerMap, NumLayers> maps;
    for (int n = 1; n <= NumLayers; ++n)
        maps[size_t(n - 1)] = MapOf(n);
    const int dx = offsetX - FLRim; // control pixel -> canvas pixel
    const int dy = offsetY - FTRim;
    auto toCanvas = [&](const LayerMap& m, double x, double y) {
        const QPoint p = MapToPixel(m, x, y);
        return QPoint(LimitPixel(p.x()) + dx, LimitPixel(p.y()) + dy);
    };

    const DisplayItem* items = FStore->items.data();
    for (int i = 0; i < FItemCount; ++i) {
        const DisplayItem& it = items[i];
        const int layer = ClampLayer(it.Layer);
        if (!FClassVisible[it.ClassNo] || !FLayerVisible[size_t(layer - 1)])
            continue;
        const LayerMap& m = maps[size_t(layer - 1)];
        const TColor col = blackAndWhite ? clBlack : it.Color;
        if (it.LineWidth != r.PenWidth()) {
            r.Flush();
            r.SetPenWidth(it.LineWidth);
        }
        switch (it.Kind) {
        case ikLineTo: {
            const TPenStyle style = TPenStyle(it.PenStyle);
            if (col != r.PenColor() || style != r.PenStyle()) {
                r.Flush();
                r.SetPenColor(col);
                r.SetPenStyle(style);
            }
            r.AddLinePoint(toCanvas(m, it.X, it.Y));
            break;
        }
        case ikMoveTo:
            r.MoveTo(toCanvas(m, it.X, it.Y));
            break;
        case ikNone:
        case ikNone10:
        case ikNone11:
            break;
        default: {
            r.Flush();
            const TColor fill = blackAndWhite ? BlackAndWhiteFill : it.FillColor;
            QPoint box1, box2;
            if (it.Kind == ikEllipse) {
                box1 = toCanvas(m, it.X - it.X2, it.Y + it.Y2);
                box2 = toCanvas(m, it.X + it.X2, it.Y - it.Y2);
            }
            r.DrawShape(it, col, fill, toCanvas(m, it.X, it.Y), toCanvas(m, it.X2, it.Y2), box1, box2);
            break;
        }
        }
    }
    r.Flush();
    r.SetPenWidth(1);

    DrawTextLabels(canvas, offsetX, offsetY);
    if (OnDataRendered) {
        QPainter* c = &canvas;
        OnDataRendered(this, c, FTRim - offsetY, FLRim - offsetX);
    }

    canvas.setPen(CanvasPen(ToQColor(FChartFrameColor, pal), psSolid, 1));
    const int aw = AreaWidth();
    const int ah = AreaHeight();
    const QPoint frame[5] = {{offsetX, offsetY}, {offsetX + aw, offsetY}, {offsetX + aw, offsetY + ah},
                             {offsetX, offsetY + ah}, {offsetX, offsetY}};
    canvas.drawPolyline(frame, 5);
}

} // namespace chart
