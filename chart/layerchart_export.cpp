// TLayerChart's metafile export: the chart recorded into a placeable metafile through the same
// drawing code that paints the screen; and the colour swap of every black-and-white export.

#include "chart/exportscope.h"
#include "chart/layerchart.h"
#include "chart/picturefileerror.h"
#include "chart/scaleprops.h"
#include "chart/wholefile.h"
#include "chart/wmfdevice.h"
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
        const int left = ToRecording(LRim(), dpiX, screenDpi);
        const int top = ToRecording(TRim(), dpiY, screenDpi);
        const int right = ToRecording(width() - RRim() - ShadowWidth() - 1, dpiX, screenDpi);
        const int bottom = ToRecording(height() - BRim() - ShadowWidth() - 1, dpiY, screenDpi);
        scope.DrawVectorFrame(canvas, true);
        // right and bottom excluded, as a region's are
        scope.DrawVectorItems(canvas, QRect(left, top, right - left, bottom - top));
    }

    const QString target = WmfFileName(fileName);
    const WholeFileResult written = WriteWholeFile(target, recording.Bytes());
    if (!written)
        throw EPictureFileError(target, written);
}

} // namespace chart
