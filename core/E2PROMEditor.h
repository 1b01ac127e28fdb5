#pragma once
// The editor's three actions on the device, shared by the window and duoclave-cli: read a
// variable into its display text, convert, check and write an entered value, and have the
// device copy its E2PROM into its working registers. How an outcome is shown (labels, boxes,
// standard error) is the caller's.

#include "core/E2PROMVariables.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>

namespace core {

// Before a read the editor discards input left over from earlier exchanges, until the line is
// quiet. A device that never stops sending would hold the caller for ever, so the drain gives up
// after this many bytes or milliseconds, and the read then fails ("ERROR").
inline constexpr int DrainByteLimit = 256;
inline constexpr std::uint32_t DrainTimeLimitMs = 250;

// Discards waiting input within the bounds above; true when the line fell quiet.
bool DrainStrayInput();

// The row of `index` (0 .. E2PROMVariableCount - 1), or nullptr for any other index.
const E2PROMVariable* E2PROMRow(int index);

struct E2PROMReading {
    bool ok = false;
    QString text;   // the value in the row's display format, or "ERROR"
};

// The read path: drain, then ReadWord, or ReadLongWord for a two-register row.
E2PROMReading ReadE2PROMVariable(const E2PROMVariable& row, const QLocale& locale);

enum class E2PROMWriteOutcome {
    Declined,   // the confirmation was refused: nothing converted, nothing written
    Rejected,   // out of the row's range: nothing written
    Stored,     // the device acknowledged
    NotStored,  // the device did not acknowledge
};

// Asked, with ConfirmWriteText, before a row that wants confirmation is written; true goes on.
using ConfirmWrite = std::function<bool(const QString& question)>;

// The write path: confirmation where the row asks for it, conversion by the row's input rule,
// range test, then WriteWord or WriteLongWord. Text that is not a number throws EConvertError
// (after the confirmation, before any write).
E2PROMWriteOutcome WriteE2PROMVariable(const E2PROMVariable& row, const QString& text, const QLocale& locale,
                                       const ConfirmWrite& confirm);

// The status line after a write: "Value Stored", "Comm error" (also after a rejected value), or
// empty after a declined confirmation.
QString WriteStatusText(E2PROMWriteOutcome outcome);

// How a rejected value of `row` is reported: its message, or "ERROR" for a row that marks the
// edit field.
QString RejectText(const E2PROMVariable& row);

// "E2PROM -> working": writes 0 to CopyToWorkingRegister; true when the device acknowledged.
bool CopyE2PROMToWorking();

// The status line after the copy: "E2PROM values are copied!" or "Comm error".
QString CopyStatusText(bool copied);

} // namespace core
