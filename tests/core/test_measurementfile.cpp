// The .dat file: line format, general number format, and how a save creates, replaces and fails.

#include "core/EFileError.h"
#include "core/MeasurementFile.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>


namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct GeneralRow {
    double value;
    const char* text;
};

class GeneralFormat : public ::testing::TestWithParam<GeneralRow> {};

TEST_P(GeneralFormat, ShortestDecimalForm)
{
    EXPECT_EQ(core::FormatGeneral(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, GeneralFormat,
                         ::testing::Values(GeneralRow{0, "0"}, GeneralRow{-12, "-12"}, GeneralRow{100000, "100000"},
                                           GeneralRow{-32768, "-32768"}, GeneralRow{32767, "32767"},
                                           GeneralRow{123456789012345.0, "123456789012345"},
                                           GeneralRow{1e15, "1E15"}, GeneralRow{0.5, "0.5"},
                                           GeneralRow{-2.25, "-2.25"}, GeneralRow{1e-5, "1E-5"}));

TEST(SampleLine, NumberTabValue)
{
    EXPECT_EQ(core::SampleLine(0, -12), QStringLiteral("0\t-12"));
    EXPECT_EQ(core::SampleLine(100000, 32767), QStringLiteral("100000\t32767"));
    EXPECT_EQ(core::SampleLine(7, -32768), QStringLiteral("7\t-32768"));
    EXPECT_EQ(core::SampleLine(3, 0), QStringLiteral("3\t0"));
}

TEST(MeasurementFileContents, EveryLineEndsInCarriageReturnLineFeed)
{
    EXPECT_EQ(core::MeasurementFileContents({}), QByteArray());
    EXPECT_EQ(core::MeasurementFileContents({QStringLiteral("0\t-12")}), QByteArray("0\t-12\r\n"));
    EXPECT_EQ(core::MeasurementFileContents({QStringLiteral("0\t5"), QStringLiteral("1\t-1")}),
              QByteArray("0\t5\r\n1\t-1\r\n"));
}

class SaveMeasurementFile : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QStringList Entries() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir folder;
};

TEST_F(SaveMeasurementFile, CreatesAndReplaces)
{
    const QString path = PathOf("run.dat");
    core::SaveMeasurementFile(path, {QStringLiteral("0\t1"), QStringLiteral("1\t2"), QStringLiteral("2\t3")});
    EXPECT_EQ(ReadAll(path), QByteArray("0\t1\r\n1\t2\r\n2\t3\r\n"));
    // A shorter log replaces the file whole: nothing of the longer one remains.
    core::SaveMeasurementFile(path, {QStringLiteral("0\t-7")});
    EXPECT_EQ(ReadAll(path), QByteArray("0\t-7\r\n"));
    core::SaveMeasurementFile(path, {});
    EXPECT_EQ(ReadAll(path), QByteArray());
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("run.dat")});
}

TEST_F(SaveMeasurementFile, FolderThatDoesNotExist)
{
    const QString path = PathOf("missing/run.dat");
    try {
        core::SaveMeasurementFile(path, {QStringLiteral("0\t1")});
        FAIL() << "no error raised";
    } catch (const core::EFileError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create file ") + path);
    }
}

TEST_F(SaveMeasurementFile, TargetIsAFolder)
{
    const QString path = PathOf("taken.dat");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.dat")));
    EXPECT_THROW(core::SaveMeasurementFile(path, {QStringLiteral("0\t1")}), core::EFileError);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

// A write that fails half-way (here: the file size limit of the process) leaves the earlier file
// exactly as it was, and no temporary file behind.
TEST_F(SaveMeasurementFile, FailedWriteKeepsTheEarlierFile)
{
    const QString path = PathOf("run.dat");
    const QByteArray earlier("0\t42\r\n1\t43\r\n");
    ASSERT_TRUE(WriteAll(path, earlier));

    QStringList big;
    for (int i = 0; i < 5000; ++i)
        big << core::SampleLine(i, -i);

    QString message;
    {
        const FileSizeLimit fullDisk(4096);
        ASSERT_TRUE(fullDisk.Active());
        try {
            core::SaveMeasurementFile(path, big);
        } catch (const core::EFileError& e) {
            message = e.Message();
        }
    }

    EXPECT_EQ(message, QStringLiteral("Cannot write file ") + path);
    EXPECT_EQ(ReadAll(path), earlier);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("run.dat")});
}

} // namespace
