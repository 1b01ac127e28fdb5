#include "chart/textlabel.h"

#include "chart/layerchart_types.h"

namespace chart {

void TTextLabel::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TTextLabel::SetPosX(double v) { FPosX = v; Changed(); }
void TTextLabel::SetPosY(double v) { FPosY = v; Changed(); }

void TTextLabel::SetLayer(int v)
{
    if (v < 1 || v > NumLayers)
        return;
    FLayer = v;
    Changed();
}

void TTextLabel::SetAttachToData(bool v) { FAttachToData = v; Changed(); }
void TTextLabel::SetAlignment(TAlignment v) { FAlignment = v; Changed(); }
void TTextLabel::SetColorBkg(TColor v) { FColorBkg = v; Changed(); }
void TTextLabel::SetColorBorder(TColor v) { FColorBorder = v; Changed(); }
void TTextLabel::SetColorShadow(TColor v) { FColorShadow = v; Changed(); }
void TTextLabel::SetShadowDx(int v) { FShadowDx = v; Changed(); }
void TTextLabel::SetShadowDy(int v) { FShadowDy = v; Changed(); }
void TTextLabel::SetTransparent(bool v) { FTransparent = v; Changed(); }
void TTextLabel::SetFont(const TFont& v) { FFont = v; Changed(); }
void TTextLabel::SetMode(TTxtLblMode v) { FMode = v; Changed(); }
void TTextLabel::SetCaption(const QString& v) { FCaption = v; Changed(); }

} // namespace chart
