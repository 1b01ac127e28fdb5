#include "core/NumberText.h"

#include "core/EConvertError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
    std::string plain; // the number rewritten with a point, for from_chars
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        plain += char(text[i].unicode());
        ++i;
    }
    int mantissaDigits = 0;
    // Decimal exponent of the first significant digit, counted without the written exponent:
    // it tells an overflow from an underflow when from_chars reports the value out of range.
    long leadExponent = 0;
    bool significant = false;
    int integerDigits = 0;
    while (i < n && IsAsciiDigit(text[i])) {
        plain += char(text[i].unicode());
        ++mantissaDigits;
        if (significant || text[i] != QLatin1Char('0')) {
            significant = true;
            ++integerDigits;
        }
        ++i;
    }
    leadExponent = integerDigits - 1;
    if (!separator.isEmpty() && QStringView(text).mid(i).startsWith(separator)) {
        plain += '.';
        i += separator.size();
        int fractionZeros = 0;
        while (i < n && IsAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            ++mantissaDigits;
            if (!significant) {
                if (text[i] == QLatin1Char('0')) {
                    ++fractionZeros;
                } else {
                    significant = true;
                    leadExponent = -fractionZeros - 1;
                }
            }
            ++i;
        }
    }
    if (mantissaDigits == 0) NotAFloat(text);
    long writtenExponent = 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            negativeExponent = text[i] == QLatin1Char('-');
            plain += char(text[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        constexpr long ExponentCap = 100000; // far past the double range either way
        while (i < n && IsAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            writtenExponent = std::min(ExponentCap, writtenExponent * 10 + (text[i].unicode() - '0'));
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) NotAFloat(text);
        if (negativeExponent) writtenExponent = -writtenExponent;
    }
    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) NotAFloat(text);

    const bool negative = !plain.empty() && plain[0] == '-';
    const char* first = plain.data() + ((negative || (!plain.empty() && plain[0] == '+')) ? 1 : 0);
    double magnitude = 0;
    const auto [end, error] = std::from_chars(first, plain.data() + plain.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        // Beyond the double range: an infinity, which every range test rejects; below it: zero.
        magnitude = significant && leadExponent + writtenExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || end != plain.data() + plain.size()) {
        NotAFloat(text);
    }
    return negative ? -magnitude : magnitude;
}

QString FloatToStr(double value, const QLocale& locale)
{
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0) return QStringLiteral("0");

    // Scientific with 14 decimals rounds to 15 significant digits: d.dddddddddddddde±x. Unlike
    // printf, to_chars ignores the C library's locale, which the toolkit sets from the
    // environment (a comma there once doubled the separator shown to the user).
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                       GeneralPrecision - 1);
    const std::string s(buffer, written.ptr);
    const bool negative = s[0] == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t e = s.find('e');
    std::string digits;
    for (std::size_t k = mantissaStart; k < e; ++k)
        if (s[k] != '.') digits += s[k];
    int exponent = 0;
    const char* exponentText = s.c_str() + e + 1;
    if (*exponentText == '+') ++exponentText;
    std::from_chars(exponentText, s.c_str() + s.size(), exponent);
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
