#pragma once
// Enumerations of the layer chart. Names and ordinal order are fixed: stored
// settings refer to them.

#include "chart/chartbase.h"
#include "chart/jointlayers.h" // ELayerChartError

#include <cstdint>

namespace chart {

inline constexpr int NumLayers = 16;
inline constexpr int NumTextLabels = 20;
inline constexpr int NumCrossHairs = 4;
inline constexpr int NumItemKinds = 15;  // kinds 0..14
inline constexpr int NumItemClasses = 256;

// Item kinds as stored in DisplayItem::Kind; the numbers are fixed.
enum ItemKind : uint8_t {
    ikNone = 0,
    ikMark = 1,
    ikLine = 2,
    ikLineTo = 3,
    ikRectangle = 4,
    ikRect3D = 5,
    ikBar3D = 6,
    ikText = 7,
    ikMoveTo = 8,
    ikEllipse = 9,
    ikNone10 = 10,
    ikNone11 = 11,
    ikMoveRel = 12,
    ikLineRel = 13,
    ikArrow = 14,
};

enum TShadowStyle { ssFlying, ssBox };

enum GridStyleType {
    gsNone, gsPoints, gsVertLines, gsHorizLines, gsLines, gsHorizDotLines, gsVertDotLines, gsDotLines
};

enum TCaptionAnchorHoriz { cahControlLeft, cahChartLeft, cahChartCenter, cahChartRight, cahControlRight };
enum TCaptionAnchorVert { cavControlTop, cavChartTop, cavChartCenter, cavChartBottom, cavControlBottom };

enum TTextBkStyle { tbClear, tbSolid };

enum TMouseActMode {
    maNone, maPan, maPanHoriz, maPanVert, maRubberBand, maZoom, maZoomWind, maZoomWindPos, maZoomDrag,
    maDragCrossH, maDragLabel, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly
};

enum TlcLayout {
    lcl_X1Bottom_Y1Left, lcl_X1Bottom_Y2Left, lcl_X1Bottom_Y3Left, lcl_X1Bottom_Y4Left,
    lcl_X1Bottom_Y2Both, lcl_X2Bottom_Y2Left, lcl_X2Both_Y2Both
};
inline constexpr int NumStandardLayouts = 7;

} // namespace chart
