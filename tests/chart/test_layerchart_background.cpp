// Chart-area background (plain, image in three fill modes), text labels and crosshairs.

#include "chart/layerchart.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

using namespace chart;
using namespace charttest;

namespace {

constexpr int W = 300;
constexpr int H = 200;

// An image whose pixels tell their own position: red = x, green = y.
QString WritePositionImage(const QTemporaryDir& dir, const char* name, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, 200));
    const QString path = dir.filePath(QString::fromLatin1(name));
    img.save(path);
    return path;
}

std::unique_ptr<TLayerChart> ImageChart(const QString& path, TBkgFill mode)
{
    auto c = MakeBareChart(W, H);
    c->SetChartColor(clWhite);
    c->BackGroundImg()->SetIncludePath(true);
    c->BackGroundImg()->SetFillMode(mode);
    c->BackGroundImg()->SetName(path);
    return c;
}

TEST(LayerChartBackground, NameKeepsDirectoryOnlyWithIncludePath)
{
    TBakGndImg b;
    b.SetName(QStringLiteral("/data/pictures/back.bmp"));
    EXPECT_EQ(b.Name(), QStringLiteral("back.bmp"));
    b.SetIncludePath(true);
    b.SetName(QStringLiteral("/data/pictures/back.bmp"));
    EXPECT_EQ(b.Name(), QStringLiteral("/data/pictures/back.bmp"));
    b.SetIncludePath(false);
    EXPECT_EQ(b.Name(), QStringLiteral("back.bmp"));
    int notified = 0;
    b.OnChange = [&](TBakGndImg*) { ++notified; };
    b.SetFillMode(bfTile);
    EXPECT_EQ(notified, 1);
}

TEST(LayerChartBackground, StretchCoversTheArea)
{
    QTemporaryDir dir;
    auto c = ImageChart(WritePositionImage(dir, "s.png", 10, 10), bfStretch);
    const QSize a = c->AreaPictureSize();
    EXPECT_EQ(qRed(AreaPixel(*c, 2, 2)), 0);
    EXPECT_EQ(qRed(AreaPixel(*c, a.width() - 3, a.height() - 3)), 9);
    EXPECT_EQ(qGreen(AreaPixel(*c, a.width() - 3, a.height() - 3)), 9);
}

TEST(LayerChartBackground, SimpleDrawsImageAtItsSizeOnPlainArea)
{
    QTemporaryDir dir;
    auto c = ImageChart(WritePositionImage(dir, "p.png", 20, 10), bfSimple);
    EXPECT_EQ(AreaPixel(*c, 5, 5), qRgb(5, 5, 200));
    EXPECT_EQ(AreaPixel(*c, 25, 5), Rgb(clWhite));
    EXPECT_EQ(AreaPixel(*c, 5, 15), Rgb(clWhite));
    EXPECT_EQ(AreaPixel(*c, 0, 20), Rgb(clBlack)); // the frame
}

TEST(LayerChartBackground, TilesRepeatColumnByColumn)
{
    QTemporaryDir dir;
    auto c = ImageChart(WritePositionImage(dir, "t.png", 20, 10), bfTile);
    EXPECT_EQ(AreaPixel(*c, 3, 4), qRgb(3, 4, 200));
    EXPECT_EQ(AreaPixel(*c, 23, 4), qRgb(3, 4, 200));
    EXPECT_EQ(AreaPixel(*c, 43, 14), qRgb(3, 4, 200));
    const QSize a = c->AreaPictureSize();
    EXPECT_EQ(AreaPixel(*c, a.width() - 2, a.height() - 2), qRgb((a.width() - 2) % 20, (a.height() - 2) % 10, 200));
}

TEST(LayerChartBackground, TileLargerThanAreaDrawsOneTile)
{
    QTemporaryDir dir;
    auto c = ImageChart(WritePositionImage(dir, "big.png", 600, 400), bfTile);
    EXPECT_EQ(AreaPixel(*c, 100, 50), qRgb(100, 50, 200));
    RecordingDevice dev(W, H);
    QPainter p(&dev);
    c->DrawChartBackground(p, 0, 0);
    p.end();
    EXPECT_EQ(dev.Engine().Images, 1);
}

