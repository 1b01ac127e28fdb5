#include "support_mouse.h"

#include "chart/scaleprops.h"

#include <QApplication>
#include <QMouseEvent>
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
    if (QTestPrivate::qtestMouseButtons != Qt::NoButton) {
        QTest::mouseMove(&c, p);
        return;
    }
    // Without a held button Qt Test moves the global cursor instead, which delivers nothing when
    // the cursor already stands there (as it may after an earlier test); deliver the move
    // itself, as the window system would.
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(c.mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&c, &move);
}

void Release(chart::TLayerChart& c, QPoint p, Qt::MouseButton b)
{
    QTest::mouseRelease(&c, b, Qt::NoModifier, p);
}

} // namespace charttest
