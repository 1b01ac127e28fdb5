// The SVG, PDF and PNG exports of the layer chart, read back by independent readers: each renders
// like the screen, SVG and PDF keep their text as text, black and white, and the chart restored
// and no half file left whatever goes wrong.

#include "chart/layerchart.h"
#include "chart/picturefileerror.h"
#include "chart/scaleprops.h"
#include "support_exportreaders.h"
#include "support_layerchart.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace chart;
using namespace charttest;

namespace {

constexpr double AllowedMismatch = 0.01;
constexpr TColor Navy = 0x800000;
const QString CaptionText = QStringLiteral("Sync [us]");

std::unique_ptr<TLayerChart> ProgramChart(int samples, unsigned seed = 7)
{
    auto c = std::make_unique<TLayerChart>();
    ApplyProgramChartSettingsForTest(*c);
    c->show();
    if (samples > 0) {
        AppendRandomWalk(*c, samples, seed);
        FitLikeMeasurement(*c);
    }
    c->Redraw();
    c->Paint();
    return c;
}

struct Format {
    TPictureFormat format;
    const char* name;
};
const Format Svg{pfSvg, "svg"}, Pdf{pfPdf, "pdf"}, Png{pfPng, "png"};

std::string FormatName(const ::testing::TestParamInfo<Format>& info) { return info.param.name; }

QString Export(TLayerChart& c, const Format& f, const QTemporaryDir& dir, bool blackAndWhite = false)
{
    const QString path = dir.filePath(QStringLiteral("chart.") + QString::fromLatin1(f.name));
    c.ExportPicture(f.format, path, blackAndWhite);
    return path;
}

exporttest::ReadPicture Read(const TLayerChart& c, const Format& f, const QString& path)
{
    switch (f.format) {
    case pfSvg: return exporttest::RenderSvg(path, c.size());
    case pfPdf: return exporttest::RenderPdf(path, c.logicalDpiX());
    default: return exporttest::DecodePng(path);
    }
}

// Text lies in the rims: the caption above the area, the labels left of and below it. Fonts
// differ between any two renderers; everything else must agree.
QVector<QRect> TextRims(const TLayerChart& c)
{
    const int W = c.width(), H = c.height(), s = c.ShadowWidth();
    return {QRect(0, 0, W - s, c.TRim() - 1), QRect(0, 0, c.LRim() - 1, H - s - 1),
            QRect(0, H - c.BRim() + 1, W - s, c.BRim() - s - 2)};
}

class ExportFormat : public ::testing::TestWithParam<Format> {};

} // namespace

TEST_P(ExportFormat, ReaderRendersTheChartAsTheScreenShowsIt)
{
    // Fitted as the measurement leaves it, and zoomed in so that the line runs out of the area
    // and must be cut at its edge.
    for (bool zoomed : {false, true}) {
        QTemporaryDir dir;
        auto c = ProgramChart(3701);
        if (zoomed) {
            const double low = c->ScaleY(1)->RangeLow(), high = c->ScaleY(1)->RangeHigh();
            const double quarter = (high - low) / 4;
            c->SetLayerRange(1, true, 1000, low + quarter, 1300, high - quarter, false);
            c->Paint();
        }
        const QImage screen = c->WindowPicture().copy();
        const auto read = Read(*c, GetParam(), Export(*c, GetParam(), dir));
        ASSERT_FALSE(read.image.isNull()) << read.run.errors.toStdString();
        const double mismatch = picturetest::MismatchShare(screen, read, TextRims(*c));
        std::printf("%s%s mismatch share %.4f\n", GetParam().name, zoomed ? " zoomed" : "", mismatch);
        EXPECT_LT(mismatch, AllowedMismatch) << zoomed;
    }
}

TEST_P(ExportFormat, ComparisonNoticesAnotherChart)
{
    // The comparison must fail on a picture that differs, or the test above proves nothing.
    QTemporaryDir dir;
    auto other = ProgramChart(3701, 11);
    const auto read = Read(*other, GetParam(), Export(*other, GetParam(), dir));
    ASSERT_FALSE(read.image.isNull()) << read.run.errors.toStdString();
    auto c = ProgramChart(3701);
    const double mismatch = picturetest::MismatchShare(c->WindowPicture(), read, TextRims(*c));
    std::printf("%s other chart mismatch share %.4f\n", GetParam().name, mismatch);
    EXPECT_GT(mismatch, AllowedMismatch);
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportFormat, ::testing::Values(Svg, Pdf, Png), FormatName);

