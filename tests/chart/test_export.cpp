// ExportMetafile of the layer chart: file name, picture frame, clip, colour and black-and-white
// exports, restoring the chart afterwards whatever happens, and libwmf's view of the file.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"
#include "chart/wmffileerror.h"
#include "chart/wmfrecords.h"
#include "support_layerchart.h"
#include "support_libwmf.h"
#include "support_wmfreader.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace chart;
using namespace chart::wmf;
using namespace charttest;

namespace {

constexpr int ProgramWidth = 681;
constexpr int ProgramHeight = 281;
constexpr TColor Navy = 0x800000;
constexpr double AllowedMismatch = 0.01;

std::unique_ptr<TLayerChart> ProgramChart(int samples)
{
    auto c = std::make_unique<TLayerChart>();
    ApplyProgramChartSettingsForTest(*c);
    c->show();
    if (samples > 0) {
        AppendRandomWalk(*c, samples, 7);
        FitLikeMeasurement(*c);
    }
    c->Redraw();
    c->Paint();
    return c;
}

QRect GdiBox(const wmftest::Record& r) { return QRect(QPoint(r.Int(3), r.Int(2)), QPoint(r.Int(1), r.Int(0))); }

// Pen colours of the pens created in records [from, to).
std::vector<TColor> PenColours(const wmftest::Metafile& m, int from, int to)
{
    std::vector<TColor> out;
    for (int i = std::max(0, from); i < std::min(to, int(m.records.size())); ++i)
        if (m.records[size_t(i)].function == META_CREATEPENINDIRECT)
            out.push_back(m.records[size_t(i)].DWord(3));
    return out;
}

bool Contains(const std::vector<TColor>& v, TColor c) { return std::find(v.begin(), v.end(), c) != v.end(); }

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

// Gives every swapped colour a value of its own, so a mix-up on restoring shows.
void GiveDistinctColours(TLayerChart& c)
{
    c.SetWindColor(0x102030);
    c.SetChartColor(0xF0F0E0);
    c.SetChartFrameColor(0x203040);
    TFont f = c.Font();
    f.Color = 0x304050;
    c.SetFont(f);
    c.SetShadowColor(0x405060);
    c.SetShadowBakColor(0x506070);
    for (int n = 1; n <= NumLayers; ++n) {
        c.ScaleX(n)->SetColorScale(TColor(0x000100 * n + 1));
        c.ScaleY(n)->SetColorScale(TColor(0x000100 * n + 2));
    }
}

} // namespace

struct ExportNameCase {
    const char* given;
    const char* written;
};

class ExportNameTest : public ::testing::TestWithParam<ExportNameCase> {};

TEST_P(ExportNameTest, WritesTheNameWithItsExtensionReplaced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("v1.0")));
    auto c = ProgramChart(0);
    c->ExportMetafile(dir.filePath(QString::fromUtf8(GetParam().given)), false);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QString::fromUtf8(GetParam().written))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QString::fromUtf8(GetParam().given))) &&
                 QString::fromUtf8(GetParam().given) != QString::fromUtf8(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Names, ExportNameTest,
                         ::testing::Values(ExportNameCase{"sync.bmp", "sync.wmf"}, ExportNameCase{"sync", "sync.wmf"},
                                           ExportNameCase{"run.2.wmf", "run.wmf"},
                                           ExportNameCase{"v1.0/sync", "v1.0/sync.wmf"},
                                           ExportNameCase{"v1.0/run.2.bmp", "v1.0/run.wmf"}));

