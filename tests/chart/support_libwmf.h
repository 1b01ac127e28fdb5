#pragma once
// Runs libwmf's converters (Debian libwmf-bin) on metafiles and compares their rendering with
// what QPainter drew on a QImage.

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace wmftest {

struct LibwmfRun {
    bool started = false;
    int exitCode = -1;
    QString errors; // stderr with the converters' progress percentages removed
    // Converted with exit status 0 and no error or warning on stderr.
    bool Clean() const;
};

LibwmfRun RunLibwmf(const QString& program, const QStringList& arguments);

// libwmf's rendering of a metafile and where it placed the picture: libwmf fits the bounds it
// computes itself (unclipped, with pen widths) into the output, so a logical coordinate v lands
// at output pixel position scale * v + offset, per axis.
struct LibwmfPicture {
    QImage image;
    double scaleX = 1, offsetX = 0, scaleY = 1, offsetY = 0;
    LibwmfRun run;
};

// wmf2gd's PNG of the file at about one output pixel per logical unit. The mapping is read from
// wmf2svg's coordinates of the file's first rectangle (the background fill, which must exist).
// A null image when a conversion fails.
LibwmfPicture RenderWithLibwmf(const QString& wmfPath, QSize size);

// Share of pixels, outside the `ignore` rectangles of `drawn`, whose colour the other picture
// lacks within one pixel of the corresponding place, checked in both directions.
double MismatchShare(const QImage& drawn, const LibwmfPicture& rendered, const QVector<QRect>& ignore);

} // namespace wmftest
