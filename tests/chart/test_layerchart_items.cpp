// Display list and layer mappings of the layer chart.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"

#include <gtest/gtest.h>

#include <cfloat>

using namespace chart;

namespace {

TEST(LayerChartItems, ConstructionValues)
{
    TLayerChart c;
    EXPECT_EQ(c.width(), 280);
    EXPECT_EQ(c.height(), 200);
    EXPECT_EQ(c.ItemCount(), 0);
    EXPECT_EQ(c.Capacity(), 0);
    EXPECT_EQ(c.AllocSize(), 1000);
    EXPECT_EQ(c.DataColor(), clBlack);
    EXPECT_EQ(c.LineWidth(), 1);
    EXPECT_EQ(c.ActiveLayer(), 1);
    EXPECT_EQ(c.FillColor(), TColor(0xC0C0C0));
    EXPECT_EQ(c.ShadowWidth(), 0);
    EXPECT_EQ(c.GridStyle(), gsNone);
    EXPECT_EQ(c.CaptionPosY(), -16); // from the standard layout
    EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartRight);
    EXPECT_EQ(c.MouseAction(), maNone);
    EXPECT_TRUE(c.MouseCursorFixed());
    EXPECT_TRUE(c.PaintSuspended()); // until the window is shown
    // The standard layout applied at construction sets the rims.
    EXPECT_EQ(c.LRim(), 50);
    EXPECT_EQ(c.RRim(), 20);
    EXPECT_EQ(c.TRim(), 20);
    EXPECT_EQ(c.BRim(), 40);
    EXPECT_EQ(c.ZoomHistoryNext(), 2); // the current view pushed once
    for (int n = 1; n <= NumLayers; ++n) {
        EXPECT_TRUE(c.ClassVisible(n));
        EXPECT_TRUE(c.LayerVisible(n));
    }
}

TEST(LayerChartItems, AppendFillsRecordAndGrowsByAllocSize)
{
    TLayerChart c;
    c.SetDataColor(clNavy);
    c.SetLineWidth(2);
    c.SetClassDefault(7);
    c.BeginPolyline(0, 5);
    EXPECT_EQ(c.Capacity(), 1000);
    for (int i = 1; i < 1000; ++i)
        c.ExtendPolyline(i, i * 0.5);
    EXPECT_EQ(c.ItemCount(), 1000);
    EXPECT_EQ(c.Capacity(), 1000);
    c.ExtendPolyline(1000, 1);
    EXPECT_EQ(c.Capacity(), 2000);
    EXPECT_EQ(c.ItemCount(), 1001);
    const DisplayItem& first = c.Item(0);
    EXPECT_EQ(first.Kind, ikMoveTo);
    EXPECT_EQ(first.Color, clNavy);
    EXPECT_EQ(first.LineWidth, 2);
    EXPECT_EQ(first.ClassNo, 7);
    EXPECT_EQ(first.Layer, 1);
    EXPECT_EQ(first.Y, 5);
    EXPECT_EQ(c.Item(1000).Kind, ikLineTo);
    EXPECT_EQ(c.Item(1000).X, 1000);
    EXPECT_EQ(c.KindCount(ikMoveTo), 1);
    EXPECT_EQ(c.KindCount(ikLineTo), 1000);
}

TEST(LayerChartItems, SetterLimits)
{
    TLayerChart c;
    for (int bad : {0, -1, 1000001}) {
        c.SetAllocSize(bad);
        EXPECT_EQ(c.AllocSize(), 1000) << bad;
    }
    c.SetAllocSize(1000000);
    EXPECT_EQ(c.AllocSize(), 1000000);
    c.SetAllocSize(3);
    c.BeginPolyline(0, 0);
    EXPECT_EQ(c.Capacity(), 3);
    c.SetClassDefault(9);
    c.SetClassDefault(255);
    EXPECT_EQ(c.ClassDefault(), 9);
    c.SetShadowWidth(40);
    EXPECT_EQ(c.ShadowWidth(), 32);
    c.SetShadowWidth(-2);
    EXPECT_EQ(c.ShadowWidth(), 0);
    c.SetGridDx(-4);
    EXPECT_EQ(c.GridDx(), 0);
    c.SetGridDx(-3);
    EXPECT_EQ(c.GridDx(), -3);
}

