#include "core/E2PROMVariables.h"

#include "core/NumberText.h"

#include <cmath>

namespace core {

namespace {

constexpr auto W = RegisterWidth::Word;
constexpr auto L = RegisterWidth::LongWord;
constexpr auto U = RegisterMeaning::Unsigned;
constexpr auto S = RegisterMeaning::Signed;
constexpr auto Int = InputRule::Integer;
constexpr auto Num = InputRule::Number;
constexpr auto NoReport = RejectReport::None;
constexpr auto Box = RejectReport::MessageBox;
constexpr auto InEdit = RejectReport::EditError;

// Stored units: 0.5 us for durations and delays, 1/30 s for the power-off time.
constexpr double HalfMicrosecondsPerMs = 2000;
constexpr double HalfMicrosecondsPerUs = 2;
constexpr double ThirtiethsPerSecond = 30;

constexpr const char* TeleWideNote = "Attention! Only the second bytes are shown!!";

// Oscillator rows: hexadecimal, range-tested integers, each with its own message.
constexpr E2PROMVariable OscillatorRow(const char* text, uint8_t reg, int digits, int64_t high, const char* message)
{
    return {text, reg, reg, W, digits, U, 1, Int, true, 0, high, false, Box, message, true, nullptr};
}

// Command rows: four hexadecimal digits, any integer, its low 16 bits written.
constexpr E2PROMVariable CommandRow(const char* text, uint8_t reg)
{
    return {text, reg, reg, W, 4, U, 1, Int, false, 0, 0, false, NoReport, nullptr, true, nullptr};
}

} // namespace

const std::array<E2PROMVariable, E2PROMVariableCount> E2PROMVariables = {{
    OscillatorRow("Oscillator Page", 0, 1, 15, "Value must be between $0 and $F"),
    OscillatorRow("Oscillator Address", 1, 2, 255, "Value must be between $0 and $FF"),
    OscillatorRow("Oscillator Data", 2, 2, 255, "Value must be between $0 and $FF"),
    {"Power-on duration (ms): camcorder", 3, 3, L, 0, S, HalfMicrosecondsPerMs, Num, true, 0, 799999, true,
     Box, "Value must be between 0 and 400", false, nullptr},
    {"Power-on delay (us): camcorder", 5, 5, W, 0, S, HalfMicrosecondsPerUs, Num, true, -30000, 30000, false,
     Box, "Value must be between -15 and 15", false, nullptr},
    {"Power-on duration (ms): still camera", 6, 6, L, 0, S, HalfMicrosecondsPerMs, Num, true, 0, 799999, true,
     Box, "Value must be between 0 and 400", false, nullptr},
    {"Power-on delay (us): still camera", 8, 8, W, 0, S, HalfMicrosecondsPerUs, Num, true, -30000, 30000, false,
     InEdit, nullptr, false, nullptr},
    CommandRow("Command1: camcorder", 9),
    CommandRow("Command2: camcorder", 10),
    CommandRow("Command3: camcorder", 11),
    CommandRow("Command4: camcorder", 12),
    CommandRow("Command1: still camera", 13),
    CommandRow("Command2: still camera", 14),
    CommandRow("Command3: still camera", 15),
    CommandRow("Command4: still camera", 16),
    {"Proprotional Factor", 17, 17, W, 0, U, 1, Int, false, 0, 0, false, NoReport, nullptr, true, nullptr},
    {"Integral Factor", 18, 18, W, 0, U, 1, Int, false, 0, 0, false, NoReport, nullptr, true, nullptr},
    {"Tele/Wide command (camcorders)", 102, 98, W, 2, U, 1, Int, false, 0, 0, false, NoReport, nullptr, true,
     TeleWideNote},
    {"Power-off time [s]", 19, 19, W, 0, U, ThirtiethsPerSecond, Num, true, 0, 59, false, InEdit, nullptr, false,
     nullptr},
    {"Number of photo empty frames", 20, 20, W, 0, U, 1, Num, true, 0, 249, false, InEdit, nullptr, false, nullptr},
}};

namespace {

uint32_t WidthMask(RegisterWidth width) { return width == RegisterWidth::LongWord ? 0xFFFFFFFFu : 0xFFFFu; }

double RegisterNumber(const E2PROMVariable& row, uint32_t raw)
{
    raw &= WidthMask(row.width);
    if (row.meaning == RegisterMeaning::Unsigned) return double(raw);
    return row.width == RegisterWidth::LongWord ? double(int32_t(raw)) : double(int16_t(uint16_t(raw)));
}

} // namespace

QString DisplayText(const E2PROMVariable& row, uint32_t raw, const QLocale& locale)
{
    if (row.hexDigits > 0) return QLatin1Char('$') + IntToHex(raw & WidthMask(row.width), row.hexDigits);
    return FloatToStr(RegisterNumber(row, raw) / row.unitsPerValue, locale);
}

InputConversion ConvertInput(const E2PROMVariable& row, const QString& text, const QLocale& locale)
{
    double whole; // the converted number before it is cut to the register's width
    bool negativeInput;
    if (row.input == InputRule::Integer) {
        const int32_t n = StrToInt(text);
        whole = n;
        negativeInput = n < 0;
    } else {
        const double x = StrToFloat(text, locale);
        whole = RoundHalfEven(x * row.unitsPerValue);
        negativeInput = x < 0;
    }
    InputConversion result;
    result.accepted = std::isfinite(whole) && !(row.rejectNegativeInput && negativeInput)
        && (!row.rangeChecked || (whole >= double(row.low) && whole <= double(row.high)));
    if (result.accepted)
        result.registerValue = uint32_t(int64_t(whole)) & WidthMask(row.width);
    return result;
}

} // namespace core
