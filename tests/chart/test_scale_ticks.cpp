// Step choice, tick sequences, decimals and label texts, computed without a painter.

#include "chart/scaleticks.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace chart;

namespace {

struct StepCase {
    const char* name;
    int minTicks;
    double low, high;
    double first, step;
    int subDivisions;
};

class FindScaleStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(FindScaleStepTest, ChoosesOneTwoFiveSteps)
{
    const StepCase& c = GetParam();
    const TScaleStep s = FindScaleStep(c.minTicks, c.low, c.high);
    EXPECT_NEAR(double(s.Step), c.step, std::fabs(c.step) * 1e-12) << c.name;
    EXPECT_NEAR(double(s.First), c.first, std::fabs(c.step) * 1e-9) << c.name;
    EXPECT_EQ(s.SubDivisions, c.subDivisions) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FindScaleStepTest,
    ::testing::Values(
        StepCase{"unit", 3, 0, 1, 0, 0.2, 4},
        StepCase{"hour", 3, 0, 3600, 0, 1000, 5},
        StepCase{"symmetric", 3, -250, 250, -200, 100, 5},
        StepCase{"million", 3, 0, 1e6, 0, 200000, 4},
        StepCase{"reversed", 3, 10, 0, 10, -2, 4},
        // an exact quotient of 2 × 10^k falls to 1 × 10^k, a power of ten keeps itself
        StepCase{"exact two", 3, 0, 6, 0, 1, 5},
        StepCase{"exact five", 2, 0, 10, 0, 2, 4},
        StepCase{"exact ten", 3, 0, 30, 0, 10, 5},
        StepCase{"ten ticks", 10, 0, 1, 0, 0.1, 5},
        StepCase{"offset start", 3, 0.13, 0.97, 0.2, 0.2, 4},
        StepCase{"negative", 4, -17, -3, -16, 2, 4},
        StepCase{"empty", 3, 5, 5, 5, 0, 1}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(LinearTicks, UnitRangeHasTwentyOneShortAndSixLabelledTicks)
{
    const TScaleStep s = FindScaleStep(3, 0, 1);
    const auto shorts = LinearShortTicks(s, 0, 1);
    ASSERT_EQ(shorts.size(), 21u);
    for (size_t k = 0; k < shorts.size(); ++k)
        EXPECT_NEAR(double(shorts[k]), 0.05 * k, 1e-15);
    const auto labels = LinearLabelTicks(s, 1);
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_NEAR(double(labels.back()), 1.0, 1e-15);
}

TEST(LinearTicks, ReversedRangeRunsDownwards)
{
    const TScaleStep s = FindScaleStep(3, 10, 0);
    const auto labels = LinearLabelTicks(s, 0);
    ASSERT_EQ(labels.size(), 6u);
    for (size_t j = 0; j < labels.size(); ++j)
        EXPECT_NEAR(double(labels[j]), 10.0 - 2.0 * j, 1e-12);
    EXPECT_EQ(LinearShortTicks(s, 10, 0).size(), 21u); // every 0.5 from 10 down to 0
}

// Short ticks are drawn from RangeLow on, compared exactly: a 1-2-5 value that lies just
// outside a range end that is not exact in binary stays out, a range end that is a tick keeps it.
struct RangeEndCase {
    const char* name;
    int minTicks;
    double low, high;
    double firstShort;
    size_t shortCount;
};

TEST(LinearTicks, NoShortTickOutsideTheRange)
{
    const RangeEndCase cases[] = {
        {"-16.4 … -16.0", 6, -16.4, -16.0, -16.39, 40},
        {"0.1 … 0.10456", 7, 0.1, 0.10456, 0.1001, 45},
        {"reversed 10 … 0", 3, 10, 0, 10, 21},
        {"unit", 3, 0, 1, 0, 21},
        {"hour", 3, 0, 3600, 0, 19},
    };
    for (const RangeEndCase& c : cases) {
        const TScaleStep s = FindScaleStep(c.minTicks, c.low, c.high);
        const auto shorts = LinearShortTicks(s, c.low, c.high);
        ASSERT_EQ(shorts.size(), c.shortCount) << c.name;
        EXPECT_NEAR(double(shorts.front()), c.firstShort, 1e-12) << c.name;
        const long double dir = c.high > c.low ? 1 : -1;
        for (const long double v : shorts)
            EXPECT_GE(dir * v, dir * static_cast<long double>(c.low)) << c.name;
    }
}

TEST(LinearTicks, ZeroStepGivesNoTicks)
{
    const TScaleStep s = FindScaleStep(3, 4, 4);
    EXPECT_TRUE(LinearShortTicks(s, 4, 4).empty());
    EXPECT_TRUE(LinearLabelTicks(s, 4).empty());
}

struct FormatCase {
    long double value;
    int decimals;
    const char* text;
};

class FormatTickValueTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTickValueTest, Formats)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatTickValue(c.value, c.decimals).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatTickValueTest,
    ::testing::Values(
        FormatCase{0.2L, 2, "0.20"}, FormatCase{0.125L, 2, "0.13"}, FormatCase{-0.125L, 2, "-0.13"},
        FormatCase{-0.001L, 2, "-0.00"}, FormatCase{0, 2, "0.00"}, FormatCase{0, 0, "0"},
        FormatCase{2999.6L, 0, "3000"}, FormatCase{99.95L, 1, "100.0"}, FormatCase{123.456L, 12, "123.456000000000"},
        FormatCase{5e9L, 3, "5000000000.000"}, FormatCase{0.15035L, 4, "0.1504"},
        FormatCase{1500, -1, " 1.5E+03"}, FormatCase{-0.00002L, -1, "-2.0E-05"},
        FormatCase{0, -1, " 0.0E+00"}, FormatCase{200000, -1, " 2.0E+05"}, FormatCase{1e6L, -1, " 1.0E+06"},
        FormatCase{9.96L, -1, " 1.0E+01"}, FormatCase{1e-120L, -1, "********"},
        FormatCase{-3.3e150L, -1, "********"}));

TEST(FormatTickValue, RoundsOnTheFirstEighteenDigits)
{
    // 0.15035 is stored a little below its decimal value; its 18 digits still end in 5.
    EXPECT_EQ(FormatTickValue(0.15035L, 4), "0.1504");
    // A step of 5 × 10^9 built from an exponential carries noise below the 18th digit.
    const long double fiveBillion = std::pow(10.0L, 9 + 0.69897000433601886L);
    EXPECT_EQ(FormatTickValue(fiveBillion, 3), "5000000000.000");
}

} // namespace

