#pragma once
// Types of the chart's mouse interaction: the shift state and buttons the handlers receive, the
// events the chart fires, and the drag state the handlers keep between messages.

#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>

namespace chart {

class TCustomLayerChart;
class TCrossHair;
class TTextLabel;

// Modifier keys and held buttons of a mouse message: a set of these bits.
enum TShiftStateFlag : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = uint8_t;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The toolkit's own mouse events; they fire before the chart's logic.
using TMouseEvent = std::function<void(TCustomLayerChart* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TCustomLayerChart* sender, TShiftState shift, int x, int y)>;
using TChartNotifyEvent = std::function<void(TCustomLayerChart* sender)>;

// Every mouse move over the control: whether it is inside the chart area, and its data position
// in the active layer.
using TMouseMoveInChartEvent =
    std::function<void(TCustomLayerChart* sender, bool inChart, TShiftState shift, double rMousePosX, double rMousePosY)>;
// After every view change made with the mouse (once per step, after the repaint).
using TZoomPanEvent = std::function<void(TCustomLayerChart* sender)>;
using TCrossHairMoveEvent = std::function<void(TCustomLayerChart* sender, TCrossHair* whichCrossHair)>;
using TTextLabelMoveEvent = std::function<void(TCustomLayerChart* sender, TTextLabel* whichTextLabel)>;

// Rubber band states; the application arms the band and reads the finished one.
inline constexpr int rbIdle = 0;
inline constexpr int rbArmed = 1;
inline constexpr int rbDragging = 2;
inline constexpr int rbFinished = 3;

// A layer's view when a drag began.
struct LayerDragSnapshot {
    QPoint Start;
    double XLow = 0;
    double XHigh = 0;
    double YLow = 0;
    double YHigh = 0;
};

// An XOR outline as it currently stands on the window picture.
struct ShownOutline {
    bool Shown = false;
    QPoint A;
    QPoint B;
};

// Drag state kept between mouse messages.
struct ChartMouseState {
    // zoom window
    bool ZoomActive = false;
    QPoint ZoomStart;  // (x0, y0)
    QPoint ZoomCorner; // (x1, y1)
    ShownOutline ZoomOutline;
    // pan, zoom drag, crosshair and label drags
    bool DragBegun = false;
    std::array<LayerDragSnapshot, 16> Snapshot{};
    int DraggedCrossHair = 1;
    int DraggedLabel = 1;
    // rubber band
    QPoint BandCorner;
    ShownOutline BandOutline;
};

} // namespace chart
