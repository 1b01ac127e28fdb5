#pragma once
// The twenty E2PROM variables of the device, as one table that drives both the read and the write
// path of the editor, and the pure conversions between register contents and the edit field.

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

namespace core {

enum class RegisterWidth { Word, LongWord };        // one 16-bit register, or two (low half first)
enum class RegisterMeaning { Unsigned, Signed };    // how the stored bits are taken for display
enum class InputRule { Integer, Number };           // StrToInt, or StrToFloat with the user's separator
enum class RejectReport { None, MessageBox, EditError };

struct E2PROMVariable {
    const char* itemText;        // the combo box item
    uint8_t readRegister;
    uint8_t writeRegister;       // differs from readRegister for the Tele/Wide command only
    RegisterWidth width;
    int hexDigits;               // > 0: shown as "$" and at least this many hex digits; 0: as a number
    RegisterMeaning meaning;
    double unitsPerValue;        // register units per shown unit (2000 per ms, 2 per us, 30 per s)
    InputRule input;
    bool rangeChecked;           // test low..high on n, or on round(x * unitsPerValue)
    int64_t low;
    int64_t high;
    bool rejectNegativeInput;    // the entered number itself must not be negative
    RejectReport report;
    const char* rejectMessage;   // for RejectReport::MessageBox
    bool confirmFirst;           // ask before writing
    const char* readNote;        // the status line after a read, or nullptr
};

inline constexpr int E2PROMVariableCount = 20;

extern const std::array<E2PROMVariable, E2PROMVariableCount> E2PROMVariables;

// The text that the read path puts into the edit field for the register contents `raw`
// (the low 16 bits for a one-register row).
QString DisplayText(const E2PROMVariable& row, uint32_t raw, const QLocale& locale);

struct InputConversion {
    bool accepted = false;       // passed the row's range test
    uint32_t registerValue = 0;  // what is written (low 16 bits for a one-register row)
};

// Converts the edited text by the row's input rule and tests the row's range on the whole
// converted number. Throws EConvertError for text that is not a number.
InputConversion ConvertInput(const E2PROMVariable& row, const QString& text, const QLocale& locale);

} // namespace core