TEST(LinearTickText, CutsToFourteenCharacters)
{
    EXPECT_EQ(FormatTickValue(123.456L, 12), "123.456000000000");
    EXPECT_EQ(LinearTickText(123.456L, 12, 0, 200), "123.4560000000");
}

namespace {

struct DecimalsCase {
    int decPlaces;
    double a, b;
    int expected;
};

TEST(AutoDecimals, BandsOfTheNaturalLogarithm)
{
    const DecimalsCase cases[] = {
        {-2, 0, 1e6, -1},    {-3, 0, 2e-5, -1},  {-2, 0, 100, 0},   {-2, 0, 50, 0},
        {-2, 0, 42, 1},      {-2, 0, 10, 1},     {-2, 0, 3.4, 2},   {-2, 0, 1, 2},
        {-2, 0, 0.28, 3},    {-2, 0, 0.024, 3},  {-2, 0, 0.023, 4}, {-2, 0, 0.0019, 5},
        {-2, 0, 0.00015, 6}, {-2, 5, -5, 1},     {4, 0, 1e9, 4},    {-1, 0, 1, -1},
    };
    for (const DecimalsCase& c : cases)
        EXPECT_EQ(AutoDecimals(c.decPlaces, c.a, c.b), c.expected) << c.a << " … " << c.b;
}

TEST(AutoDecimals, LogarithmicFromTheLowerEnd)
{
    const DecimalsCase cases[] = {
        {-2, 1000, 1, 0}, {-2, 10, 0.01, 3}, {-2, 1, 0.2, 2},  {-2, 2e6, 1, -1},
        {-2, 5e-5, 1e-6, -1}, {-3, 10, 0.01, -3}, {2, 10, 0.01, 2},
    };
    for (const DecimalsCase& c : cases)
        EXPECT_EQ(AutoDecimalsLog(c.decPlaces, c.a, c.b), c.expected) << c.a << " … " << c.b;
}

TEST(LogTicks, DenseDecadesOfferTwoAndFiveAsLabels)
{
    const auto sparse = LogTicks(3, 1, 1000);
    ASSERT_EQ(sparse.size(), 4u);
    for (const TLogTick& t : sparse)
        EXPECT_TRUE(t.Labelled);
    EXPECT_EQ(sparse[3].DecadeExponent, 3);
    const auto dense = LogTicks(5, 1, 1000);
    int labelled = 0;
    for (const TLogTick& t : dense)
        labelled += t.Labelled;
    EXPECT_EQ(dense.size(), 28u);
    EXPECT_EQ(labelled, 10);
    EXPECT_TRUE(LogTicks(3, 2, 15).empty()); // less than a decade: linear ticks instead
    EXPECT_TRUE(LogTicks(3, -1, 100).empty());
    EXPECT_EQ(LogTickText(dense[1], -3, 0), ""); // the 2-tick of a decade-exponent scale
}

// Whether a range spans a decade is decided on the exact values of its ends: 1e-9 … 1e-8 is a
// hair short of one decade, since neither end is exact in binary.
TEST(LogTicks, ADecadeIsMeasuredInExtendedPrecision)
{
    struct Row { double low, high; bool decades; };
    const Row rows[] = {
        {1e-9, 1e-8, false}, {1e-8, 1e-9, false}, {1e-3, 1e-2, true},
        {1, 10, true}, {100, 1000, true}, {0.5, 5, true}, {10, 1, true}, {2, 15, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(UseLogTicks(r.low, r.high), r.decades) << r.low << " … " << r.high;
        EXPECT_EQ(LogTicks(3, r.low, r.high).empty(), !r.decades) << r.low << " … " << r.high;
    }
}

TEST(LabelTextHelpers, InscriptAndUserFields)
{
    EXPECT_EQ(ApplyScaleInscript("12", "kg"), "kg12");
    EXPECT_EQ(ApplyScaleInscript("12", "&%"), "12%");
    EXPECT_EQ(ApplyScaleInscript("12", "$&"), "$12");
    EXPECT_EQ(ApplyScaleInscript("", "kg"), "");
    EXPECT_EQ(UserTickField("a|b|c", 1), "a");
    EXPECT_EQ(UserTickField("a|b|c", 5), "c");
    EXPECT_EQ(UserTickField("a|b|", 3), "");
    EXPECT_EQ(UserTickField("", 1), "");
}

} // namespace
