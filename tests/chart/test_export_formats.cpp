// The SVG, PDF and PNG exports of the layer chart, read back by independent readers: each renders
// like the screen, SVG and PDF keep their text as text, black and white, and the chart restored
// and no half file left whatever goes wrong.

#include "chart/layerchart.h"
#include "chart/picturefileerror.h"
#include "chart/scaleprops.h"
#include "support_exportreaders.h"
#include "support_layerchart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>

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
