// Date and time labels as a scale really draws them: texts and their positions read back from
// a recording paint device, tick positions and tick events.

#include "chart/datetimeformat.h"
#include "chart/scale.h"
#include "support_datetime.h"
#include "support_recordingdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

using namespace chart;
using testsupport::RecordedText;
using testsupport::RecordingDevice;

namespace {

constexpr int ScaleWidth = 400;
constexpr int ScaleHeight = 300;
constexpr int Margin = 20;
constexpr double Dec8th2026 = 46364;
constexpr double Hour = 1.0 / 24;
constexpr double Second = Hour / 3600;

struct TickEvent {
    double value;
    int x, y;
};

// A transparent scale painting straight onto a recording device.
class DateTimeScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        scale.SetSuspendPaint(true);
        scale.SetBounds(0, 0, ScaleWidth, ScaleHeight);
        scale.SetTransparent(true);
        scale.SetDirectPaint(true);
        scale.Loaded();
        scale.OnScaleTickDrawn = [this](TScale*, QPainter*&, TScaleType, double v, int x, int y) {
            events.push_back({v, x, y});
        };
    }

    void Draw(TScaleType type, TFigType labels, double low, double high)
    {
        scale.SetScaleType(type);
        scale.SetLabelType(labels);
        scale.SetRangeLow(low);
        scale.SetRangeHigh(high);
        if (scale.RangeLow() != low)
            scale.SetRangeLow(low); // the range rule moved it while both ends were equal
        device.Clear();
        events.clear();
        QPainter painter(&device);
        scale.SetTargetCanvas(&painter, 0, 0);
        scale.ForceRepaint();
        scale.SetTargetCanvas(nullptr, 0, 0);
    }

    QStringList Texts() const
    {
        QStringList out;
        for (const RecordedText& t : device.Texts())
            out << t.Text;
        return out;
    }

    const RecordedText& Text(const QString& s, int occurrence = 0) const
    {
        for (const RecordedText& t : device.Texts())
            if (t.Text == s && occurrence-- == 0)
                return t;
        ADD_FAILURE() << "not drawn: " << s.toStdString();
        static RecordedText none;
        return none;
    }

    int Pixel(double v) const { return scale.ValueToPixel(v); }
    int LineHeight() const { return QFontMetrics(scale.Font().Font).height(); }
    int TextWidth(const QString& s) const { return QFontMetrics(scale.Font().Font).horizontalAdvance(s); }

    TScale scale;
    RecordingDevice device{ScaleWidth, ScaleHeight};
    std::vector<TickEvent> events;
};

TEST_F(DateTimeScale, MidnightToMidnightOnAHorizontalScale)
{
    Draw(sctXT, ftDateTime, Dec8th2026, Dec8th2026 + 1);
    EXPECT_EQ(Texts(), (QStringList{"00:00", "08-Dec-2026", "08:00", "16:00", "00:00", "09-Dec-2026"}));

    const int axis = Margin; // sctXT: the line lies on the top margin
    const RecordedText& eight = Text("08:00");
    EXPECT_EQ(eight.Top(), axis + TScale::LongTickLengthHoriz);
    EXPECT_NEAR(eight.Left() + eight.Width() / 2.0, Pixel(Dec8th2026 + 8 * Hour), 1);
    // The date line stands one text height beyond the time label.
    const RecordedText& date = Text("08-Dec-2026");
    EXPECT_EQ(date.Top(), axis + TScale::LongTickLengthHoriz + LineHeight());
    EXPECT_EQ(date.Left(), TScale::HorizLabelEdge); // kept inside the left end
    // The last date is pushed inside the right end.
    EXPECT_EQ(Text("09-Dec-2026").Left(), ScaleWidth - 2 * (TextWidth("09-Dec-2026") / 2) - TScale::HorizLabelEdge);

    // Every tick of 2 hours is recorded and reported at its pixel on the axis line.
    ASSERT_EQ(scale.NumTicks(), 13);
    ASSERT_EQ(events.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_DOUBLE_EQ(scale.GetTickPos(i + 1), Dec8th2026 + 2 * i * Hour);
        EXPECT_EQ(events[size_t(i)].x, Pixel(Dec8th2026 + 2 * i * Hour));
        EXPECT_EQ(events[size_t(i)].y, axis);
    }
}

