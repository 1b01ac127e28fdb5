#pragma once
// The runtime's conversion error: text that is not a number. The window's handlers let it
// reach the standard error box, which shows its message.

#include <QString>
#include <stdexcept>

namespace core {

class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

} // namespace core
