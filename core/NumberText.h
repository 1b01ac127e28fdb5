#pragma once
// Text and number conversion as the operator sees it: integer and real parsing with the user's
// decimal separator, the general number format, hexadecimal display, rounding halves to even.
// Pure functions: no widgets, no device.

#include <QLocale>
#include <QString>
#include <cstdint>

namespace core {

// Optional leading blanks and sign, then decimal digits, or hexadecimal digits after "$", "x"
// or "0x". The value must fit a signed 32-bit integer. Throws EConvertError
// ("'<text>' is not a valid integer value.") otherwise.
int32_t StrToInt(const QString& text);

// Optional blanks, sign, digits with the locale's decimal separator, optional exponent
// ("e" or "E", optional sign, digits), optional trailing blanks. A magnitude beyond the double
// range gives an infinity of that sign, which every range test rejects. Throws EConvertError
// ("'<text>' is not a valid floating point value.") for anything else.
double StrToFloat(const QString& text, const QLocale& locale);

// Shortest decimal form with up to 15 significant digits, no trailing zeros, the locale's
// decimal separator; scientific ("1.5E-7", "1E15") only when the decimal exponent is below -4
// or above 14.
QString FloatToStr(double value, const QLocale& locale);

// Upper-case hexadecimal, zero-padded to at least minDigits digits, without prefix.
QString IntToHex(uint32_t value, int minDigits);

// Nearest integer; a half goes to the even neighbour. Infinities and NaN pass through.
double RoundHalfEven(double x);

} // namespace core
