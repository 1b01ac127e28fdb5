#include "chart/scaleticks.h"

#include <QStringList>
#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace chart {

namespace {

// Guard against runaway loops on degenerate input (a step lost in the magnitude of the range
// ends); a sane layout has at most a few hundred ticks.
constexpr int MaxTickIterations = 100000;

// Fractions of the decade logarithm this close to 0 or 1 count as an exact power of ten.
constexpr long double DecadeSnap = 1e-10L;
// In extended precision, so that 10^(k + log10 2) is 2 × 10^k to the last bit of a double and
// a tick on a range end lands on it, not a hair outside.
const long double Log10Of2 = std::log10(2.0L);
const long double Log10Of5 = std::log10(5.0L);
// The 1e-10 margin makes a quotient of exactly 2 or 5 × 10^k fall to the smaller step.
constexpr long double StepMargin = 1e-10L;
// Tolerance, relative to the step, for the last tick that still counts as inside the range.
constexpr long double EndTolerance = 0.001L;
// Relative tolerance of the logarithmic layout's range tests.
constexpr long double LogTolerance = 0.999999999L;
// A linear value this small relative to the range is printed as zero.
constexpr double ZeroRelative = 1e-14;
// Above this range width a zero label is a bare "0" or "0.0".
constexpr double WideRange = 100000;
// AutoDecimals bands.
constexpr double ExponentAbove = 1e6;
constexpr double ExponentBelow = 1e-4;
constexpr double IntegerFrom = 100;
constexpr double DecimalsLogDivisor = 2.5;
constexpr int SignificantDigits = 18;
constexpr int ExponentDigitsShown = 2; // of the four the exponent form prints
constexpr int ExponentTextLength = 8;

// The value's first 18 significant decimal digits: |v| = 0.d1d2… × 10^(Exponent10 + 1).
struct Decimal18 {
    std::string Digits; // exactly 18 digits, Digits[0] nonzero unless the value is zero
    int Exponent10 = 0; // decimal exponent of Digits[0]
};

Decimal18 ToDecimal18(long double v)
{
    // to_chars, not printf: the C library's locale (set from the environment) must not reach
    // a label.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                       SignificantDigits - 1);
    Decimal18 d;
    const char* p = buf;
    for (; p != written.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.Digits.push_back(*p);
    if (p != written.ptr) {
        ++p;
        if (*p == '+')
            ++p;
        std::from_chars(p, written.ptr, d.Exponent10);
    }
    return d;
}

// Keeps the first `keep` digits of d, rounding on the next one (5 or more rounds away from
// zero). Returns the kept digits; a carry out of the first digit raises Exponent10.
std::string RoundDigits(Decimal18& d, int keep)
{
    if (keep < 0)
        return std::string();
    if (keep >= int(d.Digits.size())) {
        std::string s = d.Digits;
        s.append(size_t(keep) - s.size(), '0');
        return s;
    }
    std::string s = d.Digits.substr(0, size_t(keep));
    if (d.Digits[size_t(keep)] >= '5') {
        int i = int(s.size()) - 1;
        while (i >= 0 && s[size_t(i)] == '9') {
            s[size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++s[size_t(i)];
        } else {
            s.insert(s.begin(), '1');
            ++d.Exponent10;
        }
    }
    return s;
}

QString FixedText(long double v, int decimals)
{
    const bool negative = v < 0;
    std::string scaled; // the value × 10^decimals as an integer digit string
    if (v == 0) {
        scaled = "0";
    } else {
        Decimal18 d = ToDecimal18(v);
        scaled = RoundDigits(d, d.Exponent10 + 1 + decimals);
        if (scaled.empty())
            scaled = "0";
    }
    if (int(scaled.size()) <= decimals)
        scaled.insert(0, size_t(decimals + 1) - scaled.size(), '0');
    std::string text = negative ? "-" : "";
    const size_t intDigits = scaled.size() - size_t(decimals);
    text += scaled.substr(0, intDigits);
    if (decimals > 0) {
        text += '.';
        text += scaled.substr(intDigits);
    }
    return QString::fromStdString(text);
}

QString ExponentText(long double v)
{
    std::string mantissa = "00";
    int exponent = 0;
    if (v != 0) {
        Decimal18 d = ToDecimal18(v);
        mantissa = RoundDigits(d, 2).substr(0, 2);
        exponent = d.Exponent10;
    }
    constexpr int ThreeDigitExponent = 100;
    if (std::abs(exponent) >= ThreeDigitExponent)
        return QString(ExponentTextLength, QChar('*'));
    char buf[32];
    // Four exponent digits are printed and the two leading (zero) ones dropped.
    std::snprintf(buf, sizeof buf, "%c%c.%cE%c%04d", v < 0 ? '-' : ' ', mantissa[0], mantissa[1],
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string s = buf;
    s.erase(6, ExponentDigitsShown); // after sign, digit, ".", digit, "E", exponent sign
    return QString::fromStdString(s);
}

// Decades between two positive ends, on their exact values: in double precision the quotient
// of 1e-8 and 1e-9 rounds up to 10 although the two doubles are a hair less than a decade apart.
long double Decades(long double rangeLow, long double rangeHigh)
{
    return std::fabs(std::log10(rangeHigh / rangeLow));
}

} // namespace

long long RoundHalfEven(long double v)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    return static_cast<long long>(std::nearbyintl(v));
}

TScaleStep FindScaleStep(int minTicks, long double rangeLow, long double rangeHigh)
{
    TScaleStep s;
    if (rangeHigh == rangeLow) {
        s.First = rangeLow;
        return s;
    }
    const long double dir = rangeLow < rangeHigh ? 1 : -1;
    const long double n = std::max(minTicks, 1);
    long double d = std::log10(std::fabs(rangeHigh - rangeLow) / n);
    long double e = d - std::trunc(d);
    if (std::fabs(e) < DecadeSnap || std::fabs(e) > 1 - DecadeSnap) {
        e = 0;
        d = std::round(d);
    }
    if (d < 0 && e != 0)
        d = d - 1;
    if (e < 0)
        e = e + 1;
    long double exponent;
    if (e < Log10Of2 + StepMargin) {
        exponent = std::trunc(d);
        s.SubDivisions = 5;
    } else if (e < Log10Of5 + StepMargin) {
        exponent = std::trunc(d) + Log10Of2;
        s.SubDivisions = 4;
    } else {
        exponent = std::trunc(d) + Log10Of5;
        s.SubDivisions = 5;
    }
    s.Step = dir * std::pow(10.0L, exponent);
    if (!std::isfinite(s.Step) || s.Step == 0) {
        s.Step = 0;
        s.First = rangeLow;
        s.SubDivisions = 1;
        return s;
    }
    s.First = (std::trunc(rangeLow / s.Step) - 1) * s.Step;
    for (int i = 0; std::fabs(s.Step) * EndTolerance < dir * (rangeLow - s.First) && i < MaxTickIterations; ++i)
        s.First = s.First + s.Step;
    return s;
}

std::vector<long double> LinearShortTicks(const TScaleStep& s, long double rangeLow, long double rangeHigh)
{
    std::vector<long double> ticks;
    if (s.Step == 0 || !std::isfinite(s.Step) || !std::isfinite(s.First))
        return ticks;
    const long double dir = rangeHigh > rangeLow ? 1 : -1;
    const long double minor = s.Step / s.SubDivisions;
    const long double start = s.First - s.Step;
    for (int k = 0; k < MaxTickIterations; ++k) {
        const long double v = start + k * minor;
        if (dir * v >= dir * rangeLow)
            ticks.push_back(v);
        const long double next = start + (k + 1) * minor;
        if (!(dir * (next - rangeHigh) <= EndTolerance * std::fabs(minor)))
            break;
    }
    return ticks;
}

std::vector<long double> LinearLabelTicks(const TScaleStep& s, long double rangeHigh)
{
    std::vector<long double> ticks;
    if (s.Step == 0 || !std::isfinite(s.Step) || !std::isfinite(s.First))
        return ticks;
    const long double dir = s.Step > 0 ? 1 : -1;
    for (int j = 0; j < MaxTickIterations; ++j) {
        ticks.push_back(s.First + j * s.Step);
        const long double next = s.First + (j + 1) * s.Step;
        if (!(dir * (next - rangeHigh) <= EndTolerance * std::fabs(s.Step)))
            break;
    }
    return ticks;
}

bool UseLogTicks(double rangeLow, double rangeHigh)
{
    if (!(rangeLow > 0) || !(rangeHigh > 0) || !std::isfinite(rangeLow) || !std::isfinite(rangeHigh))
        return false;
    return Decades(rangeLow, rangeHigh) >= 1;
}

std::vector<TLogTick> LogTicks(int minTicks, double rangeLow, double rangeHigh)
{
    std::vector<TLogTick> ticks;
    if (!UseLogTicks(rangeLow, rangeHigh))
        return ticks;
    constexpr double DenseMargin = 0.5;
    const bool dense = minTicks > Decades(rangeLow, rangeHigh) + DenseMargin;
    const long double lo = std::min(rangeLow, rangeHigh);
    const long double hi = std::max(rangeLow, rangeHigh);
    const long double base = std::pow(10.0L, std::floor(std::log10(lo * LogTolerance)));
    long double m = 1;
    auto offer = [&](int multiple, bool labelled) {
        const long double v = multiple * base * m;
        if (lo < v / LogTolerance && hi > v * LogTolerance)
            ticks.push_back({v, labelled, multiple, int(RoundHalfEven(std::log10(base * m)))});
    };
    for (int i = 0; i < MaxTickIterations; ++i) {
        offer(1, true);
        if (dense)
            for (int k = 2; k <= 9; ++k)
                offer(k, k == 2 || k == 5);
        m = m * 10;
        if (hi < LogTolerance * base * m)
            break;
    }
    return ticks;
}

int AutoDecimals(int decPlaces, double a, double b)
{
    if (decPlaces != DecPlacesAuto && decPlaces != DecPlacesAutoExponent)
        return decPlaces;
    const double r = std::fabs(a - b);
    if (r >= ExponentAbove || r <= ExponentBelow)
        return DecPlacesExponent;
    if (r >= IntegerFrom)
        return 0;
    return int(2 - RoundHalfEven(std::log(r) / DecimalsLogDivisor));
}

int AutoDecimalsLog(int decPlaces, double hi, double lo)
{
    if (decPlaces != DecPlacesAuto)
        return decPlaces;
    const double r = hi - lo;
    if (r >= ExponentAbove || r <= ExponentBelow)
        return DecPlacesExponent;
    if (lo >= 1 || !(lo > 0))
        return 0;
    return int(1 - RoundHalfEven(std::log10(lo)));
}

QString FormatTickValue(long double v, int decimals)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (decimals >= 0)
        return FixedText(v, decimals);
    return ExponentText(v);
}

QString LinearTickText(long double v, int decimals, double rangeLow, double rangeHigh)
{
    const double width = rangeHigh - rangeLow;
    QString text;
    if (std::fabs(double(v) / width) < ZeroRelative) {
        if (std::fabs(width) > WideRange)
            text = decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.0");
        else
            text = FormatTickValue(0, decimals);
    } else {
        text = FormatTickValue(v, decimals);
    }
    return text.left(MaxLabelLength);
}

QString LogTickText(const TLogTick& tick, int decPlaces, int decimals)
{
    QString text;
    if (decPlaces == DecPlacesAutoExponent)
        text = tick.Multiple == 1 ? QString::number(tick.DecadeExponent) : QString();
    else
        text = FormatTickValue(tick.Value, decimals);
    text = text.left(MaxLabelLength);
    if (decPlaces == DecPlacesAuto && text.contains(QChar('.')) && !text.contains(QChar('e'), Qt::CaseInsensitive)) {
        while (text.endsWith(QChar('0')))
            text.chop(1);
        if (text.endsWith(QChar('.')))
            text.chop(1);
    }
    return text;
}

QString ApplyScaleInscript(const QString& text, const QString& inscript)
{
    if (text.isEmpty())
        return text;
    const qsizetype amp = inscript.indexOf(QChar('&'));
    if (amp < 0)
        return inscript + text;
    return inscript.left(amp) + text + inscript.mid(amp + 1);
}

QString UserTickField(const QString& list, int t)
{
    if (list.isEmpty())
        return QString();
    const QStringList fields = list.split(QChar('|'));
    const int index = std::clamp(t, 1, int(fields.size())) - 1;
    return fields[index];
}

} // namespace chart
