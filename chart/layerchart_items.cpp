// The display list: storage growth, append, remove, clear and extent.

#include "chart/layerchart.h"

#include <QPainter>

namespace chart {

namespace {
constexpr int MaxAllocSize = 1000000;
constexpr double ExtentStart = 1.7E308;
constexpr uint8_t RefusedClass = 255;

bool KindHasSecondPoint(uint8_t kind)
{
    return kind == ikLine || kind == ikRectangle || kind == ikRect3D || kind == ikBar3D || kind == ikArrow;
}
} // namespace

void TCustomLayerChart::SetAllocSize(int v)
{
    if (v < 1 || v > MaxAllocSize)
        return;
    FAllocSize = v;
}

void TCustomLayerChart::SetClassDefault(int v)
{
    if (v < 0 || v >= RefusedClass)
        return;
    FClassDefault = uint8_t(v);
}

void TCustomLayerChart::EnsureCapacityForAppend()
{
    auto& items = FStore->items;
    if (FItemCount >= int(items.size()))
        items.resize(items.size() + size_t(FAllocSize)); // existing items keep their places
}

void TCustomLayerChart::AfterAppend(uint8_t kind)
{
    FStore->index.Append(FStore->items[size_t(FItemCount)]);
    if (kind < NumItemKinds)
        ++FKindCounts[kind];
    ++FItemCount;
    PropagateSharedData();
}

// A point item of the current drawing attributes on the active layer.
void TCustomLayerChart::AppendPointItem(uint8_t kind, double x, double y)
{
    EnsureCapacityForAppend();
    DisplayItem& it = FStore->items[size_t(FItemCount)];
    it.Kind = kind;
    it.Layer = FActiveLayer;
    it.ClassNo = FClassDefault;
    it.Color = FDataColor;
    it.PenStyle = uint8_t(FPenStyle);
    it.LineWidth = FLineWidth;
    it.X = x;
    it.Y = y;
    AfterAppend(kind);
}

void TCustomLayerChart::BeginPolyline(double x, double y) { AppendPointItem(ikMoveTo, x, y); }

void TCustomLayerChart::ExtendPolyline(double x, double y) { AppendPointItem(ikLineTo, x, y); }

void TCustomLayerChart::AppendItem(const DisplayItem& item)
{
    if (item.Kind >= NumItemKinds)
        return;
    EnsureCapacityForAppend();
    FStore->items[size_t(FItemCount)] = item;
    AfterAppend(item.Kind);
}

void TCustomLayerChart::RemoveItem(int index)
{
    if (index >= 0 && index < FItemCount) {
        auto& items = FStore->items;
        if (FItemCount == 1) {
            items.clear();
            items.shrink_to_fit();
            FStore->index.Clear();
            FItemCount = 0;
            FKindCounts.fill(0);
        } else {
            const uint8_t kind = items[size_t(index)].Kind;
            if (kind < NumItemKinds)
                --FKindCounts[kind];
            std::move(items.begin() + index + 1, items.begin() + FItemCount, items.begin() + index);
            FStore->index.Remove(index);
            --FItemCount;
        }
    }
    PropagateSharedData();
}

void TCustomLayerChart::ClearItems()
{
    ResizeAreaPicture();
    if (!FAreaPicture.isNull()) {
        QPainter p(&FAreaPicture);
        DrawChartBackground(p, 0, 0);
    }
    FItemCount = 0;
    FStore->items.clear();
    FStore->items.shrink_to_fit();
    FStore->index.Clear();
    FLastDrawnIndex = 0;
    FKindCounts.fill(0);
    PropagateSharedData();
}

void TCustomLayerChart::GetDataExtent(int layer, double xLow, double yLow, double xHigh, double yHigh,
                                      double& xMin, double& yMin, double& xMax, double& yMax) const
{
    xMin = yMin = ExtentStart;
    xMax = yMax = -ExtentStart;
    auto take = [&](double x, double y) {
        // The window is a filter with strict bounds, not a set of starting values.
        if (xLow < x && x < xHigh && yLow < y && y < yHigh) {
            if (x < xMin) xMin = x;
            if (y < yMin) yMin = y;
            if (x > xMax) xMax = x;
            if (y > yMax) yMax = y;
        }
    };
    const auto& items = FStore->items;
    for (int i = 0; i < FItemCount; ++i) {
        const DisplayItem& it = items[size_t(i)];
        if (layer != 0 && it.Layer != layer)
            continue;
        if (it.Kind == ikMoveRel || it.Kind == ikLineRel)
            continue;
        take(it.X, it.Y);
        if (KindHasSecondPoint(it.Kind))
            take(it.X2, it.Y2);
    }
}

} // namespace chart
