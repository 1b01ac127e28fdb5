// Bitmaps of the chart's cursors and the screen-wide cursor override.

#include "chart/chartcursors.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>

namespace chart {

namespace {

// CURHAND: a hand; the hot spot is the tip of the index finger.
constexpr const char* HandRows[CursorSize] = {
    "                                ",
    "                                ",
    "           XXX                  ",
    "          X...X                 ",
    "          X...X                 ",
    "          X...X                 ",
    "          X...X                 ",
    "          X...X                 ",
    "          X....XXX              ",
    "          X...X...X             ",
    "          X...X....XXX          ",
    "          X...X...X...X         ",
    "          X...X...X....XX       ",
    "    XXXXXX....X...X...X..X      ",
    "    X.........X...X...X..X      ",
    "     X........X...X...X..X      ",
    "     X........X...X...X..X      ",
    "      X...............X..X      ",
    "      X..................X      ",
    "       X.................X      ",
    "       X.................X      ",
    "        XX...............X      ",
    "          X..............X      ",
    "          X..............X      ",
    "          X..............X      ",
    "          X..............X      ",
    "           X............X       ",
    "           X............X       ",
    "           XXXXXXXXXXXXXX       ",
    "                                ",
    "                                ",
    "                                ",
};
// CURZOOMW: a frame with a cross at its top-left corner (the hot spot) and a diagonal arrow.
constexpr const char* ZoomWindRows[CursorSize] = {
    "                                ",
    "                                ",
    "                                ",
    "      ...                       ",
    "      .X.                       ",
    "      .X.                       ",
    "      .X.                       ",
    "      .X.                       ",
    " ......X.....................   ",
    " .XXXXXXXXXXXXXXXXXXXXXXXXXX.   ",
    " ......X...................X.   ",
    "      .X.                 .X.   ",
    "      .X. ...             .X.   ",
    "      .X. .X..            .X.   ",
    "      .X. ..X..           .X.   ",
    "      .X.  ..X..          .X.   ",
    "      .X.   ..X..         .X.   ",
    "      .X.    ..X..        .X.   ",
    "      .X.     ..X..       .X.   ",
    "      .X.      ..X..  ... .X.   ",
    "      .X.       ..X.. .X. .X.   ",
    "      .X.        ..X...X. .X.   ",
    "      .X.         ..X..X. .X.   ",
    "      .X.          ..X.X. .X.   ",
    "      .X.        .....XX. .X.   ",
    "      .X.        .XXXXXX. .X.   ",
    "      .X...................X.   ",
    "      .XXXXXXXXXXXXXXXXXXXXX.   ",
    "      .......................   ",
    "                                ",
    "                                ",
    "                                ",
};
// CURZOOMD: four diagonal arrows about a small square whose centre is the hot spot.
constexpr const char* ZoomDragRows[CursorSize] = {
    "                                ",
    "                                ",
    "                                ",
    "   ........         ........    ",
    "   .XXXXXX.         .XXXXXX.    ",
    "   .XX.....         .....XX.    ",
    "   .X.X..             ..X.X.    ",
    "   .X..X..           ..X..X.    ",
    "   .X...X..         ..X...X.    ",
    "   .X. ..X..       ..X.. .X.    ",
    "   ...  ..X..     ..X..  ...    ",
    "         ..X..   ..X..          ",
    "          ..X.....X..           ",
    "           ..XXXXX..            ",
    "            .X...X.             ",
    "            .X.X.X.             ",
    "            .X...X.             ",
    "           ..XXXXX..            ",
    "          ..X.....X..           ",
    "         ..X..   ..X..          ",
    "   ...  ..X..     ..X..  ...    ",
    "   .X. ..X..       ..X.. .X.    ",
    "   .X...X..         ..X...X.    ",
    "   .X..X..           ..X..X.    ",
    "   .X.X..             ..X.X.    ",
    "   .XX.....         .....XX.    ",
    "   .XXXXXX.         .XXXXXX.    ",
    "   ........         ........    ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};
// CURZOOMP: the frame of CURZOOMW with plus and minus marks; the hot spot is its corner.
constexpr const char* ZoomPosRows[CursorSize] = {
    "                                ",
    "                                ",
    "      ...                       ",
    "      .X.                       ",
    "      .X.                       ",
    "      .X.                       ",
    "      .X.                       ",
    " ......X.....................   ",
    " .XXXXXXXXXXXXXXXXXXXXXXXXXX.   ",
    " ......X...................X.   ",
    "      .X.       .XX.      .X.   ",
    "      .X.       .XX.      .X.   ",
    "      .X.       .XX.      .X.   ",
    "      .X.   .....XX....   .X.   ",
    "      .X.   .XXXXXXXXX.   .X.   ",
    "      .X.   .XXXXXXXXX.   .X.   ",
    "      .X.   .....XX....   .X.   ",
    "      .X.       .XX.      .X.   ",
    "      .X.       .XX.      .X.   ",
    "      .X.       ....      .X.   ",
    "      .X.                 .X.   ",
    "      .X.   ...........   .X.   ",
    "      .X.   .XXXXXXXXX.   .X.   ",
    "      .X.   .XXXXXXXXX.   .X.   ",
    "      .X.   ...........   .X.   ",
    "      .X.                 .X.   ",
    "      .X...................X.   ",
    "      .XXXXXXXXXXXXXXXXXXXXX.   ",
    "      .......................   ",
    "                                ",
    "                                ",
    "                                ",
};

constexpr CursorBitmap HandBitmap{HandRows, 12, 3};
constexpr CursorBitmap ZoomWindBitmap{ZoomWindRows, 7, 9};
constexpr CursorBitmap ZoomDragBitmap{ZoomDragRows, 15, 15};
constexpr CursorBitmap ZoomPosBitmap{ZoomPosRows, 7, 8};

// A 1-bit image with a bit set where the row character is one of `set`.
QBitmap BitsOf(const CursorBitmap& c, const char* set)
{
    QImage img(CursorSize, CursorSize, QImage::Format_Mono);
    img.setColor(0, qRgb(255, 255, 255));
    img.setColor(1, qRgb(0, 0, 0));
    img.fill(0);
    for (int y = 0; y < CursorSize; ++y)
        for (int x = 0; x < CursorSize; ++x)
            for (const char* s = set; *s; ++s)
                if (c.Rows[y][x] == *s)
                    img.setPixel(x, y, 1);
    return QBitmap::fromImage(img);
}

QCursor MakeCursor(const CursorBitmap& c)
{
    // Bitmap 1 = black; mask 1 = drawn (a clear bit under a set mask bit shows white).
    return QCursor(BitsOf(c, "X"), BitsOf(c, "X."), c.HotX, c.HotY);
}

int CurrentScreenCursor = crDefault;
bool OverrideSet = false; // whether the override on the toolkit's stack is the chart's

} // namespace

const CursorBitmap* ChartCursorBitmap(int number)
{
    switch (number) {
    case crHandCursor: return &HandBitmap;
    case crZoomWindCursor: return &ZoomWindBitmap;
    case crZoomDragCursor: return &ZoomDragBitmap;
    case crZoomPosCursor: return &ZoomPosBitmap;
    default: return nullptr;
    }
}

QCursor ChartCursor(int number)
{
    if (number == crCross)
        return QCursor(Qt::CrossCursor);
    if (const CursorBitmap* c = ChartCursorBitmap(number))
        return MakeCursor(*c);
    return QCursor(Qt::ArrowCursor);
}

void SetScreenCursor(int number)
{
    if (number == crDefault) {
        if (OverrideSet)
            QGuiApplication::restoreOverrideCursor();
        OverrideSet = false;
        CurrentScreenCursor = crDefault;
        return;
    }
    if (OverrideSet && number == CurrentScreenCursor)
        return;
    if (OverrideSet)
        QGuiApplication::changeOverrideCursor(ChartCursor(number));
    else
        QGuiApplication::setOverrideCursor(ChartCursor(number));
    OverrideSet = true;
    CurrentScreenCursor = number;
}

int ScreenCursor()
{
    return CurrentScreenCursor;
}

} // namespace chart
