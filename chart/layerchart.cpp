// Construction, drawing properties, resize and the change notifications of the sub-objects.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>

namespace chart {

namespace {
constexpr int InitialWidth = 280;
constexpr int InitialHeight = 200;
constexpr int MaxShadowWidth = 32;
constexpr int MinAreaWidth = 80;  // a resize keeps at least this much chart area
constexpr int MinAreaHeight = 20;
constexpr double MinGridStep = -3; // -1, -2, -3 are the logarithmic subdivisions
constexpr double AspectUnit = 3600; // pixel aspect as a relative size: AspectUnit / dpi
} // namespace

TCustomLayerChart::TCustomLayerChart(QWidget* parent)
    : QWidget(parent), FStore(std::make_shared<DisplayItemStore>())
{
    InitJointLayers();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // the zoom window follows the pointer with no button held
    QWidget::resize(InitialWidth, InitialHeight);
    FClassVisible.fill(true);
    FLayerVisible.fill(true);

    // Relative width and height of a screen pixel, read once.
    const QImage screenCompatible(1, 1, QImage::Format_RGB32);
    FAspectX = AspectUnit / screenCompatible.logicalDpiX();
    FAspectY = AspectUnit / screenCompatible.logicalDpiY();

    for (int n = 1; n <= NumCrossHairs; ++n) {
        auto ch = std::make_unique<TCrossHair>();
        ch->SetLayer(n);
        ch->OnChange = [this](TCrossHair*) { SubObjectChanged(); };
        FCrossHairs[size_t(n - 1)] = std::move(ch);
    }
    for (auto& label : FTextLabels) {
        label = std::make_unique<TTextLabel>(FFont);
        label->OnChange = [this](TTextLabel*) { SubObjectChanged(); };
    }
    FBackGroundImg = std::make_unique<TBakGndImg>();
    FBackGroundImg->OnChange = [this](TBakGndImg*) { SubObjectChanged(); };

    CreateScales();
    FScalesReady = true;
    PlaceScales();
    SyncAllScales();
    RecomputeTransforms();
    PushZoomHistory();
    SetStandardLayout(lcl_X1Bottom_Y1Left);
    ResizeAreaPicture();
    // Made in code, the chart has no stored settings to wait for: the property sets check what
    // they are given from now on, as its scales do.
    for (auto& p : FPropsX)
        p->Loaded();
    for (auto& p : FPropsY)
        p->Loaded();
}

TCustomLayerChart::~TCustomLayerChart()
{
    ReleaseSharingGroup();
    FScalesReady = false;
    for (auto& p : FPropsX)
        if (p) p->OnChange = nullptr;
    for (auto& p : FPropsY)
        if (p) p->OnChange = nullptr;
    for (auto* s : FScalesX)
        delete s;
    for (auto* s : FScalesY)
        delete s;
}

void TCustomLayerChart::BeginLoading()
{
    for (auto& p : FPropsX)
        p->SetLoadingFlag(true);
    for (auto& p : FPropsY)
        p->SetLoadingFlag(true);
}

void TCustomLayerChart::Loaded()
{
    for (auto& p : FPropsX)
        p->Loaded();
    for (auto& p : FPropsY)
        p->Loaded();
    SyncAllScales();
    RecomputeTransforms();
    Paint();
}

bool TCustomLayerChart::ControlVisible() const
{
    // Visible unless hidden on purpose; an unshown window still counts (its painting stays
    // suspended until it is first shown).
    return !(isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide));
}

void TCustomLayerChart::ChangedRepaint()
{
    if (FAutoRedraw)
        Paint();
    else
        MarkWindowPictureStale();
}

void TCustomLayerChart::SubObjectChanged()
{
    ChangedRepaint();
}

void TCustomLayerChart::GeometryChanged()
{
    ResizeAreaPicture();
    PlaceScales();
    SyncAllScales();
    if (FIsometric)
        ApplyIsometricRelation();
    RecomputeTransforms();
    ChangedRepaint();
}

// ---- geometry properties ----

void TCustomLayerChart::SetLRim(int v) { FLRim = v; GeometryChanged(); }
void TCustomLayerChart::SetRRim(int v) { FRRim = v; GeometryChanged(); }
void TCustomLayerChart::SetTRim(int v) { FTRim = v; GeometryChanged(); }
void TCustomLayerChart::SetBRim(int v) { FBRim = v; GeometryChanged(); }

