#include "core/NumberText.h"

#include "core/EConvertError.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace core {

namespace {

constexpr int GeneralPrecision = 15;
// The general format writes fixed notation for decimal exponents in this band.
constexpr int FixedExponentLow = -4;
constexpr int FixedExponentHigh = GeneralPrecision - 1;

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

[[noreturn]] void NotAnInteger(const QString& text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value.").arg(text));
}

[[noreturn]] void NotAFloat(const QString& text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value.").arg(text));
}

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

int32_t StrToInt(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n) NotAnInteger(text);

    // Accumulate the magnitude in 64 bits; anything past 2^31 cannot fit either sign.
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit = base == 16 ? HexDigitValue(text[i]) : (IsAsciiDigit(text[i]) ? text[i].unicode() - '0' : -1);
        if (digit < 0) NotAnInteger(text);
        magnitude = magnitude * base + digit;
        if (magnitude > limit) NotAnInteger(text);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) NotAnInteger(text);
    return int32_t(value);
}

double StrToFloat(const QString& text, const QLocale& locale)
{
    const QString separator = locale.decimalPoint();
    qsizetype i = 0;
    const qsizetype n = text.size();
    std::string plain; // the number rewritten for strtod in the C locale
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        plain += char(text[i].unicode());
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && IsAsciiDigit(text[i])) {
        plain += char(text[i].unicode());
        ++mantissaDigits;
        ++i;
    }
    if (!separator.isEmpty() && QStringView(text).mid(i).startsWith(separator)) {
        plain += '.';
        i += separator.size();
        while (i < n && IsAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0) NotAFloat(text);
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            plain += char(text[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        while (i < n && IsAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) NotAFloat(text);
    }
    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) NotAFloat(text);

    // The syntax is checked above, so strtod reads all of it; on overflow it gives ±HUGE_VAL.
    return std::strtod(plain.c_str(), nullptr);
}

QString FloatToStr(double value, const QLocale& locale)
{
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0) return QStringLiteral("0");

    // "%.14e" rounds to 15 significant digits: d.dddddddddddddde±x.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", GeneralPrecision - 1, value);
    const std::string s(buffer);
    const bool negative = s[0] == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t e = s.find('e');
    std::string digits;
    for (std::size_t k = mantissaStart; k < e; ++k)
        if (s[k] != '.') digits += s[k];
    const int exponent = std::atoi(s.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    const QString sep = locale.decimalPoint();
    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < FixedExponentLow || exponent > FixedExponentHigh) {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) out += sep + QString::fromLatin1(digits.substr(1));
        out += QLatin1Char('E') + QString::number(exponent);
        return out;
    }
    if (exponent >= 0) {
        const std::size_t intDigits = std::size_t(exponent) + 1;
        if (digits.size() <= intDigits)
            return out + QString::fromLatin1(digits) + QString(int(intDigits - digits.size()), QLatin1Char('0'));
        return out + QString::fromLatin1(digits.substr(0, intDigits)) + sep
            + QString::fromLatin1(digits.substr(intDigits));
    }
    return out + QLatin1Char('0') + sep + QString(-exponent - 1, QLatin1Char('0')) + QString::fromLatin1(digits);
}

QString IntToHex(uint32_t value, int minDigits)
{
    return QStringLiteral("%1").arg(value, minDigits, 16, QLatin1Char('0')).toUpper();
}

double RoundHalfEven(double x)
{
    if (!std::isfinite(x)) return x;
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

} // namespace core
