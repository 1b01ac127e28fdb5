#include "core/MeasurementFile.h"

#include "core/EFileError.h"

#include "chart/wholefile.h"

namespace core {

namespace {

constexpr int GeneralDigits = 15;
constexpr char SampleSeparator = '\t';
constexpr char LineEnd[] = "\r\n";

} // namespace

QString FormatGeneral(double value)
{
    QString text = QString::number(value, 'g', GeneralDigits);
    // The general format writes its exponent as "E", with a sign only when negative.
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    bool negative = exponent.startsWith(QLatin1Char('-'));
    if (exponent.startsWith(QLatin1Char('+')) || negative)
        exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
        exponent.remove(0, 1);
    return mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
}

QString SampleLine(std::int32_t number, double value)
{
    return FormatGeneral(number) + QLatin1Char(SampleSeparator) + FormatGeneral(value);
}

QByteArray MeasurementFileContents(const QStringList& lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + qsizetype(sizeof(LineEnd) - 1);
    bytes.reserve(size);
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += LineEnd;
    }
    return bytes;
}

void SaveMeasurementFile(const QString& path, const QStringList& lines)
{
    const chart::WholeFileResult written = chart::WriteWholeFile(path, MeasurementFileContents(lines));
    if (written.failure == chart::WholeFileResult::wfWrite)
        throw EFileError(QStringLiteral("Cannot write file %1").arg(path));
    if (!written)
        throw EFileError(QStringLiteral("Cannot create file %1").arg(path));
}

} // namespace core