void TCustomLayerChart::SetShadowWidth(int v)
{
    FShadowWidth = std::clamp(v, 0, MaxShadowWidth);
    GeometryChanged();
}

void TCustomLayerChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ApplyResize();
}

void TCustomLayerChart::ApplyResize()
{
    const QSize least(FLRim + FRRim + FShadowWidth + MinAreaWidth, FTRim + FBRim + FShadowWidth + MinAreaHeight);
    if (width() < least.width() || height() < least.height()) {
        QWidget::resize(size().expandedTo(least));
        if (isVisible())
            return; // the resize event of the new size does the rest
    }
    GeometryChanged();
}

void TCustomLayerChart::resize(const QSize& s)
{
    QWidget::resize(s);
    if (!isVisible())
        ApplyResize();
}

void TCustomLayerChart::setGeometry(const QRect& r)
{
    QWidget::setGeometry(r);
    if (!isVisible())
        ApplyResize();
}

void TCustomLayerChart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FAwaitingWindow) {
        FAwaitingWindow = false;
        SetPaintSuspended(false);
    }
}

// ---- drawing properties: store and repaint under AutoRedraw ----

void TCustomLayerChart::SetShadowStyle(TShadowStyle v) { FShadowStyle = v; ChangedRepaint(); }
void TCustomLayerChart::SetShadowColor(TColor v) { FShadowColor = v; ChangedRepaint(); }
void TCustomLayerChart::SetShadowBakColor(TColor v) { FShadowBakColor = v; ChangedRepaint(); }
void TCustomLayerChart::SetChartFrameColor(TColor v) { FChartFrameColor = v; ChangedRepaint(); }
void TCustomLayerChart::SetChartColor(TColor v) { FChartColor = v; ChangedRepaint(); }
void TCustomLayerChart::SetWindColor(TColor v)
{
    FWindColor = v;
    PlaceScales(); // the scales' background follows the window colour
    ChangedRepaint();
}
void TCustomLayerChart::SetGridColor(TColor v) { FGridColor = v; ChangedRepaint(); }
void TCustomLayerChart::SetGridStyle(GridStyleType v) { FGridStyle = v; ChangedRepaint(); }

void TCustomLayerChart::SetGridDx(double v)
{
    if (v < MinGridStep)
        return;
    FGridDx = v;
    ChangedRepaint();
}

void TCustomLayerChart::SetGridDy(double v)
{
    if (v < MinGridStep)
        return;
    FGridDy = v;
    ChangedRepaint();
}

void TCustomLayerChart::SetCaption(const QString& v) { FCaption = v; ChangedRepaint(); }
void TCustomLayerChart::SetCaptionPosX(int v) { FCaptionPosX = v; ChangedRepaint(); }
void TCustomLayerChart::SetCaptionPosY(int v) { FCaptionPosY = v; ChangedRepaint(); }
void TCustomLayerChart::SetCaptionAlignment(TAlignment v) { FCaptionAlignment = v; ChangedRepaint(); }
void TCustomLayerChart::SetCaptionAnchorHoriz(TCaptionAnchorHoriz v) { FCaptionAnchorHoriz = v; ChangedRepaint(); }
void TCustomLayerChart::SetCaptionAnchorVert(TCaptionAnchorVert v) { FCaptionAnchorVert = v; ChangedRepaint(); }
void TCustomLayerChart::SetTextFontStyle(TFontStyles v) { FTextFontStyle = v; ChangedRepaint(); }
void TCustomLayerChart::SetTextBkStyle(TTextBkStyle v) { FTextBkStyle = v; ChangedRepaint(); }
void TCustomLayerChart::SetTextBkColor(TColor v) { FTextBkColor = v; ChangedRepaint(); }
void TCustomLayerChart::SetTextAlignment(TAlignment v) { FTextAlignment = v; ChangedRepaint(); }
void TCustomLayerChart::SetFont(const TFont& v) { FFont = v; ChangedRepaint(); }

void TCustomLayerChart::SetCrossHair(int n, const TCrossHair& v)
{
    CrossHair(n)->Assign(v);
    ChangedRepaint();
}

void TCustomLayerChart::SetBackGroundImg(const TBakGndImg& v)
{
    FBackGroundImg->Assign(v); // the chart keeps its own object
    ChangedRepaint();
}

} // namespace chart
