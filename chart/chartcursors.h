#pragma once
// The chart's four mouse cursors, drawn from monochrome bitmaps kept in the source, and the
// screen-wide cursor that the chart sets while the pointer moves over it.

#include <QCursor>

namespace chart {

// Toolkit cursor numbers the chart uses.
inline constexpr int crDefault = 0;
inline constexpr int crCross = -3;
inline constexpr int crHandCursor = 1;     // CURHAND
inline constexpr int crZoomWindCursor = 2; // CURZOOMW
inline constexpr int crZoomDragCursor = 3; // CURZOOMD
inline constexpr int crZoomPosCursor = 4;  // CURZOOMP

inline constexpr int CursorSize = 32; // every cursor is 32 x 32 pixels

// One cursor as drawn: CursorSize rows of CursorSize characters, 'X' black, '.' white,
// ' ' transparent; the hot spot is in pixels from the top-left corner.
struct CursorBitmap {
    const char* const* Rows;
    int HotX;
    int HotY;
};

// The bitmap of cursor 1..4; nullptr for any other number.
const CursorBitmap* ChartCursorBitmap(int number);

// The cursor for a toolkit cursor number: 0 the arrow, -3 the cross, 1..4 the chart's own;
// other numbers give the arrow.
QCursor ChartCursor(int number);

// Sets the screen-wide cursor (the override for every window of the application). 0 removes
// the override the chart set before and leaves overrides of others alone.
void SetScreenCursor(int number);

// The number last given to SetScreenCursor (0 at start).
int ScreenCursor();

} // namespace chart
