#pragma once
// Runs libwmf's converters (Debian libwmf-bin) on metafiles and compares their rendering with
// what QPainter drew on a QImage.

#include "support_picturecompare.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace wmftest {

using LibwmfRun = picturetest::ReaderRun;

inline LibwmfRun RunLibwmf(const QString& program, const QStringList& arguments)
{
    return picturetest::RunReader(program, arguments);
}

// libwmf's rendering of a metafile and where it placed the picture: libwmf fits the bounds it
// computes itself (unclipped, with pen widths) into the output, so a logical coordinate v lands
// at output pixel position scale * v + offset, per axis.
struct LibwmfPicture : picturetest::PlacedPicture {
    LibwmfRun run;
};

// wmf2gd's PNG of the file at about one output pixel per logical unit. The mapping is read from
// wmf2svg's coordinates of the file's first rectangle (the background fill, which must exist).
// A null image when a conversion fails.
LibwmfPicture RenderWithLibwmf(const QString& wmfPath, QSize size);

using picturetest::MismatchShare;

} // namespace wmftest