TEST(LayerChartBackground, ExportOffsetPlacesImageOverTheArea)
{
    QTemporaryDir dir;
    const QString path = WritePositionImage(dir, "e.png", 600, 400);
    for (TBkgFill mode : {bfSimple, bfStretch, bfTile}) {
        auto c = ImageChart(path, mode);
        QImage full(W, H, QImage::Format_RGB32);
        full.fill(Qt::black);
        QPainter p(&full);
        c->DrawChartBackground(p, c->LRim(), c->TRim());
        p.end();
        const QImage& area = c->AreaPicture();
        int differing = 0; // inside the frame that the item drawing adds on screen
        for (int y = 1; y < area.height() - 1; ++y)
            for (int x = 1; x < area.width() - 1; ++x)
                differing += (full.pixel(x + c->LRim(), y + c->TRim()) | 0xFF000000u) != (area.pixel(x, y) | 0xFF000000u);
        EXPECT_EQ(differing, 0) << mode;
        EXPECT_EQ(full.pixel(c->LRim() - 1, c->TRim() + 5) | 0xFF000000u, qRgb(0, 0, 0)) << mode; // nothing spills
    }
}

TEST(LayerChartBackground, FailedLoadDrawsPlainAreaAndForgetsName)
{
    auto c = ImageChart(QStringLiteral("/nonexistent/dir/none.bmp"), bfStretch);
    EXPECT_TRUE(c->BackGroundImg()->Name().isEmpty());
    EXPECT_EQ(AreaPixel(*c, 10, 10), Rgb(clWhite));
    EXPECT_EQ(AreaPixel(*c, 0, 10), Rgb(clBlack));
}

TEST(LayerChartTextLabels, DefaultsAndLayerRule)
{
    TLayerChart c;
    for (int n = 1; n <= NumTextLabels; ++n) {
        const TTextLabel& l = *c.TextLabel(n);
        EXPECT_EQ(l.Mode(), tlOff);
        EXPECT_EQ(l.Layer(), 1);
        EXPECT_TRUE(l.AttachToData());
        EXPECT_EQ(l.Alignment(), taCenter);
        EXPECT_EQ(l.ColorBkg(), clWhite);
        EXPECT_EQ(l.ColorShadow(), clGray);
        EXPECT_EQ(l.ShadowDx(), 3);
    }
    TTextLabel& l = *c.TextLabel(1);
    int notified = 0;
    l.OnChange = [&](TTextLabel*) { ++notified; };
    l.SetLayer(17);
    l.SetLayer(0);
    EXPECT_EQ(l.Layer(), 1);
    EXPECT_EQ(notified, 0);
    l.SetLayer(16);
    EXPECT_EQ(l.Layer(), 16);
    EXPECT_EQ(notified, 1);
}

TEST(LayerChartTextLabels, TwoLineBoxCentredOnTheWiderLine)
{
    auto c = MakeBareChart(W, H);
    c->SetChartColor(clWhite);
    TTextLabel& l = *c->TextLabel(3);
    TFont f = l.Font();
    f.Color = clBlue;
    l.SetFont(f);
    l.SetColorBorder(clRed);
    l.SetColorBkg(clYellow);
    l.SetAttachToData(false);
    l.SetPosX(150);
    l.SetPosY(120);
    l.SetCaption(QStringLiteral("A\nWWWWW"));
    l.SetMode(tlBox);
    const QFontMetrics fm(f.Font);
    const int w = fm.horizontalAdvance(QStringLiteral("WWWWW"));
    const int t = fm.height();
    const int x = 150 - w / 2;
    // Box (x - 4, y - 2t - 2) .. (x + w + 4, y + 2), right and bottom edges exclusive.
    EXPECT_EQ(WindowPixel(*c, x - 4, 110), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, x - 5, 110), Rgb(clWhite));
    EXPECT_EQ(WindowPixel(*c, x + w + 3, 110), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, x + w + 4, 110), Rgb(clWhite));
    EXPECT_EQ(WindowPixel(*c, 150, 121), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, 150, 122), Rgb(clWhite));
    EXPECT_EQ(WindowPixel(*c, 150, 120 - 2 * t - 2), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, x - 3, 120), Rgb(clYellow));
    int blue = 0;
    for (int y = 120 - 2 * t; y < 120; ++y)
        for (int xx = x; xx < x + w; ++xx)
            blue += WindowPixel(*c, xx, y) == Rgb(clBlue);
    EXPECT_GT(blue, 0);
}

