#pragma once
// duoclave-cli's two streams: results on standard output, one line at a time and at once (a
// script reading a measurement sees every sample as it comes); messages on standard error.

#include <QString>
#include <cstdio>

namespace cli {

class Console {
public:
    Console(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    // One line of results; false when it could not be written (a reader that went away).
    bool Out(const QString& line);
    // One message, after the program's name: "duoclave-cli: <message>".
    void Err(const QString& message);

private:
    std::FILE* out_;
    std::FILE* err_;
};

} // namespace cli