TEST(ExportMetafile, PictureFrameSpansTheControlAndItemsAreClippedToTheArea)
{
    QTemporaryDir dir;
    auto c = ProgramChart(3701);
    const QString path = dir.filePath(QStringLiteral("sync.wmf"));
    c->ExportMetafile(path, false);
    const auto m = wmftest::ReadWmfFile(path);
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();

    const double dpi = c->logicalDpiX();
    EXPECT_EQ(m.right, int(std::lround(ProgramWidth * 96.0 / dpi)));
    EXPECT_EQ(m.bottom, int(std::lround(ProgramHeight * 96.0 / dpi)));
    const auto* ext = m.First(META_SETWINDOWEXT);
    ASSERT_NE(ext, nullptr);
    EXPECT_EQ(ext->Int(1), ProgramWidth);
    EXPECT_EQ(ext->Int(0), ProgramHeight);

    // Screen and recording share one resolution: the clip is exactly the chart area less its
    // last column and row.
    const int s = c->ShadowWidth();
    const auto* clip = m.First(META_INTERSECTCLIPRECT);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(GdiBox(*clip), QRect(QPoint(c->LRim(), c->TRim()),
                                   QPoint(ProgramWidth - c->RRim() - s - 1, ProgramHeight - c->BRim() - s - 1)));

    // The data line is drawn inside the clip, the frame, scales and caption outside it.
    const int save = m.IndexOf(META_SAVEDC);
    const int restore = m.IndexOf(META_RESTOREDC);
    ASSERT_GE(save, 0);
    ASSERT_GT(restore, save);
    EXPECT_TRUE(Contains(PenColours(m, save, restore), Navy));
    EXPECT_FALSE(Contains(PenColours(m, 0, save), Navy));
    EXPECT_FALSE(Contains(PenColours(m, restore, int(m.records.size())), Navy));
    EXPECT_GT(m.Count(META_EXTTEXTOUT), 3); // caption and scale labels
    int linePoints = 0;
    for (const auto& r : m.All(META_POLYLINE))
        linePoints += r.Int(0);
    EXPECT_GE(linePoints, 3601);
}

TEST(ExportMetafile, EmptyChartHasFrameScalesAndCaptionButNoLine)
{
    QTemporaryDir dir;
    auto c = ProgramChart(0);
    const QString path = dir.filePath(QStringLiteral("empty.wmf"));
    c->ExportMetafile(path, false);
    const auto m = wmftest::ReadWmfFile(path);
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    EXPECT_FALSE(Contains(PenColours(m, 0, int(m.records.size())), Navy));
    bool caption = false;
    for (const auto& r : m.All(META_EXTTEXTOUT))
        caption = caption || wmftest::TextOf(r) == "Sync [us]";
    EXPECT_TRUE(caption);
    EXPECT_EQ(m.right, int(std::lround(ProgramWidth * 96.0 / c->logicalDpiX())));
}

TEST(ExportMetafile, LeavesTheChartAsItWas)
{
    QTemporaryDir dir;
    auto c = ProgramChart(500);
    c->SetLayerRange(1, true, 10, -5, 300, 5, false); // a zoom with a history entry
    c->Paint();
    const QImage before = c->WindowPicture().copy();
    const int items = c->ItemCount();
    const int historyNext = c->ZoomHistoryNext();
    const double low = c->ScaleX(1)->RangeLow(), high = c->ScaleY(1)->RangeHigh();

    for (bool blackAndWhite : {false, true}) {
        c->ExportMetafile(dir.filePath(QStringLiteral("a.wmf")), blackAndWhite);
        EXPECT_EQ(c->ItemCount(), items);
        EXPECT_EQ(c->ZoomHistoryNext(), historyNext);
        EXPECT_EQ(c->ScaleX(1)->RangeLow(), low);
        EXPECT_EQ(c->ScaleY(1)->RangeHigh(), high);
        EXPECT_FALSE(c->PaintSuspended());
        EXPECT_EQ(c->WindowPicture(), before) << blackAndWhite;
        // The scales draw onto the chart's own picture again.
        c->Paint();
        EXPECT_EQ(c->WindowPicture(), before) << blackAndWhite;
    }
}

TEST(ExportMetafile, BlackAndWhiteSwapsTheColoursForTheExportOnly)
{
    QTemporaryDir dir;
    auto c = ProgramChart(300);
    GiveDistinctColours(*c);
    const std::vector<TColor> colours = SwappedColours(*c);
    const QString path = dir.filePath(QStringLiteral("bw.wmf"));
    c->ExportMetafile(path, true);
    EXPECT_EQ(SwappedColours(*c), colours);

    const auto m = wmftest::ReadWmfFile(path);
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    const auto brushes = m.All(META_CREATEBRUSHINDIRECT);
    ASSERT_FALSE(brushes.empty());
    EXPECT_EQ(brushes.front().DWord(1), 0xFFFFFFu); // the window background is white
    bool silverShadow = false;
    for (const auto& b : brushes)
        silverShadow = silverShadow || b.DWord(1) == 0xC0C0C0u;
    EXPECT_TRUE(silverShadow);
    const int save = m.IndexOf(META_SAVEDC), restore = m.IndexOf(META_RESTOREDC);
    EXPECT_FALSE(Contains(PenColours(m, 0, int(m.records.size())), Navy)); // items are black
    EXPECT_TRUE(Contains(PenColours(m, save, restore), clBlack));
    for (const auto& t : m.All(META_SETTEXTCOLOR))
        EXPECT_EQ(t.DWord(0), 0u);
    for (TColor scaleColour : {TColor(0x000101), TColor(0x000102)}) // no scale kept its own colour
        EXPECT_FALSE(Contains(PenColours(m, 0, save), scaleColour));
}

