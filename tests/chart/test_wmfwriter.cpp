// The byte layer of the metafile writer: headers, record layout, object table, text and DIBs.

#include "chart/wmfrecords.h"
#include "chart/wmftext.h"
#include "chart/wmfwriter.h"
#include "support_wmfreader.h"

#include <gtest/gtest.h>

using namespace chart;
using namespace chart::wmf;

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

} // namespace

TEST(WmfWriter, PlaceableHeaderBytesAndChecksum)
{
    const QByteArray file = WmfWriter().Finish(QRect(0, 0, 640, 480), QSize(640, 480));
    // key, handle, left, top, right 640, bottom 480, 96 per inch, reserved, then the XOR of
    // the ten words before it: CDD7 ^ 9AC6 ^ 0280 ^ 01E0 ^ 0060 = 5411.
    EXPECT_EQ(file.left(22).toHex(), Hex("d7cdc69a" "0000" "0000" "0000" "8002" "e001" "6000" "00000000" "1154").toHex());
}

TEST(WmfWriter, StandardHeaderAndMappingPrologue)
{
    WmfWriter w;
    w.MoveTo({1, 2});
    const auto m = wmftest::ReadWmf(w.Finish(QRect(-5, 7, 300, 200), QSize(250, 167)));
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    EXPECT_EQ(m.type, MemoryMetafile);
    EXPECT_EQ(m.version, Version300);
    EXPECT_EQ(m.right, 250);
    EXPECT_EQ(m.bottom, 167);
    ASSERT_EQ(m.records.size(), 5u);
    EXPECT_EQ(m.records[0].function, META_SETMAPMODE);
    EXPECT_EQ(m.records[0].Int(0), MM_ANISOTROPIC);
    EXPECT_EQ(m.records[1].function, META_SETWINDOWORG); // y before x, as every point record
    EXPECT_EQ(m.records[1].Int(0), 7);
    EXPECT_EQ(m.records[1].Int(1), -5);
    EXPECT_EQ(m.records[2].function, META_SETWINDOWEXT);
    EXPECT_EQ(m.records[2].Int(0), 200);
    EXPECT_EQ(m.records[2].Int(1), 300);
    EXPECT_EQ(m.records[3].function, META_MOVETO);
    EXPECT_EQ(m.records.back().function, META_EOF);
}

TEST(WmfWriter, RecordsAreLittleEndian)
{
    WmfWriter w;
    w.CreatePenIndirect(PS_DOT, 1, 0x00804020);
    w.SetPixel({0x0102, -2}, 0x00ABCDEF);
    const QByteArray file = w.Finish(QRect(0, 0, 10, 10), QSize(10, 10));
    const QByteArray pen = Hex("08000000" "fa02" "0200" "0100" "0000" "20408000");
    const QByteArray pixel = Hex("07000000" "1f04" "efcdab00" "feff" "0201");
    EXPECT_TRUE(file.contains(pen + pixel));
}

TEST(WmfWriter, ObjectTableReusesTheLowestFreeSlot)
{
    WmfWriter w;
    EXPECT_EQ(w.CreatePenIndirect(PS_SOLID, 1, 0), 0);
    EXPECT_EQ(w.CreateBrushIndirect(BS_SOLID, 0, 0), 1);
    EXPECT_EQ(w.CreateFontIndirect(WmfLogFont{}), 2);
    w.DeleteObject(1);
    EXPECT_EQ(w.LiveObjects(), 2);
    EXPECT_EQ(w.CreatePenIndirect(PS_DASH, 1, 0), 1);
    w.DeleteObject(0);
    w.DeleteObject(1);
    w.DeleteObject(2);
    const auto m = wmftest::ReadWmf(w.Finish(QRect(0, 0, 10, 10), QSize(10, 10)));
    EXPECT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    EXPECT_EQ(m.objects, 3); // never more than three alive at once
}

TEST(WmfWriter, FontRecordLayout)
{
    WmfLogFont f;
    f.height = -13;
    f.escapement = 900;
    f.weight = 700;
    f.italic = 1;
    f.pitchAndFamily = uint8_t(VARIABLE_PITCH) | uint8_t(FF_SWISS);
    f.faceName = "DejaVu Sans";
    WmfWriter w;
    w.CreateFontIndirect(f);
    const auto m = wmftest::ReadWmf(w.Finish(QRect(0, 0, 10, 10), QSize(10, 10)));
    const auto* r = m.First(META_CREATEFONTINDIRECT);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Int(0), -13);
    EXPECT_EQ(r->Int(2), 900);
    EXPECT_EQ(r->Int(4), 700);
    EXPECT_EQ(r->Bytes(5, 8), Hex("0100000000000022"));
    EXPECT_EQ(r->Bytes(9, 12), QByteArray("DejaVu Sans\0", 12)); // NUL-terminated, padded to words
}

