// "Save picture": the chart in its state of the moment, written as a placeable metafile under the
// chosen name with its extension replaced by .wmf.

#include "support_measurement.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

using testing_support::ScriptedDialogs;

namespace {

// The placeable metafile key, little-endian, at the start of every file the export writes.
constexpr unsigned char PlaceableKey[] = {0xD7, 0xCD, 0xC6, 0x9A};

bool IsPlaceableMetafile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(sizeof PlaceableKey);
    return head == QByteArray(reinterpret_cast<const char*>(PlaceableKey), sizeof PlaceableKey);
}

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
    EXPECT_EQ(request.filter, QStringLiteral("WMF files|*.wmf|All files|*.*"));
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

} // namespace
