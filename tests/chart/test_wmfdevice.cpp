// QPainter drawing on the metafile device: which records come out, object caching, clipping,
// the picture frame, text, images and saving.

#include "chart/chartbase.h"
#include "chart/wmfdevice.h"
#include "chart/wmfrecords.h"
#include "support_wmfreader.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace chart;
using namespace chart::wmf;
using wmftest::Metafile;

namespace {

constexpr double ScreenDpi = 96;

Metafile Draw(const std::function<void(QPainter&)>& paint, QSize size = {200, 100}, double dpi = ScreenDpi)
{
    WmfDevice device(size, dpi);
    QPainter p(&device);
    paint(p);
    p.end();
    Metafile m = wmftest::ReadWmf(device.Bytes());
    EXPECT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    return m;
}

// Rectangle and Ellipse records hold bottom, right, top, left.
QRect GdiBox(const wmftest::Record& r) { return QRect(QPoint(r.Int(3), r.Int(2)), QPoint(r.Int(1), r.Int(0))); }

} // namespace

TEST(WmfDevice, PenIsWrittenOnlyWhenItChanges)
{
    const Metafile m = Draw([](QPainter& p) {
        p.setPen(QPen(Qt::red, 1));
        for (int i = 0; i < 50; ++i)
            p.drawLine(0, i, 100, i);
        for (int i = 0; i < 10; ++i) {
            p.setPen(QPen(i % 2 ? Qt::blue : Qt::green, 1));
            p.drawLine(0, i, 100, i);
            p.drawLine(0, i + 1, 100, i + 1);
        }
    });
    EXPECT_EQ(m.Count(META_CREATEPENINDIRECT), 11);
    EXPECT_EQ(m.Count(META_SELECTOBJECT), 11);
    EXPECT_EQ(m.Count(META_DELETEOBJECT), 11); // each replaced pen, and the last one at the end
    EXPECT_LE(m.maxLiveObjects, 2);
    EXPECT_EQ(m.Count(META_SETBKMODE), 1);
}

struct PenCase {
    const char* name;
    QPen pen;
    qreal scale;
    uint16_t style;
    int width;
    TColor color;
};

class WmfPenTest : public ::testing::TestWithParam<PenCase> {};

TEST_P(WmfPenTest, MapsStyleWidthAndColour)
{
    const PenCase& c = GetParam();
    const Metafile m = Draw([&c](QPainter& p) {
        p.scale(c.scale, c.scale);
        p.setPen(c.pen);
        p.drawLine(1, 1, 20, 20);
    });
    const auto* pen = m.First(META_CREATEPENINDIRECT);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->UInt(0), c.style);
    EXPECT_EQ(pen->Int(1), c.width);
    EXPECT_EQ(pen->DWord(3), c.color);
}

