// TLayerChart's picture export: the chart recorded into a placeable metafile through the same
// drawing code that paints the screen.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"
#include "chart/wmfdevice.h"
#include "chart/wmffileerror.h"
#include "chart/wmffilename.h"

#include <QPainter>
#include <cmath>

namespace chart {

namespace {

constexpr TColor BlackAndWhiteShadow = clSilver;

// Device units of the recording for a chart pixel, rounded half to even (the default rounding
// mode of nearbyint).
int ToRecording(int pixels, double recordingDpi, double screenDpi)
{
    return int(std::nearbyint(recordingDpi * pixels / screenDpi));
}

// Whatever happens while exporting, the chart ends up drawing its own colours onto its own
// off-screen picture again.
class ExportScope {
public:
    ExportScope(TLayerChart& chart, bool blackAndWhite)
        : chart_(chart), blackAndWhite_(blackAndWhite), wasSuspended_(chart.PaintSuspended())
    {
        if (blackAndWhite_) {
            // The swap must not repaint the window in black and white.
            chart_.SetPaintSuspended(true);
            chart_.SwapToBlackAndWhite();
        }
    }
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

    void PointScalesAt(QPainter* canvas)
    {
        chart_.SetScaleTargets(canvas, 0, 0);
        scalesMoved_ = true;
    }

    ~ExportScope()
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

private:
    TLayerChart& chart_;
    bool blackAndWhite_;
    bool wasSuspended_;
    bool scalesMoved_ = false;
};

} // namespace

void TLayerChart::SwapToBlackAndWhite()
{
    if (FColoursSwapped)
        return;
    FSavedColours.Wind = WindColor();
    FSavedColours.Chart = ChartColor();
    FSavedColours.ChartFrame = ChartFrameColor();
    FSavedColours.Font = Font().Color;
    FSavedColours.Shadow = ShadowColor();
    FSavedColours.ShadowBak = ShadowBakColor();
    for (int n = 1; n <= NumLayers; ++n) {
        FSavedColours.ScaleX[size_t(n - 1)] = ScaleX(n)->ColorScale();
        FSavedColours.ScaleY[size_t(n - 1)] = ScaleY(n)->ColorScale();
    }
    FColoursSwapped = true;

    SetWindColor(clWhite);
    SetChartColor(clWhite);
    SetChartFrameColor(clBlack);
    TFont font = Font();
    font.Color = clBlack;
    SetFont(font);
    SetShadowColor(BlackAndWhiteShadow);
    SetShadowBakColor(clWhite);
    for (int n = 1; n <= NumLayers; ++n) {
        ScaleX(n)->SetColorScale(clBlack);
        ScaleY(n)->SetColorScale(clBlack);
    }
}

void TLayerChart::RestoreColours()
{
    if (!FColoursSwapped)
        return;
    FColoursSwapped = false;
    SetWindColor(FSavedColours.Wind);
    SetChartColor(FSavedColours.Chart);
    SetChartFrameColor(FSavedColours.ChartFrame);
    TFont font = Font();
    font.Color = FSavedColours.Font;
    SetFont(font);
    SetShadowColor(FSavedColours.Shadow);
    SetShadowBakColor(FSavedColours.ShadowBak);
    for (int n = 1; n <= NumLayers; ++n) {
        ScaleX(n)->SetColorScale(FSavedColours.ScaleX[size_t(n - 1)]);
        ScaleY(n)->SetColorScale(FSavedColours.ScaleY[size_t(n - 1)]);
    }
}

void TLayerChart::ExportMetafile(const QString& fileName, bool blackAndWhite)
{
    ExportScope scope(*this, blackAndWhite);

    // One logical unit is one pixel of this screen; the recording's own resolution is the
    // screen's too, so the picture keeps the chart's physical size.
    const double screenDpi = logicalDpiX();
    WmfDevice recording(size(), screenDpi);
    const double dpiX = recording.logicalDpiX();
    const double dpiY = recording.logicalDpiY();
    {
        QPainter canvas(&recording);
        scope.PointScalesAt(&canvas);
        DrawFrame(canvas);
        DrawChartBackground(canvas, LRim(), TRim());

        // A zero-length line in the bottom-right corner makes the picture frame span the
        // whole control.
        canvas.setPen(QPen(Qt::black, 0));
        canvas.drawLine(width(), height(), width(), height());

        const int left = ToRecording(LRim(), dpiX, screenDpi);
        const int top = ToRecording(TRim(), dpiY, screenDpi);
        const int right = ToRecording(width() - RRim() - ShadowWidth() - 1, dpiX, screenDpi);
        const int bottom = ToRecording(height() - BRim() - ShadowWidth() - 1, dpiY, screenDpi);
        canvas.setClipRect(QRect(left, top, right - left, bottom - top)); // right, bottom excluded
        RenderItems(canvas, LRim(), TRim(), blackAndWhite, false);
        canvas.setClipping(false);
    }

    const QString target = WmfFileName(fileName);
    QString reason;
    if (!recording.Save(target, &reason))
        throw EWmfFileError(target, reason);
}

} // namespace chart
