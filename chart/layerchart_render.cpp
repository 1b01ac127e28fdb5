// The chart area: grid, display items, text labels and the chart-area frame.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"
#include "chart/layerchart_itemrenderer.h"
#include "chart/linerasteriser.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <vector>

namespace chart {

namespace {
constexpr TColor BlackAndWhiteFill = 0xC0C0C0;

// How the chart's own picture takes a run of line items that draw alike.
enum class RunDrawing {
    PerItem,    // item by item (dashed pens follow every segment)
    Reduced,    // reduced to what each pixel column shows, then drawn by the canvas
    Rasterised, // reduced, then written straight into the picture's scanlines
};

RunDrawing ScreenRunDrawing(bool rasterTarget, int width, TPenStyle style)
{
    if (CanvasPen(Qt::black, style, width).style() != Qt::SolidLine)
        return RunDrawing::PerItem;
    if (rasterTarget && width <= RasterisedWidthMax)
        return RunDrawing::Rasterised;
    return RunDrawing::Reduced;
}

// Items [begin, end) of a run, reduced to what each pixel column shows. Rasterised, the line
// continues the pending polyline and goes straight into `picture`; reduced, its points go to the
// canvas as line points.
void DrawReducedRun(ItemRenderer& r, RunDrawing how, const LinePointIndex& index, int begin, int end,
                    const LayerMap& m, QPoint shift, QImage& picture, QRgb colour, std::vector<QPoint>& reduced)
{
    reduced.clear();
    ColumnReducer reducer(reduced);
    if (how == RunDrawing::Rasterised)
        r.TakePendingLine(reducer);
    ReduceLineRun(index, begin, end, m, shift, reducer);
    reducer.Finish();
    if (how == RunDrawing::Rasterised) {
        RasterisePolyline(picture, reduced.data(), int(reduced.size()), std::max(1, r.PenWidth()), colour);
        r.LineDrawnTo(reduced.back());
    } else {
        for (const QPoint& p : reduced)
            r.AddLinePoint(p);
    }
}

// Pixels written past the painter are right only where it would draw them as they stand.
bool PaintsPlainly(const QPainter& canvas)
{
    return !canvas.hasClipping() && canvas.worldTransform().isIdentity() && canvas.opacity() == 1.0 &&
           canvas.compositionMode() == QPainter::CompositionMode_SourceOver;
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
    auto toCanvas = [&](const LayerMap& m, double x, double y) { return MapItemPoint(m, x, y) + QPoint(dx, dy); };

    const DisplayItem* items = FStore->items.data();
    // Only the chart's own picture takes the fast line path; every other canvas (the exports,
    // a canvas a render event put in) gets every item drawn exactly.
    const bool screen = canvas.device() == &FAreaPicture;
    const bool rasterTarget = screen && CanRasteriseInto(FAreaPicture) && PaintsPlainly(canvas);
    LinePointIndex& index = FStore->index;
    if (screen && index.Count() != FItemCount)
        index.Rebuild(items, FItemCount);
    const std::vector<LineRun>& runs = index.Runs();
    size_t runAt = 0;
    int perItemUntil = 0;
    std::vector<QPoint> reduced;

    for (int i = 0; i < FItemCount; ++i) {
        const DisplayItem& it = items[i];
        const int layer = ClampLayer(it.Layer);
        const bool shown = FClassVisible[it.ClassNo] && FLayerVisible[size_t(layer - 1)];
        const LayerMap& m = maps[size_t(layer - 1)];
        const TColor col = blackAndWhite ? clBlack : it.Color;
        if (screen && it.Kind == ikLineTo && i >= perItemUntil) {
            while (runAt < runs.size() && runs[runAt].End <= i)
                ++runAt;
            if (runAt < runs.size() && runs[runAt].Begin <= i) {
                // The items up to the run's end draw alike: what the first one sets up holds for all.
                const int end = runs[runAt].End;
                if (!shown) {
                    i = end - 1;
                    continue;
                }
                const TPenStyle style = TPenStyle(it.PenStyle);
                if (it.LineWidth != r.PenWidth()) {
                    r.Flush();
                    r.SetPenWidth(it.LineWidth);
                }
                if (col != r.PenColor() || style != r.PenStyle()) {
                    r.Flush();
                    r.SetPenColor(col);
                    r.SetPenStyle(style);
                }
                const RunDrawing how = ScreenRunDrawing(rasterTarget, r.PenWidth(), style);
                if (how == RunDrawing::PerItem) {
                    perItemUntil = end;
                } else {
                    const QRgb colour = ToQColor(col, pal).rgb();
                    DrawReducedRun(r, how, index, i, end, m, QPoint(dx, dy), FAreaPicture, colour, reduced);
                    i = end - 1;
                    continue;
                }
            }
        }
        if (!shown)
            continue;
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
