#include "chart/wmftext.h"

namespace chart {

namespace {

constexpr char16_t MinusSign = 0x2212;
constexpr char Unknown = '?';
constexpr char16_t FirstSpecial = 0x80; // code page 1252 differs from Latin-1 in 0x80..0x9F
constexpr char16_t LastSpecial = 0x9F;
constexpr char16_t LastLatin1 = 0xFF;

// Unicode of 0x80..0x9F in code page 1252; 0 where the code page leaves the byte undefined.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char ToAnsi(char16_t c)
{
    if (c < FirstSpecial || (c > LastSpecial && c <= LastLatin1))
        return char(c);
    if (c == MinusSign)
        return '-';
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == c)
            return char(FirstSpecial + i);
    return Unknown;
}

} // namespace

QByteArray WmfAnsiText(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(ToAnsi(c.unicode()));
    return out;
}

} // namespace chart