TEST_F(DateTimeScale, VerticalLabelsCentreOnTheirTicksWithTheDateAbove)
{
    Draw(sctYL, ftDateTime, Dec8th2026, Dec8th2026 + 1);
    const int axis = Margin; // sctYL: the line lies on the left margin
    const int h = LineHeight();
    const int y = Pixel(Dec8th2026 + 16 * Hour);
    EXPECT_EQ(Text("16:00").Top(), y - h / 2);
    EXPECT_EQ(Text("16:00").Left(), axis + TScale::VertLabelGap);
    const int y0 = Pixel(Dec8th2026);
    EXPECT_EQ(Text("08-Dec-2026").Top(), y0 - 3 * (h / 2));
    EXPECT_EQ(Text("08-Dec-2026").Left(), axis + TScale::VertLabelGap);
    EXPECT_EQ(events.front().x, axis);
    EXPECT_EQ(events.front().y, y0);

    // On the right-hand type the texts end 8 pixels left of the line.
    Draw(sctYR, ftDateTime, Dec8th2026, Dec8th2026 + 1);
    const int right = ScaleWidth - Margin - 1;
    EXPECT_EQ(Text("16:00").Left() + TextWidth("16:00"), right - TScale::VertLabelGap);
    EXPECT_EQ(Text("09-Dec-2026").Left() + TextWidth("09-Dec-2026"), right - TScale::VertLabelGap);
}

TEST_F(DateTimeScale, InvalidRangesWriteTheTextInsteadOfTicks)
{
    const double mid = (Dec8th2026 + 1 + Dec8th2026) / 2;
    Draw(sctXT, ftDateTime, Dec8th2026 + 1, Dec8th2026);
    EXPECT_EQ(Texts(), QStringList{"invalid DateTime scale"});
    EXPECT_EQ(scale.NumTicks(), 0);
    EXPECT_TRUE(events.empty());
    const RecordedText& line = Text("invalid DateTime scale");
    EXPECT_NEAR(line.Left() + line.Width() / 2.0, Pixel(mid), 1);
    EXPECT_EQ(line.Top(), Margin + TScale::LongTickLengthHoriz);

    // Vertically: three words stacked around the midpoint, 2 pixels beside the line.
    Draw(sctYR, ftDateTime, -693594, 0);
    EXPECT_EQ(Texts(), (QStringList{"invalid", "DateTime", "scale"}));
    const int h = LineHeight();
    const int y = Pixel((-693594.0 + 0) / 2);
    const int right = ScaleWidth - Margin - 1;
    EXPECT_EQ(Text("invalid").Top(), y - h);
    EXPECT_EQ(Text("DateTime").Top(), y);
    EXPECT_EQ(Text("scale").Top(), y + h);
    EXPECT_EQ(Text("scale").Left() + TextWidth("scale"), right - 2);

    Draw(sctYL, ftDateTime, 0, 3000001);
    EXPECT_EQ(Texts(), (QStringList{"invalid", "DateTime", "scale"}));
    EXPECT_EQ(Text("invalid").Left(), Margin + 2);
}

TEST_F(DateTimeScale, TwoSecondsHorizontallyAndVertically)
{
    const double low = Dec8th2026 + 14 * Hour;
    Draw(sctXT, ftDateTime, low, low + 2 * Second);
    EXPECT_EQ(Texts(), QStringList{"DateTime range is below 1 second"});
    EXPECT_EQ(scale.NumTicks(), 0);

    Draw(sctYL, ftDateTime, low, low + 2 * Second);
    const QStringList texts = Texts();
    EXPECT_EQ(texts.front(), "14:00:00.00");
    EXPECT_TRUE(texts.contains("14:00:01.500"));
    EXPECT_EQ(scale.NumTicks(), 21); // every tenth of a second
}

