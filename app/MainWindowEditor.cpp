// The E2PROM variable editor: read a variable when it is chosen, convert, check and write it,
// and have the device copy its E2PROM values into its working registers. Every row's behaviour
// comes from the table in core/E2PROMVariables; the actions themselves are core/E2PROMEditor's.

#include "app/MainWindow.h"
#include "core/E2PROMEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>

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

void TForm1::ComboBox_E2PROMChange(QObject*)
{
    Label_E2PROM->clear();
    const core::E2PROMVariable* row = core::E2PROMRow(E2PROMItemIndex());
    if (!row) return;
    const core::E2PROMReading reading = core::ReadE2PROMVariable(*row, QLocale());
    if (row->readNote) Label_E2PROM->setText(QString::fromLatin1(row->readNote));
    Edit_E2PROM->setText(reading.text);
    // A value wider than the field shows its leading digits, not its tail.
    Edit_E2PROM->setCursorPosition(0);
}

void TForm1::Button_E2PROMClick(QObject*)
{
    Label_E2PROM->clear();
    const core::E2PROMVariable* row = core::E2PROMRow(E2PROMItemIndex());
    const QString text = Edit_E2PROM->text();
    if (!row) return;

    // A text that is not a number raises the conversion error and ends the handler here.
    const core::E2PROMWriteOutcome outcome = core::WriteE2PROMVariable(
        *row, text, QLocale(), [this](const QString& question) { return dialogs_.ConfirmYesNo(question); });
    if (outcome == core::E2PROMWriteOutcome::Rejected) {
        if (row->report == core::RejectReport::MessageBox)
            dialogs_.ShowMessage(core::RejectText(*row));
        else if (row->report == core::RejectReport::EditError)
            Edit_E2PROM->setText(core::RejectText(*row));
    }
    const QString status = core::WriteStatusText(outcome);
    if (!status.isEmpty()) Label_E2PROM->setText(status);
}

void TForm1::Button_WorkingClick(QObject*)
{
    Label_E2PROM->setText(core::CopyStatusText(core::CopyE2PROMToWorking()));
}