INSTANTIATE_TEST_SUITE_P(
    Pens, WmfPenTest,
    ::testing::Values(
        PenCase{"solid", QPen(QColor(255, 0, 0), 1), 1, PS_SOLID, 1, 0x0000FF},
        PenCase{"dotted_grid", QPen(QColor(128, 128, 128), 1, Qt::DotLine), 1, PS_DOT, 1, 0x808080},
        PenCase{"dash", QPen(QColor(0, 0, 128), 1, Qt::DashLine), 1, PS_DASH, 1, 0x800000},
        PenCase{"dash_dot", QPen(Qt::black, 1, Qt::DashDotLine), 1, PS_DASHDOT, 1, 0},
        PenCase{"dash_dot_dot", QPen(Qt::black, 1, Qt::DashDotDotLine), 1, PS_DASHDOTDOT, 1, 0},
        PenCase{"cosmetic_zero", QPen(QColor(1, 2, 3), 0), 3, PS_SOLID, 1, 0x030201},
        PenCase{"wide_square_bevel", QPen(QColor(0, 0, 128), 2), 1, uint16_t(PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL), 2, 0x800000},
        PenCase{"wide_round", QPen(QBrush(Qt::black), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin), 1,
                uint16_t(PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND), 4, 0},
        PenCase{"wide_flat_miter", QPen(QBrush(Qt::black), 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin), 1,
                uint16_t(PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER), 3, 0},
        PenCase{"scaled_width", QPen(Qt::black, 3), 2, uint16_t(PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL), 6, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct BrushCase {
    const char* name;
    QBrush brush;
    uint16_t style;
    TColor color;
    uint16_t hatch;
};

class WmfBrushTest : public ::testing::TestWithParam<BrushCase> {};

TEST_P(WmfBrushTest, MapsStyleColourAndHatch)
{
    const BrushCase& c = GetParam();
    const Metafile m = Draw([&c](QPainter& p) {
        p.setPen(Qt::black);
        p.setBrush(c.brush);
        p.drawPolygon(QPolygon({QPoint(1, 1), QPoint(30, 5), QPoint(10, 40)}));
    });
    const auto* brush = m.First(META_CREATEBRUSHINDIRECT);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->UInt(0), c.style);
    if (c.style != BS_NULL) {
        EXPECT_EQ(brush->DWord(1), c.color);
    }
    EXPECT_EQ(brush->UInt(3), c.hatch);
}

INSTANTIATE_TEST_SUITE_P(
    Brushes, WmfBrushTest,
    ::testing::Values(BrushCase{"solid", QBrush(QColor(192, 192, 192)), BS_SOLID, 0xC0C0C0, 0},
                      BrushCase{"none", QBrush(Qt::NoBrush), BS_NULL, 0, 0},
                      BrushCase{"transparent", QBrush(Qt::transparent), BS_NULL, 0, 0},
                      BrushCase{"horizontal", QBrush(Qt::red, Qt::HorPattern), BS_HATCHED, 0x0000FF, HS_HORIZONTAL},
                      BrushCase{"vertical", QBrush(Qt::red, Qt::VerPattern), BS_HATCHED, 0x0000FF, HS_VERTICAL},
                      BrushCase{"rising", QBrush(Qt::red, Qt::BDiagPattern), BS_HATCHED, 0x0000FF, HS_BDIAGONAL},
                      BrushCase{"falling", QBrush(Qt::red, Qt::FDiagPattern), BS_HATCHED, 0x0000FF, HS_FDIAGONAL},
                      BrushCase{"cross", QBrush(Qt::red, Qt::CrossPattern), BS_HATCHED, 0x0000FF, HS_CROSS},
                      BrushCase{"diagonal_cross", QBrush(Qt::red, Qt::DiagCrossPattern), BS_HATCHED, 0x0000FF, HS_DIAGCROSS},
                      BrushCase{"gradient", QBrush(QLinearGradient(0, 0, 1, 1)), BS_SOLID, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WmfDevice, RectanglesCoverTheSamePixelsAsQPainter)
{
    const Metafile m = Draw([](QPainter& p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(10, 20, 30, 40)); // outline on columns 10 and 40
        p.fillRect(QRect(10, 20, 30, 40), QColor(255, 255, 0)); // pixels 10..39
        p.translate(5, 6);
        p.drawRect(QRectF(0, 0, 10, 10));
    });
    const auto rects = m.All(META_RECTANGLE);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(GdiBox(rects[0]), QRect(QPoint(10, 20), QPoint(41, 61)));
    EXPECT_EQ(GdiBox(rects[1]), QRect(QPoint(10, 20), QPoint(40, 60)));
    EXPECT_EQ(GdiBox(rects[2]), QRect(QPoint(5, 6), QPoint(16, 17)));
    // The fill's outline is drawn in the fill colour.
    const auto pens = m.All(META_CREATEPENINDIRECT);
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[1].DWord(3), 0x00FFFFu);
    const auto brushes = m.All(META_CREATEBRUSHINDIRECT);
    ASSERT_EQ(brushes.size(), 3u);
    EXPECT_EQ(brushes[0].UInt(0), BS_NULL);
    EXPECT_EQ(brushes[1].DWord(1), 0x00FFFFu);
}

TEST(WmfDevice, ConnectedLinesContinueFromThePenPosition)
{
    const Metafile m = Draw([](QPainter& p) {
        p.drawLine(0, 0, 10, 0);
        p.drawLine(10, 0, 10, 10);
        p.drawLine(50, 50, 60, 60);
        p.drawPolyline(QPolygon({QPoint(1, 2), QPoint(3, 4), QPoint(5, 6)}));
    });
    EXPECT_EQ(m.Count(META_MOVETO), 2);
    EXPECT_EQ(m.Count(META_LINETO), 3);
    const auto* poly = m.First(META_POLYLINE);
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->Int(0), 3);
    EXPECT_EQ(poly->Int(1), 1);
    EXPECT_EQ(poly->Int(6), 6);
}

TEST(WmfDevice, PolygonFillRules)
{
    const QPolygon triangle({QPoint(0, 0), QPoint(20, 0), QPoint(10, 20)});
    const Metafile m = Draw([&triangle](QPainter& p) {
        p.setBrush(Qt::blue);
        p.drawPolygon(triangle, Qt::OddEvenFill);
        p.drawPolygon(triangle, Qt::WindingFill);
        p.drawPolygon(triangle, Qt::WindingFill);
    });
    const auto modes = m.All(META_SETPOLYFILLMODE);
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].Int(0), ALTERNATE);
    EXPECT_EQ(modes[1].Int(0), WINDING);
    EXPECT_EQ(m.Count(META_POLYGON), 3);
}

