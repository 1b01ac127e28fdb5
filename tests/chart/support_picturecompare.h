#pragma once
// Independent readers of the picture files (libwmf, rsvg-convert, poppler, ImageMagick) run as
// programs, and the comparison of their rendering with what QPainter drew on a QImage.

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace picturetest {

struct ReaderRun {
    bool started = false;
    int exitCode = -1;
    QString output; // stdout
    QString errors; // stderr with progress percentages removed
    // Ran with exit status 0 and no error or warning on stderr.
    bool Clean() const;
};

ReaderRun RunReader(const QString& program, const QStringList& arguments);

// A reader's rendering and where it placed the picture: a drawn pixel coordinate v lands at
// output pixel position scale * v + offset, per axis.
struct PlacedPicture {
    QImage image;
    double scaleX = 1, offsetX = 0, scaleY = 1, offsetY = 0;
};

// Share of pixels, outside the `ignore` rectangles of `drawn`, whose colour the other picture
// lacks within one pixel of the corresponding place, checked in both directions.
double MismatchShare(const QImage& drawn, const PlacedPicture& rendered, const QVector<QRect>& ignore);

} // namespace picturetest