TEST(LayerChartItems, RemoveItemKeepsOrderAndReleasesLastItem)
{
    TLayerChart c;
    c.BeginPolyline(0, 5);
    c.ExtendPolyline(0, 5);
    c.ExtendPolyline(1, 7);
    c.RemoveFirstItem();
    ASSERT_EQ(c.ItemCount(), 2);
    EXPECT_EQ(c.Item(0).Kind, ikLineTo);
    EXPECT_EQ(c.Item(1).Y, 7);
    EXPECT_EQ(c.KindCount(ikMoveTo), 0);
    EXPECT_EQ(c.Capacity(), 1000); // not reduced
    c.RemoveItem(-1);
    c.RemoveItem(2);
    EXPECT_EQ(c.ItemCount(), 2);
    c.RemoveFirstItem();
    ASSERT_EQ(c.ItemCount(), 1);
    EXPECT_EQ(c.Item(0).X, 1);
    c.RemoveItem(0);
    EXPECT_EQ(c.ItemCount(), 0);
    EXPECT_EQ(c.Capacity(), 0);
    EXPECT_EQ(c.KindCount(ikLineTo), 0);
    c.RemoveFirstItem(); // on an empty list: nothing
    EXPECT_EQ(c.ItemCount(), 0);
}

TEST(LayerChartItems, ClearItemsReleasesStorage)
{
    TLayerChart c;
    c.BeginPolyline(0, 1);
    c.ExtendPolyline(1, 2);
    c.ClearItems();
    EXPECT_EQ(c.ItemCount(), 0);
    EXPECT_EQ(c.Capacity(), 0);
    EXPECT_EQ(c.LastDrawnIndex(), 0);
    EXPECT_EQ(c.KindCount(ikMoveTo), 0);
}

TEST(LayerChartItems, DataExtentIsStrictAndFiltersLayer)
{
    TLayerChart c;
    double x0, y0, x1, y1;
    c.GetDataExtent(0, -1, -1E10, 1E10, 1E10, x0, y0, x1, y1);
    EXPECT_EQ(x0, 1.7E308);
    EXPECT_EQ(y0, 1.7E308);
    EXPECT_EQ(x1, -1.7E308);
    EXPECT_EQ(y1, -1.7E308);

    c.BeginPolyline(0, 3);
    c.ExtendPolyline(1, -2);
    c.ExtendPolyline(-1, 100); // x exactly on the window bound: ignored
    c.ExtendPolyline(4, 8);
    c.GetDataExtent(0, -1, -1E10, 1E10, 1E10, x0, y0, x1, y1);
    EXPECT_EQ(x0, 0);
    EXPECT_EQ(x1, 4);
    EXPECT_EQ(y0, -2);
    EXPECT_EQ(y1, 8);

    DisplayItem line;
    line.Kind = ikLine;
    line.Layer = 2;
    line.X = 2;
    line.Y = 2;
    line.X2 = 50;
    line.Y2 = -40;
    c.AppendItem(line);
    DisplayItem rel;
    rel.Kind = ikLineRel;
    rel.Layer = 2;
    rel.X = 500;
    rel.Y = 500;
    c.AppendItem(rel);
    c.GetDataExtent(2, -1, -1E10, 1E10, 1E10, x0, y0, x1, y1);
    EXPECT_EQ(x0, 2);
    EXPECT_EQ(x1, 50);
    EXPECT_EQ(y0, -40);
    EXPECT_EQ(y1, 2);
    c.GetDataExtent(0, -1, -1E10, 1E10, 1E10, x0, y0, x1, y1);
    EXPECT_EQ(x1, 50);
    EXPECT_EQ(y0, -40);
    c.GetDataExtent(3, -1, -1E10, 1E10, 1E10, x0, y0, x1, y1);
    EXPECT_GT(x0, x1);
}

