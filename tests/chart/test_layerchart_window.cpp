// What the chart's window shows when the toolkit asks for a paint of its own (repaint(), a
// resize, being shown again), and a resize made before the chart was ever shown.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "support_layerchart.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace {

// Counts the Paint runs, to tell a copy of the finished picture from a full repaint.
class CountingChart : public TLayerChart {
public:
    void Paint() override
    {
        ++Paints;
        TLayerChart::Paint();
    }
    int Paints = 0;
};

std::unique_ptr<CountingChart> ShownCountingChart()
{
    auto c = std::make_unique<CountingChart>();
    c->resize(300, 200);
    c->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(c.get()));
    QApplication::processEvents();
    return c;
}

// What the window itself shows: the widget rendered through its paint event.
QRgb ShownPixel(QWidget& w, int x, int y)
{
    return w.grab().toImage().pixel(x, y) | 0xFF000000u;
}

// A point well inside the chart area of the chart's present size.
QPoint AreaMiddle(const TCustomLayerChart& c)
{
    return QPoint((c.LRim() + c.width() - c.RRim() - c.ShadowWidth()) / 2,
                  (c.TRim() + c.height() - c.BRim() - c.ShadowWidth()) / 2);
}

TEST(LayerChartWindow, ARepaintOfTheToolkitShowsChangesThatDidNotRepaint)
{
    auto c = ShownCountingChart();
    c->SetAutoRedraw(false);
    c->SetChartColor(clRed);
    const QPoint m = AreaMiddle(*c);
    EXPECT_EQ(WindowPixel(*c, m.x(), m.y()), Rgb(clWhite)) << "AutoRedraw off repainted at once";
    c->repaint();
    EXPECT_EQ(WindowPixel(*c, m.x(), m.y()), Rgb(clRed));
    EXPECT_EQ(ShownPixel(*c, m.x(), m.y()), Rgb(clRed));
}

TEST(LayerChartWindow, AResizeWithoutAutoRedrawPaintsTheNewSize)
{
    auto c = ShownCountingChart();
    c->SetAutoRedraw(false);
    c->SetChartColor(clRed);
    c->resize(420, 330);
    QApplication::processEvents();
    // near the new lower right corner of the chart area, outside the old picture
    const int right = c->width() - c->RRim() - c->ShadowWidth();
    const int bottom = c->height() - c->BRim() - c->ShadowWidth();
    ASSERT_GT(bottom - 5, 200);
    EXPECT_EQ(c->WindowPicture().size(), QSize(420, 330));
    EXPECT_EQ(ShownPixel(*c, right - 5, bottom - 5), Rgb(clRed));
    EXPECT_EQ(ShownPixel(*c, right, bottom - 5), Rgb(clBlack)); // the area's frame
}

TEST(LayerChartWindow, ChangesWhileHiddenAppearWhenShownAgain)
{
    for (bool autoRedraw : {true, false}) {
        auto c = ShownCountingChart();
        c->SetAutoRedraw(autoRedraw);
        c->SetZoomRange(1, 0, 0, 10, 10);
        c->hide();
        c->SetChartColor(clYellow);
        c->SetDataColor(clRed);
        c->SetLineWidth(3);
        c->BeginPolyline(1, 5);
        c->ExtendPolyline(9, 5);
        c->Redraw();
        c->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.get()));
        QApplication::processEvents();
        const QPoint m = AreaMiddle(*c);
        const QPoint line = c->DataToPixel(1, 5, 5);
        EXPECT_EQ(WindowPixel(*c, m.x(), m.y() + 20), Rgb(clYellow)) << "AutoRedraw " << autoRedraw;
        EXPECT_EQ(WindowPixel(*c, line.x(), line.y()), Rgb(clRed)) << "AutoRedraw " << autoRedraw;
        EXPECT_EQ(ShownPixel(*c, line.x(), line.y()), Rgb(clRed)) << "AutoRedraw " << autoRedraw;
    }
}

TEST(LayerChartWindow, APictureJustPresentedIsCopiedNotPaintedAgain)
{
    auto c = ShownCountingChart();
    c->SetZoomRange(1, 0, 0, 10, 10);
    c->BeginPolyline(1, 1);
    c->ExtendPolyline(9, 9);
    c->Paints = 0;
    c->Redraw(); // AutoRedraw: the chart area alone, no Paint
    QApplication::processEvents();
    EXPECT_EQ(c->Paints, 0);
    c->SetChartColor(clYellow); // one Paint, then its paint event copies
    QApplication::processEvents();
    EXPECT_EQ(c->Paints, 1);
}

TEST(LayerChartWindow, AResizeBeforeShowingMapsAtTheNewSize)
{
    TLayerChart shown;
    shown.resize(400, 300);
    shown.show();
    shown.SetZoomRange(1, 0, 0, 1, 1);

    TLayerChart resized, placed;
    for (TLayerChart* c : {&resized, &placed})
        c->SetZoomRange(1, 0, 0, 1, 1);
    resized.resize(400, 300);
    placed.setGeometry(10, 20, 400, 300);
    for (const TLayerChart* c : {&resized, &placed}) {
        EXPECT_FALSE(c->isVisible());
        for (const QPointF p : {QPointF(1, 0), QPointF(0, 1), QPointF(0.5, 0.5)})
            EXPECT_EQ(c->DataToPixel(1, p.x(), p.y()), shown.DataToPixel(1, p.x(), p.y()));
        EXPECT_EQ(c->ScaleControlX(1)->size(), QSize(400, 300)) << "scales left at the old size";
    }
}

TEST(LayerChartWindow, TheMinimumSizeHoldsBeforeShowing)
{
    TLayerChart c;
    const QSize least(c.LRim() + c.RRim() + c.ShadowWidth() + 80, c.TRim() + c.BRim() + c.ShadowWidth() + 20);
    c.resize(10, 10);
    EXPECT_EQ(c.size(), least);
    c.setGeometry(0, 0, 500, 5);
    EXPECT_EQ(c.size(), QSize(500, least.height()));
    c.show();
    EXPECT_EQ(c.size(), QSize(500, least.height()));
}

} // namespace
