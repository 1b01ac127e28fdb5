#pragma once
// A compact copy of the display list for drawing long lines on screen: the x and y of every item
// (16 bytes instead of a 96-byte record), the runs of consecutive ikLineTo items that draw
// alike, and the x and y bounds of every full block of 32 items. The list's append, removal and
// clearing keep it in step; it lives beside the items, so charts that share data share it too.

#include "chart/displayitem.h"

#include <vector>

namespace chart {

// Items [Begin, End) are ikLineTo items with the same colour, pen style, width, layer and class.
struct LineRun {
    int Begin = 0;
    int End = 0;
    TColor Color = 0;
    uint8_t PenStyle = 0;
    int LineWidth = 0;
    int Layer = 0;
    uint8_t ClassNo = 0;
};

// Data bounds of the items of one block.
struct PointBlock {
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
};

class LinePointIndex {
public:
    static constexpr int BlockSize = 32;

    int Count() const { return int(xs.size()); }
    const double* X() const { return xs.data(); }
    const double* Y() const { return ys.data(); }
    const std::vector<LineRun>& Runs() const { return runs; }
    // Whether some point has a NaN or infinite coordinate (such points map to no ordered pixel).
    bool HasNonFinite() const { return nonFinite > 0; }

    // `item` is appended as item Count().
    void Append(const DisplayItem& item);
    // Item `index` (0 .. Count() - 1) is taken out; the items after it move down by one.
    void Remove(int index);
    void Clear();
    // From scratch, for a list changed behind the index's back.
    void Rebuild(const DisplayItem* items, int count);

    // Bounds of block k, the items [k * BlockSize, (k + 1) * BlockSize); k < Count() / BlockSize.
    const PointBlock& Block(int k) const;

private:
    static bool Continues(const LineRun& run, const DisplayItem& item);
    static bool SameLook(const LineRun& a, const LineRun& b);

    std::vector<double> xs, ys;
    std::vector<LineRun> runs;
    int nonFinite = 0;
    // Computed when first asked for; a removal invalidates the blocks from its own on.
    mutable std::vector<PointBlock> blocks;
    mutable int validBlocks = 0;
};

} // namespace chart
