#include "core/E2PROMEditor.h"

#include "core/DeviceLink.h"
#include "core/E2PROMMessages.h"
#include "platform/TickCount.h"

namespace core {

bool DrainStrayInput()
{
    // Far more bytes than an interrupted exchange leaves behind, and a time that the operator
    // barely notices.
    const std::uint32_t start = platform::GetTickCount();
    for (int drained = 0; drained < DrainByteLimit; ++drained) {
        std::uint8_t byte = 0;
        std::uint32_t count = 0;
        ReceiveByte(byte, count);
        if (count == 0) return true;
        if (platform::GetTickCount() - start > DrainTimeLimitMs) return false;
    }
    return false;
}

const E2PROMVariable* E2PROMRow(int index)
{
    if (index < 0 || index >= E2PROMVariableCount) return nullptr;
    return &E2PROMVariables[std::size_t(index)];
}

E2PROMReading ReadE2PROMVariable(const E2PROMVariable& row, const QLocale& locale)
{
    bool ok = false;
    std::uint32_t raw = 0;
    // A line that will not fall quiet cannot carry a trustworthy reply: the read fails.
    if (DrainStrayInput()) {
        if (row.width == RegisterWidth::LongWord)
            raw = ReadLongWord(row.readRegister, ok);
        else
            raw = ReadWord(row.readRegister, ok);
    }
    return {ok, ok ? DisplayText(row, raw, locale) : QString::fromLatin1(ReadErrorText)};
}

E2PROMWriteOutcome WriteE2PROMVariable(const E2PROMVariable& row, const QString& text, const QLocale& locale,
                                       const ConfirmWrite& confirm)
{
    if (row.confirmFirst && !(confirm && confirm(QString::fromLatin1(ConfirmWriteText))))
        return E2PROMWriteOutcome::Declined;
    const InputConversion input = ConvertInput(row, text, locale);
    if (!input.accepted)
        return E2PROMWriteOutcome::Rejected;
    bool stored = false;
    if (row.width == RegisterWidth::LongWord)
        WriteLongWord(row.writeRegister, input.registerValue, stored);
    else
        WriteWord(row.writeRegister, std::uint16_t(input.registerValue), stored);
    return stored ? E2PROMWriteOutcome::Stored : E2PROMWriteOutcome::NotStored;
}

QString WriteStatusText(E2PROMWriteOutcome outcome)
{
    switch (outcome) {
    case E2PROMWriteOutcome::Declined: return {};
    case E2PROMWriteOutcome::Stored: return QString::fromLatin1(ValueStoredText);
    case E2PROMWriteOutcome::Rejected:
    case E2PROMWriteOutcome::NotStored: break;
    }
    return QString::fromLatin1(CommErrorText);
}

QString RejectText(const E2PROMVariable& row)
{
    if (row.report == RejectReport::MessageBox && row.rejectMessage) return QString::fromLatin1(row.rejectMessage);
    return QString::fromLatin1(ReadErrorText);
}

bool CopyE2PROMToWorking()
{
    bool ok = false;
    WriteWord(CopyToWorkingRegister, 0, ok);
    return ok;
}

QString CopyStatusText(bool copied) { return QString::fromLatin1(copied ? CopiedText : CommErrorText); }

} // namespace core