TEST(LayerChartTextLabels, PixelLabelStaysThroughZoomDataLabelMoves)
{
    auto c = MakeBareChart(W, H);
    c->SetChartColor(clWhite);
    c->SetZoomRange(1, 0, 0, 10, 10);
    TTextLabel& fixed = *c->TextLabel(1);
    fixed.SetAttachToData(false);
    fixed.SetPosX(120);
    fixed.SetPosY(80);
    fixed.SetCaption(QStringLiteral("fixed"));
    fixed.SetColorBorder(clRed);
    fixed.SetMode(tlBox);
    TTextLabel& data = *c->TextLabel(2);
    data.SetPosX(5);
    data.SetPosY(3);
    data.SetCaption(QStringLiteral("data"));
    data.SetColorBorder(clGreen);
    data.SetMode(tlBox);
    auto boxOf = [&](TColor col) {
        QRect r;
        const QImage& img = c->WindowPicture();
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if ((img.pixel(x, y) | 0xFF000000u) == Rgb(col))
                    r |= QRect(x, y, 1, 1);
        return r;
    };
    const QRect fixedBefore = boxOf(clRed);
    const QRect dataBefore = boxOf(clGreen);
    ASSERT_FALSE(fixedBefore.isEmpty());
    c->SetZoomRange(1, 2, 1, 8, 6);
    EXPECT_EQ(boxOf(clRed), fixedBefore);
    EXPECT_NE(boxOf(clGreen), dataBefore);
}

TEST(LayerChartCrossHairs, DefaultsAndNotification)
{
    TLayerChart c;
    for (int n = 1; n <= NumCrossHairs; ++n) {
        EXPECT_EQ(c.CrossHair(n)->Layer(), n);
        EXPECT_EQ(c.CrossHair(n)->Mode(), chOff);
        EXPECT_EQ(c.CrossHair(n)->LineWid(), 1);
    }
    TCrossHair other;
    other.SetMode(chBoth);
    other.SetPosX(3);
    c.SetCrossHair(2, other);
    EXPECT_EQ(c.CrossHair(2)->Mode(), chBoth);
    EXPECT_EQ(c.CrossHair(2)->PosX(), 3);
}

TEST(LayerChartCrossHairs, NotDrawnOnTheFrame)
{
    auto c = MakeBareChart(W, H);
    c->SetChartColor(clWhite);
    const int top = c->TRim();
    const int bottom = H - c->BRim() - c->ShadowWidth();
    const int right = W - c->RRim() - c->ShadowWidth();
    c->SetZoomRange(1, c->LRim(), bottom, right, top); // data = control pixels (y reversed)
    TCrossHair& ch = *c->CrossHair(1);
    ch.SetColor(clRed);
    ch.SetMode(chHoriz);
    ch.SetPosY(top + 1);
    EXPECT_EQ(WindowPixel(*c, 100, top + 1), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, c->LRim() + 1, top + 1), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, right - 1, top + 1), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, right, top + 1), Rgb(clBlack)); // the frame stays
    ch.SetPosY(top);
    for (int x = c->LRim(); x <= right; ++x)
        EXPECT_EQ(WindowPixel(*c, x, top), Rgb(clBlack)) << x;
    // A wide line keeps away from the frame by half its width.
    ch.SetLineWid(4);
    ch.SetPosY(bottom - 2);
    EXPECT_NE(WindowPixel(*c, 100, bottom - 2), Rgb(clRed));
    ch.SetPosY(bottom - 3);
    EXPECT_EQ(WindowPixel(*c, 100, bottom - 3), Rgb(clRed));
    // A vertical crosshair outside the area is not drawn at all.
    ch.SetMode(chVert);
    ch.SetLineWid(1);
    ch.SetPosX(right + 10);
    for (int y = top + 1; y < bottom; ++y)
        EXPECT_NE(WindowPixel(*c, right + 10, y), Rgb(clRed));
}

} // namespace