namespace {

// Every colour the black-and-white export swaps, as one comparable list.
std::vector<TColor> SwappedColours(const TLayerChart& c)
{
    std::vector<TColor> out{c.WindColor(), c.ChartColor(), c.ChartFrameColor(), c.Font().Color, c.ShadowColor(),
                            c.ShadowBakColor()};
    for (int n = 1; n <= NumLayers; ++n) {
        out.push_back(c.ScaleX(n)->ColorScale());
        out.push_back(c.ScaleY(n)->ColorScale());
    }
    return out;
}

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

QStringList FilesIn(const QTemporaryDir& dir) { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

class ExportText : public ::testing::TestWithParam<Format> {};
class ExportOutcome : public ::testing::TestWithParam<Format> {};

} // namespace

TEST_P(ExportText, CaptionAndLabelsStayText)
{
    QTemporaryDir dir;
    auto c = ProgramChart(3701);
    const QString path = Export(*c, GetParam(), dir);
    // The y labels of the fitted walk are whole hundreds; one of them is enough to show that
    // the scales' labels are text as well as the caption.
    const QString label = QString::number(std::ceil(c->ScaleY(1)->RangeLow() / 100 + 1) * 100);
    if (GetParam().format == pfSvg) {
        const QStringList texts = exporttest::SvgTexts(path);
        EXPECT_TRUE(texts.contains(CaptionText)) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.contains(label)) << label.toStdString() << ": " << texts.join('|').toStdString();
    } else {
        // Qt compresses the page's stream: only a reader that inflates it finds the words.
        const QString text = exporttest::PdfText(path);
        EXPECT_TRUE(text.contains(CaptionText)) << text.toStdString();
        EXPECT_TRUE(text.contains(label)) << label.toStdString() << ": " << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(VectorFormats, ExportText, ::testing::Values(Svg, Pdf), FormatName);

TEST_P(ExportOutcome, BlackAndWhiteDrawsAsThePngOfTheWindowInBlackAndWhite)
{
    QTemporaryDir dir;
    auto c = ProgramChart(3701);
    const QImage colour = c->WindowPicture().copy();
    const QString pngPath = dir.filePath(QStringLiteral("bw-reference.png"));
    c->ExportPng(pngPath, true);
    const auto reference = exporttest::DecodePng(pngPath);
    ASSERT_FALSE(reference.image.isNull()) << reference.run.errors.toStdString();
    // The reference itself: items black where the screen has them navy, a white window.
    EXPECT_EQ(CountColour(reference.image, qRgb(0, 0, 128)), 0);
    EXPECT_EQ(reference.image.pixel(c->LRim() / 2, c->height() / 2), qRgb(255, 255, 255));
    int navyNowBlack = 0, navy = 0;
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            if (colour.pixel(x, y) == qRgb(0, 0, 128)) {
                ++navy;
                navyNowBlack += reference.image.pixel(x, y) == qRgb(0, 0, 0);
            }
    EXPECT_GT(navy, 0);
    EXPECT_EQ(navyNowBlack, navy);

    const auto read = Read(*c, GetParam(), Export(*c, GetParam(), dir, true));
    ASSERT_FALSE(read.image.isNull()) << read.run.errors.toStdString();
    EXPECT_EQ(CountColour(read.image, qRgb(0, 0, 128)), 0);
    EXPECT_LT(picturetest::MismatchShare(reference.image, read, TextRims(*c)), AllowedMismatch);
}

TEST_P(ExportOutcome, LeavesTheChartAsItWas)
{
    QTemporaryDir dir;
    auto c = ProgramChart(500);
    c->SetLayerRange(1, true, 10, -5, 300, 5, false); // a zoom with a history entry
    c->Paint();
    const QImage before = c->WindowPicture().copy();
    const int items = c->ItemCount();
    const int historyNext = c->ZoomHistoryNext();
    const std::vector<TColor> colours = SwappedColours(*c);

    for (bool blackAndWhite : {false, true}) {
        Export(*c, GetParam(), dir, blackAndWhite);
        EXPECT_EQ(c->ItemCount(), items);
        EXPECT_EQ(c->ZoomHistoryNext(), historyNext);
        EXPECT_EQ(c->ScaleX(1)->RangeLow(), 10);
        EXPECT_EQ(SwappedColours(*c), colours);
        EXPECT_FALSE(c->PaintSuspended());
        EXPECT_EQ(c->WindowPicture(), before) << blackAndWhite;
        c->Paint(); // the scales draw onto the chart's own picture again
        EXPECT_EQ(c->WindowPicture(), before) << blackAndWhite;
    }
}

TEST_P(ExportOutcome, UnwritablePathNamesTheFileAndLeavesNothing)
{
    QTemporaryDir dir;
    auto c = ProgramChart(300);
    const std::vector<TColor> colours = SwappedColours(*c);
    const QImage before = c->WindowPicture().copy();
    const QString path = dir.filePath(QStringLiteral("missing/chart.") + QString::fromLatin1(GetParam().name));
    try {
        c->ExportPicture(GetParam().format, path, true);
        FAIL() << "no error for a folder that does not exist";
    } catch (const EPictureFileError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Cannot create file \"%1\"").arg(path)))
            << e.what();
    }
    EXPECT_TRUE(FilesIn(dir).isEmpty());
    EXPECT_EQ(SwappedColours(*c), colours);
    c->Paint();
    EXPECT_EQ(c->WindowPicture(), before);
}

