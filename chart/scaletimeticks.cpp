// The seam where the date and time tick layouts plug into TScale::DrawTicks; the layouts live
// in datetimedraw.cpp.

#include "chart/datetimedraw.h"
#include "chart/scale.h"

namespace chart {

bool TScale::DrawTimeTicks(QPainter*& canvas, int axis)
{
    return DrawElapsedTimeScale(*this, canvas, axis);
}

bool TScale::DrawDateTimeTicks(QPainter*& canvas, int axis)
{
    DrawDateTimeScale(*this, canvas, axis);
    return true;
}

} // namespace chart
