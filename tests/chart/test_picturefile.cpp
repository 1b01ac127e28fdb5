// Which format and file a chosen picture name stands for, with and without a dialog filter.

#include "chart/picturefile.h"

#include <gtest/gtest.h>
#include <optional>

using namespace chart;

namespace {

struct TargetCase {
    const char* chosen;
    std::optional<TPictureFormat> filter; // nothing: "All files" or the command line
    TPictureFormat format;
    const char* written;
};

class PictureTargetTest : public ::testing::TestWithParam<TargetCase> {};

} // namespace

TEST_P(PictureTargetTest, FormatAndName)
{
    const TargetCase& c = GetParam();
    const PictureTarget target = PictureTargetFor(QString::fromUtf8(c.chosen), c.filter);
    EXPECT_EQ(target.Format, c.format) << c.chosen;
    EXPECT_EQ(target.FileName, QString::fromUtf8(c.written)) << c.chosen;
}

INSTANTIATE_TEST_SUITE_P(
    WmfFilter, PictureTargetTest,
    ::testing::Values(
        // The metafile's own rule, whatever the name says.
        TargetCase{"sync.bmp", pfWmf, pfWmf, "sync.wmf"}, TargetCase{"sync", pfWmf, pfWmf, "sync.wmf"},
        TargetCase{"run.2.wmf", pfWmf, pfWmf, "run.wmf"}, TargetCase{"sync.png", pfWmf, pfWmf, "sync.wmf"},
        TargetCase{"/data/v1.0/sync.svg", pfWmf, pfWmf, "/data/v1.0/sync.wmf"},
        TargetCase{"C:\\pictures\\sync.pdf", pfWmf, pfWmf, "C:\\pictures\\sync.wmf"}));

INSTANTIATE_TEST_SUITE_P(
    FormatFilters, PictureTargetTest,
    ::testing::Values(
        // The name as typed when it carries the filter's extension, in any case.
        TargetCase{"sync.svg", pfSvg, pfSvg, "sync.svg"}, TargetCase{"run.2.pdf", pfPdf, pfPdf, "run.2.pdf"},
        TargetCase{"/data/v1.0/Sync.PNG", pfPng, pfPng, "/data/v1.0/Sync.PNG"},
        // A typed extension of the four wins over the filter.
        TargetCase{"sync.png", pfSvg, pfPng, "sync.png"}, TargetCase{"sync.pdf", pfPng, pfPdf, "sync.pdf"},
        // ... a typed .wmf keeps the metafile's rule.
        TargetCase{"run.2.wmf", pfPdf, pfWmf, "run.wmf"},
        // Any other extension is replaced by the filter's, as the metafile's is.
        TargetCase{"sync.bmp", pfSvg, pfSvg, "sync.svg"}, TargetCase{"sync", pfPdf, pfPdf, "sync.pdf"},
        TargetCase{"run.2", pfPng, pfPng, "run.png"},
        TargetCase{"/data/v1.0/sync", pfPng, pfPng, "/data/v1.0/sync.png"}));

INSTANTIATE_TEST_SUITE_P(
    NoFilter, PictureTargetTest,
    ::testing::Values(TargetCase{"sync.svg", std::nullopt, pfSvg, "sync.svg"},
                      TargetCase{"out/sync.pdf", std::nullopt, pfPdf, "out/sync.pdf"},
                      TargetCase{"sync.png", std::nullopt, pfPng, "sync.png"},
                      TargetCase{"run.2.wmf", std::nullopt, pfWmf, "run.wmf"},
                      // Anything else is a metafile, as it always was.
                      TargetCase{"sync.bmp", std::nullopt, pfWmf, "sync.wmf"},
                      TargetCase{"sync", std::nullopt, pfWmf, "sync.wmf"},
                      TargetCase{"sync.png.bak", std::nullopt, pfWmf, "sync.wmf"},
                      TargetCase{"/data/v1.png/sync", std::nullopt, pfWmf, "/data/v1.png/sync.wmf"}));

TEST(PictureFormat, ExtensionsBothWays)
{
    for (TPictureFormat f : {pfWmf, pfSvg, pfPdf, pfPng}) {
        EXPECT_EQ(PictureFormatOfExtension(PictureExtension(f)), f);
        EXPECT_EQ(PictureFormatOfExtension(PictureExtension(f).toUpper()), f);
    }
    for (const char* other : {"", "bmp", "*", "svgz", "p"})
        EXPECT_EQ(PictureFormatOfExtension(QString::fromLatin1(other)), std::nullopt) << other;
}

TEST(PictureFormat, OfADialogFiltersPattern)
{
    const struct {
        const char* pattern;
        std::optional<TPictureFormat> format;
    } cases[] = {{"*.wmf", pfWmf},         {"*.svg", pfSvg},         {"*.pdf", pfPdf}, {" *.png ", pfPng},
                 {"*.PNG", pfPng},         {"*.*", std::nullopt},    {"*.bmp", std::nullopt}, {"", std::nullopt},
                 {"svg", std::nullopt},    {"*.svg;*.png", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureFormatOfPattern(QString::fromLatin1(c.pattern)), c.format) << c.pattern;
}
