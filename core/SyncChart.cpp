#include "core/SyncChart.h"

#include "chart/layerchart.h"
#include "chart/scaleprops.h"

namespace core {

void ApplySyncChartSettings(chart::TLayerChart& chart)
{
    using namespace chart;
    TLayerChart* c = &chart;

    c->BeginLoading();
    c->SetAllocSize(1000);
    c->SetAutoRedraw(true);
    c->SetClassDefault(0);
    c->SetIsometric(false);
    c->SetDataColor(clNavy);
    c->SetLineWidth(2);
    c->SetGridStyle(gsDotLines);
    c->SetGridColor(clGray);

    c->SetRRim(20);
    c->SetTRim(20);
    c->SetBRim(40);
    c->SetShadowWidth(3);
    c->SetShadowStyle(ssFlying);
    c->SetShadowColor(clGrayText);
    c->SetShadowBakColor(clBtnFace);

    c->SetCaption(QStringLiteral("Sync [us]"));
    c->SetCaptionPosX(0);
    c->SetCaptionPosY(-16);
    c->SetCaptionAlignment(taCenter);
    c->SetCaptionAnchorHoriz(cahChartCenter);
    c->SetCaptionAnchorVert(cavChartTop);

    c->SetMouseAction(maZoomWindPos);
    c->SetMouseCursorFixed(true);
    for (int n = 1; n <= NumCrossHairs; ++n) {
        TCrossHair* hair = c->CrossHair(n);
        hair->SetColor(clBlack);
        hair->SetLayer(n);
        hair->SetLineType(psSolid);
        hair->SetLineWid(1);
        hair->SetMode(chOff);
    }

    constexpr int StoredScaleLayers = 4;
    TFont scaleFont;
    scaleFont.Font = FontFromHeight(QStringLiteral("MS Sans Serif"), -11);
    for (int layer = 1; layer <= StoredScaleLayers; ++layer) {
        for (TScaleProps* scale : {static_cast<TScaleProps*>(c->ScaleX(layer)), static_cast<TScaleProps*>(c->ScaleY(layer))}) {
            scale->SetColorScale(clBlack);
            TDTLabel& date = scale->DateFormat();
            date.SetTimeFormat(tfHHMMSS);
            date.SetDateSeparator(QLatin1Char('-'));
            date.SetTimeSeparator(QLatin1Char(':'));
            date.SetYearLength(ylYYYY);
            date.SetMonthName(true);
            date.SetDateOrder(doDDMMYY);
            date.SetDateForTime(dtOnePerDay);
            scale->SetDecPlaces(-2);
            scale->SetFont(scaleFont);
            scale->SetLabelType(ftNum);
            scale->SetLogarithmic(false);
            scale->SetMinTicks(3);
            scale->SetMinRange(1e-10);
            scale->SetRangeHigh(1);
            scale->SetScalePos(0);
            scale->SetShortTicks(true);
            scale->SetVisible(layer == 1);
        }
    }
    TScalePropsHoriz* x1 = c->Scale1X();
    x1->SetCaptionPosX(0);
    x1->SetCaptionPosY(22);
    x1->SetCaptionAlignment(taCenter);
    x1->SetCaptionAnchor(uaSclCenter);
    x1->SetScaleLocation(slBottom);
    TScalePropsVert* y1 = c->Scale1Y();
    y1->SetCaptionPosX(0);
    y1->SetCaptionPosY(-16);
    y1->SetCaptionAlignment(taLeftJustify);
    y1->SetCaptionAnchor(uaSclTopLft);
    y1->SetScaleLocation(slLeft);

    c->SetTextFontStyle(0);
    c->SetTextBkStyle(tbClear);
    c->SetTextBkColor(clWhite);
    c->SetTextAlignment(taCenter);

    // Every layer is controlled by itself, as a new chart has it; no background picture.
    TBakGndImg* background = c->BackGroundImg();
    background->SetFillMode(bfStretch);
    background->SetIncludePath(false);

    c->Loaded();
}

QString SaveSyncPicture(chart::TLayerChart& chart, const QString& fileName, std::optional<chart::TPictureFormat> filterFormat)
{
    const chart::PictureTarget target = chart::PictureTargetFor(fileName, filterFormat);
    // The metafile export applies its own name rule, which the target's name already follows.
    chart.ExportPicture(target.Format, target.FileName, false);
    return target.FileName;
}

} // namespace core
