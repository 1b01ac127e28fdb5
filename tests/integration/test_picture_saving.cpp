// "Save picture": the chart in its state of the moment, written as a placeable metafile under the
// chosen name with its extension replaced by .wmf, or as SVG, PDF or PNG when the selected filter
// or the typed extension says so.

#include "support_measurement.h"

#include "app/TSaveDialog.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

using testing_support::ScriptedDialogs;

namespace {

// The placeable metafile key, little-endian, at the start of every file the export writes.
constexpr unsigned char PlaceableKey[] = {0xD7, 0xCD, 0xC6, 0x9A};

QByteArray Head(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(64) : QByteArray();
}

bool IsPlaceableMetafile(const QString& path)
{
    return Head(path).startsWith(QByteArray(reinterpret_cast<const char*>(PlaceableKey), sizeof PlaceableKey));
}

// What a file holds, told by its first bytes.
enum class Kind { None, Wmf, Svg, Pdf, Png, Other };

Kind KindOf(const QString& path)
{
    const QByteArray head = Head(path);
    if (head.isEmpty())
        return Kind::None;
    if (IsPlaceableMetafile(path))
        return Kind::Wmf;
    if (head.startsWith("<?xml") && head.contains("<svg"))
        return Kind::Svg;
    if (head.startsWith("%PDF-"))
        return Kind::Pdf;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return Kind::Png;
    return Kind::Other;
}

constexpr int WmfFilter = 1, SvgFilter = 2, PdfFilter = 3, PngFilter = 4, AllFilesFilter = 5;

class PictureSaving : public testing_support::MeasurementWindow {};

TEST_F(PictureSaving, DialogSettingsAndCancelWritesNothing)
{
    StartWithoutPort();
    QTemporaryDir folder;
    dialogs.AnswerSaveDialogs({std::nullopt});
    form->Button2->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const app::SaveDialogRequest& request = dialogs.shown[0].request;
    EXPECT_EQ(request.title, QStringLiteral("Select file name"));
    EXPECT_EQ(request.filter,
              QStringLiteral("WMF files|*.wmf|SVG files|*.svg|PDF files|*.pdf|PNG files|*.png|All files|*.*"));
    EXPECT_EQ(request.filterIndex, WmfFilter);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(dialogs.Texts(ScriptedDialogs::Kind::Error).isEmpty());
}

TEST_F(PictureSaving, ExtensionIsReplacedByWmf)
{
    StartWithoutPort();
    QTemporaryDir folder;
    const struct {
        QString chosen, written;
    } cases[] = {
        {QStringLiteral("sync.bmp"), QStringLiteral("sync.wmf")},
        {QStringLiteral("sync"), QStringLiteral("sync.wmf")},
        {QStringLiteral("run.2.wmf"), QStringLiteral("run.wmf")},
    };
    for (const auto& c : cases) {
        dialogs.AnswerSaveDialogs({folder.filePath(c.chosen)});
        form->Button2->click();
        EXPECT_TRUE(IsPlaceableMetafile(folder.filePath(c.written))) << c.chosen.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("sync.bmp"))));
    EXPECT_TRUE(dialogs.Texts(ScriptedDialogs::Kind::Error).isEmpty());
}

TEST_F(PictureSaving, DuringAMeasurementLeavesStateAlone)
{
    StartWithDevice({"--sync", "constant:12"});
    Switch();
    Tick();
    Tick();
    const int items = Chart().ItemCount();
    const QStringList log = Log();
    QTemporaryDir folder;
    dialogs.AnswerSaveDialogs({folder.filePath(QStringLiteral("live"))});
    form->Button2->click();
    EXPECT_TRUE(IsPlaceableMetafile(folder.filePath(QStringLiteral("live.wmf"))));
    EXPECT_EQ(Chart().ItemCount(), items);
    EXPECT_EQ(Log(), log);
    EXPECT_EQ(form->MeasurementCount, 2);
}

