// The seven standard layouts: rims, caption and the placement of the scales of layers 1..4.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"

namespace chart {

namespace {

struct ScalePlacement {
    int Location;      // TScaleLocationHoriz or TScaleLocationVert
    int CaptionPosX, CaptionPosY;
    TAlignment Alignment;
    TScaleUnitAnchor Anchor;
    int ScalePos;
    bool Visible;
};

struct LayoutRecord {
    int LRim, RRim, TRim, BRim;
    int CaptionPosX, CaptionPosY;
    TAlignment CaptionAlignment;
    TCaptionAnchorHoriz AnchorHoriz;
    TCaptionAnchorVert AnchorVert;
    ScalePlacement X[4];
    ScalePlacement Y[4];
};

// Scales a row does not show.
constexpr ScalePlacement HiddenX{slBottom, 10, 100, taCenter, uaSclCenter, 0, false};
constexpr ScalePlacement HiddenY{slLeft, 10, 100, taRightJustify, uaSclTopLft, 0, false};
constexpr ScalePlacement HiddenYHigh{slLeft, 0, -23, taRightJustify, uaSclTopLft, 0, false};

constexpr ScalePlacement X1Bottom{slBottom, 0, 22, taCenter, uaSclCenter, 0, true};
constexpr ScalePlacement Y1LeftAlone{slLeft, 0, -16, taLeftJustify, uaSclTopLft, 0, true};
constexpr ScalePlacement YLeft(int pos) { return {slLeft, 0, -23, taRightJustify, uaSclTopLft, pos, true}; }
constexpr ScalePlacement XBottomPair(int pos) { return {slBottom, -20, 7, taRightJustify, uaSclTopLft, pos, true}; }

constexpr LayoutRecord Layouts[NumStandardLayouts] = {
    // lcl_X1Bottom_Y1Left
    {50, 20, 20, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {X1Bottom, HiddenX, HiddenX, HiddenX},
     {Y1LeftAlone, HiddenY, HiddenY, HiddenY}},
    // lcl_X1Bottom_Y2Left
    {100, 20, 24, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {X1Bottom, HiddenX, HiddenX, HiddenX},
     {YLeft(0), YLeft(50), HiddenY, HiddenY}},
    // lcl_X1Bottom_Y3Left
    {150, 20, 24, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {X1Bottom, HiddenX, HiddenX, HiddenX},
     {YLeft(0), YLeft(50), YLeft(100), HiddenY}},
    // lcl_X1Bottom_Y4Left
    {200, 20, 24, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {X1Bottom, HiddenX, HiddenX, HiddenX},
     {YLeft(0), YLeft(50), YLeft(100), YLeft(150)}},
    // lcl_X1Bottom_Y2Both
    {50, 50, 24, 40, 0, -20, taCenter, cahChartCenter, cavChartTop,
     {X1Bottom, HiddenX, HiddenX, HiddenX},
     {YLeft(0), {slRight, 0, -23, taLeftJustify, uaSclTopLft, 0, true}, HiddenY, HiddenY}},
    // lcl_X2Bottom_Y2Left
    {100, 20, 24, 70, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {XBottomPair(0), XBottomPair(30), HiddenX, HiddenX},
     {YLeft(0), YLeft(50), HiddenY, HiddenY}},
    // lcl_X2Both_Y2Both
    {50, 50, 48, 40, 0, -46, taCenter, cahChartCenter, cavChartTop,
     {XBottomPair(0), {slTop, -20, -24, taRightJustify, uaSclTopLft, 0, true}, HiddenX, HiddenX},
     {{slLeft, 0, -40, taRightJustify, uaSclTopLft, 0, true},
      {slRight, 0, -40, taLeftJustify, uaSclTopLft, 0, true}, HiddenYHigh, HiddenYHigh}},
};

constexpr int LayoutLayers = 4;

template <class Props, class Location>
void ApplyPlacement(Props* p, const ScalePlacement& s)
{
    p->SetScaleLocation(Location(s.Location));
    p->SetCaptionPosX(s.CaptionPosX);
    p->SetCaptionPosY(s.CaptionPosY);
    p->SetCaptionAlignment(s.Alignment);
    p->SetCaptionAnchor(s.Anchor);
    p->SetScalePos(s.ScalePos);
    p->SetVisible(s.Visible);
}

} // namespace

void TCustomLayerChart::SetStandardLayout(TlcLayout v)
{
    if (int(v) < 0 || int(v) >= NumStandardLayouts)
        return;
    FStandardLayout = v;
    const LayoutRecord& rec = Layouts[v];
    const bool wasSuspended = FPaintSuspended;
    FPaintSuspended = true;
    SetLRim(rec.LRim);
    SetRRim(rec.RRim);
    SetTRim(rec.TRim);
    SetBRim(rec.BRim);
    SetCaptionPosX(rec.CaptionPosX);
    SetCaptionPosY(rec.CaptionPosY);
    SetCaptionAlignment(rec.CaptionAlignment);
    SetCaptionAnchorHoriz(rec.AnchorHoriz);
    SetCaptionAnchorVert(rec.AnchorVert);
    {
        // The sets are passed on to the scales once, at the end.
        const bool was = FWritingRanges;
        FWritingRanges = true;
        for (int n = 1; n <= LayoutLayers; ++n) {
            ApplyPlacement<TScalePropsHoriz, TScaleLocationHoriz>(ScaleX(n), rec.X[n - 1]);
            ApplyPlacement<TScalePropsVert, TScaleLocationVert>(ScaleY(n), rec.Y[n - 1]);
        }
        for (int n = LayoutLayers + 1; n <= NumLayers; ++n) {
            ScaleX(n)->SetVisible(false);
            ScaleY(n)->SetVisible(false);
        }
        FWritingRanges = was;
    }
    ScalePropsChanged();
    SetPaintSuspended(wasSuspended);
}

} // namespace chart
