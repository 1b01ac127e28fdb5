#include "support_mouse.h"

#include "chart/scaleprops.h"

#include <QTest>

namespace charttest {

std::unique_ptr<MouseChart> MakeMouseChart(chart::TMouseActMode mode)
{
    auto m = std::make_unique<MouseChart>();
    m->Chart = std::make_unique<chart::TLayerChart>();
    chart::TLayerChart& c = *m->Chart;
    c.resize(280, 200);
    c.Scale1X()->SetVisible(false);
    c.Scale1Y()->SetVisible(false);
    c.SetRRim(AreaRimRight);
    c.SetTRim(AreaTop);
    c.SetBRim(200 - AreaBottom);
    c.show();
    c.SetZoomRange(0, 0, 0, AreaRight - AreaLeft, AreaBottom - AreaTop);
    c.SetMouseAction(mode);
    MouseChart* raw = m.get();
    c.OnDataRendered = [raw](chart::TCustomLayerChart*, QPainter*&, int, int) { ++raw->Repaints; };
    c.OnZoomPan = [raw](chart::TCustomLayerChart*) { ++raw->ZoomPans; };
    return m;
}

void Press(chart::TLayerChart& c, QPoint p, Qt::MouseButton b)
{
    QTest::mousePress(&c, b, Qt::NoModifier, p);
}

void Move(chart::TLayerChart& c, QPoint p)
{
    QTest::mouseMove(&c, p);
}

void Release(chart::TLayerChart& c, QPoint p, Qt::MouseButton b)
{
    QTest::mouseRelease(&c, b, Qt::NoModifier, p);
}

} // namespace charttest
