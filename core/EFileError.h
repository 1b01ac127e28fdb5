#pragma once
// The runtime's file error: a file that cannot be created or written. The window's handlers let
// it reach the standard error box, which shows its message.

#include <QString>
#include <stdexcept>

namespace core {

class EFileError : public std::runtime_error {
public:
    explicit EFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

} // namespace core
