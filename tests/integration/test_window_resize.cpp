// The window grows and shrinks with a measurement running: the left column stays as stored,
// the chart takes the room and draws its scales and the samples at the new size, and no sample
// is lost. The stored size is the default and the least.

#include "support_measurement.h"

#include "chart/chartbase.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"

#include "app/TRadioGroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using testing_support::MeasurementWindow;

constexpr QSize StoredChartSize{681, 281};
constexpr int TicksBefore = 6;

// Pixels of the data colour (navy, drawn 2 pixels wide) in the columns [fromX, toX) of the chart.
int DataPixels(const QImage& picture, int fromX, int toX)
{
    const QRgb navy = chart::ToQColor(chart::clNavy).rgb();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = std::max(fromX, 0); x < std::min(toX, picture.width()); ++x)
            count += (picture.pixel(x, y) & 0xFFFFFF) == (navy & 0xFFFFFF);
    return count;
}

class WindowResize : public MeasurementWindow {
protected:
    void SetUp() override
    {
        StartWithDevice({"--sync", "ramp:-30:7"});
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        storedSize = form->size();
        Switch();
        for (int i = 0; i < TicksBefore; ++i) Tick();
    }

    // The geometry of every control of the left column.
    std::vector<QRect> LeftColumn() const
    {
        std::vector<QRect> bounds;
        const QWidget* controls[] = {form->RadioGroup1, form->Label1,        form->GroupBox4,
                                     form->ComboBox_E2PROM, form->Edit_E2PROM, form->GroupBox1,
                                     form->Button_Switch, form->Button1,     form->Button2};
        for (const QWidget* w : controls) bounds.push_back(w->geometry());
        return bounds;
    }

    void ResizeTo(QSize size)
    {
        form->resize(size);
        QTest::qWait(50); // the resize and the repaint it asks for
    }

    QSize storedSize;
};

TEST_F(WindowResize, StoredSizeIsTheDefaultAndTheLeast)
{
    EXPECT_EQ(form->minimumSize(), storedSize);
    EXPECT_EQ(form->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    EXPECT_EQ(form->pos(), QPoint(200, 191));
    EXPECT_EQ(Chart().size(), StoredChartSize);
    ResizeTo(storedSize - QSize(200, 100));
    EXPECT_EQ(form->size(), storedSize);
    EXPECT_EQ(Chart().size(), StoredChartSize);
}

struct Growth {
    int dx, dy;
};

class WindowGrowth : public WindowResize, public ::testing::WithParamInterface<Growth> {};

TEST_P(WindowGrowth, ChartTakesTheRoomWithTheMeasurementRunning)
{
    const std::vector<QRect> column = LeftColumn();
    const QRect chartBefore = Chart().geometry();
    const int itemsBefore = Chart().ItemCount();
    const QSize grown = storedSize + QSize(GetParam().dx, GetParam().dy);

    ResizeTo(grown);
    EXPECT_EQ(form->size(), grown);
    EXPECT_EQ(LeftColumn(), column);
    EXPECT_EQ(Chart().geometry(), QRect(chartBefore.topLeft(), chartBefore.size() + QSize(GetParam().dx, GetParam().dy)));

    // The next sample is drawn at the new size: fitted to the whole new area, from the left
    // edge to the right one, and nothing taken before is lost.
    Tick();
    EXPECT_EQ(form->MeasurementCount, TicksBefore + 1);
    EXPECT_EQ(Chart().ItemCount(), itemsBefore + 1);
    ASSERT_EQ(Log().size(), TicksBefore + 1);
    for (int i = 0; i <= TicksBefore; ++i) EXPECT_EQ(Log().at(i), QStringLiteral("%1\t%2").arg(i).arg(-30 + 7 * i));

    const QImage picture = Chart().grab().toImage();
    ASSERT_EQ(picture.size(), Chart().size());
    const QPoint last = Chart().DataToPixel(1, TicksBefore, -30 + 7 * TicksBefore);
    const QPoint first = Chart().DataToPixel(1, 0, -30);
    const int areaRight = Chart().width() - Chart().RRim() - Chart().ShadowWidth();
    const int areaBottom = Chart().height() - Chart().BRim() - Chart().ShadowWidth();
    EXPECT_NEAR(last.x(), areaRight, 2);
    EXPECT_NEAR(first.x(), Chart().LRim(), 2);
    EXPECT_GT(DataPixels(picture, last.x() - 3, last.x() + 1), 0) << "the newest sample at the right edge";
    EXPECT_GT(DataPixels(picture, first.x(), first.x() + 4), 0) << "the oldest sample at the left edge";
    // The scales span the new area: their ends map to its edges.
    const chart::TScale* scaleX = Chart().ScaleControlX(1);
    const chart::TScale* scaleY = Chart().ScaleControlY(1);
    EXPECT_NEAR(scaleX->ValueToPixel(Chart().Scale1X()->RangeHigh()) - scaleX->ValueToPixel(Chart().Scale1X()->RangeLow()),
                areaRight - Chart().LRim(), 2);
    EXPECT_NEAR(std::abs(scaleY->ValueToPixel(Chart().Scale1Y()->RangeHigh()) - scaleY->ValueToPixel(Chart().Scale1Y()->RangeLow())),
                areaBottom - Chart().TRim(), 2);
    // The line climbs from near the bottom of the area to near its top.
    EXPECT_GT(first.y(), areaBottom - areaBottom / 10);
    EXPECT_LT(last.y(), Chart().TRim() + areaBottom / 10);

    // And back to the stored size: the same story at the stored size.
    ResizeTo(storedSize);
    EXPECT_EQ(Chart().geometry(), chartBefore);
    EXPECT_EQ(LeftColumn(), column);
    Tick();
    EXPECT_EQ(Log().size(), TicksBefore + 2);
    EXPECT_NEAR(Chart().DataToPixel(1, TicksBefore + 1, -30 + 7 * (TicksBefore + 1)).x(),
                Chart().width() - Chart().RRim() - Chart().ShadowWidth(), 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowGrowth,
                         ::testing::Values(Growth{0, 0}, Growth{400, 0}, Growth{0, 300}, Growth{700, 450},
                                           Growth{1, 1}));

} // namespace
