#include "cli/Console.h"

#include "cli/HelpText.h"

namespace cli {

bool Console::Out(const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out_) == std::size_t(bytes.size());
    return std::fflush(out_) == 0 && written;
}

void Console::Err(const QString& message)
{
    const QByteArray bytes = (QString::fromLatin1(CliHelp().program) + QStringLiteral(": ") + message + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), err_);
    std::fflush(err_);
}

} // namespace cli
