#pragma once
// The scale's tick layout as pure functions: step choice, tick sequences, decimals and label
// texts. Nothing here paints; TScale places what these compute. Extended precision (long
// double) is used where rounding noise would otherwise show in the labels.

#include <QString>
#include <vector>

namespace chart {

// Tick values are recorded for the chart's grid up to this many per drawing.
inline constexpr int MaxRecordedTicks = 50;
// Labels longer than this are cut.
inline constexpr int MaxLabelLength = 14;
inline constexpr int MinTicksLow = 2;
inline constexpr int MinTicksHigh = 10;
inline constexpr int DecPlacesLow = -3;
inline constexpr int DecPlacesHigh = 12;
// DecPlaces: -1 exponent form, -2 automatic, -3 automatic (logarithmic: decade exponents).
inline constexpr int DecPlacesExponent = -1;
inline constexpr int DecPlacesAuto = -2;
inline constexpr int DecPlacesAutoExponent = -3;

// A 1-2-5 step: labelled ticks are First + i × Step.
struct TScaleStep {
    long double First = 0; // the first labelled tick, at or just past RangeLow
    long double Step = 0;  // signed (negative on a reversed range); 0 for an empty range
    int SubDivisions = 1;  // short intervals per step: 5 for mantissa 1 and 5, 4 for mantissa 2
};

// The largest of 1, 2 and 5 × 10^k not above |high − low| / minTicks (an exact 2 or 5 × 10^k
// quotient falls to the next smaller step), and the first labelled tick at or after low.
TScaleStep FindScaleStep(int minTicks, long double rangeLow, long double rangeHigh);

// Linear layout: the short ticks (every Step / SubDivisions, from RangeLow through RangeHigh)
// and the labelled ticks (First + j × Step up to RangeHigh), in drawing order. Empty for a
// zero or non-finite step.
std::vector<long double> LinearShortTicks(const TScaleStep& s, long double rangeLow, long double rangeHigh);
std::vector<long double> LinearLabelTicks(const TScaleStep& s, long double rangeHigh);

// One tick the logarithmic layout offers inside the range: Multiple × 10^Exponent.
struct TLogTick {
    long double Value = 0;
    bool Labelled = false; // 1, and with dense ticks also 2 and 5; the others are short
    int Multiple = 1;      // 1 … 9
    int DecadeExponent = 0; // round(log10) of the decade's 1-tick
};

// Whether a logarithmic scale gets decade ticks: both ends positive and at least one decade.
// Otherwise the linear layout is drawn on the logarithmic mapping.
bool UseLogTicks(double rangeLow, double rangeHigh);

// Decade ticks of a positive range, ascending; with more MinTicks than decades (+ 0.5) also the
// 2…9 multiples. Only ticks inside the range (with a 1e-9 relative tolerance) are returned.
std::vector<TLogTick> LogTicks(int minTicks, double rangeLow, double rangeHigh);

// Decimals for DecPlaces −2 and −3 from the range width; other values pass unchanged.
// −1 means exponent form.
int AutoDecimals(int decPlaces, double a, double b);
// Decimals of logarithmic labels: automatic only for −2 (from the lower end); others unchanged.
int AutoDecimalsLog(int decPlaces, double hi, double lo);

// decimals ≥ 0: fixed point with "." (rounded on the first 18 significant digits, halves away
// from zero; "-" kept on values that round to zero). −1: 8-character exponent form such as
// " 1.5E+03", or eight asterisks when the exponent needs three digits.
QString FormatTickValue(long double v, int decimals);

// Linear label text before user text or inscript: the zero rule, then the 14-character cut.
QString LinearTickText(long double v, int decimals, double rangeLow, double rangeHigh);

// Logarithmic label text: decade exponent for DecPlaces −3 (empty on 2 and 5 ticks), else the
// value; cut to 14; for −2 trailing zeros and a trailing "." of a plain decimal are trimmed.
QString LogTickText(const TLogTick& tick, int decPlaces, int decimals);

// "&" in the inscript marks where the text goes ("&%" → "12%", "$&" → "$12"); without "&"
// the inscript is a prefix. An empty text stays empty.
QString ApplyScaleInscript(const QString& text, const QString& inscript);

// Field t (1-based) of a "|"-separated list; later ticks repeat the last field.
QString UserTickField(const QString& list, int t);

// Rounds to the nearest integer, halves to even (the toolkit's Round).
long long RoundHalfEven(long double v);

} // namespace chart