TEST(LayerChartLayers, ZoomRangeWidensEqualEndsAndKeepsOrder)
{
    TLayerChart c;
    c.SetZoomRange(0, 5, 1, 5, 3);
    for (int n : {1, 9, 16}) {
        EXPECT_DOUBLE_EQ(c.ScaleX(n)->RangeLow(), 5 - 5E-11);
        EXPECT_DOUBLE_EQ(c.ScaleX(n)->RangeHigh(), 5 + 5E-11);
        EXPECT_EQ(c.ScaleY(n)->RangeLow(), 1);
        EXPECT_EQ(c.ScaleY(n)->RangeHigh(), 3);
    }
    c.SetZoomRange(2, 10, 0, 0, 4);
    EXPECT_EQ(c.ScaleX(2)->RangeLow(), 10);
    EXPECT_EQ(c.ScaleX(2)->RangeHigh(), 0);
    // A reversed X axis runs from right to left.
    const int right = c.width() - c.RRim() - c.ShadowWidth();
    EXPECT_EQ(c.DataToPixel(2, 10, 0).x(), c.LRim());
    EXPECT_EQ(c.DataToPixel(2, 0, 0).x(), right);
    EXPECT_EQ(c.ScaleX(1)->RangeLow(), 5 - 5E-11); // other layers untouched
}

TEST(LayerChartLayers, ZoomHistoryRingOfSixteen)
{
    TLayerChart c;
    const int start = c.ZoomHistoryNext();
    c.SetZoomRange(1, 0, 0, 10, 20);
    EXPECT_EQ(c.ZoomHistoryNext(), start + 1);
    const ZoomView& v = c.ZoomHistorySlot(start);
    EXPECT_EQ(v[0].XLow, 0);
    EXPECT_EQ(v[0].XHigh, 10);
    EXPECT_EQ(v[0].YLow, 0);
    EXPECT_EQ(v[0].YHigh, 20);
    for (int i = 0; i < 15; ++i)
        c.PushZoomHistory();
    EXPECT_EQ(c.ZoomHistoryNext(), start); // 16 pushes in all: once around the ring
    // A range narrower than MinRange is not recorded.
    const int before = c.ZoomHistoryNext();
    c.SetLayerRange(3, true, 1, 1, 1 + 1E-12, 1 + 1E-12, false);
    EXPECT_EQ(c.ZoomHistoryNext(), before);
}

TEST(LayerChartLayers, MappingEdgesAndInverse)
{
    TLayerChart c;
    c.resize(400, 300);
    c.SetZoomRange(1, 0, -10, 100, 10);
    const int right = c.width() - c.RRim() - c.ShadowWidth();
    const int bottom = c.height() - c.BRim() - c.ShadowWidth();
    EXPECT_EQ(c.DataToPixel(1, 0, 10), QPoint(c.LRim(), c.TRim()));
    EXPECT_EQ(c.DataToPixel(1, 100, -10), QPoint(right, bottom));
    const QPointF d = c.PixelToData(1, right, c.TRim());
    EXPECT_NEAR(d.x(), 100, 1E-9);
    EXPECT_NEAR(d.y(), 10, 1E-9);
    // Layer numbers out of range count as the nearest layer.
    EXPECT_EQ(c.DataToPixel(0, 0, 10), c.DataToPixel(1, 0, 10));
    EXPECT_EQ(c.DataToPixel(17, 0, 0), c.DataToPixel(16, 0, 0));
    // Far values are limited to the integer range.
    EXPECT_EQ(c.DataToPixel(1, 1E300, 0).x(), 2147483647);
    EXPECT_EQ(c.DataToPixel(1, -1E300, 0).x(), -2147483647);
}

