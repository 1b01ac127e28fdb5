// TLayerChart's SVG, PDF and PNG exports. SVG and PDF run the metafile's drawing steps on their
// own paint devices, so every item is drawn exactly and text stays text; PNG is the window's
// picture. Each file is written whole or not at all.

#include "chart/exportscope.h"
#include "chart/layerchart.h"
#include "chart/picturefileerror.h"
#include "chart/svgclip.h"
#include "chart/wholefile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace chart {

namespace {

constexpr double InchesPerMetre = 1 / 0.0254;
constexpr double PointsPerInch = 72;

void WriteOrThrow(const QString& fileName, const QByteArray& bytes)
{
    const WholeFileResult written = WriteWholeFile(fileName, bytes);
    if (!written)
        throw EPictureFileError(fileName, written);
}

// The chart area less its last column and row, as the metafile clips, with right and bottom
// excluded.
QRect ItemClip(const TLayerChart& c)
{
    const QPoint topLeft(c.LRim(), c.TRim());
    const QPoint bottomRight(c.width() - c.RRim() - c.ShadowWidth() - 1, c.height() - c.BRim() - c.ShadowWidth() - 1);
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

// The screen fills pixel (x, y) as the unit square right of and below the point (x, y) when it
// draws a thin line; a vector reader strokes a line centred on its coordinates. Drawing half a
// pixel on puts a one-pixel line on exactly the pixels the screen shows, so lines, frame and grid
// stay crisp at the picture's own size.
constexpr QPointF PixelCentre(0.5, 0.5);

// The clip is given in chart pixels and set after the shift: it cuts where the screen's area ends.
QRectF ShiftedItemClip(const TLayerChart& c) { return QRectF(ItemClip(c)).translated(-PixelCentre); }

// A generator of the chart's size at the screen's resolution, so the picture keeps the chart's
// physical size.
void SetUp(QSvgGenerator& svg, QBuffer& bytes, const TLayerChart& c)
{
    svg.setOutputDevice(&bytes);
    svg.setSize(c.size());
    svg.setViewBox(QRect(QPoint(0, 0), c.size()));
    svg.setResolution(c.logicalDpiX());
    svg.setTitle(c.Caption());
}

} // namespace

void TLayerChart::ExportSvg(const QString& fileName, bool blackAndWhite)
{
    ExportScope scope(*this, blackAndWhite);
    QBuffer frame, items;
    frame.open(QIODevice::WriteOnly);
    items.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        SetUp(svg, frame, *this);
        QPainter canvas(&svg);
        canvas.translate(PixelCentre);
        scope.DrawVectorFrame(canvas, false);
    }
    {
        QSvgGenerator svg;
        SetUp(svg, items, *this);
        QPainter canvas(&svg);
        canvas.translate(PixelCentre);
        scope.DrawVectorItems(canvas, ShiftedItemClip(*this));
    }
    WriteOrThrow(fileName, SvgWithClippedDrawing(frame.data(), items.data(), ItemClip(*this)));
}

void TLayerChart::ExportPdf(const QString& fileName, bool blackAndWhite)
{
    ExportScope scope(*this, blackAndWhite);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        // One page of the chart's size on the screen; one unit is one chart pixel.
        const int dpi = logicalDpiX();
        pdf.setResolution(dpi);
        pdf.setPageSize(QPageSize(QSizeF(size()) / dpi, QPageSize::Inch, Caption(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(Caption());
        QPainter canvas(&pdf);
        // PDF keeps page sizes in whole points; the chart is stretched by a fraction of a point
        // to fill the page instead of leaving a white hairline at two edges.
        const QSizeF page = QSizeF(pdf.pageLayout().fullRectPoints().size()) * dpi / PointsPerInch;
        canvas.scale(page.width() / width(), page.height() / height());
        canvas.translate(PixelCentre);
        scope.DrawVectorFrame(canvas, false);
        scope.DrawVectorItems(canvas, ShiftedItemClip(*this));
    }
    WriteOrThrow(fileName, bytes.data());
}

void TLayerChart::ExportPng(const QString& fileName, bool blackAndWhite)
{
    ExportScope scope(*this, blackAndWhite);
    QImage picture = scope.WindowPicture();
    // The file carries the screen's resolution, so a reader shows it at the chart's size.
    const int dotsPerMetre = int(std::lround(logicalDpiX() * InchesPerMetre));
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!picture.save(&bytes, "PNG"))
        throw EPictureFileError(fileName, QStringLiteral("The picture could not be encoded."));
    WriteOrThrow(fileName, bytes.data());
}

void TLayerChart::ExportPicture(TPictureFormat format, const QString& fileName, bool blackAndWhite)
{
    switch (format) {
    case pfWmf: ExportMetafile(fileName, blackAndWhite); return;
    case pfSvg: ExportSvg(fileName, blackAndWhite); return;
    case pfPdf: ExportPdf(fileName, blackAndWhite); return;
    case pfPng: ExportPng(fileName, blackAndWhite); return;
    }
}

} // namespace chart
