#pragma once
// The storage of a display list, shared by reference between charts that share data.

#include "chart/displayitem.h"
#include "chart/linepointindex.h"

#include <vector>

namespace chart {

struct DisplayItemStore {
    std::vector<DisplayItem> items; // size() is the allocated capacity
    // The points of the valid items, kept in step with every change of the list.
    LinePointIndex index;
};

} // namespace chart