TEST(LayerChartLayers, LogarithmicMappingAndFallback)
{
    TLayerChart c;
    c.SetZoomRange(1, 1, 1, 1000, 100);
    c.ScaleX(1)->SetLogarithmic(true);
    c.ScaleY(1)->SetLogarithmic(true);
    ASSERT_TRUE(c.ScaleX(1)->Logarithmic());
    const int right = c.width() - c.RRim() - c.ShadowWidth();
    const int mid = c.LRim() + (right - c.LRim()) / 3; // 10 is a third of three decades
    EXPECT_NEAR(c.DataToPixel(1, 10, 10).x(), mid, 1);
    EXPECT_EQ(c.DataToPixel(1, 0, 10).x(), 0);             // RangeLow < RangeHigh
    EXPECT_EQ(c.DataToPixel(1, 10, -5).y(), c.height());   // y fallback
    EXPECT_NEAR(c.PixelToData(1, right, c.TRim()).x(), 1000, 1E-6);
    c.SetZoomRange(1, 1000, 100, 1, 1); // reversed
    EXPECT_EQ(c.DataToPixel(1, 0, 0).x(), c.width());
    EXPECT_EQ(c.DataToPixel(1, 0, 0).y(), 0);
}

TEST(LayerChartLayers, AreaWithoutWidthMapsToMiddle)
{
    TLayerChart c;
    c.resize(300, 200);
    c.SetLRim(200);
    c.SetRRim(150);
    EXPECT_EQ(c.width(), 300); // rims may exceed what a resize allows
    EXPECT_EQ(c.DataToPixel(1, 0, 0).x(), 150);
    EXPECT_EQ(c.DataToPixel(1, 12345, 0).x(), 150);
}

TEST(LayerChartLayers, ResizeKeepsMinimumArea)
{
    TLayerChart c;
    c.show();
    c.resize(10, 10);
    EXPECT_EQ(c.width(), c.LRim() + c.RRim() + c.ShadowWidth() + 80);
    EXPECT_EQ(c.height(), c.TRim() + c.BRim() + c.ShadowWidth() + 20);
}

TEST(LayerChartLayers, IsometricKeepsPixelAspect)
{
    TLayerChart c;
    c.resize(400, 300);
    c.SetZoomRange(1, 0, 0, 10, 10);
    c.SetIsometric(true);
    const QPoint o = c.DataToPixel(1, 0, 0);
    const QPoint x = c.DataToPixel(1, 5, 0);
    const QPoint y = c.DataToPixel(1, 0, 5);
    EXPECT_NEAR(x.x() - o.x(), o.y() - y.y(), 1);
    c.SetZoomRange(1, 0, 0, 20, 1);
    const QPoint x2 = c.DataToPixel(1, 5, 0);
    const QPoint y2 = c.DataToPixel(1, 0, 5);
    EXPECT_NEAR(x2.x() - c.DataToPixel(1, 0, 0).x(), c.DataToPixel(1, 0, 0).y() - y2.y(), 1);
}

TEST(LayerChartLayers, RangeLimitsClampAndPanKeepsWidth)
{
    TLayerChart c;
    c.SetRangeLimits(0, 100, -50, 50);
    c.SetLayerRange(1, false, -10, -60, 20, 10, true);
    EXPECT_EQ(c.ScaleX(1)->RangeLow(), 0);
    EXPECT_EQ(c.ScaleX(1)->RangeHigh(), 20);
    EXPECT_EQ(c.ScaleY(1)->RangeLow(), -50);
    c.SetMouseAction(maPan);
    c.SetLayerRange(1, false, -10, -5, 20, 5, true);
    EXPECT_EQ(c.ScaleX(1)->RangeLow(), 0);
    EXPECT_EQ(c.ScaleX(1)->RangeHigh(), 30);
}

} // namespace
