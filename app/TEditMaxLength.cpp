#include "app/TEditMaxLength.h"

#include <QLineEdit>

namespace app {

TEditMaxLength::TEditMaxLength(QLineEdit* edit, int maxLength)
    : QValidator(edit), maxLength_(maxLength), acceptedLength_(edit->text().size())
{
    // The edit's own text already holds the change while it is validated, so the length
    // before it is kept here.
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { acceptedLength_ = text.size(); });
}

QValidator::State TEditMaxLength::validate(QString& input, int&) const
{
    // A longer text that the program put in may still be shortened, never lengthened.
    if (input.size() > maxLength_ && input.size() > acceptedLength_) return Invalid;
    return Acceptable;
}

} // namespace app
