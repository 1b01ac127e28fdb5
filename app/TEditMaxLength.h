#pragma once
// The edit field's length limit as the operator meets it: typing cannot make the text longer
// than the limit, while text that the program puts in (a value shown by a read) is never cut.

#include <QValidator>

class QLineEdit;

namespace app {

class TEditMaxLength : public QValidator {
    Q_OBJECT
public:
    TEditMaxLength(QLineEdit* edit, int maxLength);
    int MaxLength() const { return maxLength_; }
    State validate(QString& input, int& pos) const override;

private:
    int maxLength_;
    qsizetype acceptedLength_; // length of the text before the change under validation
};

} // namespace app