// A write that fails part-way (the process's file size limit stands in for a full disk, even for
// root) keeps the earlier file as it was and leaves no temporary file.
TEST_P(ExportOutcome, FullDiskKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    auto c = ProgramChart(3701);
    const QString path = dir.filePath(QStringLiteral("chart.") + QString::fromLatin1(GetParam().name));
    const QByteArray earlier("an earlier picture");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(earlier), earlier.size());
    }
    QString message;
    {
        const FileSizeLimit fullDisk(2048);
        ASSERT_TRUE(fullDisk.Active());
        try {
            c->ExportPicture(GetParam().format, path, false);
        } catch (const EPictureFileError& e) {
            message = QString::fromUtf8(e.what());
        }
    }

    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot write file \"%1\"").arg(path))) << message.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), earlier);
    EXPECT_EQ(FilesIn(dir), QStringList{QFileInfo(path).fileName()});
}

TEST_P(ExportOutcome, AFailingHandlerMidwayStillRestoresTheChart)
{
    QTemporaryDir dir;
    auto c = ProgramChart(300);
    const std::vector<TColor> colours = SwappedColours(*c);
    const QImage before = c->WindowPicture().copy();
    bool armed = true;
    c->OnDataRendered = [&armed](TCustomLayerChart*, QPainter*&, int, int) {
        if (armed)
            throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(Export(*c, GetParam(), dir, true), std::runtime_error);
    armed = false;
    EXPECT_EQ(SwappedColours(*c), colours);
    EXPECT_TRUE(FilesIn(dir).isEmpty());
    c->Paint();
    EXPECT_EQ(c->WindowPicture(), before);
}

TEST_P(ExportOutcome, AChartNeverShownExportsAsTheShownOne)
{
    // duoclave-cli draws its chart without ever showing a window.
    QTemporaryDir dir;
    auto shown = ProgramChart(3701);
    auto hidden = std::make_unique<TLayerChart>();
    ApplyProgramChartSettingsForTest(*hidden);
    AppendRandomWalk(*hidden, 3701, 7);
    FitLikeMeasurement(*hidden);
    ASSERT_TRUE(hidden->WindowPicture().isNull());
    const auto read = Read(*hidden, GetParam(), Export(*hidden, GetParam(), dir));
    ASSERT_FALSE(read.image.isNull()) << read.run.errors.toStdString();
    EXPECT_LT(picturetest::MismatchShare(shown->WindowPicture(), read, TextRims(*shown)), AllowedMismatch);
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportOutcome, ::testing::Values(Svg, Pdf, Png), FormatName);

TEST(ExportSize, PicturesKeepTheChartsSizeOnTheScreen)
{
    QTemporaryDir dir;
    auto c = ProgramChart(0);
    const double dpi = c->logicalDpiX();
    const double widthInches = c->width() / dpi, heightInches = c->height() / dpi;

    const QImage png(Export(*c, Png, dir));
    EXPECT_EQ(png.size(), c->size());
    EXPECT_NEAR(png.dotsPerMeterX() * 0.0254, dpi, 0.5);

    // PDF keeps its page in whole points, rounded.
    const auto info = picturetest::RunReader(QStringLiteral("pdfinfo"), {Export(*c, Pdf, dir)});
    ASSERT_TRUE(info.Clean()) << info.errors.toStdString();
    const QString pageSize = QStringLiteral("Page size:       %1 x %2 pts")
                                 .arg(std::lround(widthInches * 72))
                                 .arg(std::lround(heightInches * 72));
    EXPECT_TRUE(info.output.contains(pageSize)) << info.output.toStdString();

    QFile svg(Export(*c, Svg, dir));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString head = QString::fromUtf8(svg.read(400));
    EXPECT_TRUE(head.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(c->width()).arg(c->height()))) << head.toStdString();
    EXPECT_TRUE(head.contains(QStringLiteral("width=\"%1mm\"").arg(widthInches * 25.4, 0, 'g', 6))) << head.toStdString();
}
