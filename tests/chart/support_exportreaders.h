#pragma once
// The independent readers of the exported pictures: rsvg-convert for SVG, poppler's pdftoppm and
// pdftotext for PDF, ImageMagick for PNG. Each renders the file at one output pixel per chart
// pixel, without antialiasing, as the screen draws.

#include "support_picturecompare.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace exporttest {

struct ReadPicture : picturetest::PlacedPicture {
    picturetest::ReaderRun run;
};

// size: the chart's size in pixels; dpi: the screen resolution the export was made at.
ReadPicture RenderSvg(const QString& path, QSize size);
ReadPicture RenderPdf(const QString& path, double dpi);
ReadPicture DecodePng(const QString& path);

// The text a reader finds in the file: pdftotext's for PDF, the content of the <text> elements
// for SVG.
QString PdfText(const QString& path);
QStringList SvgTexts(const QString& path);

} // namespace exporttest
