#include "app/TEditMaxLength.h"

#include <QLineEdit>

namespace app {

TEditMaxLength::TEditMaxLength(QLineEdit* edit, int maxLength) : QValidator(edit), edit_(edit), maxLength_(maxLength) {}

QValidator::State TEditMaxLength::validate(QString& input, int&) const
{
    // A longer text that the program put in may still be shortened, never lengthened.
    if (input.size() > maxLength_ && input.size() > edit_->text().size()) return Invalid;
    return Acceptable;
}

} // namespace app
