#include "support_layerchart.h"

#include "chart/scaleprops.h"

#include <QPainter>

namespace charttest {

std::unique_ptr<chart::TLayerChart> MakeShownChart(int width, int height)
{
    auto c = std::make_unique<chart::TLayerChart>();
    c->resize(width, height);
    c->show();
    return c;
}

std::unique_ptr<chart::TLayerChart> MakeBareChart(int width, int height)
{
    auto c = std::make_unique<chart::TLayerChart>();
    c->resize(width, height);
    c->Scale1X()->SetVisible(false);
    c->Scale1Y()->SetVisible(false);
    c->show();
    return c;
}

QRgb AreaPixel(const chart::TCustomLayerChart& c, int x, int y)
{
    return c.AreaPicture().pixel(x, y) | 0xFF000000u;
}

RecordedRedraw RecordRedraw(chart::TLayerChart& c)
{
    RecordingDevice dev(c.width(), c.height());
    {
        QPainter rec(&dev);
        c.OnBeforeRenderData = [&rec](chart::TCustomLayerChart*, QPainter*& canvas, int, int) { canvas = &rec; };
        c.Redraw();
        c.OnBeforeRenderData = nullptr;
    }
    return {dev.Engine().Polylines, dev.Engine().Lines};
}

std::vector<RecordedPolyline> PolylinesOf(const RecordedRedraw& r, chart::TColor color)
{
    std::vector<RecordedPolyline> out;
    for (const auto& p : r.Polylines)
        if (p.Color == chart::ToQColor(color))
            out.push_back(p);
    return out;
}

QRgb WindowPixel(const chart::TCustomLayerChart& c, int x, int y)
{
    return c.WindowPicture().pixel(x, y) | 0xFF000000u;
}

void RecordingEngine::updateState(const QPaintEngineState& state)
{
    if (state.state() & QPaintEngine::DirtyPen)
        FPen = state.pen();
}

void RecordingEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    if (mode != PolylineMode)
        return;
    RecordedPolyline p;
    p.Color = FPen.color();
    p.Width = FPen.width();
    p.Style = FPen.style();
    for (int i = 0; i < count; ++i)
        p.Points.push_back(points[i].toPoint());
    Polylines.push_back(p);
}

void RecordingEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode)
{
    if (mode != PolylineMode)
        return;
    RecordedPolyline p;
    p.Color = FPen.color();
    p.Width = FPen.width();
    p.Style = FPen.style();
    p.Points.assign(points, points + count);
    Polylines.push_back(p);
}

void RecordingEngine::drawLines(const QLine* lines, int count)
{
    for (int i = 0; i < count; ++i)
        Lines.push_back({FPen.color(), FPen.style(), lines[i]});
}

void RecordingEngine::drawLines(const QLineF* lines, int count)
{
    for (int i = 0; i < count; ++i)
        Lines.push_back({FPen.color(), FPen.style(), lines[i].toLine()});
}

int RecordingDevice::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth: return FW;
    case PdmHeight: return FH;
    case PdmWidthMM: return FW * 254 / 960;
    case PdmHeightMM: return FH * 254 / 960;
    case PdmNumColors: return 1 << 24;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}

} // namespace charttest

#include "chart/scaleprops.h"

#include <random>

namespace charttest {

using namespace chart;

void ApplyProgramChartSettingsForTest(TLayerChart& c)
{
    c.setGeometry(256, 16, 681, 281);
    c.SetAllocSize(1000);
    c.SetAutoRedraw(true);
    c.SetClassDefault(0);
    c.SetIsometric(false);
    c.SetDataColor(clNavy);
    c.SetLineWidth(2);
    c.SetGridStyle(gsDotLines);
    c.SetGridColor(clGray);
    c.SetRRim(20);
    c.SetTRim(20);
    c.SetBRim(40);
    c.SetShadowWidth(3);
    c.SetShadowStyle(ssFlying);
    c.SetShadowColor(clGrayText);
    c.SetShadowBakColor(clBtnFace);
    c.SetCaption(QStringLiteral("Sync [us]"));
    c.SetCaptionPosX(0);
    c.SetCaptionPosY(-16);
    c.SetCaptionAlignment(taCenter);
    c.SetCaptionAnchorHoriz(cahChartCenter);
    c.SetCaptionAnchorVert(cavChartTop);
    c.SetMouseAction(maZoomWindPos);
    c.SetMouseCursorFixed(true);
    for (int n = 1; n <= NumCrossHairs; ++n)
        c.CrossHair(n)->SetMode(chOff);
    for (int n = 1; n <= 4; ++n) {
        for (TScaleProps* p : {static_cast<TScaleProps*>(c.ScaleX(n)), static_cast<TScaleProps*>(c.ScaleY(n))}) {
            p->SetLabelType(ftNum);
            p->SetDecPlaces(-2);
            p->SetMinTicks(3);
            p->SetMinRange(1e-10);
            p->SetRangeHigh(1);
            p->SetShortTicks(true);
            p->SetLogarithmic(false);
            p->SetScalePos(0);
            TFont f = p->Font();
            f.Font = FontFromHeight(QStringLiteral("MS Sans Serif"), -11);
            p->SetFont(f);
            p->SetColorScale(clBlack);
            p->SetVisible(n == 1);
        }
    }
    c.Scale1X()->SetScaleLocation(slBottom);
    c.Scale1X()->SetCaptionPosX(0);
    c.Scale1X()->SetCaptionPosY(22);
    c.Scale1X()->SetCaptionAlignment(taCenter);
    c.Scale1X()->SetCaptionAnchor(uaSclCenter);
    c.Scale1Y()->SetScaleLocation(slLeft);
    c.Scale1Y()->SetCaptionPosX(0);
    c.Scale1Y()->SetCaptionPosY(-16);
    c.Scale1Y()->SetCaptionAlignment(taLeftJustify);
    c.Scale1Y()->SetCaptionAnchor(uaSclTopLft);
    c.BackGroundImg()->SetFillMode(bfStretch);
    c.BackGroundImg()->SetIncludePath(false);
    c.Loaded();
}

void FitLikeMeasurement(TLayerChart& c)
{
    double xmin, ymin, xmax, ymax;
    c.GetDataExtent(0, -1, -1E10, 1E10, 1E10, xmin, ymin, xmax, ymax);
    const double margin = 0.05 * (ymax - ymin);
    c.SetZoomRange(0, xmin, ymin - margin, xmax, ymax + margin);
}

void AppendRandomWalk(TLayerChart& c, int count, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> step(-40, 40);
    int value = 1200;
    for (int n = 0; n < count; ++n) {
        value += step(gen);
        if (n == 0)
            c.BeginPolyline(0, value);
        c.ExtendPolyline(n, value);
        if (n >= 3600)
            c.RemoveFirstItem();
    }
}

} // namespace charttest