TEST(WmfDevice, PathsBecomePolygonsAndPolylines)
{
    const Metafile m = Draw([](QPainter& p) {
        QPainterPath holes;
        holes.addRect(10, 10, 50, 50);
        holes.addRect(20, 20, 10, 10);
        p.setBrush(Qt::red);
        p.drawPath(holes);
        QPainterPath open;
        open.moveTo(0, 0);
        open.lineTo(30, 5);
        open.lineTo(40, 40);
        p.setBrush(Qt::NoBrush);
        p.drawPath(open);
    });
    const auto* pp = m.First(META_POLYPOLYGON);
    ASSERT_NE(pp, nullptr);
    EXPECT_EQ(pp->Int(0), 2);
    EXPECT_EQ(pp->Int(1), 4); // the closing point is left to the format
    EXPECT_EQ(pp->Int(2), 4);
    const auto* line = m.First(META_POLYLINE);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Int(0), 3);
}

TEST(WmfDevice, PointsArePixelsInThePenColour)
{
    const Metafile m = Draw([](QPainter& p) {
        p.setPen(QColor(0, 0, 255));
        p.drawPoint(7, 9);
        p.fillRect(QRect(30, 31, 1, 1), QColor(0, 255, 0));
        p.setPen(QPen(QColor(0, 255, 0), 3));
        p.drawPoint(20, 20);
    });
    const auto* px = m.First(META_SETPIXEL);
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(px->DWord(0), 0xFF0000u);
    EXPECT_EQ(px->Int(2), 9);
    EXPECT_EQ(px->Int(3), 7);
    const auto pixels = m.All(META_SETPIXEL);
    ASSERT_EQ(pixels.size(), 2u); // a one-pixel fill is a pixel too
    EXPECT_EQ(pixels[1].DWord(0), 0x00FF00u);
    EXPECT_EQ(pixels[1].Int(3), 30);
    EXPECT_EQ(m.Count(META_CREATEBRUSHINDIRECT), 1);
    const auto* dot = m.First(META_RECTANGLE); // a wide square-capped point: a 3 x 3 square
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(GdiBox(*dot), QRect(QPoint(19, 19), QPoint(22, 22)));
}

TEST(WmfDevice, ClipRectangleIsSavedAndRestored)
{
    const Metafile m = Draw([](QPainter& p) {
        p.setPen(Qt::black);
        p.drawLine(0, 0, 5, 5);
        p.setClipRect(QRect(50, 20, 100, 60));
        p.setPen(Qt::red); // replaces the pen the saved state holds
        p.drawLine(0, 0, 199, 99);
        p.setClipRect(QRect(10, 10, 20, 20));
        p.setPen(Qt::black);
        p.drawLine(0, 0, 199, 99);
        p.setClipping(false);
        p.drawLine(0, 0, 5, 5);
    });
    // The reader checks that no object a saved state holds is deleted before its restore.
    const int save = m.IndexOf(META_SAVEDC);
    ASSERT_GE(save, 0);
    const auto clips = m.All(META_INTERSECTCLIPRECT);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(GdiBox(clips[0]), QRect(QPoint(50, 20), QPoint(150, 80))); // right and bottom excluded
    EXPECT_EQ(GdiBox(clips[1]), QRect(QPoint(10, 10), QPoint(30, 30)));
    EXPECT_EQ(m.Count(META_SAVEDC), 2);
    EXPECT_EQ(m.Count(META_RESTOREDC), 2);
    const int restore = m.IndexOf(META_RESTOREDC);
    EXPECT_LT(restore, m.IndexOf(META_SAVEDC, save + 1)); // the second clip replaces the first
}

