#pragma once
// One of the chart's 20 free text labels, placed in data coordinates of a layer or in window
// pixels.

#include "chart/chartbase.h"

#include <QString>
#include <functional>

namespace chart {

enum TTxtLblMode { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };

class TTextLabel {
public:
    explicit TTextLabel(const TFont& font = TFont()) : FFont(font) {}
    TTextLabel(const TTextLabel&) = delete;
    TTextLabel& operator=(const TTextLabel&) = delete;

    // Every setter stores its value and fires OnChange; SetLayer ignores values outside 1..16
    // without notification.
    double PosX() const { return FPosX; }
    void SetPosX(double v);
    double PosY() const { return FPosY; }
    void SetPosY(double v);
    int Layer() const { return FLayer; }
    void SetLayer(int v);
    bool AttachToData() const { return FAttachToData; }
    void SetAttachToData(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TColor ColorBkg() const { return FColorBkg; }
    void SetColorBkg(TColor v);
    TColor ColorBorder() const { return FColorBorder; }
    void SetColorBorder(TColor v);
    TColor ColorShadow() const { return FColorShadow; }
    void SetColorShadow(TColor v);
    int ShadowDx() const { return FShadowDx; }
    void SetShadowDx(int v);
    int ShadowDy() const { return FShadowDy; }
    void SetShadowDy(int v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    TTxtLblMode Mode() const { return FMode; }
    void SetMode(TTxtLblMode v);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);

    // Writes the position without notification (used while the mouse drags the label).
    void MoveSilently(double x, double y) { FPosX = x; FPosY = y; }

    std::function<void(TTextLabel* sender)> OnChange;

private:
    void Changed();

    double FPosX = 0;
    double FPosY = 0;
    int FLayer = 1;
    bool FAttachToData = true;
    TAlignment FAlignment = taCenter;
    TColor FColorBkg = clWhite;
    TColor FColorBorder = clBlack;
    TColor FColorShadow = clGray;
    int FShadowDx = 3;
    int FShadowDy = 3;
    bool FTransparent = false;
    TFont FFont;
    TTxtLblMode FMode = tlOff;
    QString FCaption;
};

} // namespace chart
