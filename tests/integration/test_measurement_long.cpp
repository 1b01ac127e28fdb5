// Long measurement runs: an hour of samples on the chart and the end of the log. The samples are
// taken as a tick takes a good reading, without waiting for the device or the timer.

#include "support_measurement.h"

#include "chart/scaleprops.h"

#include <QColor>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using testing_support::LayerView;
using testing_support::ViewRange;

namespace {

// The value of sample i in these runs: a rising line, so each sample's place is known.
double RampValue(int i) { return i; }

class LongMeasurement : public testing_support::MeasurementWindow {
protected:
    void RecordRamp(int from, int to)
    {
        for (int i = from; i < to; ++i)
            Record(RampValue(i));
    }
};

TEST_F(LongMeasurement, AnHourOfSamplesScrollsWithoutLosingItsLength)
{
    StartWithoutPort();
    Switch();
    RecordRamp(0, core::ChartSampleWindow);
    // Samples 0..3599: the start point and 3600 segments.
    EXPECT_EQ(Chart().ItemCount(), 3601);
    EXPECT_EQ(Chart().Item(0).Kind, chart::ikMoveTo);

    // Sample 3600 drops the start point: the list now begins with a segment.
    Record(RampValue(3600));
    EXPECT_EQ(Chart().ItemCount(), 3601);
    EXPECT_EQ(Chart().Item(0).Kind, chart::ikLineTo);
    EXPECT_EQ(Chart().Item(0).X, 0);
    EXPECT_EQ(Chart().Item(3600).X, 3600);
    ViewRange v = LayerView(Chart(), 1);
    EXPECT_EQ(v.xLow, 0);
    EXPECT_EQ(v.xHigh, 3600);

    // From then on one sample in, one out: always an hour wide.
    for (int n = 3601; n <= 3610; ++n) {
        Record(RampValue(n));
        EXPECT_EQ(Chart().ItemCount(), 3601);
        EXPECT_EQ(Chart().Item(0).X, n - 3600);
        v = LayerView(Chart(), 1);
        EXPECT_EQ(v.xLow, n - 3600);
        EXPECT_EQ(v.xHigh, n);
        EXPECT_DOUBLE_EQ(v.yLow, (n - 3600) - 0.05 * 3600);
        EXPECT_DOUBLE_EQ(v.yHigh, n + 0.05 * 3600);
    }
    EXPECT_EQ(Chart().KindCount(chart::ikMoveTo), 0);
    EXPECT_EQ(Log().size(), 3611);
}

// Once the start point is gone, the first segment has no point of its own to start from: it must
// not be drawn from the corner of the chart area, which would cross the data after a zoom.
TEST_F(LongMeasurement, TheOldestSegmentIsNotDrawnFromTheCorner)
{
    StartWithoutPort();
    Switch();
    // Filled while the window is not yet shown (nothing is painted), then shown with the last
    // sample taken on screen.
    RecordRamp(0, core::ChartSampleWindow + 100);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Record(RampValue(core::ChartSampleWindow + 100));
    ASSERT_EQ(Chart().Item(0).Kind, chart::ikLineTo);
    ASSERT_EQ(Chart().Item(0).X, 100);

    // As a mouse zoom leaves it: the oldest sample (100, 100) in the middle of the area.
    Chart().SetZoomRange(0, -3500, 0, 3700, 4000);
    Chart().Redraw();
    const QImage picture = Chart().WindowPicture();
    const QColor data = chart::ToQColor(Chart().DataColor());
    const QPoint first = Chart().DataToPixel(1, 100, 100);
    const QPoint corner(Chart().LRim(), Chart().TRim());
    ASSERT_TRUE(picture.rect().contains(first));

    auto dataNear = [&](QPoint p) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (picture.pixelColor(p + QPoint(dx, dy)) == data)
                    return true;
        return false;
    };
    // The data itself is there: its first point and a point further along the line.
    EXPECT_TRUE(dataNear(first));
    EXPECT_TRUE(dataNear(Chart().DataToPixel(1, 1000, 1000)));
    // Nothing between the corner and the first point.
    for (double t : {0.25, 0.5, 0.75}) {
        const QPoint p(int(std::lround(corner.x() + t * (first.x() - corner.x()))),
                       int(std::lround(corner.y() + t * (first.y() - corner.y()))));
        EXPECT_FALSE(dataNear(p)) << "at " << p.x() << "," << p.y();
    }
}

TEST_F(LongMeasurement, TheLogEndsWithSampleNumberOneHundredThousand)
{
    StartWithoutPort();
    Switch();
    RecordRamp(0, core::LastRecordedSample + 1);
    ASSERT_EQ(Log().size(), 100001);
    EXPECT_EQ(Log().back(), QStringLiteral("100000\t100000"));

    // 100001 is drawn, not recorded.
    Record(-5);
    EXPECT_EQ(form->MeasurementCount, 100002);
    EXPECT_EQ(Log().size(), 100001);
    EXPECT_EQ(Chart().ItemCount(), 3601);
    EXPECT_EQ(Chart().Item(3600).X, 100001);
    EXPECT_EQ(Chart().Item(3600).Y, -5);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.dat"));
    dialogs.AnswerSaveDialogs({path});
    form->RunHandler([this] { form->Button1Click(form->Button1); });
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 100001);
    EXPECT_TRUE(bytes.startsWith("0\t0\r\n1\t1\r\n"));
    EXPECT_TRUE(bytes.endsWith("99999\t99999\r\n100000\t100000\r\n"));
}

} // namespace
