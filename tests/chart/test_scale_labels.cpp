// Label texts and tick records of TScale, read from what the scale really drew on a canvas.

#include "chart/scale.h"
#include "support_recordingdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using namespace chart;
using testsupport::RecordingDevice;

namespace {

struct Drawing {
    std::vector<QString> Labels;
    std::vector<double> Recorded;   // GetTickPos(1 … NumTicks)
    std::vector<double> EventTicks; // CurrentTickPos of each OnScaleTickDrawn
    std::vector<testsupport::RecordedText> Texts;
};

// A scale set up the way the chart uses it: suspended, transparent, painted on demand.
std::unique_ptr<TScale> MakeScale(TScaleType type, double low, double high)
{
    auto s = std::make_unique<TScale>();
    s->SetSuspendPaint(true);
    s->SetTransparent(true);
    s->SetDirectPaint(true);
    s->SetScaleType(type);
    s->SetRangeLow(low);
    s->SetRangeHigh(high);
    if (s->RangeLow() != low)
        s->SetRangeLow(low); // the range rule moved it while RangeHigh was still equal
    return s;
}

Drawing Draw(TScale& s)
{
    Drawing d;
    RecordingDevice device(s.Width(), s.Height());
    QPainter painter(&device);
    s.SetTargetCanvas(&painter, 0, 0);
    s.OnScaleTickDrawn = [&](TScale*, QPainter*&, TScaleType, double v, int, int) { d.EventTicks.push_back(v); };
    s.ForceRepaint();
    painter.end();
    s.SetTargetCanvas(nullptr, 0, 0);
    s.OnScaleTickDrawn = nullptr;
    d.Texts = device.Texts();
    for (const auto& t : d.Texts)
        d.Labels.push_back(t.Text);
    for (int n = 1; n <= s.NumTicks(); ++n)
        d.Recorded.push_back(s.GetTickPos(n));
    return d;
}

std::vector<QString> Strings(std::initializer_list<const char*> list)
{
    std::vector<QString> out;
    for (const char* s : list)
        out.push_back(QString::fromUtf8(s));
    return out;
}

struct LabelCase {
    const char* name;
    TScaleType type;
    double low, high;
    int minTicks;
    int decPlaces;
    bool logarithmic;
    std::vector<QString> labels;
};

class ScaleLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ScaleLabelTest, DrawsTheseLabels)
{
    const LabelCase& c = GetParam();
    auto s = MakeScale(c.type, c.low, c.high);
    s->SetMinTicks(c.minTicks);
    s->SetDecPlaces(c.decPlaces);
    s->SetLogarithmic(c.logarithmic);
    const Drawing d = Draw(*s);
    EXPECT_EQ(d.Labels, c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ScaleLabelTest,
    ::testing::Values(
        LabelCase{"unit", sctXB, 0, 1, 3, -2, false, Strings({"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"})},
        LabelCase{"unit_vertical", sctYR, 0, 1, 3, -2, false, Strings({"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"})},
        LabelCase{"hour", sctXT, 0, 3600, 3, -2, false, Strings({"0", "1000", "2000", "3000"})},
        LabelCase{"symmetric", sctYL, -250, 250, 3, -2, false, Strings({"-200", "-100", "0", "100", "200"})},
        LabelCase{"million", sctXB, 0, 1e6, 3, -2, false,
                  Strings({"0.0", " 2.0E+05", " 4.0E+05", " 6.0E+05", " 8.0E+05", " 1.0E+06"})},
        LabelCase{"reversed", sctXB, 10, 0, 3, -2, false, Strings({"10.0", "8.0", "6.0", "4.0", "2.0", "0.0"})},
        LabelCase{"log_decades", sctXB, 1, 1000, 3, -2, true, Strings({"1", "10", "100", "1000"})},
        LabelCase{"log_dense", sctXB, 1, 1000, 5, -2, true,
                  Strings({"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"})},
        LabelCase{"log_trimmed", sctYR, 0.01, 10, 3, -2, true, Strings({"0.01", "0.1", "1", "10"})},
        LabelCase{"log_exponents", sctYR, 0.01, 10, 3, -3, true, Strings({"-2", "-1", "0", "1"})},
        LabelCase{"log_below_a_decade", sctXB, 2, 15, 3, -2, true, Strings({"2.0", "4.0", "6.0", "8.0", "10.0", "12.0", "14.0"})},
        // 16-character fixed texts are cut to their first 14 characters
        LabelCase{"fixed_twelve", sctXB, 100, 200, 4, 12, false,
                  Strings({"100.0000000000", "120.0000000000", "140.0000000000", "160.0000000000",
                           "180.0000000000", "200.0000000000"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleTicks, UnitRangeRecordsShortTicksHorizontallyAndBothVertically)
{
    auto h = MakeScale(sctXB, 0, 1);
    const Drawing dh = Draw(*h);
    ASSERT_EQ(dh.Recorded.size(), 21u);
    for (size_t k = 0; k < 21; ++k)
        EXPECT_NEAR(dh.Recorded[k], 0.05 * k, 1e-12);

    auto v = MakeScale(sctYL, 0, 1);
    const Drawing dv = Draw(*v);
    ASSERT_EQ(dv.Recorded.size(), 27u);
    for (size_t k = 0; k < 21; ++k)
        EXPECT_NEAR(dv.Recorded[k], 0.05 * k, 1e-12);
    for (size_t j = 0; j < 6; ++j)
        EXPECT_NEAR(dv.Recorded[21 + j], 0.2 * j, 1e-12);
    EXPECT_EQ(dv.EventTicks.size(), 27u);
}

} // namespace