TEST_F(PictureSaving, UnwritableFileShowsTheErrorAndKeepsTheWindowWorking)
{
    StartWithoutPort();
    QTemporaryDir folder;
    const QString bad = folder.filePath(QStringLiteral("no/such/folder/sync.wmf"));
    const QString good = folder.filePath(QStringLiteral("sync.wmf"));
    dialogs.AnswerSaveDialogs({bad, good});
    form->Button2->click();
    const QStringList errors = dialogs.Texts(ScriptedDialogs::Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot create file"))) << errors[0].toStdString();
    form->Button2->click();
    EXPECT_TRUE(IsPlaceableMetafile(good));
}

TEST_F(PictureSaving, FormatFollowsTheFilterOrTheTypedExtension)
{
    StartWithoutPort();
    Record(5);
    Record(-3);
    const struct {
        int filter;
        QString chosen, written;
        Kind kind;
    } cases[] = {
        // The metafile filter keeps its rule, whatever the name says.
        {WmfFilter, QStringLiteral("a.png"), QStringLiteral("a.wmf"), Kind::Wmf},
        {SvgFilter, QStringLiteral("b"), QStringLiteral("b.svg"), Kind::Svg},
        {SvgFilter, QStringLiteral("c.svg"), QStringLiteral("c.svg"), Kind::Svg},
        {PdfFilter, QStringLiteral("d.bmp"), QStringLiteral("d.pdf"), Kind::Pdf},
        {PngFilter, QStringLiteral("e.2.png"), QStringLiteral("e.2.png"), Kind::Png},
        // A typed extension of the four wins over another format's filter.
        {SvgFilter, QStringLiteral("f.png"), QStringLiteral("f.png"), Kind::Png},
        {AllFilesFilter, QStringLiteral("g.pdf"), QStringLiteral("g.pdf"), Kind::Pdf},
        {AllFilesFilter, QStringLiteral("h.2.wmf"), QStringLiteral("h.wmf"), Kind::Wmf},
        {AllFilesFilter, QStringLiteral("i.bmp"), QStringLiteral("i.wmf"), Kind::Wmf},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        dialogs.AnswerSaveDialog(folder.filePath(c.chosen), c.filter);
        form->Button2->click();
        EXPECT_EQ(KindOf(folder.filePath(c.written)), c.kind) << c.chosen.toStdString();
    }
    // Nothing but the files above: no name as typed where it was replaced, no temporary file.
    QStringList written;
    for (const auto& c : cases)
        written << c.written;
    written.sort();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), written);
    EXPECT_TRUE(dialogs.Texts(ScriptedDialogs::Kind::Error).isEmpty());
}

TEST_F(PictureSaving, UnwritableFileOfEachFormatNamesItInTheErrorBox)
{
    StartWithoutPort();
    QTemporaryDir folder;
    for (int filter : {SvgFilter, PdfFilter, PngFilter}) {
        dialogs.Clear();
        const QString bad = folder.filePath(QStringLiteral("no/such/folder/sync"));
        dialogs.AnswerSaveDialog(bad, filter);
        form->Button2->click();
        const QStringList errors = dialogs.Texts(ScriptedDialogs::Kind::Error);
        ASSERT_EQ(errors.size(), 1) << filter;
        const QString written = bad + QLatin1Char('.') + form->SaveDialogPicture->FilterPattern().mid(2);
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot create file \"%1\"").arg(written))) << errors[0].toStdString();
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    // A good name saves afterwards, in the screen's colours.
    dialogs.AnswerSaveDialog(folder.filePath(QStringLiteral("sync.png")), PngFilter);
    form->Button2->click();
    ASSERT_EQ(KindOf(folder.filePath(QStringLiteral("sync.png"))), Kind::Png);
    const QImage png(folder.filePath(QStringLiteral("sync.png")));
    EXPECT_EQ(png.size(), Chart().size());
    EXPECT_EQ(png.pixel(1, 1), chart::ToQColor(Chart().WindColor(), Chart().palette()).rgb());
}

} // namespace