TEST(WmfDevice, FrameIsTheBoundingBoxOfWhatWasDrawn)
{
    WmfDevice device({300, 200}, ScreenDpi);
    QPainter p(&device);
    p.fillRect(QRect(0, 0, 200, 100), Qt::white);
    p.setClipRect(QRect(0, 0, 150, 80));
    p.fillRect(QRect(-50, -50, 1000, 1000), Qt::blue); // cut by the clip: no wider frame
    p.setClipping(false);
    p.drawLine(200, 100, 200, 100); // reaches the corner without drawing a pixel
    p.end();
    EXPECT_EQ(device.Frame(), QRect(0, 0, 200, 100));
    const Metafile m = wmftest::ReadWmf(device.Bytes());
    EXPECT_EQ(m.right, 200);
    EXPECT_EQ(m.bottom, 100);
    const auto* ext = m.First(META_SETWINDOWEXT);
    ASSERT_NE(ext, nullptr);
    EXPECT_EQ(ext->Int(0), 100);
    EXPECT_EQ(ext->Int(1), 200);
}

TEST(WmfDevice, FrameKeepsThePhysicalSizeOfTheScreen)
{
    // 200 x 100 pixels of a 120 dpi screen are 5/3 x 5/6 inch: 160 x 80 units of 1/96 inch.
    WmfDevice device({300, 200}, 120);
    QPainter p(&device);
    p.fillRect(QRect(0, 0, 200, 100), Qt::white);
    p.drawLine(200, 100, 200, 100);
    p.end();
    const Metafile m = wmftest::ReadWmf(device.Bytes());
    EXPECT_EQ(m.right, 160);
    EXPECT_EQ(m.bottom, 80);
    EXPECT_EQ(device.logicalDpiY(), 120);
}

TEST(WmfDevice, EmptyPictureSpansTheDevice)
{
    WmfDevice device({123, 45}, ScreenDpi);
    QPainter(&device).end();
    const Metafile m = wmftest::ReadWmf(device.Bytes());
    EXPECT_TRUE(m.problems.isEmpty());
    EXPECT_EQ(m.right, 123);
    EXPECT_EQ(m.bottom, 45);
}

TEST(WmfDevice, TextIsPlacedOnItsBaselineWithQtAdvances)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    WmfDevice device({200, 100}, ScreenDpi);
    QPainter p(&device);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QPointF(10, 50), QStringLiteral("Sync [us]"));
    p.drawText(QPointF(10, 80), QStringLiteral("again"));
    p.end();
    const Metafile m = wmftest::ReadWmf(device.Bytes());
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    EXPECT_EQ(m.Count(META_CREATEFONTINDIRECT), 1);
    const auto* f = m.First(META_CREATEFONTINDIRECT);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Int(0), -13);
    EXPECT_EQ(f->Int(4), 700);
    const auto* align = m.First(META_SETTEXTALIGN);
    ASSERT_NE(align, nullptr);
    EXPECT_EQ(align->Int(0), TA_BASELINE);
    const auto* colour = m.First(META_SETTEXTCOLOR);
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->DWord(0), 0x800000u);
    const auto* text = m.First(META_EXTTEXTOUT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Int(0), 50);
    EXPECT_EQ(text->Int(1), 10);
    EXPECT_EQ(wmftest::TextOf(*text), "Sync [us]");
    const auto dx = wmftest::AdvancesOf(*text);
    int sum = 0;
    for (int d : dx)
        sum += d;
    EXPECT_EQ(sum, qRound(QFontMetricsF(font, &device).horizontalAdvance(QStringLiteral("Sync [us]"))));
}

TEST(WmfDevice, PointSizedFontsUseTheScreenResolution)
{
    for (double dpi : {96.0, 120.0}) {
        const Metafile m = Draw(
            [](QPainter& p) {
                p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
                p.drawText(5, 20, QStringLiteral("x"));
            },
            {100, 50}, dpi);
        const auto* f = m.First(META_CREATEFONTINDIRECT);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Int(0), -qRound(9 * dpi / 72)) << dpi;
    }
}

