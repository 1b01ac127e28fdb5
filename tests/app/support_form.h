#pragma once
// Drives the real window as the operator does: picks an editor row, types, clicks.

#include "app/MainWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace testing_support {

// Chooses editor row `index` in the combo box, as a pick from its list does.
inline void ChooseRow(TForm1& form, int index)
{
    form.ComboBox_E2PROM->setCurrentIndex(index);
    emit form.ComboBox_E2PROM->activated(index);
}

// Puts `text` into the value field and presses "Write to E2PROM".
inline void WriteValue(TForm1& form, const QString& text)
{
    form.Edit_E2PROM->setText(text);
    form.Button_E2PROM->click();
}

inline QString EditText(const TForm1& form) { return form.Edit_E2PROM->text(); }
inline QString Status(const TForm1& form) { return form.Label_E2PROM->text(); }

} // namespace testing_support