TEST(ExportMetafile, SwapAndRestoreArePairs)
{
    auto c = ProgramChart(0);
    GiveDistinctColours(*c);
    const std::vector<TColor> colours = SwappedColours(*c);
    c->SwapToBlackAndWhite();
    c->SwapToBlackAndWhite(); // must not save the black-and-white set over the real one
    EXPECT_EQ(c->WindColor(), clWhite);
    EXPECT_EQ(c->ScaleY(16)->ColorScale(), clBlack);
    c->RestoreColours();
    EXPECT_EQ(SwappedColours(*c), colours);
    c->RestoreColours();
    EXPECT_EQ(SwappedColours(*c), colours);
}

TEST(ExportMetafile, UnwritableFileRaisesAFileErrorAndRestoresTheChart)
{
    QTemporaryDir dir;
    auto c = ProgramChart(300);
    GiveDistinctColours(*c);
    c->Paint();
    const std::vector<TColor> colours = SwappedColours(*c);
    const QImage before = c->WindowPicture().copy();
    const QString wanted = dir.filePath(QStringLiteral("missing/sync.bmp"));
    try {
        c->ExportMetafile(wanted, true);
        FAIL() << "no error for an unwritable file";
    } catch (const EWmfFileError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.filePath(QStringLiteral("missing/sync.wmf")).toStdString()),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(SwappedColours(*c), colours);
    c->Paint();
    EXPECT_EQ(c->WindowPicture(), before);
}

TEST(ExportMetafile, AFailingHandlerMidwayStillRestoresTheChart)
{
    QTemporaryDir dir;
    auto c = ProgramChart(300);
    GiveDistinctColours(*c);
    c->Paint();
    const std::vector<TColor> colours = SwappedColours(*c);
    const QImage before = c->WindowPicture().copy();
    bool armed = true;
    c->OnDataRendered = [&armed](TCustomLayerChart*, QPainter*&, int, int) {
        if (armed)
            throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(c->ExportMetafile(dir.filePath(QStringLiteral("x.wmf")), true), std::runtime_error);
    armed = false;
    EXPECT_EQ(SwappedColours(*c), colours);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("x.wmf"))));
    c->Paint();
    EXPECT_EQ(c->WindowPicture(), before);
}

TEST(ExportMetafile, SuspendedPaintingDoesNotStopTheExport)
{
    QTemporaryDir dir;
    auto c = ProgramChart(300);
    c->SetPaintSuspended(true);
    for (bool blackAndWhite : {false, true}) {
        const QString path = dir.filePath(QStringLiteral("s.wmf"));
        c->ExportMetafile(path, blackAndWhite);
        const auto m = wmftest::ReadWmfFile(path);
        EXPECT_TRUE(m.problems.isEmpty());
        EXPECT_GT(m.Count(META_POLYLINE), 0);
        EXPECT_TRUE(c->PaintSuspended());
    }
}

TEST(ExportMetafile, LibwmfRendersTheChartAsTheScreenShowsIt)
{
    QTemporaryDir dir;
    auto c = ProgramChart(3701);
    const QImage screen = c->WindowPicture().copy();
    const QString path = dir.filePath(QStringLiteral("sync.wmf"));
    c->ExportMetafile(path, false);
    const auto rendered = wmftest::RenderWithLibwmf(path, screen.size());
    ASSERT_FALSE(rendered.image.isNull()) << rendered.run.errors.toStdString();

    // Text lies in the rims: the caption above the area, the labels left of and below it.
    const int W = c->width(), H = c->height(), s = c->ShadowWidth();
    const QVector<QRect> text{QRect(0, 0, W - s, c->TRim() - 1), QRect(0, 0, c->LRim() - 1, H - s - 1),
                              QRect(0, H - c->BRim() + 1, W - s, c->BRim() - s - 2)};
    const double mismatch = wmftest::MismatchShare(screen, rendered, text);
    EXPECT_LT(mismatch, AllowedMismatch);
    std::printf("mismatch share %.4f\n", mismatch);
}
