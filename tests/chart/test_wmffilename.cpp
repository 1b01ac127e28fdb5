// The file name an export writes.

#include "chart/wmffilename.h"

#include <gtest/gtest.h>

struct NameCase {
    const char* given;
    const char* written;
};

class WmfFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(WmfFileNameTest, ReplacesTheExtension)
{
    EXPECT_EQ(chart::WmfFileName(QString::fromUtf8(GetParam().given)).toStdString(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WmfFileNameTest,
    ::testing::Values(NameCase{"C:\\pictures\\sync.bmp", "C:\\pictures\\sync.wmf"},
                      NameCase{"C:\\pictures\\sync", "C:\\pictures\\sync.wmf"},
                      NameCase{"run.2.wmf", "run.wmf"},
                      NameCase{"/home/op/run.2.wmf", "/home/op/run.wmf"},
                      NameCase{"/home/op/sync", "/home/op/sync.wmf"},
                      NameCase{"/data/v1.0/sync", "/data/v1.0/sync.wmf"},
                      NameCase{"C:\\my.pics\\a.b.c", "C:\\my.pics\\a.wmf"},
                      NameCase{"D:sync.bmp", "D:sync.wmf"},
                      NameCase{"sync.WMF", "sync.wmf"},
                      NameCase{"/home/op/.hidden", "/home/op/.wmf"},
                      NameCase{"/home/op/", "/home/op/.wmf"},
                      NameCase{"", ".wmf"}));
