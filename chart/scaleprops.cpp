#include "chart/scaleprops.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// Logarithmic ends and MinRange values must stay above this.
constexpr double LogFloor = 1e-100;
constexpr int TimeDecPlaces = 4;

} // namespace

TScaleProps::TScaleProps()
{
    FDateFormat.SetOwnerDefaults();
    FDateFormat.OnChange = [this](TDTLabel*) { Changed(); };
}

void TScaleProps::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TScaleProps::SetCaption(const QString& v)
{
    FCaption = v;
    Changed();
}

void TScaleProps::SetCaptionPosX(int v)
{
    FCaptionPosX = v;
    Changed();
}

void TScaleProps::SetCaptionPosY(int v)
{
    FCaptionPosY = v;
    Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment v)
{
    FCaptionAlignment = v;
    Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v)
{
    FCaptionAnchor = v;
    Changed();
}

void TScaleProps::SetColorScale(TColor v)
{
    FColorScale = v;
    Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel& v)
{
    // One notification for the whole copy.
    auto notify = std::move(FDateFormat.OnChange);
    FDateFormat.OnChange = nullptr;
    FDateFormat.Assign(v);
    FDateFormat.OnChange = std::move(notify);
    Changed();
}

void TScaleProps::SetDecPlaces(int v)
{
    FDecPlaces = std::clamp(v, DecPlacesLow, DecPlacesHigh);
    Changed();
}

void TScaleProps::SetFont(const TFont& v)
{
    FFont = v;
    Changed();
}

void TScaleProps::SetLogarithmic(bool v)
{
    // A logarithmic axis needs positive ends; date-time labels are linear days.
    const bool acceptable = FLoadingFlag
        || (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime);
    if (!v || acceptable)
        FLogarithmic = v;
    Changed();
}

void TScaleProps::SetLabelType(TFigType v)
{
    FLabelType = v;
    if (v == ftDateTime)
        FLogarithmic = false;
    if (v == ftTime)
        FDecPlaces = TimeDecPlaces; // used when the time ticks fall back to numbers
    Changed();
}

void TScaleProps::SetMinTicks(int v)
{
    FMinTicks = v;
    Changed();
}

void TScaleProps::SetMinRange(double v)
{
    if (!(v > LogFloor))
        return;
    FMinRange = v;
    if (std::fabs(FRangeHigh - FRangeLow) >= v)
        return;
    const double centre = (FRangeHigh + FRangeLow) / 2;
    FRangeLow = centre - v / 2;
    FRangeHigh = centre + v / 2;
    Changed();
}

void TScaleProps::SetRangeLow(double v)
{
    // The chart relies on never handing equal ends to a scale.
    if (std::fabs(FRangeHigh - v) < FMinRange) {
        FRangeLow = v;
        FRangeHigh = v + FMinRange;
    } else if (!(FLogarithmic && v < LogFloor)) {
        FRangeLow = v;
    }
    Changed();
}

void TScaleProps::SetRangeHigh(double v)
{
    if (std::fabs(FRangeLow - v) < FMinRange) {
        FRangeHigh = v;
        FRangeLow = v - FMinRange;
    } else if (!(FLogarithmic && v < LogFloor)) {
        FRangeHigh = v;
    }
    Changed();
}

void TScaleProps::SetShortTicks(bool v)
{
    FShortTicks = v;
    Changed();
}

void TScaleProps::SetScaleInscript(const QString& v)
{
    FScaleInscript = v;
    Changed();
}

int TScaleProps::ScalePos() const
{
    return FScalePosSlots[IsHorizontalScale(FScaleType) ? 0 : 1];
}

void TScaleProps::SetScalePos(int v)
{
    FScalePosSlots[IsHorizontalScale(FScaleType) ? 0 : 1] = v;
    Changed();
}

void TScaleProps::SetUserTickText(const QString& v)
{
    FUserTickText = v;
    Changed();
}

void TScaleProps::SetVisible(bool v)
{
    FVisible = v;
    Changed();
}

void TScaleProps::SetScaleType(TScaleType v)
{
    FScaleType = v;
    Changed();
}

void TScaleProps::CopyFrom(const TScaleProps& s)
{
    FCaption = s.FCaption;
    FCaptionPosX = s.FCaptionPosX;
    FCaptionPosY = s.FCaptionPosY;
    FCaptionAlignment = s.FCaptionAlignment;
    FCaptionAnchor = s.FCaptionAnchor;
    FColorScale = s.FColorScale;
    auto notify = std::move(FDateFormat.OnChange);
    FDateFormat.OnChange = nullptr;
    FDateFormat.Assign(s.FDateFormat);
    FDateFormat.OnChange = std::move(notify);
    FDecPlaces = s.FDecPlaces;
    FFont = s.FFont;
    FLogarithmic = s.FLogarithmic;
    FLabelType = s.FLabelType;
    FMinTicks = s.FMinTicks;
    FMinRange = s.FMinRange;
    FRangeLow = s.FRangeLow;
    FRangeHigh = s.FRangeHigh;
    FShortTicks = s.FShortTicks;
    FScaleInscript = s.FScaleInscript;
    FScalePosSlots = s.FScalePosSlots;
    FUserTickText = s.FUserTickText;
    FVisible = s.FVisible;
    FScaleType = s.FScaleType;
}

void TScaleProps::Assign(const TScaleProps& source)
{
    if (&source == this)
        return;
    CopyFrom(source);
    Changed();
}

// --- Horizontal and vertical sets ---------------------------------------------------------

TScalePropsHoriz::TScalePropsHoriz()
{
    SetScaleTypeSilently(sctXT);
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v)
{
    FScaleLocation = v;
    switch (v) {
    case slTop: SetScaleTypeSilently(sctXB); break;
    case slBottom: SetScaleTypeSilently(sctXT); break;
    default: break; // not a location: the type stays
    }
    Changed();
}

void TScalePropsHoriz::Assign(const TScaleProps& source)
{
    if (&source == this)
        return;
    CopyFrom(source);
    if (auto* h = dynamic_cast<const TScalePropsHoriz*>(&source))
        FScaleLocation = h->FScaleLocation;
    Changed();
}

TScalePropsVert::TScalePropsVert()
{
    SetScaleTypeSilently(sctYR);
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert v)
{
    FScaleLocation = v;
    switch (v) {
    case slLeft: SetScaleTypeSilently(sctYR); break;
    case slRight: SetScaleTypeSilently(sctYL); break;
    default: break; // not a location: the type stays
    }
    Changed();
}

void TScalePropsVert::Assign(const TScaleProps& source)
{
    if (&source == this)
        return;
    CopyFrom(source);
    if (auto* v = dynamic_cast<const TScalePropsVert*>(&source))
        FScaleLocation = v->FScaleLocation;
    Changed();
}

} // namespace chart
