#pragma once
// QSvgGenerator writes no clipping: whatever a painter clips is drawn whole. The chart's items
// must stop at the chart area, so they are drawn into a document of their own and joined to the
// rest under a clip path.

#include <QByteArray>
#include <QRect>
#include <QString>

namespace chart {

// One document of outside's header and size: outside's drawing, then inside's drawing cut at
// `clip` (in user units of the view box). Both must come from QSvgGenerator with the same size
// and view box. The result declares SVG 1.1, which has clip paths (the generator's Tiny profile
// has none). Throws std::runtime_error when either document is not the generator's layout.
QByteArray SvgWithClippedDrawing(const QByteArray& outside, const QByteArray& inside, const QRect& clip);

} // namespace chart