TEST(WmfDevice, RotatedTextCarriesItsEscapement)
{
    const Metafile m = Draw([](QPainter& p) {
        p.translate(20, 80);
        p.rotate(-90); // reads upwards, as a vertical axis caption
        p.drawText(0, 0, QStringLiteral("Up"));
    });
    const auto* f = m.First(META_CREATEFONTINDIRECT);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Int(2), 900);
    const auto* text = m.First(META_EXTTEXTOUT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Int(0), 80);
    EXPECT_EQ(text->Int(1), 20);
}

TEST(WmfDevice, OpaqueBackgroundIsDrawnUnderneath)
{
    const Metafile m = Draw([](QPainter& p) {
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(QColor(255, 255, 0));
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawLine(0, 10, 100, 10); // gaps in the background colour
        p.setPen(Qt::black);
        p.drawText(10, 50, QStringLiteral("Opaque"));
    });
    // QPainter lays the background down itself, so players never fill anything twice.
    for (const auto& mode : m.All(META_SETBKMODE))
        EXPECT_EQ(mode.Int(0), TRANSPARENT);
    const auto pens = m.All(META_CREATEPENINDIRECT);
    ASSERT_GE(pens.size(), 2u);
    EXPECT_EQ(pens[0].UInt(0), PS_SOLID);
    EXPECT_EQ(pens[0].DWord(3), 0x00FFFFu);
    EXPECT_EQ(pens[1].UInt(0), PS_DOT);
    const auto* box = m.First(META_CREATEBRUSHINDIRECT);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->DWord(1), 0x00FFFFu);
    const int rect = m.IndexOf(META_RECTANGLE);
    ASSERT_GE(rect, 0);
    EXPECT_LT(rect, m.IndexOf(META_EXTTEXTOUT));
}

TEST(WmfDevice, XorDrawingSetsTheRasterOperation)
{
    const Metafile m = Draw([](QPainter& p) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.drawLine(0, 0, 10, 10);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.drawLine(0, 0, 10, 10);
    });
    const auto rops = m.All(META_SETROP2);
    ASSERT_EQ(rops.size(), 2u);
    EXPECT_EQ(rops[0].Int(0), R2_XORPEN);
    EXPECT_EQ(rops[1].Int(0), R2_COPYPEN);
}

TEST(WmfDevice, ImagesBecomeDibs)
{
    QImage img(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            img.setPixel(x, y, qRgb(60 * x, 80 * y, 10));
    QImage translucent(2, 2, QImage::Format_ARGB32);
    translucent.fill(qRgba(0, 0, 0, 0));
    const Metafile m = Draw([&](QPainter& p) {
        p.drawImage(QRect(5, 6, 40, 30), img);
        p.drawImage(QPoint(50, 50), translucent);
    });
    const auto dibs = m.All(META_STRETCHDIB);
    ASSERT_EQ(dibs.size(), 2u);
    EXPECT_EQ(wmftest::DibOf(dibs[0]), img);
    EXPECT_EQ(dibs[0].Int(8), 40);
    EXPECT_EQ(dibs[0].Int(10), 5);
    EXPECT_EQ(wmftest::DibOf(dibs[1]).pixel(0, 0), qRgb(255, 255, 255)); // flattened onto white
}

TEST(WmfDevice, SaveWritesTheBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pic.wmf"));
    WmfDevice device({50, 50}, ScreenDpi);
    QPainter p(&device);
    p.drawLine(0, 0, 50, 50);
    p.end();
    QString error;
    ASSERT_TRUE(device.Save(path, &error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), device.Bytes());
}

TEST(WmfDevice, SaveIntoAMissingFolderFailsWithAReason)
{
    QTemporaryDir dir;
    WmfDevice device({50, 50}, ScreenDpi);
    QPainter(&device).end();
    QString error;
    EXPECT_FALSE(device.Save(dir.filePath(QStringLiteral("no/such/folder/pic.wmf")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WmfDevice, FailedSaveLeavesTheOlderFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pic.wmf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older picture");
    }
    WmfDevice device({400, 400}, ScreenDpi);
    QPainter p(&device);
    for (int i = 0; i < 400; ++i)
        p.drawLine(0, i, 399 - i, 399);
    p.end();

    QString error;
    bool saved_ok = true;
    {
        const FileSizeLimit fullDisk(1024);
        ASSERT_TRUE(fullDisk.Active());
        saved_ok = device.Save(path, &error);
    }

    EXPECT_FALSE(saved_ok);
    EXPECT_FALSE(error.isEmpty());
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("older picture"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("pic.wmf")}); // no leftovers
}
