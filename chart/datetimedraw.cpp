#include "chart/datetimedraw.h"

#include "chart/datetimeelapsed.h"
#include "chart/datetimeticks.h"
#include "chart/scale.h"

#include <QFontMetrics>
#include <QPainter>

namespace chart {

namespace {

// Gap between the axis line and a message written in place of the ticks.
constexpr int VertMessageGap = 2;

int LongTick(const TScale& scale)
{
    return scale.IsHorizontal() ? TScale::LongTickLengthHoriz : TScale::LongTickLengthVert;
}

// A vertical label centred on its tick by its own height, `halves` half-heights above it.
void DrawVertText(TScale& scale, QPainter* canvas, int tickY, int axisX, const QString& text, int halves)
{
    const QFontMetrics fm = canvas->fontMetrics();
    const int top = tickY - halves * (fm.height() / 2);
    scale.DrawTextAt(canvas, scale.VertLabelLeft(axisX, fm.horizontalAdvance(text)), top, text);
}

// The message lines at the pixel of the range's midpoint: one centred line beside a horizontal
// axis, or lines stacked from one line-height above the midpoint beside a vertical one.
void DrawMessage(TScale& scale, QPainter* canvas, int axis, const QStringList& lines)
{
    const QFontMetrics fm = canvas->fontMetrics();
    const int h = fm.height();
    const int mid = scale.TickPixel((scale.RangeLow() + scale.RangeHigh()) / 2);
    if (scale.IsHorizontal()) {
        const QString& text = lines.front();
        // On the label side of the axis, like the labels it stands in for.
        const int top = scale.ScaleType() == sctXT ? axis + TScale::LongTickLengthHoriz
                                                    : axis - TScale::LongTickLengthHoriz - h;
        scale.DrawTextAt(canvas, mid - fm.horizontalAdvance(text) / 2, top, text);
        return;
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int w = fm.horizontalAdvance(lines[i]);
        const int left = scale.ScaleType() == sctYR ? axis - VertMessageGap - w : axis + VertMessageGap;
        scale.DrawTextAt(canvas, left, mid + int(i - 1) * h, lines[i]);
    }
}

} // namespace

bool DrawElapsedTimeScale(TScale& scale, QPainter*& canvas, int axis)
{
    const bool horizontal = scale.IsHorizontal();
    const auto ticks = ElapsedTimeTicks(scale.RangeLow(), scale.RangeHigh(), scale.MinTicks(),
                                        scale.ShortTicks(), !horizontal);
    if (!ticks)
        return false;
    for (const DateTimeTick& t : *ticks) {
        const int p = scale.TickPixel(t.value);
        if (t.recorded)
            scale.RecordTick(t.value);
        if (!t.labelled) {
            scale.DrawTickMark(canvas, p, axis, TScale::ShortTickLength);
        } else {
            scale.DrawTickMark(canvas, p, axis, LongTick(scale));
            if (horizontal) {
                scale.DrawHorizLabel(canvas, p, axis, t.label);
            } else {
                const int w = canvas->fontMetrics().horizontalAdvance(t.label);
                scale.DrawTextAt(canvas, scale.VertLabelLeft(axis, w), p - scale.LabelHeight() / 2, t.label);
            }
        }
        scale.RaiseTickDrawn(canvas, t.value, p, axis);
    }
    return true;
}

void DrawDateTimeScale(TScale& scale, QPainter*& canvas, int axis)
{
    const bool horizontal = scale.IsHorizontal();
    const DateTimeTickPlan plan = DateTimeTicks(
        {scale.RangeLow(), scale.RangeHigh(), scale.MinTicks(), scale.ShortTicks(), !horizontal}, scale.DateFormat());
    if (!plan.message.isEmpty()) {
        DrawMessage(scale, canvas, axis, plan.message);
        return;
    }
    for (const DateTimeTick& t : plan.ticks) {
        const int p = scale.TickPixel(t.value);
        scale.RecordTick(t.value);
        if (!t.labelled) {
            scale.DrawTickMark(canvas, p, axis, TScale::ShortTickLength);
        } else {
            scale.DrawTickMark(canvas, p, axis, LongTick(scale));
            if (horizontal) {
                scale.DrawHorizLabel(canvas, p, axis, t.label);
                // Beyond the time label, one text height further from the axis.
                if (!t.dateLine.isEmpty())
                    scale.DrawHorizLabel(canvas, p, axis, t.dateLine, canvas->fontMetrics().height());
            } else {
                DrawVertText(scale, canvas, p, axis, t.label, 1);
                // Above the time label.
                if (!t.dateLine.isEmpty())
                    DrawVertText(scale, canvas, p, axis, t.dateLine, 3);
            }
        }
        scale.RaiseTickDrawn(canvas, t.value, p, axis);
    }
}

} // namespace chart
