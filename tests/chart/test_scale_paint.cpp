// TScale painting on real images: transparent and opaque paths, frames, the own picture,
// the paint gates and the rendering events.

#include "support_scaledrawing.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

using namespace chart;
using testsupport::MakeScale;

namespace {

QColor Pixel(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Paints the scale once onto img through a painter at the given offsets.
void PaintOnto(TScale& s, QImage& img, int ox = 0, int oy = 0)
{
    QPainter p(&img);
    s.SetTargetCanvas(&p, ox, oy);
    s.ForceRepaint();
    s.SetTargetCanvas(nullptr, 0, 0);
}

int DarkRun(const QImage& img, int x, int y, int dx, int dy)
{
    int n = 0;
    while (x >= 0 && y >= 0 && x < img.width() && y < img.height() && Pixel(img, x, y) == Qt::black) {
        ++n;
        x += dx;
        y += dy;
    }
    return n;
}

TEST(TransparentPaint, DrawsLineAndTicksStraightOntoTheTarget)
{
    auto s = MakeScale(sctXB, 0, 1);
    s->SetLabelType(ftNoFigs);
    QImage img = WhiteImage(400, 400);
    PaintOnto(*s, img);
    EXPECT_EQ(DarkRun(img, 20, 379, 1, 0), 360); // base line x 20 … 379
    EXPECT_EQ(Pixel(img, 19, 379), Qt::white);
    EXPECT_EQ(DarkRun(img, 38, 379, 0, -1), 4);  // short tick
    EXPECT_EQ(DarkRun(img, 92, 379, 0, -1), 7);  // labelled tick
    EXPECT_EQ(Pixel(img, 200, 200), Qt::white);  // nothing else touched
}

TEST(TransparentPaint, VerticalTicksPointAwayFromTheLabels)
{
    auto s = MakeScale(sctYR, 0, 1);
    s->SetLabelType(ftNoFigs);
    s->SetColorScale(clRed);
    QImage img = WhiteImage(400, 400);
    PaintOnto(*s, img, 5, 0);
    const int axisX = 5 + 379;
    EXPECT_EQ(Pixel(img, axisX, 200), QColor(Qt::red));
    EXPECT_EQ(Pixel(img, axisX - 5, 20), QColor(Qt::red)); // 6-pixel tick at 1.0 reaches x − 5
    EXPECT_EQ(Pixel(img, axisX - 6, 20), Qt::white);
    EXPECT_EQ(Pixel(img, axisX + 1, 20), Qt::white);
}

TEST(TransparentPaint, BaseLineCanBeLeftOut)
{
    auto s = MakeScale(sctXT, 0, 1);
    s->SetLabelType(ftNoFigs);
    s->SetShowBaseLine(false);
    QImage img = WhiteImage(400, 400);
    PaintOnto(*s, img);
    EXPECT_EQ(Pixel(img, 21, 20), Qt::white); // between ticks on the line
    EXPECT_EQ(Pixel(img, 20, 20), Qt::black); // the tick at 0
}

TEST(OpaquePaint, FillsFramesAndCopiesToTheOffset)
{
    auto s = MakeScale(sctXB, 0, 1);
    s->SetTransparent(false);
    s->SetBounds(0, 0, 100, 60);
    s->SetColorBackGnd(clYellow);
    s->SetLabelType(ftNoFigs);
    QImage img = WhiteImage(130, 90);
    PaintOnto(*s, img, 10, 20);
    EXPECT_EQ(Pixel(img, 9, 20), Qt::white);
    EXPECT_EQ(Pixel(img, 50, 40), QColor(Qt::yellow));
    // fsLowered: grey top-left and white bottom-right outside, black and silver inside.
    EXPECT_EQ(Pixel(img, 10, 20), QColor(128, 128, 128));
    EXPECT_EQ(Pixel(img, 10 + 99, 20 + 59), QColor(Qt::white));
    EXPECT_EQ(Pixel(img, 11, 21), QColor(Qt::black));
    EXPECT_EQ(Pixel(img, 10 + 98, 20 + 58), QColor(192, 192, 192));
    EXPECT_EQ(Pixel(img, 10 + 50, 20 + 39), QColor(Qt::black)); // base line at y = 60 − 20 − 1
}

struct FrameCase {
    TFrameStyle style;
    QColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

class FrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameTest, DrawsTheBevel)
{
    const FrameCase& c = GetParam();
    auto s = MakeScale(sctXB, 0, 1);
    s->SetTransparent(false);
    s->SetBounds(0, 0, 50, 50);
    s->SetColorBackGnd(clBlue);
    s->SetFrameStyle(c.style);
    QImage img = WhiteImage(50, 50);
    PaintOnto(*s, img);
    EXPECT_EQ(Pixel(img, 0, 10), c.outerTopLeft);
    EXPECT_EQ(Pixel(img, 49, 10), c.outerBottomRight);
    EXPECT_EQ(Pixel(img, 1, 10), c.innerTopLeft);
    EXPECT_EQ(Pixel(img, 48, 10), c.innerBottomRight);
}

const QColor Grey(128, 128, 128), Silver(192, 192, 192), White(Qt::white), Black(Qt::black), Blue(Qt::blue);

INSTANTIATE_TEST_SUITE_P(Styles, FrameTest,
                         ::testing::Values(FrameCase{fsNone, Blue, Blue, Blue, Blue},
                                           FrameCase{fsSimple, Black, Black, Blue, Blue},
                                           FrameCase{fsLowered, Grey, White, Black, Silver},
                                           FrameCase{fsRaised, White, Black, Silver, Grey},
                                           FrameCase{fsEmbossed, White, Grey, Grey, White},
                                           FrameCase{fsEngraved, Grey, White, White, Grey}));

TEST(OpaquePaint, SystemSchemeUsesThePaletteShades)
{
    TScale s;
    s.SetColorScheme(csSystem);
    EXPECT_EQ(s.FrameColorShadow(), clBtnShadow);
    EXPECT_EQ(s.FrameColorHighlight(), clBtnHighlight);
    s.SetColorScheme(csBWG);
    EXPECT_EQ(s.FrameColorShadow(), clGray);
    EXPECT_EQ(s.FrameColorHighlight(), clWhite);
}

TEST(OwnCanvas, TheWidgetShowsItsPicture)
{
    TScale s; // opaque: every change paints its picture at once
    s.SetLabelType(ftNoFigs);
    s.SetColorBackGnd(clWhite);
    s.SetFrameStyle(fsNone);
    const QImage shown = s.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(400, 400));
    EXPECT_EQ(Pixel(shown, 200, 379), Qt::black);
    EXPECT_EQ(Pixel(shown, 200, 200), Qt::white);
    EXPECT_GT(s.NumTicks(), 0);
}

TEST(OwnCanvas, TransparentScalePaintsWhenTheToolkitAsks)
{
    TScale s;
    s.SetTransparent(true);
    s.SetRangeHigh(3600); // transparent and not direct: waits for paintEvent
    EXPECT_EQ(s.NumTicks(), 0);
    const QImage shown = s.grab().toImage();
    EXPECT_EQ(s.NumTicks(), 19); // 0 … 3600 in steps of 200
    EXPECT_EQ(QColor(shown.pixel(200, 379)), Qt::black);
}

TEST(PaintGates, SuspendedInvisibleAndForced)
{
    auto s = MakeScale(sctXB, 0, 1);
    QImage img = WhiteImage(400, 400);
    QPainter p(&img);
    s->SetTargetCanvas(&p, 0, 0);
    s->RequestRepaint(); // suspended
    EXPECT_EQ(s->NumTicks(), 0);
    s->ForceRepaint();
    EXPECT_EQ(s->NumTicks(), 21);
    EXPECT_TRUE(s->SuspendPaint());

    s->SetRangeHigh(3600);
    s->SetVisible(false);
    s->ForceRepaint();
    EXPECT_EQ(s->NumTicks(), 21); // invisible: the last drawing stands
    s->SetVisible(true);
    s->SetSuspendPaint(false); // clearing it repaints
    EXPECT_EQ(s->NumTicks(), 19);

    s->SetDirectPaint(false); // transparent, not direct: the toolkit repaints later
    s->SetRangeHigh(1);
    EXPECT_EQ(s->NumTicks(), 19);
    s->SetDirectPaint(true);
    EXPECT_EQ(s->NumTicks(), 21);
    s->SetTargetCanvas(nullptr, 0, 0);
}

TEST(PaintEvents, BeforeAndAfterGetTheCanvasesDrawnOn)
{
    for (bool transparent : {true, false}) {
        auto s = MakeScale(sctXB, 0, 1);
        s->SetTransparent(transparent);
        QImage img = WhiteImage(400, 400);
        QPainter p(&img);
        QPainter* before = nullptr;
        QPainter* after = nullptr;
        QFont afterFont;
        s->OnBeforeScaleRendered = [&](TScale* sender, QPainter* c) {
            EXPECT_EQ(sender, s.get());
            before = c;
        };
        s->OnAfterScaleRendered = [&](TScale*, QPainter* c) {
            after = c;
            afterFont = c->font();
        };
        s->SetTargetCanvas(&p, 0, 0);
        s->ForceRepaint();
        EXPECT_EQ(before, &p);
        if (transparent)
            EXPECT_EQ(after, &p);
        else
            EXPECT_NE(after, &p); // the bitmap's canvas
        EXPECT_EQ(afterFont.pixelSize(), s->Font().Font.pixelSize());
        s->SetTargetCanvas(nullptr, 0, 0);
    }
}

TEST(PaintEvents, TickHandlerMayReplaceTheCanvas)
{
    auto s = MakeScale(sctXB, 0, 1);
    s->SetLabelType(ftNoFigs);
    s->SetShortTicks(false);
    QImage first = WhiteImage(400, 400);
    QImage second = WhiteImage(400, 400);
    QPainter p1(&first);
    QPainter p2(&second);
    p2.setPen(Qt::black);
    int calls = 0;
    s->OnScaleTickDrawn = [&](TScale*, QPainter*& canvas, TScaleType type, double, int x, int y) {
        EXPECT_EQ(type, sctXB);
        EXPECT_EQ(y, 379);
        if (++calls == 1) {
            EXPECT_EQ(x, 20);
            canvas = &p2; // later ticks go to the second image
        }
    };
    s->SetTargetCanvas(&p1, 0, 0);
    s->ForceRepaint();
    p1.end();
    p2.end();
    EXPECT_EQ(calls, 6);
    EXPECT_EQ(DarkRun(first, 20, 379, 0, -1), 7);
    EXPECT_EQ(Pixel(first, 92, 375), Qt::white);
    EXPECT_EQ(DarkRun(second, 92, 379, 0, -1), 7);
}

} // namespace

namespace {

TEST(OwnCanvas, MouseEventsOfTheWidget)
{
    TScale s;
    s.show();
    int clicks = 0, doubles = 0, downs = 0, ups = 0, moves = 0;
    QPoint down;
    s.OnClick = [&](TScale* sender) {
        EXPECT_EQ(sender, &s);
        ++clicks;
    };
    s.OnDblClick = [&](TScale*) { ++doubles; };
    s.OnMouseDown = [&](TScale*, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        EXPECT_EQ(b, Qt::LeftButton);
        down = QPoint(x, y);
        ++downs;
    };
    s.OnMouseUp = [&](TScale*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++ups; };
    s.OnMouseMove = [&](TScale*, Qt::KeyboardModifiers, int, int) { ++moves; };
    QTest::mouseClick(&s, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_EQ(down, QPoint(30, 40));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    QTest::mouseDClick(&s, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(doubles, 1);
    QTest::mouseMove(&s, QPoint(50, 60));
    QMouseEvent move(QEvent::MouseMove, QPointF(51, 61), QPointF(51, 61), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&s, &move);
    EXPECT_GE(moves, 1);
}

} // namespace
