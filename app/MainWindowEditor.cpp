// The E2PROM variable editor: read a variable when it is chosen, convert, check and write it,
// and have the device copy its E2PROM values into its working registers. Every row's behaviour
// comes from the table in E2PROMVariables.

#include "core/E2PROMMessages.h"
#include "core/E2PROMVariables.h"
#include "app/MainWindow.h"
#include "core/DeviceLink.h"
#include "platform/TickCount.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>

namespace {

const core::E2PROMVariable* SelectedRow(int index)
{
    if (index < 0 || index >= core::E2PROMVariableCount) return nullptr;
    return &core::E2PROMVariables[std::size_t(index)];
}

} // namespace

int TForm1::E2PROMItemIndex() const { return ComboBox_E2PROM->currentIndex(); }

void TForm1::OnComboBoxTextEdited(const QString& text)
{
    // Typing into the combo box deselects its item, as the toolkit's drop-down does; the
    // change handler then finds no row and leaves the device alone.
    if (ComboBox_E2PROM->currentIndex() >= 0) {
        QLineEdit* edit = ComboBox_E2PROM->lineEdit();
        const int cursor = edit->cursorPosition();
        const QSignalBlocker quiet(ComboBox_E2PROM);
        ComboBox_E2PROM->setCurrentIndex(-1);
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
    RunHandler([this] { ComboBox_E2PROMChange(ComboBox_E2PROM); });
}

// True when the line fell quiet within the bounds: far more bytes than an interrupted exchange
// leaves behind, and a time that the operator barely notices.
bool TForm1::DrainInput()
{
    const uint32_t start = platform::GetTickCount();
    for (int drained = 0; drained < DrainByteLimit; ++drained) {
        uint8_t byte = 0;
        uint32_t count = 0;
        ReceiveByte(byte, count);
        if (count == 0) return true;
        if (platform::GetTickCount() - start > DrainTimeLimitMs) return false;
    }
    return false;
}

void TForm1::ComboBox_E2PROMChange(QObject*)
{
    Label_E2PROM->clear();
    const core::E2PROMVariable* row = SelectedRow(E2PROMItemIndex());
    if (!row) return;

    bool ok = false;
    uint32_t raw = 0;
    // A line that will not fall quiet cannot carry a trustworthy reply: the read fails.
    if (DrainInput()) {
        if (row->width == core::RegisterWidth::LongWord)
            raw = ReadLongWord(row->readRegister, ok);
        else
            raw = ReadWord(row->readRegister, ok);
    }
    if (row->readNote) Label_E2PROM->setText(QString::fromLatin1(row->readNote));
    Edit_E2PROM->setText(ok ? core::DisplayText(*row, raw, QLocale()) : QString::fromLatin1(core::ReadErrorText));
}

void TForm1::Button_E2PROMClick(QObject*)
{
    Label_E2PROM->clear();
    const core::E2PROMVariable* row = SelectedRow(E2PROMItemIndex());
    const QString text = Edit_E2PROM->text();
    if (!row) return;

    bool stored = false;
    bool report = true;
    if (row->confirmFirst && !dialogs_.ConfirmYesNo(QString::fromLatin1(core::ConfirmWriteText))) {
        report = false;
    } else {
        // A text that is not a number raises the conversion error and ends the handler here.
        const core::InputConversion input = core::ConvertInput(*row, text, QLocale());
        if (!input.accepted) {
            if (row->report == core::RejectReport::MessageBox)
                dialogs_.ShowMessage(QString::fromLatin1(row->rejectMessage));
            else if (row->report == core::RejectReport::EditError)
                Edit_E2PROM->setText(QString::fromLatin1(core::ReadErrorText));
        } else if (row->width == core::RegisterWidth::LongWord) {
            WriteLongWord(row->writeRegister, input.registerValue, stored);
        } else {
            WriteWord(row->writeRegister, uint16_t(input.registerValue), stored);
        }
    }
    if (stored)
        Label_E2PROM->setText(QString::fromLatin1(core::ValueStoredText));
    else if (report)
        Label_E2PROM->setText(QString::fromLatin1(core::CommErrorText));
}

void TForm1::Button_WorkingClick(QObject*)
{
    bool ok = false;
    WriteWord(CopyToWorkingRegister, 0, ok);
    Label_E2PROM->setText(QString::fromLatin1(ok ? core::CopiedText : core::CommErrorText));
}
