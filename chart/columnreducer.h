#pragma once
// Reduction of a polyline to what each pixel column shows. Consecutive points in one column only
// draw a vertical stretch there, so the column keeps its entry, lowest, highest and exit point:
// the union of the segments stays the same, and with it every pixel of a round-joined pen.

#include "chart/layerchart_mapping.h"
#include "chart/linepointindex.h"

#include <QPoint>

#include <vector>

namespace chart {

class ColumnReducer {
public:
    explicit ColumnReducer(std::vector<QPoint>& out) : out(out) {}

    // The next point of the polyline.
    void Add(QPoint p) { AddColumn(p.x(), p.y(), p.y(), p.y(), p.y()); }
    // Several next points in column x: the first at entryY, the last at exitY, all of them
    // within lowY .. highY.
    void AddColumn(int x, int entryY, int lowY, int highY, int exitY);
    // Writes the open column; call once after the last point.
    void Finish();

private:
    void Emit(QPoint p)
    {
        if (out.empty() || out.back() != p)
            out.push_back(p);
    }

    std::vector<QPoint>& out;
    bool open = false;
    int x = 0, entry = 0, low = 0, high = 0, exit = 0;
};

// Feeds the points of items [begin, end) of `index`, placed by the layer mapping `m`, limited to
// +-ItemPixelLimit and moved by `shift`, into `out`. The pixels are those of MapToPixel; on
// linear axes whole blocks of items inside one column are taken from their bounds.
void ReduceLineRun(const LinePointIndex& index, int begin, int end, const LayerMap& m, QPoint shift,
                   ColumnReducer& out);

} // namespace chart
