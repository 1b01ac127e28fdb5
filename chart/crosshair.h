#pragma once
// One of the chart's four crosshairs: horizontal and/or vertical lines at a data position of a
// layer, drawn over the finished picture.

#include "chart/chartbase.h"

#include <functional>

namespace chart {

enum TCrossHMode { chOff, chHoriz, chVert, chBoth };

class TCrossHair {
public:
    TCrossHair() = default;
    TCrossHair(const TCrossHair&) = delete;
    TCrossHair& operator=(const TCrossHair&) = delete;

    // Every setter stores unchecked and then fires OnChange.
    double PosX() const { return FPosX; }
    void SetPosX(double v);
    double PosY() const { return FPosY; }
    void SetPosY(double v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TCrossHMode Mode() const { return FMode; }
    void SetMode(TCrossHMode v);
    TPenStyle LineType() const { return FLineType; }
    void SetLineType(TPenStyle v);
    int LineWid() const { return FLineWid; }
    void SetLineWid(int v);
    int Layer() const { return FLayer; } // not range-checked
    void SetLayer(int v);

    // Copies the seven values (not the handler), then fires OnChange once.
    void Assign(const TCrossHair& source);

    std::function<void(TCrossHair* sender)> OnChange;

private:
    void Changed();

    double FPosX = 0;
    double FPosY = 0;
    TColor FColor = clBlack;
    TCrossHMode FMode = chOff;
    TPenStyle FLineType = psSolid;
    int FLineWid = 1;
    int FLayer = 1;
};

} // namespace chart
