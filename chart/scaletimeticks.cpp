// The seam where the date and time tick layouts plug into TScale::DrawTicks. Until they are
// built both decline every range, so ftTime and ftDateTime scales draw numeric ticks. The
// layouts replace these two definitions; they draw with TickPixel, RecordTick, DrawTickMark,
// RaiseTickDrawn, DrawHorizLabel, VertLabelLeft and DrawTextAt.

#include "chart/scale.h"

namespace chart {

bool TScale::DrawTimeTicks(QPainter*& /*canvas*/, int /*axis*/)
{
    return false;
}

bool TScale::DrawDateTimeTicks(QPainter*& /*canvas*/, int /*axis*/)
{
    return false;
}

} // namespace chart
