// The chart's own cursors and the screen-wide cursor override.

#include "chart/chartcursors.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <cstring>

using namespace chart;

TEST(MouseCursors, FourBitmapsOfThirtyTwoSquareWithTheirHotSpots)
{
    struct Row {
        int number, hotX, hotY;
    };
    for (const Row r : {Row{crHandCursor, 12, 3}, Row{crZoomWindCursor, 7, 9}, Row{crZoomDragCursor, 15, 15},
                        Row{crZoomPosCursor, 7, 8}}) {
        const CursorBitmap* b = ChartCursorBitmap(r.number);
        ASSERT_NE(b, nullptr) << r.number;
        EXPECT_EQ(b->HotX, r.hotX);
        EXPECT_EQ(b->HotY, r.hotY);
        int black = 0;
        for (int y = 0; y < CursorSize; ++y) {
            ASSERT_EQ(std::strlen(b->Rows[y]), size_t(CursorSize)) << r.number << " row " << y;
            for (int x = 0; x < CursorSize; ++x) {
                const char ch = b->Rows[y][x];
                ASSERT_TRUE(ch == 'X' || ch == '.' || ch == ' ') << r.number;
                black += ch == 'X';
            }
        }
        EXPECT_GT(black, 40) << r.number;
        // The hot spot lies on the drawing, not in the transparent part.
        EXPECT_NE(b->Rows[r.hotY][r.hotX], ' ') << r.number;

        const QCursor c = ChartCursor(r.number);
        EXPECT_EQ(c.shape(), Qt::BitmapCursor);
        EXPECT_EQ(c.hotSpot(), QPoint(r.hotX, r.hotY));
        const QImage bits = c.bitmap().toImage();
        const QImage mask = c.mask().toImage();
        ASSERT_EQ(bits.size(), QSize(CursorSize, CursorSize));
        for (int y = 0; y < CursorSize; ++y)
            for (int x = 0; x < CursorSize; ++x) {
                const char ch = b->Rows[y][x];
                // In a QBitmap colour 0 (white) is a set bit's opposite: set bits are black.
                EXPECT_EQ(bits.pixelIndex(x, y) == 1, ch == 'X') << r.number << " " << x << "," << y;
                EXPECT_EQ(mask.pixelIndex(x, y) == 1, ch != ' ') << r.number << " " << x << "," << y;
            }
    }
}

TEST(MouseCursors, StandardNumbers)
{
    EXPECT_EQ(ChartCursor(crDefault).shape(), Qt::ArrowCursor);
    EXPECT_EQ(ChartCursor(crCross).shape(), Qt::CrossCursor);
    EXPECT_EQ(ChartCursorBitmap(0), nullptr);
    EXPECT_EQ(ChartCursorBitmap(5), nullptr);
}

TEST(MouseCursors, ScreenCursorSetsAndClearsOnlyItsOwnOverride)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    SetScreenCursor(crZoomPosCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(7, 8));
    SetScreenCursor(crHandCursor); // changed in place, not stacked
    EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(12, 3));
    SetScreenCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ScreenCursor(), crDefault);

    // Another part's busy cursor survives the chart's reset.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SetScreenCursor(crDefault);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
}
