// Paint, Redraw and the copy of finished pictures to the window.

#include "chart/layerchart.h"
#include "chart/scale.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace chart {

QSize TCustomLayerChart::AreaPictureSize() const
{
    return QSize(std::max(0, AreaWidth() + 1), std::max(0, AreaHeight() + 1));
}

void TCustomLayerChart::ResizeAreaPicture()
{
    const QSize s = AreaPictureSize();
    if (FAreaPicture.size() == s)
        return;
    if (s.isEmpty())
        FAreaPicture = QImage();
    else
        FAreaPicture = QImage(s, QImage::Format_RGB32);
}

void TCustomLayerChart::SetPaintSuspended(bool v)
{
    if (v == FPaintSuspended)
        return;
    FPaintSuspended = v;
    if (!v)
        Paint();
}

void TCustomLayerChart::Paint()
{
    if (!ControlVisible() || FPaintSuspended) {
        MarkWindowPictureStale();
        return;
    }
    if (width() <= 0 || height() <= 0)
        return;
    if (FFullPicture.size() != size())
        FFullPicture = QImage(size(), QImage::Format_RGB32);
    if (FScalesReady && ScaleControlX(1)->size() != size()) {
        // A hidden window gets its resize event only when shown; place the scales now.
        PlaceScales();
        SyncAllScales();
    }
    {
        QPainter full(&FFullPicture);
        DrawFrame(full);
    }
    ResizeAreaPicture();
    if (!FAreaPicture.isNull()) {
        RenderAreaPicture();
        QPainter full(&FFullPicture);
        full.drawImage(FLRim, FTRim, FAreaPicture);
    }
    PresentPicture(0, 0, FFullPicture);
}

void TCustomLayerChart::Redraw()
{
    if (ControlVisible()) {
        FLastDrawnIndex = FItemCount - 1;
        PropagateSharedData();
        if (!FAutoRedraw) {
            Paint();
        } else if (!FPaintSuspended) {
            // Only the chart area changes; frame, caption and scales stay as the last Paint
            // left them.
            ResizeAreaPicture();
            if (!FAreaPicture.isNull()) {
                RenderAreaPicture();
                PresentPicture(FLRim, FTRim, FAreaPicture);
            }
        }
    } else {
        MarkWindowPictureStale();
    }
    RepaintSharingCharts();
}

void TCustomLayerChart::RenderAreaPicture()
{
    // A background image is read again at every drawing, and a render event may draw between
    // background and grid: neither can be kept.
    const bool keepable = FBackGroundImg->Name().isEmpty() && !OnBeforeRenderData;
    if (!keepable) {
        FAreaBackdrop = QImage();
        QPainter area(&FAreaPicture);
        DrawChartBackground(area, 0, 0);
        RenderItems(area, 0, 0, false, false);
        return;
    }
    const QPalette& pal = palette();
    AreaBackdropKey key;
    key.Size = FAreaPicture.size();
    key.Chart = ToQColor(FChartColor, pal).rgb();
    key.Frame = ToQColor(FChartFrameColor, pal).rgb();
    key.Grid = FGridStyle != gsNone;
    if (key.Grid)
        key.Lines = PlanGrid(0, 0, 1); // the background leaves a pen of width 1
    if (FAreaBackdrop.isNull() || !(key == FAreaBackdropKey) || FAreaBackdrop.format() != FAreaPicture.format()) {
        {
            QPainter area(&FAreaPicture);
            DrawChartBackground(area, 0, 0);
            if (key.Grid)
                DrawGridPlan(area, key.Lines);
        }
        FAreaBackdrop = FAreaPicture.copy();
        FAreaBackdropKey = std::move(key);
    } else {
        std::memcpy(FAreaPicture.bits(), FAreaBackdrop.constBits(), size_t(FAreaBackdrop.sizeInBytes()));
    }
    QPainter area(&FAreaPicture);
    RenderItems(area, 0, 0, false, true);
}

void TCustomLayerChart::PresentPicture(int x, int y, QImage& picture)
{
    if (picture.isNull())
        return;
    {
        QPainter p(&picture);
        DrawCrossHairs(p, -x, -y);
    }
    if (FWindowPicture.size() != size()) {
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(ToQColor(FWindColor, palette()));
        if (!FWindowPicture.isNull()) {
            QPainter p(&resized);
            p.drawImage(0, 0, FWindowPicture);
        }
        FWindowPicture = resized;
    }
    {
        QPainter w(&FWindowPicture);
        w.drawImage(x, y, picture);
    }
    RestoreMouseOutlines(QRect(x, y, picture.width(), picture.height()));
    ShowOnWindow(QRect(x, y, picture.width(), picture.height()));
}

void TCustomLayerChart::ShowOnWindow(const QRect& r)
{
    FFreshRegion += r;
    // Inside the paint event the picture is copied out right after; asking for another paint
    // there would loop.
    if (!FInPaintEvent)
        update(r);
}

void TCustomLayerChart::paintEvent(QPaintEvent* event)
{
    // The toolkit asks on its own (uncovered, resized, shown, repaint()): the picture is brought
    // up to date first. Only what PresentPicture has just shown is current as it stands.
    if (!event->region().subtracted(FFreshRegion).isEmpty()) {
        FInPaintEvent = true;
        Paint();
        FInPaintEvent = false;
    }
    FFreshRegion = QRegion();
    QPainter p(this);
    if (FWindowPicture.isNull()) {
        p.fillRect(event->rect(), ToQColor(FWindColor, palette()));
        return;
    }
    p.drawImage(event->rect(), FWindowPicture, event->rect());
}

} // namespace chart