TEST_F(DateTimeScale, AmPmAndDaysWithoutYear)
{
    scale.DateFormat().SetTimeFormat(tfAMPM);
    scale.DateFormat().SetDateForTime(dtNone);
    Draw(sctXT, ftDateTime, Dec8th2026 + 12 * Hour, Dec8th2026 + 16 * Hour);
    EXPECT_EQ(Texts(), (QStringList{"12pm", "1pm", "2pm", "3pm", "4pm"}));
    Draw(sctXT, ftDateTime, Dec8th2026, Dec8th2026 + 4 * Hour);
    EXPECT_EQ(Texts().front(), "12am");

    scale.DateFormat().SetYearLength(ylNone);
    const double dec1st = 46357;
    Draw(sctXB, ftDateTime, dec1st, dec1st + 14);
    EXPECT_EQ(Texts(), (QStringList{"03-Dec-", "06-Dec-", "09-Dec-", "12-Dec-", "15-Dec-"}));
    // sctXB: labels above the line.
    const int axis = ScaleHeight - Margin - 1;
    EXPECT_EQ(Text("06-Dec-").Top(), axis - TScale::LongTickLengthHoriz - LineHeight());
}

TEST_F(DateTimeScale, ElapsedTimeHour)
{
    Draw(sctXT, ftTime, 0, 3600);
    EXPECT_EQ(Texts(), (QStringList{" 00:00:00", " 00:20:00", " 00:40:00", " 01:00:00"}));
    EXPECT_EQ(scale.NumTicks(), 19); // the short ticks, which include the labelled ones
    EXPECT_EQ(events.size(), 19u + 4u);
    EXPECT_DOUBLE_EQ(scale.GetTickPos(2), 200);
    const RecordedText& t = Text(" 00:40:00");
    EXPECT_NEAR(t.Left() + t.Width() / 2.0, Pixel(2400), 1);

    Draw(sctYL, ftTime, 0, 3600);
    EXPECT_EQ(scale.NumTicks(), 19 + 4);
    EXPECT_EQ(Text(" 00:20:00").Top(), Pixel(1200) - scale.LabelHeight() / 2);
    EXPECT_EQ(Text(" 00:20:00").Left(), Margin + TScale::VertLabelGap);

    // Inscripts and user texts are for numbers only.
    scale.SetScaleInscript("s");
    Draw(sctXT, ftTime, 0, 3600);
    EXPECT_EQ(Texts().front(), " 00:00:00");
}

TEST_F(DateTimeScale, ElapsedTimeFallsBackToNumbersWithFourDecimals)
{
    Draw(sctXT, ftTime, 0, 1000000);
    EXPECT_EQ(scale.DecPlaces(), 4);
    EXPECT_EQ(Texts(), (QStringList{"0.0", "200000.0000", "400000.0000", "600000.0000", "800000.0000",
                                    "1000000.0000"}));
}

TEST_F(DateTimeScale, MonthsAndYearsAtTheCalendarsEnd)
{
    const double jun15th2026 = 46188;
    Draw(sctXT, ftDateTime, jun15th2026, jun15th2026 + 365);
    EXPECT_EQ(Texts(), (QStringList{"Jul-2026", "Oct-2026", "Jan-2027", "Apr-2027"}));
    EXPECT_EQ(scale.NumTicks(), 12);

    Draw(sctXT, ftDateTime, DayCountOfDate(9900, 1, 1), 3000000);
    EXPECT_EQ(Texts(), (QStringList{"9900", "9950"}));
    EXPECT_EQ(scale.NumTicks(), 10);
    EXPECT_EQ(scale.GetTickPos(scale.NumTicks()), DayCountOfDate(9990, 1, 1)); // steps of 10 years end here
}

TEST_F(DateTimeScale, AnEventHandlerMayReplaceTheCanvas)
{
    RecordingDevice other(ScaleWidth, ScaleHeight);
    QPainter otherPainter(&other);
    otherPainter.setFont(scale.Font().Font);
    int calls = 0;
    scale.OnScaleTickDrawn = [&](TScale*, QPainter*& canvas, TScaleType, double, int, int) {
        if (++calls == 1)
            canvas = &otherPainter;
    };
    Draw(sctXT, ftDateTime, Dec8th2026, Dec8th2026 + 1);
    // The first tick's texts went to the first device, everything after to the other one.
    EXPECT_EQ(Texts(), (QStringList{"00:00", "08-Dec-2026"}));
    EXPECT_EQ(other.TextStrings().size(), 4u);
}

} // namespace
