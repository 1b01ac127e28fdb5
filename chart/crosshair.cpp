#include "chart/crosshair.h"

namespace chart {

void TCrossHair::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCrossHair::SetPosX(double v) { FPosX = v; Changed(); }
void TCrossHair::SetPosY(double v) { FPosY = v; Changed(); }
void TCrossHair::SetColor(TColor v) { FColor = v; Changed(); }
void TCrossHair::SetMode(TCrossHMode v) { FMode = v; Changed(); }
void TCrossHair::SetLineType(TPenStyle v) { FLineType = v; Changed(); }
void TCrossHair::SetLineWid(int v) { FLineWid = v; Changed(); }
void TCrossHair::SetLayer(int v) { FLayer = v; Changed(); }

void TCrossHair::Assign(const TCrossHair& source)
{
    if (&source == this)
        return;
    FPosX = source.FPosX;
    FPosY = source.FPosY;
    FColor = source.FColor;
    FMode = source.FMode;
    FLineType = source.FLineType;
    FLineWid = source.FLineWid;
    FLayer = source.FLayer;
    Changed();
}

} // namespace chart
