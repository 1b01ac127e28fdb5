#pragma once
// One record of the chart's display list.

#include "chart/chartbase.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace chart {

inline constexpr int DisplayItemTextMax = 17;

// Fields in declaration order; a zero-filled record is a valid, undrawn item (kind 0).
// Points are data units of the item's layer (pixels for ikMoveRel and ikLineRel).
struct DisplayItem {
    double X = 0;
    double Y = 0;
    double X2 = 0;          // second point; ikEllipse: x radius
    double Y2 = 0;          // second point; ikEllipse: y radius
    TColor Color = 0;       // pen colour (text colour of ikText)
    TColor FillColor = 0;   // brush of the filled kinds
    TColor FrameColor1 = 0; // ikRect3D frame colours
    TColor FrameColor2 = 0;
    uint8_t PenStyle = 0;   // TPenStyle
    int LineWidth = 0;
    uint8_t ClassNo = 0;
    uint8_t Kind = 0;       // ItemKind
    int Layer = 0;          // 1..16
    bool Transparent = false;
    uint8_t FrameStyle = 0; // ikRect3D frame variant 2..5
    std::array<char, DisplayItemTextMax + 1> Text{}; // ikText, NUL-terminated
    int Size = 0;           // ikText font size; ikBar3D angle; ikArrow head length; ikMark print size
    int Depth = 0;          // ikBar3D depth in pixels
    uint8_t MarkType = 0;   // ikMark

    // Stores at most 17 characters of text.
    void SetText(const std::string& s)
    {
        Text.fill(0);
        std::memcpy(Text.data(), s.data(), std::min<size_t>(s.size(), DisplayItemTextMax));
    }
    std::string GetText() const { return std::string(Text.data()); }
};

} // namespace chart
