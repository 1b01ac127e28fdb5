// Label texts and tick records of TScale, read from what the scale really drew on a canvas.

#include "support_scaledrawing.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace chart;
using testsupport::DrawScale;
using testsupport::MakeScale;
using testsupport::ScaleDrawing;

namespace {

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
    const ScaleDrawing d = DrawScale(*s);
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
    const ScaleDrawing dh = DrawScale(*h);
    ASSERT_EQ(dh.Recorded.size(), 21u);
    for (size_t k = 0; k < 21; ++k)
        EXPECT_NEAR(dh.Recorded[k], 0.05 * k, 1e-12);

    auto v = MakeScale(sctYL, 0, 1);
    const ScaleDrawing dv = DrawScale(*v);
    ASSERT_EQ(dv.Recorded.size(), 27u);
    for (size_t k = 0; k < 21; ++k)
        EXPECT_NEAR(dv.Recorded[k], 0.05 * k, 1e-12);
    for (size_t j = 0; j < 6; ++j)
        EXPECT_NEAR(dv.Recorded[21 + j], 0.2 * j, 1e-12);
    EXPECT_EQ(dv.EventTicks.size(), 27u);
}

} // namespace

namespace {

std::vector<QString> LabelsOf(TScale& s)
{
    return DrawScale(s).Labels;
}

TEST(ScaleLabelText, UserTextFieldsRepeatTheLastOne)
{
    auto s = MakeScale(sctXB, 0, 4); // five labelled ticks 0 … 4
    s->SetLabelType(ftUserText);
    s->SetUserTickText("a|b|c");
    EXPECT_EQ(LabelsOf(*s), Strings({"a", "b", "c", "c", "c"}));
    s->SetUserTickText("a|b|");
    EXPECT_EQ(LabelsOf(*s), Strings({"a", "b"})); // later ticks get empty texts
    s->SetUserTickText("");
    EXPECT_TRUE(LabelsOf(*s).empty());
    s->SetScaleInscript("kg"); // user texts take no inscript
    s->SetUserTickText("x");
    EXPECT_EQ(LabelsOf(*s), Strings({"x", "x", "x", "x", "x"}));
}

TEST(ScaleLabelText, InscriptAsPrefixOrAroundTheAmpersand)
{
    auto s = MakeScale(sctYL, 0, 24);
    s->SetMinTicks(2);
    s->SetDecPlaces(0);
    s->SetScaleInscript("kg");
    EXPECT_EQ(LabelsOf(*s), Strings({"kg0", "kg10", "kg20"}));
    s->SetScaleInscript("&%");
    EXPECT_EQ(LabelsOf(*s), Strings({"0%", "10%", "20%"}));
    s->SetScaleInscript("$&");
    EXPECT_EQ(LabelsOf(*s), Strings({"$0", "$10", "$20"}));
    s->SetScaleInscript("<&>&");
    EXPECT_EQ(LabelsOf(*s), Strings({"<0>&", "<10>&", "<20>&"}));
}

TEST(ScaleLabelText, ExponentsOfThreeDigitsBecomeAsterisks)
{
    auto s = MakeScale(sctXB, 0, 3e-120);
    s->SetDecPlaces(-1);
    const auto labels = LabelsOf(*s);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0], " 0.0E+00"); // the zero tick of a narrow range
    for (size_t i = 1; i < labels.size(); ++i)
        EXPECT_EQ(labels[i], "********");
}

TEST(ScaleLabelText, NoFiguresDrawsTicksWithoutTexts)
{
    auto s = MakeScale(sctXB, 0, 1);
    s->SetLabelType(ftNoFigs);
    const ScaleDrawing d = DrawScale(*s);
    EXPECT_TRUE(d.Labels.empty());
    EXPECT_EQ(d.Recorded.size(), 21u);
}

TEST(ScaleLabelText, TimeLabelsFallBackToNumbersWithFourDecimals)
{
    auto s = MakeScale(sctXB, 0, 1000000);
    s->SetLabelType(ftTime);
    EXPECT_EQ(s->DecPlaces(), 4);
    const auto labels = LabelsOf(*s);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0], "0.0"); // the zero rule of wide ranges
    EXPECT_EQ(labels[1], "200000.0000");
}

TEST(ScaleTicks, OnlyTheFirstFiftyTicksAreRecorded)
{
    auto h = MakeScale(sctXB, 0, 1000);
    h->SetMinTicks(10); // step 100, short ticks every 20: 51 of them
    const ScaleDrawing dh = DrawScale(*h);
    EXPECT_EQ(h->NumTicks(), 50);
    EXPECT_EQ(dh.EventTicks.size(), 51u + 11u);
    EXPECT_DOUBLE_EQ(h->GetTickPos(50), 980);
    EXPECT_EQ(h->GetTickPos(51), 0);
    EXPECT_EQ(h->GetTickPos(0), 0);
}

TEST(ScaleTicks, HorizontalWithoutShortTicksRecordsTheLabelledOnes)
{
    auto h = MakeScale(sctXT, -250, 250);
    h->SetShortTicks(false);
    const ScaleDrawing d = DrawScale(*h);
    EXPECT_EQ(d.Recorded, (std::vector<double>{-200, -100, 0, 100, 200}));
    EXPECT_EQ(d.EventTicks, d.Recorded);
}

struct LogRecordCase {
    const char* name;
    TScaleType type;
    bool shortTicks;
    size_t recorded;
    size_t events;
};

class LogTickRecordTest : public ::testing::TestWithParam<LogRecordCase> {};

TEST_P(LogTickRecordTest, RecordsAndReports)
{
    const LogRecordCase& c = GetParam();
    auto s = MakeScale(c.type, 1, 1000);
    s->SetMinTicks(5);
    s->SetLogarithmic(true);
    s->SetShortTicks(c.shortTicks);
    const ScaleDrawing d = DrawScale(*s);
    EXPECT_EQ(d.Recorded.size(), c.recorded);
    EXPECT_EQ(d.EventTicks.size(), c.events);
    EXPECT_EQ(d.Labels.size(), 10u);
}

// 1 … 1000 with MinTicks 5: 28 ticks (1 … 9, 10 … 90, 100 … 900, 1000), 10 of them labelled.
INSTANTIATE_TEST_SUITE_P(
    Log, LogTickRecordTest,
    ::testing::Values(LogRecordCase{"horizontal_short", sctXB, true, 28, 28},
                      LogRecordCase{"horizontal_no_short", sctXB, false, 10, 28},
                      LogRecordCase{"vertical_short", sctYR, true, 28, 28},
                      LogRecordCase{"vertical_no_short", sctYL, false, 10, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleTicks, LogarithmicTickValuesAreTheMultiples)
{
    auto s = MakeScale(sctYR, 1, 1000);
    s->SetMinTicks(5);
    s->SetLogarithmic(true);
    const ScaleDrawing d = DrawScale(*s);
    const double expected[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90,
                               100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    ASSERT_EQ(d.Recorded.size(), std::size(expected));
    for (size_t i = 0; i < d.Recorded.size(); ++i)
        EXPECT_NEAR(d.Recorded[i], expected[i], expected[i] * 1e-15);
}

} // namespace