TEST(WmfWriter, LongFaceNamesAreCutTo31Bytes)
{
    WmfLogFont f;
    f.faceName = QByteArray(40, 'x');
    WmfWriter w;
    w.CreateFontIndirect(f);
    const auto m = wmftest::ReadWmf(w.Finish(QRect(0, 0, 10, 10), QSize(10, 10)));
    const auto* r = m.First(META_CREATEFONTINDIRECT);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Words(), 9 + 16);
    EXPECT_EQ(r->Bytes(9, 32), QByteArray(31, 'x') + '\0');
}

TEST(WmfWriter, ExtTextOutPadsOddTextAndCarriesAdvances)
{
    WmfWriter w;
    w.ExtTextOut({10, 50}, "abc", {7, 8, 9});
    const auto m = wmftest::ReadWmf(w.Finish(QRect(0, 0, 100, 100), QSize(100, 100)));
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    const auto* r = m.First(META_EXTTEXTOUT);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Int(0), 50);
    EXPECT_EQ(r->Int(1), 10);
    EXPECT_EQ(r->Int(2), 3);
    EXPECT_EQ(r->Int(3), 0);
    EXPECT_EQ(wmftest::TextOf(*r), "abc");
    EXPECT_EQ(wmftest::AdvancesOf(*r), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(r->Words(), 4 + 2 + 3);
}

TEST(WmfWriter, StretchDibStoresBottomUpPaddedRows)
{
    QImage img(3, 2, QImage::Format_RGB32); // 9 bytes a row, padded to 12
    const QRgb colours[6] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                             qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(255, 255, 255)};
    for (int i = 0; i < 6; ++i)
        img.setPixel(i % 3, i / 3, colours[i]);
    WmfWriter w;
    w.StretchDib(QRect(5, 6, 30, 20), img);
    const auto m = wmftest::ReadWmf(w.Finish(QRect(0, 0, 100, 100), QSize(100, 100)));
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    const auto* r = m.First(META_STRETCHDIB);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->DWord(0), SRCCOPY);
    EXPECT_EQ(r->Int(3), 2);  // source height
    EXPECT_EQ(r->Int(4), 3);  // source width
    EXPECT_EQ(r->Int(7), 20); // destination height, width, y, x
    EXPECT_EQ(r->Int(8), 30);
    EXPECT_EQ(r->Int(9), 6);
    EXPECT_EQ(r->Int(10), 5);
    EXPECT_EQ(r->Words(), 11 + 20 + 12);
    // The first stored row is the bottom one, blue-green-red.
    EXPECT_EQ(r->Bytes(11 + 20, 3), Hex("030201"));
    EXPECT_EQ(wmftest::DibOf(*r), img);
}

TEST(WmfWriter, CoordinatesAreLimitedTo16Bits)
{
    WmfWriter w;
    w.LineTo({40000, -40000});
    const auto m = wmftest::ReadWmf(w.Finish(QRect(0, 0, 10, 10), QSize(10, 10)));
    const auto* r = m.First(META_LINETO);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Int(0), -32768);
    EXPECT_EQ(r->Int(1), 32767);
}

struct AnsiCase {
    QString text;
    QByteArray bytes;
};

class WmfAnsiTextTest : public ::testing::TestWithParam<AnsiCase> {};

TEST_P(WmfAnsiTextTest, EncodesCodePage1252)
{
    EXPECT_EQ(WmfAnsiText(GetParam().text).toHex(), GetParam().bytes.toHex());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WmfAnsiTextTest,
    ::testing::Values(AnsiCase{"Sync [us]", "Sync [us]"}, AnsiCase{QString::fromUtf8("µs 20°"), Hex("b573203230b0")},
                      AnsiCase{QString::fromUtf8("€ – ™"), Hex("8020962099")},
                      AnsiCase{QString::fromUtf8("−5"), "-5"}, AnsiCase{QString::fromUtf8("中x"), "?x"},
                      AnsiCase{QString(QChar(0x81)), "?"}));
