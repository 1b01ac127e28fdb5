#pragma once
// Places the date and time ticks on a scale: maps, records and draws what datetimeelapsed and
// datetimeticks computed, and raises the scale's tick events. Called from the scale's label
// dispatch while it draws.

class QPainter;

namespace chart {

class TScale;

// Elapsed-time ticks (values in seconds); false, with nothing drawn, when the range needs
// numeric ticks instead.
bool DrawElapsedTimeScale(TScale& scale, QPainter*& canvas, int axis);

// Date-time ticks (values are day counts), or the text that says why the range has none.
void DrawDateTimeScale(TScale& scale, QPainter*& canvas, int axis);

} // namespace chart
