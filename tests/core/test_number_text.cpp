#include "core/EConvertError.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace core;

namespace {

const QLocale Point(QLocale::English, QLocale::UnitedStates);
const QLocale Comma(QLocale::German, QLocale::Germany);

struct IntCase {
    const char* text;
    int32_t value;
};

class StrToIntAccepts : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntAccepts, Value)
{
    EXPECT_EQ(StrToInt(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Forms, StrToIntAccepts,
    ::testing::Values(IntCase{"0", 0}, IntCase{"15", 15}, IntCase{"-1", -1}, IntCase{"+7", 7},
                      IntCase{"  42", 42}, IntCase{"$F", 15}, IntCase{"$f", 15}, IntCase{"$0A", 10},
                      IntCase{"x1F", 31}, IntCase{"X1f", 31}, IntCase{"0x10", 16}, IntCase{"0X10", 16},
                      IntCase{"-$10", -16}, IntCase{"007", 7}, IntCase{"2147483647", 2147483647},
                      IntCase{"-2147483648", std::numeric_limits<int32_t>::min()},
                      IntCase{"$7FFFFFFF", 2147483647}, IntCase{"-$80000000", std::numeric_limits<int32_t>::min()},
                      IntCase{"65536", 65536}));

class StrToIntRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(StrToIntRejects, WithTheRuntimeMessage)
{
    const QString text = QString::fromLatin1(GetParam());
    try {
        StrToInt(text);
        FAIL() << "accepted " << GetParam();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid integer value.").arg(text));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, StrToIntRejects,
    ::testing::Values("", " ", "-", "$", "0x", "x", "abc", "12a", "1.5", "1,5", "12 ", "1e3", "--1", "$G",
                      "2147483648", "-2147483649", "$80000000", "$FFFFFFFF", "99999999999", "ERROR"));

struct FloatCase {
    const char* text;
    double value;
};

class StrToFloatPoint : public ::testing::TestWithParam<FloatCase> {};

TEST_P(StrToFloatPoint, WithPointAndWithComma)
{
    const QString text = QString::fromLatin1(GetParam().text);
    EXPECT_DOUBLE_EQ(StrToFloat(text, Point), GetParam().value);
    QString withComma = text;
    withComma.replace(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_DOUBLE_EQ(StrToFloat(withComma, Comma), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Forms, StrToFloatPoint,
    ::testing::Values(FloatCase{"0", 0}, FloatCase{"1.5", 1.5}, FloatCase{"-1.5", -1.5}, FloatCase{"+2", 2},
                      FloatCase{" 3.25 ", 3.25}, FloatCase{".5", 0.5}, FloatCase{"5.", 5},
                      FloatCase{"1e3", 1000}, FloatCase{"1.5E-3", 0.0015}, FloatCase{"2e+2", 200},
                      FloatCase{"399.9995", 399.9995}, FloatCase{"15000.5", 15000.5}));

TEST(StrToFloat, TheOtherSeparatorIsNotANumber)
{
    EXPECT_THROW(StrToFloat(QStringLiteral("1,5"), Point), EConvertError);
    EXPECT_THROW(StrToFloat(QStringLiteral("1.5"), Comma), EConvertError);
}

class StrToFloatRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(StrToFloatRejects, WithTheRuntimeMessage)
{
    const QString text = QString::fromLatin1(GetParam());
    try {
        StrToFloat(text, Point);
        FAIL() << "accepted " << GetParam();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid floating point value.").arg(text));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, StrToFloatRejects,
    ::testing::Values("", " ", ".", "-", "e3", "1e", "1e+", "abc", "1.2.3", "$F", "0x10", "1 2", "ERROR", "inf",
                      "nan", "1,000.5"));

struct RangeCase {
    const char* text;
    double value;
};

class StrToFloatOutOfRange : public ::testing::TestWithParam<RangeCase> {};

// Past the largest double: an infinity, which every range test rejects; below the smallest:
// zero.
TEST_P(StrToFloatOutOfRange, InfinityOrZero)
{
    const double value = StrToFloat(QString::fromLatin1(GetParam().text), Point);
    EXPECT_EQ(value, GetParam().value) << GetParam().text;
    EXPECT_EQ(std::signbit(value), std::signbit(GetParam().value)) << GetParam().text;
}

constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Ends, StrToFloatOutOfRange,
    ::testing::Values(RangeCase{"1e400", Inf}, RangeCase{"-1e400", -Inf}, RangeCase{"0.1e310", Inf},
                      RangeCase{"123456789e303", Inf}, RangeCase{"1e99999999999", Inf},
                      RangeCase{"1e-400", 0.0}, RangeCase{"-1e-400", -0.0}, RangeCase{"0.00001e-330", 0.0},
                      RangeCase{"0e999", 0.0}, RangeCase{"0.001e311", 1e308}, RangeCase{"+1.5", 1.5}));

// In the locale runs the session's own locale is the one the editor uses: its separator is
// the one shown and read, whatever the C library does with it.
TEST(SessionLocale, TheSeparatorOfTheSessionIsShownAndRead)
{
    const char* name = std::getenv("DUOCLAVE_TEST_LOCALE");
    if (!name)
        GTEST_SKIP() << "only in the locale runs";
    const struct {
        const char* prefix;
        char separator;
    } expected[] = {{"de_", ','}, {"fr_", ','}, {"en_", '.'}, {"C.", '.'}};
    const QLocale session;
    for (const auto& e : expected) {
        if (std::strncmp(name, e.prefix, std::strlen(e.prefix)) != 0)
            continue;
        // The C library took the locale too, so a conversion through it would see this separator.
        EXPECT_EQ(std::localeconv()->decimal_point[0], e.separator);
        const QString separator(QLatin1Char(e.separator));
        EXPECT_EQ(FloatToStr(1.5, session), QStringLiteral("1") + separator + QStringLiteral("5"));
        EXPECT_EQ(FloatToStr(15000, session), QStringLiteral("15000"));
        EXPECT_EQ(FloatToStr(7.0 / 2, session), QStringLiteral("3") + separator + QStringLiteral("5"));
        EXPECT_EQ(StrToFloat(QStringLiteral("15000") + separator + QStringLiteral("5"), session), 15000.5);
        return;
    }
    FAIL() << "no expectation for " << name;
}

struct FormatCase {
    double value;
    const char* point;
};

class FloatToStrGeneral : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FloatToStrGeneral, PointAndComma)
{
    EXPECT_EQ(FloatToStr(GetParam().value, Point), QString::fromLatin1(GetParam().point));
    QString comma = QString::fromLatin1(GetParam().point);
    comma.replace(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_EQ(FloatToStr(GetParam().value, Comma), comma);
}

INSTANTIATE_TEST_SUITE_P(Values, FloatToStrGeneral,
    ::testing::Values(FormatCase{0, "0"}, FormatCase{1.5, "1.5"}, FormatCase{-1.5, "-1.5"}, FormatCase{2, "2"},
                      FormatCase{59.0 / 30, "1.96666666666667"}, FormatCase{399.9995, "399.9995"},
                      FormatCase{-1073741.824, "-1073741.824"}, FormatCase{65535, "65535"},
                      FormatCase{0.0005, "0.0005"}, FormatCase{0.0001, "0.0001"}, FormatCase{0.00001, "1E-5"},
                      FormatCase{1.5e-7, "1.5E-7"}, FormatCase{1e14, "100000000000000"},
                      FormatCase{1e15, "1E15"}, FormatCase{-1.25e20, "-1.25E20"},
                      FormatCase{123456789012345678.0, "1.23456789012346E17"}, FormatCase{0.1 + 0.2, "0.3"},
                      FormatCase{9.9999999999999999, "10"}));

struct RoundCase {
    double x;
    double rounded;
};

class RoundHalfEvenCases : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenCases, Nearest)
{
    EXPECT_EQ(RoundHalfEven(GetParam().x), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfEvenCases,
    ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2}, RoundCase{-0.5, 0},
                      RoundCase{-1.5, -2}, RoundCase{-2.5, -2}, RoundCase{0.49, 0}, RoundCase{0.51, 1},
                      RoundCase{-0.51, -1}, RoundCase{57, 57}, RoundCase{799998.9999, 799999},
                      RoundCase{4503599627370497.0, 4503599627370497.0}));

TEST(IntToHex, PadsAndUpperCases)
{
    EXPECT_EQ(IntToHex(10, 1), QStringLiteral("A"));
    EXPECT_EQ(IntToHex(10, 2), QStringLiteral("0A"));
    EXPECT_EQ(IntToHex(10, 4), QStringLiteral("000A"));
    EXPECT_EQ(IntToHex(0xABCDE, 4), QStringLiteral("ABCDE"));
    EXPECT_EQ(IntToHex(0, 1), QStringLiteral("0"));
}

} // namespace
