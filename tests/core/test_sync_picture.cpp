// Saving the sync chart's picture as the window and duoclave-cli do: the file the chosen name and
// filter stand for, in the chart's screen colours.

#include "chart/layerchart.h"
#include "core/SyncChart.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SaveSyncPicture, WritesTheFileTheNameAndFilterStandForAndReturnsIt)
{
    QTemporaryDir dir;
    chart::TLayerChart c;
    core::ApplySyncChartSettings(c);
    const struct {
        const char* chosen;
        std::optional<chart::TPictureFormat> filter;
        const char* written;
        QByteArray head;
    } cases[] = {{"a.svg", std::nullopt, "a.svg", "<?xml"},
                 {"b.2.wmf", std::nullopt, "b.wmf", QByteArray("\xD7\xCD\xC6\x9A", 4)},
                 {"sync.bmp", std::nullopt, "sync.wmf", QByteArray("\xD7\xCD\xC6\x9A", 4)},
                 {"c", chart::pfPdf, "c.pdf", "%PDF-"},
                 {"d.bmp", chart::pfPng, "d.png", "\x89PNG"}};
    for (const auto& k : cases) {
        const QString written = core::SaveSyncPicture(c, dir.filePath(QString::fromLatin1(k.chosen)), k.filter);
        EXPECT_EQ(written, dir.filePath(QString::fromLatin1(k.written)));
        QFile f(written);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << k.written;
        EXPECT_TRUE(f.read(8).startsWith(k.head)) << k.written;
    }
    // The screen's colours, not black and white.
    const QImage png(dir.filePath(QStringLiteral("d.png")));
    EXPECT_EQ(png.size(), c.size());
    EXPECT_EQ(png.pixel(1, 1), chart::ToQColor(c.WindColor(), c.palette()).rgb());
}

} // namespace
