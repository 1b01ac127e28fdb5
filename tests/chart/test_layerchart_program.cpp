// The chart as the program's main window configures and fills it.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace chart;
using namespace charttest;

namespace {

TEST(LayerChartProgram, RandomWalkOfAnHourRendersInsideTheArea)
{
    TLayerChart c;
    ApplyProgramChartSettingsForTest(c);
    c.show();
    AppendRandomWalk(c, 3701, 42);
    ASSERT_EQ(c.ItemCount(), 3601);
    EXPECT_EQ(c.Item(0).Kind, ikLineTo); // the move item is gone
    FitLikeMeasurement(c);
    c.Redraw();
    EXPECT_EQ(c.LastDrawnIndex(), 3600);
    EXPECT_EQ(c.ScaleX(1)->RangeLow(), 100);
    EXPECT_EQ(c.ScaleX(1)->RangeHigh(), 3700);

    const QImage& img = c.WindowPicture();
    ASSERT_EQ(img.size(), QSize(681, 281));
    const QString path = QDir::tempPath() + QStringLiteral("/layerchart_program.png");
    img.save(path);

    // Every navy pixel lies inside the chart area; the line spans it from left to right.
    const QRgb navy = Rgb(clNavy);
    const int left = c.LRim(), top = c.TRim();
    const int right = c.width() - c.RRim() - c.ShadowWidth();
    const int bottom = c.height() - c.BRim() - c.ShadowWidth();
    int minX = 10000, maxX = -1, count = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == navy) {
                ++count;
                EXPECT_TRUE(x >= left && x <= right && y >= top && y <= bottom) << x << "," << y;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    EXPECT_GT(count, 1000);
    EXPECT_LE(minX, left + 1);
    EXPECT_GE(maxX, right - 1);
    // Frame corners, shadow and window colour.
    EXPECT_EQ(WindowPixel(c, left, top), Rgb(clBlack));
    EXPECT_EQ(WindowPixel(c, right, bottom), Rgb(clBlack));
    EXPECT_EQ(WindowPixel(c, c.width() - 1, c.height() - 1), ToQColor(clGrayText).rgb() | 0xFF000000u);
    // The x scale labels the samples: its ticks were recorded by the paint.
    EXPECT_GT(c.ScaleControlX(1)->NumTicks(), 0);
    EXPECT_GT(c.ScaleControlY(1)->NumTicks(), 0);
}

} // namespace
