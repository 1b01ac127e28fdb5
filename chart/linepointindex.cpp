#include "chart/linepointindex.h"

#include "chart/layerchart_types.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {
bool NonFinite(double x, double y)
{
    return !std::isfinite(x) || !std::isfinite(y);
}
} // namespace

bool LinePointIndex::Continues(const LineRun& run, const DisplayItem& item)
{
    return run.Color == item.Color && run.PenStyle == item.PenStyle && run.LineWidth == item.LineWidth &&
           run.Layer == item.Layer && run.ClassNo == item.ClassNo;
}

bool LinePointIndex::SameLook(const LineRun& a, const LineRun& b)
{
    return a.Color == b.Color && a.PenStyle == b.PenStyle && a.LineWidth == b.LineWidth && a.Layer == b.Layer &&
           a.ClassNo == b.ClassNo;
}

void LinePointIndex::Append(const DisplayItem& item)
{
    const int at = Count();
    if (item.Kind == ikLineTo) {
        if (!runs.empty() && runs.back().End == at && Continues(runs.back(), item))
            ++runs.back().End;
        else
            runs.push_back(LineRun{at, at + 1, item.Color, item.PenStyle, item.LineWidth, item.Layer, item.ClassNo});
    }
    xs.push_back(item.X);
    ys.push_back(item.Y);
    if (NonFinite(item.X, item.Y))
        ++nonFinite;
}

void LinePointIndex::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (NonFinite(xs[size_t(index)], ys[size_t(index)]))
        --nonFinite;
    xs.erase(xs.begin() + index);
    ys.erase(ys.begin() + index);
    validBlocks = std::min(validBlocks, index / BlockSize);

    // The first run that ends after the removed item holds it, or lies wholly after it.
    auto it = std::upper_bound(runs.begin(), runs.end(), index,
                               [](int i, const LineRun& r) { return i < r.End; });
    if (it != runs.end() && it->Begin <= index) {
        if (--it->End == it->Begin)
            it = runs.erase(it);
        else
            ++it;
    }
    for (auto later = it; later != runs.end(); ++later) {
        --later->Begin;
        --later->End;
    }
    // Two runs that the removed item kept apart may now be one.
    if (it != runs.begin() && it != runs.end()) {
        auto before = it - 1;
        if (before->End == it->Begin && SameLook(*before, *it)) {
            before->End = it->End;
            runs.erase(it);
        }
    }
}

void LinePointIndex::Clear()
{
    xs.clear();
    ys.clear();
    runs.clear();
    blocks.clear();
    validBlocks = 0;
    nonFinite = 0;
}

void LinePointIndex::Rebuild(const DisplayItem* items, int count)
{
    Clear();
    xs.reserve(size_t(count));
    ys.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        Append(items[i]);
}

const PointBlock& LinePointIndex::Block(int k) const
{
    const int full = Count() / BlockSize;
    if (int(blocks.size()) < full)
        blocks.resize(size_t(full));
    for (; validBlocks <= k; ++validBlocks) {
        const size_t from = size_t(validBlocks) * BlockSize;
        PointBlock b{xs[from], xs[from], ys[from], ys[from]};
        for (size_t i = from + 1; i < from + BlockSize; ++i) {
            b.XMin = std::min(b.XMin, xs[i]);
            b.XMax = std::max(b.XMax, xs[i]);
            b.YMin = std::min(b.YMin, ys[i]);
            b.YMax = std::max(b.YMax, ys[i]);
        }
        blocks[size_t(validBlocks)] = b;
    }
    return blocks[size_t(k)];
}

} // namespace chart
