#pragma once
// The published property sets of the chart's axes: TScaleProps and its horizontal and
// vertical forms. A set validates what is assigned, keeps its range at least MinRange wide
// and raises OnChange; the chart then copies the set into the axis's TScale.

#include "chart/chartbase.h"
#include "chart/dtlabel.h"
#include "chart/scaleticks.h"
#include "chart/scaletypes.h"

#include <QString>
#include <array>
#include <functional>

namespace chart {

// The narrowest range a property set allows unless told otherwise.
inline constexpr double DefaultMinRange = 1e-10;

class TScaleProps {
public:
    using TChangeEvent = std::function<void(TScaleProps* Sender)>;

    TScaleProps();
    virtual ~TScaleProps() = default;
    TScaleProps(const TScaleProps&) = delete;
    TScaleProps& operator=(const TScaleProps&) = delete;

    // Every setter raises OnChange at its end (MinRange only when it widens the range).
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int CaptionPosX() const { return FCaptionPosX; }
    void SetCaptionPosX(int v);
    int CaptionPosY() const { return FCaptionPosY; }
    void SetCaptionPosY(int v);
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment v);
    TScaleUnitAnchor CaptionAnchor() const { return FCaptionAnchor; }
    void SetCaptionAnchor(TScaleUnitAnchor v);
    TColor ColorScale() const { return FColorScale; }
    void SetColorScale(TColor v);
    // The owned label format. By default a change of one of its fields raises this set's
    // OnChange; an owner may hook the label's OnChange itself instead.
    TDTLabel& DateFormat() { return FDateFormat; }
    const TDTLabel& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const TDTLabel& v); // copies the seven values
    // Clamped to −3 … 12.
    int DecPlaces() const { return FDecPlaces; }
    void SetDecPlaces(int v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    // True is accepted while LoadingFlag is set, or when both ends are ≥ 1e-100 and the labels
    // are not date-time; otherwise ignored (OnChange is raised all the same).
    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool v);
    // ftDateTime also clears Logarithmic; ftTime also sets DecPlaces to 4.
    TFigType LabelType() const { return FLabelType; }
    void SetLabelType(TFigType v);
    // Stored unchecked; the scale clamps it to 2 … 10.
    int MinTicks() const { return FMinTicks; }
    void SetMinTicks(int v);
    // Values ≤ 1e-100 are ignored; a narrower range is widened about its centre.
    double MinRange() const { return FMinRange; }
    void SetMinRange(double v);
    // An end closer than MinRange to the other pushes the other away; on a logarithmic set an
    // end below 1e-100 is ignored. A reversed range is kept as given.
    double RangeLow() const { return FRangeLow; }
    void SetRangeLow(double v);
    double RangeHigh() const { return FRangeHigh; }
    void SetRangeHigh(double v);
    bool ShortTicks() const { return FShortTicks; }
    void SetShortTicks(bool v);
    const QString& ScaleInscript() const { return FScaleInscript; }
    void SetScaleInscript(const QString& v);
    // Pixels by which the axis line moves away from the plot area; one slot per orientation,
    // the current ScaleType picks the slot.
    int ScalePos() const;
    void SetScalePos(int v);
    const QString& UserTickText() const { return FUserTickText; }
    void SetUserTickText(const QString& v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

    // Unpublished: set by the chart (and by ScaleLocation). Raises OnChange.
    TScaleType ScaleType() const { return FScaleType; }
    void SetScaleType(TScaleType v);

    // Set by the constructor; the chart clears it after its first copy into the scales.
    bool LoadingFlag() const { return FLoadingFlag; }
    void SetLoadingFlag(bool v) { FLoadingFlag = v; }
    void Loaded() { FLoadingFlag = false; }

    // Copies every property (ScaleType and both ScalePos slots included), then raises OnChange
    // once. The horizontal and vertical forms also copy ScaleLocation from their own kind.
    virtual void Assign(const TScaleProps& source);
    void AssignTo(TScaleProps& dest) const { dest.Assign(*this); }

    TChangeEvent OnChange;

protected:
    void Changed();
    void CopyFrom(const TScaleProps& source);
    void SetScaleTypeSilently(TScaleType v) { FScaleType = v; }

private:
    QString FCaption;
    int FCaptionPosX = 0;
    int FCaptionPosY = 0;
    TAlignment FCaptionAlignment = taCenter;
    TScaleUnitAnchor FCaptionAnchor = uaSclTopLft;
    TColor FColorScale = clBlack;
    TDTLabel FDateFormat;
    int FDecPlaces = DecPlacesAuto;
    TFont FFont;
    bool FLogarithmic = false;
    TFigType FLabelType = ftNum;
    int FMinTicks = 3;
    double FMinRange = DefaultMinRange;
    double FRangeLow = 0;
    double FRangeHigh = 1;
    bool FShortTicks = true;
    QString FScaleInscript;
    std::array<int, 2> FScalePosSlots{0, 0}; // horizontal, vertical
    QString FUserTickText;
    bool FVisible = false;
    TScaleType FScaleType = sctXT;
    bool FLoadingFlag = true;
};

class TScalePropsHoriz : public TScaleProps {
public:
    TScalePropsHoriz();
    // slTop gives sctXB, slBottom gives sctXT; a value outside the enumeration keeps ScaleType.
    TScaleLocationHoriz ScaleLocation() const { return FScaleLocation; }
    void SetScaleLocation(TScaleLocationHoriz v);
    void Assign(const TScaleProps& source) override;

private:
    TScaleLocationHoriz FScaleLocation = slBottom;
};

class TScalePropsVert : public TScaleProps {
public:
    // ScaleType starts as sctYR, matching slLeft (the base's sctXT is a horizontal type).
    TScalePropsVert();
    // slLeft gives sctYR, slRight gives sctYL; a value outside the enumeration keeps ScaleType.
    TScaleLocationVert ScaleLocation() const { return FScaleLocation; }
    void SetScaleLocation(TScaleLocationVert v);
    void Assign(const TScaleProps& source) override;

private:
    TScaleLocationVert FScaleLocation = slLeft;
};

} // namespace chart
