#pragma once
// The arithmetic of the chart's mouse modes (zoom window, pan, zoom drag, choice of the dragged
// crosshair or label) and the XOR outline, as functions that need no widget.

#include <QImage>
#include <QPoint>
#include <QRect>

#include <vector>

namespace chart {

// The chart area in control pixels, both ends included.
struct ChartArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    // x from lRim to width - rRim - shadowWidth, y from tRim to height - bRim - shadowWidth.
    static ChartArea Of(int width, int height, int lRim, int rRim, int tRim, int bRim, int shadowWidth);
    bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
    bool Contains(QPoint p) const { return Contains(p.x(), p.y()); }
    // Moves a coordinate outside the area onto the nearest bound.
    int ClampX(int x) const;
    int ClampY(int y) const;
    QPoint Clamp(QPoint p) const { return QPoint(ClampX(p.x()), ClampY(p.y())); }
};

// The corner a zoom window started at `start` takes for the pointer at `pointer`: x clamped to
// the area; with `isometric` a square (y = start y +- the x distance); then y clamped, so a
// square may be cut at the border.
QPoint ZoomWindowCorner(QPoint start, QPoint pointer, const ChartArea& area, bool isometric);

// Swaps the new ends a (from the start corner) and b (from the end corner) where needed so that
// they run in the direction of the current range: low < high stays so, a reversed axis stays
// reversed, whichever way the window was dragged.
void KeepAxisDirection(double& a, double& b, double rangeLow, double rangeHigh);

// One axis's visible range, ends in the axis's own order.
struct AxisRange {
    double Low = 0;
    double High = 0;
    bool operator==(const AxisRange&) const = default;
};

// The pan of one axis: the snapshot range moved by `shiftPixels` out of the `extentPixels` of
// the chart area, measured against the current range (its width on a linear axis, its ratio on
// a logarithmic one). For x the shift is start x - pointer x, for y pointer y - start y, so the
// content follows the pointer. An area without extent moves nothing.
AxisRange PanAxis(AxisRange current, AxisRange snapshot, int shiftPixels, int extentPixels, bool logarithmic);

// Zoom-drag factors: dragging right narrows x (factor < 1), dragging down widens y (factor > 1).
// They measure against the whole control, not the chart area.
double ZoomDragFactorX(int x, int startX, int controlWidth);
double ZoomDragFactorY(int y, int startY, int controlHeight);
// The range scaled by `factor` about its centre (linear arithmetic on every axis).
AxisRange ZoomAboutCentre(AxisRange snapshot, double factor);

// A crosshair as a drag candidate: its pixel position and which lines it shows.
struct CrossHairTarget {
    bool Vertical = false;   // chVert or chBoth
    bool Horizontal = false; // chHoriz or chBoth
    QPoint Pixel;
};
// Number (1-based) of the crosshair nearest to the pointer: a vertical line counts by x distance
// alone, a horizontal one by y distance alone; ties keep the earlier one; with no line shown at
// all the first is chosen. No distance limit.
int NearestCrossHair(const std::vector<CrossHairTarget>& targets, QPoint pointer);

// A text label as a drag candidate; labels that are off do not compete.
struct LabelTarget {
    bool Competes = false;
    QPoint Pixel;
};
// Number (1-based) of the competing label nearest to the pointer by Euclidean distance; ties keep
// the earlier one; with no competitor the first.
int NearestLabel(const std::vector<LabelTarget>& targets, QPoint pointer);

// Inverts (XOR with white) the one-pixel outline of the rectangle with corners a and b, corners
// included, within `clip` (an empty clip means the whole picture). A rectangle without width or
// height has no outline. Drawing the same outline twice restores the picture.
void XorOutline(QImage& picture, QPoint a, QPoint b, const QRect& clip = QRect());

} // namespace chart
