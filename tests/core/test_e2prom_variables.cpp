#include "core/E2PROMVariables.h"
#include "core/EConvertError.h"

#include <gtest/gtest.h>

#include <set>

using namespace core;

namespace {

const QLocale Point(QLocale::English, QLocale::UnitedStates);
const QLocale Comma(QLocale::German, QLocale::Germany);

QString WithSeparator(const char* text, const QLocale& locale)
{
    QString s = QString::fromLatin1(text);
    s.replace(QLatin1Char('.'), locale.decimalPoint());
    return s;
}

TEST(E2PROMVariableTable, ItemsAndRegistersInComboBoxOrder)
{
    const char* items[E2PROMVariableCount] = {
        "Oscillator Page", "Oscillator Address", "Oscillator Data", "Power-on duration (ms): camcorder",
        "Power-on delay (us): camcorder", "Power-on duration (ms): still camera",
        "Power-on delay (us): still camera", "Command1: camcorder", "Command2: camcorder", "Command3: camcorder",
        "Command4: camcorder", "Command1: still camera", "Command2: still camera", "Command3: still camera",
        "Command4: still camera", "Proprotional Factor", "Integral Factor", "Tele/Wide command (camcorders)",
        "Power-off time [s]", "Number of photo empty frames"};
    const int readRegister[E2PROMVariableCount] = {0, 1, 2, 3, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 102, 19, 20};
    std::set<int> written;
    for (int i = 0; i < E2PROMVariableCount; ++i) {
        const E2PROMVariable& row = E2PROMVariables[std::size_t(i)];
        EXPECT_STREQ(row.itemText, items[i]) << i;
        EXPECT_EQ(row.readRegister, readRegister[i]) << i;
        EXPECT_EQ(row.width == RegisterWidth::LongWord, i == 3 || i == 5) << i;
        EXPECT_EQ(row.writeRegister, i == 17 ? 98 : readRegister[i]) << i;
        const bool asks = (i <= 2) || (i >= 7 && i <= 17);
        EXPECT_EQ(row.confirmFirst, asks) << i;
        EXPECT_EQ(row.readNote != nullptr, i == 17) << i;
        written.insert(row.writeRegister);
        if (row.width == RegisterWidth::LongWord) written.insert(row.writeRegister + 1);
    }
    // Registers 0 to 20 each belong to exactly one row (plus the Tele/Wide register).
    EXPECT_EQ(written.size(), 22u);
}

struct DisplayCase {
    int row;
    uint32_t raw;
    const char* shown; // with "." as separator
};

class DisplayFormat : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayFormat, PointAndComma)
{
    const DisplayCase& c = GetParam();
    const E2PROMVariable& row = E2PROMVariables[std::size_t(c.row)];
    EXPECT_EQ(DisplayText(row, c.raw, Point), WithSeparator(c.shown, Point));
    EXPECT_EQ(DisplayText(row, c.raw, Comma), WithSeparator(c.shown, Comma));
}

INSTANTIATE_TEST_SUITE_P(Rows, DisplayFormat,
    ::testing::Values(DisplayCase{0, 10, "$A"}, DisplayCase{0, 0, "$0"}, DisplayCase{1, 10, "$0A"},
                      DisplayCase{2, 0xFF, "$FF"}, DisplayCase{7, 10, "$000A"}, DisplayCase{14, 0xFFFF, "$FFFF"},
                      DisplayCase{17, 0x0102, "$102"}, DisplayCase{17, 5, "$05"},
                      DisplayCase{3, 799999, "399.9995"}, DisplayCase{3, 0, "0"}, DisplayCase{5, 3, "0.0015"},
                      DisplayCase{3, 0xFFFFFFFF, "-0.0005"}, DisplayCase{5, 0x80000000, "-1073741.824"},
                      DisplayCase{4, 3, "1.5"}, DisplayCase{6, 3, "1.5"}, DisplayCase{4, 7, "3.5"},
                      DisplayCase{3, 30000000, "15000"}, DisplayCase{3, 2000, "1"}, DisplayCase{4, 0xFFFD, "-1.5"},
                      DisplayCase{6, 0xFFFD, "-1.5"}, DisplayCase{4, 4, "2"}, DisplayCase{6, 0x8000, "-16384"},
                      DisplayCase{15, 0xFFFF, "65535"}, DisplayCase{16, 1234, "1234"},
                      DisplayCase{18, 59, "1.96666666666667"}, DisplayCase{18, 60, "2"},
                      DisplayCase{18, 0xFFFF, "2184.5"}, DisplayCase{19, 249, "249"},
                      DisplayCase{19, 65535, "65535"}));

struct InputCase {
    int row;
    const char* text; // with "." as separator
    bool accepted;
    uint32_t written;
};

