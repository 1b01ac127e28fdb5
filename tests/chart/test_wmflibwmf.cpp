// The independent reader: libwmf must convert our files without complaint, and its rendering must
// match what the same QPainter code draws on a QImage.

#include "chart/wmfdevice.h"
#include "support_libwmf.h"
#include "support_wmfreader.h"

#include <QFileInfo>
#include <cstdio>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace chart;

namespace {

constexpr double ScreenDpi = 96;
constexpr QSize PictureSize(320, 200);
constexpr double AllowedMismatch = 0.01;

using Scene = std::function<void(QPainter&)>;

QString Record(const Scene& scene, const QString& path, QSize size = PictureSize)
{
    WmfDevice device(size, ScreenDpi);
    QPainter p(&device);
    scene(p);
    p.end();
    QString error;
    EXPECT_TRUE(device.Save(path, &error)) << error.toStdString();
    return path;
}

QImage Paint(const Scene& scene, QSize size = PictureSize)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    scene(p);
    return img;
}

// What a chart draws: background, shadow faces, outline, frame, dotted grid, a thick data line cut
// by the chart area, filled shapes, single pixels, a bitmap, text.
const QRect ChartArea(50, 20, 240, 130);
const QRect CaptionBox(100, 0, 140, 20);

void ChartLikeScene(QPainter& p)
{
    const int w = PictureSize.width(), h = PictureSize.height(), s = 3;
    p.setPen(QColor(192, 192, 192));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRect(0, 0, w, h).adjusted(0, 0, -1, -1));
    p.setPen(QColor(128, 128, 128));
    p.setBrush(QColor(128, 128, 128));
    p.drawPolygon(QPolygon({QPoint(s - 1, h - s), QPoint(s - 1, h - 1), QPoint(w - 1, h - 1), QPoint(w - s, h - s)}));
    p.drawPolygon(QPolygon({QPoint(w - s, h - s), QPoint(w - 1, h - 1), QPoint(w - 1, s - 1), QPoint(w - s, s - 1)}));
    p.setPen(Qt::black);
    p.drawPolyline(QPolygon({QPoint(0, 0), QPoint(w - s, 0), QPoint(w - s, h - s), QPoint(0, h - s), QPoint(0, 0)}));

    p.fillRect(ChartArea, Qt::white);
    p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    for (int x = ChartArea.left() + 30; x < ChartArea.right(); x += 40)
        p.drawLine(x, ChartArea.top(), x, ChartArea.bottom());
    for (int y = ChartArea.top() + 25; y < ChartArea.bottom(); y += 25)
        p.drawLine(ChartArea.left(), y, ChartArea.right(), y);

    p.setClipRect(ChartArea);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    QPolygon data;
    for (int i = 0; i <= 60; ++i)
        data << QPoint(ChartArea.left() - 20 + 5 * i, ChartArea.center().y() + ((i * 37) % 90) - 45 + (i == 30 ? 200 : 0));
    p.drawPolyline(data);
    p.setPen(Qt::black);
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRect(70, 100, 30, 20));
    p.setBrush(QColor(255, 0, 0));
    p.drawPolygon(QPolygon({QPoint(200, 40), QPoint(260, 60), QPoint(220, 110)}));
    p.setClipping(false);

    p.setPen(QColor(255, 0, 255));
    for (int i = 0; i < 10; ++i)
        p.drawPoint(60 + 3 * i, 160);
    // Unscaled: libwmf smooths stretched bitmaps, QPainter does not.
    QImage tile(32, 24, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixel(x, y, (x / 4 + y / 4) % 2 ? qRgb(255, 255, 0) : qRgb(0, 0, 255));
    p.drawImage(QPoint(250, 160), tile);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    p.drawText(CaptionBox, Qt::AlignCenter, QStringLiteral("Sync [us]"));
    p.drawLine(w, h, w, h);
}

// Everything the writer can emit, for the converters' acceptance.
void EveryRecordScene(QPainter& p)
{
    ChartLikeScene(p);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(QColor(200, 200, 255));
    for (Qt::PenStyle style : {Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine}) {
        p.setPen(QPen(Qt::darkRed, 1, style));
        p.drawLine(10, 10 + 5 * int(style), 100, 10 + 5 * int(style));
    }
    p.setBackgroundMode(Qt::TransparentMode);
    p.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
    p.drawEllipse(QRect(120, 120, 40, 30));
    p.setBrush(QBrush(Qt::red, Qt::HorPattern));
    QPainterPath ring;
    ring.addRect(20, 120, 40, 40);
    ring.addRect(30, 130, 20, 20);
    p.drawPath(ring);
    p.setPen(QPen(Qt::black, 5));
    p.drawPoint(300, 20);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawLine(0, 0, 100, 100);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.translate(30, 190);
    p.rotate(-90);
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 8, QFont::Bold, true));
    p.drawText(0, 0, QString::fromUtf8("µs − 20°"));
}

} // namespace

TEST(WmfLibwmf, ConvertersAcceptEveryRecordWeWrite)
{
    QTemporaryDir dir;
    const QString wmf = Record(EveryRecordScene, dir.filePath(QStringLiteral("all.wmf")));
    ASSERT_TRUE(wmftest::ReadWmfFile(wmf).problems.isEmpty());
    const struct {
        const char* program;
        const char* output;
    } converters[] = {{"wmf2svg", "all.svg"}, {"wmf2gd", "all.png"}, {"wmf2eps", "all.eps"}};
    for (const auto& c : converters) {
        const auto run = wmftest::RunLibwmf(QString::fromLatin1(c.program),
                                            {QStringLiteral("-o"), dir.filePath(QString::fromLatin1(c.output)), wmf});
        EXPECT_TRUE(run.Clean()) << c.program << " exit " << run.exitCode << ": " << run.errors.toStdString();
        EXPECT_GT(QFileInfo(dir.filePath(QString::fromLatin1(c.output))).size(), 0) << c.program;
    }
}

TEST(WmfLibwmf, RenderingMatchesQPainter)
{
    QTemporaryDir dir;
    const QString wmf = Record(ChartLikeScene, dir.filePath(QStringLiteral("chart.wmf")));
    const auto rendered = wmftest::RenderWithLibwmf(wmf, PictureSize);
    ASSERT_FALSE(rendered.image.isNull()) << rendered.run.errors.toStdString();
    const QImage drawn = Paint(ChartLikeScene);
    // Fonts differ between any two renderers; everything else must agree.
    const double mismatch = wmftest::MismatchShare(drawn, rendered, {CaptionBox});
    std::printf("mismatch share %.4f\n", mismatch);
    EXPECT_LT(mismatch, AllowedMismatch);
}

TEST(WmfLibwmf, ComparisonNoticesAWrongPicture)
{
    // The comparison itself must fail on a picture that differs, or the test above proves nothing.
    QTemporaryDir dir;
    const Scene shifted = [](QPainter& p) {
        ChartLikeScene(p);
        p.fillRect(QRect(60, 30, 120, 60), QColor(0, 128, 128));
    };
    const QString wmf = Record(shifted, dir.filePath(QStringLiteral("other.wmf")));
    const auto rendered = wmftest::RenderWithLibwmf(wmf, PictureSize);
    ASSERT_FALSE(rendered.image.isNull());
    EXPECT_GT(wmftest::MismatchShare(Paint(ChartLikeScene), rendered, {CaptionBox}), AllowedMismatch);
}