class InputConversionCases : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputConversionCases, PointAndComma)
{
    const InputCase& c = GetParam();
    const E2PROMVariable& row = E2PROMVariables[std::size_t(c.row)];
    for (const QLocale& locale : {Point, Comma}) {
        const InputConversion r = ConvertInput(row, WithSeparator(c.text, locale), locale);
        EXPECT_EQ(r.accepted, c.accepted) << c.row << " " << c.text << " " << locale.decimalPoint().toStdString();
        if (c.accepted) {
            EXPECT_EQ(r.registerValue, c.written) << c.row << " " << c.text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, InputConversionCases,
    ::testing::Values(
        // Oscillator rows: range tests on the whole integer.
        InputCase{0, "$F", true, 15}, InputCase{0, "15", true, 15}, InputCase{0, "16", false, 0},
        InputCase{0, "65536", false, 0}, InputCase{0, "-1", false, 0}, InputCase{0, "0", true, 0},
        InputCase{1, "$FF", true, 255}, InputCase{1, "256", false, 0}, InputCase{2, "0x80", true, 128},
        InputCase{2, "-1", false, 0},
        // Durations: 2000 per ms, over two registers.
        InputCase{3, "0", true, 0}, InputCase{3, "399.9995", true, 799999}, InputCase{3, "400", false, 0},
        InputCase{3, "-1", false, 0}, InputCase{3, "-0.0001", false, 0}, InputCase{3, "0.0001", true, 0},
        InputCase{3, "50", true, 100000}, InputCase{5, "1.5e2", true, 300000}, InputCase{5, "1e400", false, 0},
        // Delays: 2 per us, signed 16-bit.
        InputCase{4, "1.5", true, 3}, InputCase{4, "-1.5", true, 0xFFFD}, InputCase{4, "15000", true, 30000},
        InputCase{4, "15000.5", false, 0}, InputCase{4, "20", true, 40}, InputCase{4, "-15000", true, 0x8AD0},
        InputCase{4, "-15000.5", false, 0}, InputCase{4, "0.25", true, 0}, InputCase{4, "0.75", true, 2},
        InputCase{6, "15000.5", false, 0}, InputCase{6, "-2", true, 0xFFFC},
        // Commands, factors, Tele/Wide: any integer, low 16 bits.
        InputCase{7, "-1", true, 0xFFFF}, InputCase{8, "$12345", true, 0x2345}, InputCase{14, "65536", true, 0},
        InputCase{15, "70000", true, 70000 & 0xFFFF}, InputCase{16, "-2147483648", true, 0},
        InputCase{17, "$1234", true, 0x1234},
        // Power-off time: 30 per s.
        InputCase{18, "1.9", true, 57}, InputCase{18, "2", false, 0}, InputCase{18, "0", true, 0},
        InputCase{18, "-0.01", true, 0}, InputCase{18, "-0.02", false, 0},
        // Frames: plain number, rounded.
        InputCase{19, "249", true, 249}, InputCase{19, "250", false, 0}, InputCase{19, "2.5", true, 2},
        InputCase{19, "3.5", true, 4}, InputCase{19, "249.5", false, 0}, InputCase{19, "248.5", true, 248}, InputCase{19, "-0.5", true, 0}));

TEST(InputConversion, TextThatIsNotANumberRaisesTheConversionError)
{
    try {
        ConvertInput(E2PROMVariables[0], QStringLiteral("zz"), Point);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'zz' is not a valid integer value."));
    }
    try {
        ConvertInput(E2PROMVariables[4], QStringLiteral("1,5"), Point);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'1,5' is not a valid floating point value."));
    }
    // A decimal number is no integer, whatever the separator.
    EXPECT_THROW(ConvertInput(E2PROMVariables[7], QStringLiteral("1.5"), Point), EConvertError);
    EXPECT_THROW(ConvertInput(E2PROMVariables[7], QStringLiteral("1,5"), Comma), EConvertError);
}

TEST(InputConversion, EveryShownValueWritesBackUnchanged)
{
    const uint32_t samples[] = {0, 1, 3, 10, 59, 249, 0x7FFF, 0x8000, 0xFFFD, 0xFFFF};
    for (int i = 0; i < E2PROMVariableCount; ++i) {
        const E2PROMVariable& row = E2PROMVariables[std::size_t(i)];
        for (uint32_t raw : samples) {
            for (const QLocale& locale : {Point, Comma}) {
                const QString shown = DisplayText(row, raw, locale);
                const InputConversion back = ConvertInput(row, shown, locale);
                if (back.accepted) {
                    EXPECT_EQ(back.registerValue, raw) << i << " " << shown.toStdString();
                }
            }
        }
    }
}

} // namespace
