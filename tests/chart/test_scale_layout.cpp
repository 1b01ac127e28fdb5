// Where TScale puts its ticks, labels and caption, read from a recording canvas.

#include "support_scaledrawing.h"

#include <QFontMetrics>
#include <gtest/gtest.h>
#include <cmath>

using namespace chart;
using testsupport::DrawScale;
using testsupport::MakeScale;
using testsupport::RecordedText;
using testsupport::ScaleDrawing;

namespace {

const RecordedText& TextNamed(const ScaleDrawing& d, const QString& text)
{
    for (const auto& t : d.Texts)
        if (t.Text == text)
            return t;
    ADD_FAILURE() << "no text " << text.toStdString();
    static RecordedText none;
    return none;
}

int HalfWidth(const TScale& s, const QString& text)
{
    return QFontMetrics(s.Font().Font).horizontalAdvance(text) / 2;
}

TEST(HorizontalLabels, CentredAndKeptTwoPixelsInsideTheEnds)
{
    auto s = MakeScale(sctXB, 0, 1); // 400 × 400
    s->SetMarginLeft(0);
    s->SetMarginRight(0);
    const ScaleDrawing d = DrawScale(*s);
    const QFontMetrics fm(s->Font().Font);
    const int axisY = 400 - 20 - 1;

    const RecordedText& first = TextNamed(d, "0.00");
    EXPECT_EQ(first.Left(), 2); // tick at x = 0
    EXPECT_EQ(first.Top(), axisY - 7 - fm.height());

    const RecordedText& middle = TextNamed(d, "0.40");
    EXPECT_EQ(middle.Left(), 160 - HalfWidth(*s, "0.40")); // 0.4 × 399 = 159.6

    const RecordedText& last = TextNamed(d, "1.00");
    EXPECT_EQ(last.Left(), 400 - 2 * HalfWidth(*s, "1.00") - 2); // tick at x = 399
    EXPECT_LE(last.Left() + last.Width(), 400 - 1);
}

TEST(HorizontalLabels, BelowTheLineOnTopScales)
{
    auto s = MakeScale(sctXT, 0, 3600);
    s->SetMarginTop(33);
    const ScaleDrawing d = DrawScale(*s);
    for (const auto& t : d.Texts)
        EXPECT_EQ(t.Top(), 33 + 7) << t.Text.toStdString();
    const RecordedText& t = TextNamed(d, "1000");
    const int tickX = 20 + int(std::lround(1000.0 * 359 / 3600));
    EXPECT_EQ(t.Left(), tickX - HalfWidth(*s, "1000"));
}

TEST(VerticalLabels, BesideTheLineCentredOnTheTick)
{
    const QFontMetrics fm(TScale().Font().Font);
    const int h = fm.height();
    for (TScaleType type : {sctYL, sctYR}) {
        auto s = MakeScale(type, 0, 1);
        const ScaleDrawing d = DrawScale(*s);
        const int axisX = type == sctYL ? 20 : 400 - 20 - 1;
        const RecordedText& bottom = TextNamed(d, "0.00");
        const RecordedText& top = TextNamed(d, "1.00");
        EXPECT_EQ(bottom.Top(), 379 - h / 2);
        EXPECT_EQ(top.Top(), 20 - h / 2);
        if (type == sctYL)
            EXPECT_EQ(bottom.Left(), axisX + 8);
        else
            EXPECT_EQ(bottom.Left(), axisX - bottom.Width() - 8);
    }
}

TEST(TickPlacement, ReversedRangePutsRangeLowAtTheLeft)
{
    auto s = MakeScale(sctXB, 10, 0);
    s->SetShortTicks(false);
    const ScaleDrawing d = DrawScale(*s);
    ASSERT_EQ(d.EventPoints.size(), 6u);
    EXPECT_EQ(d.EventPoints.front(), QPoint(20, 379));
    EXPECT_EQ(d.EventPoints.back(), QPoint(379, 379));
    EXPECT_DOUBLE_EQ(d.EventTicks.front(), 10);
}

// What a drawn scale shows at its range ends: every tick event and recorded position of a
// vertical scale (short ticks, then labelled ones).
TEST(TickPlacement, TicksOfADrawnScaleStayInsideItsRange)
{
    struct Row { const char* name; bool logarithmic; int minTicks; double low, high; size_t ticks; };
    const Row rows[] = {
        // 40 short ticks from -16.39, 9 labels from -16.4
        {"just below -16.4", false, 6, -16.4, -16.0, 49},
        // less than a decade in extended precision: linear, labels every 2e-9 from 2e-9, short
        // ticks every 5e-10 from 1.5e-9 (the double 1e-9 lies a hair above the tick 1e-9)
        {"1e-9 … 1e-8", true, 3, 1e-9, 1e-8, 18 + 5},
    };
    for (const Row& r : rows) {
        auto s = MakeScale(sctYR, r.low, r.high);
        s->SetMinTicks(r.minTicks);
        s->SetLogarithmic(r.logarithmic);
        const ScaleDrawing d = DrawScale(*s);
        EXPECT_EQ(d.EventTicks.size(), r.ticks) << r.name;
        EXPECT_EQ(d.Recorded.size(), r.ticks) << r.name;
    }
}

TEST(TickPlacement, TargetOffsetsMoveEverything)
{
    auto s = MakeScale(sctYR, 0, 1);
    s->SetShortTicks(false);
    const ScaleDrawing plain = DrawScale(*s);
    const ScaleDrawing moved = DrawScale(*s, 30, 40);
    ASSERT_EQ(plain.EventPoints.size(), moved.EventPoints.size());
    for (size_t i = 0; i < plain.EventPoints.size(); ++i)
        EXPECT_EQ(moved.EventPoints[i], plain.EventPoints[i] + QPoint(30, 40));
    ASSERT_EQ(plain.Texts.size(), moved.Texts.size());
    for (size_t i = 0; i < plain.Texts.size(); ++i) {
        EXPECT_EQ(moved.Texts[i].Left(), plain.Texts[i].Left() + 30);
        EXPECT_EQ(moved.Texts[i].Top(), plain.Texts[i].Top() + 40);
    }
}

TEST(TickPlacement, TickAndBaseLineGeometry)
{
    auto s = MakeScale(sctXB, 0, 1);
    s->SetLabelType(ftNoFigs);
    const ScaleDrawing d = DrawScale(*s);
    // 21 short ticks, 6 long ticks, one base line.
    ASSERT_EQ(d.Lines.size(), 28u);
    EXPECT_EQ(d.Lines[1], QLineF(38, 379, 38, 376));   // 0.05: 4 pixels up
    EXPECT_EQ(d.Lines[21 + 1], QLineF(92, 379, 92, 373)); // 0.2: 7 pixels up
    EXPECT_EQ(d.Lines.back(), QLineF(20, 379, 379, 379));
}

struct CaptionCase {
    const char* name;
    TScaleType type;
    TScaleUnitAnchor anchor;
    TAlignment alignment;
    int anchorX, anchorY; // before CaptionPosX/Y (7, 5) and the alignment
};

class CaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionTest, AnchoredAndAligned)
{
    const CaptionCase& c = GetParam();
    auto s = MakeScale(c.type, 0, 1);
    s->SetBounds(0, 0, 300, 200);
    s->SetMarginLeft(30);
    s->SetMarginRight(10);
    s->SetMarginTop(15);
    s->SetMarginBottom(25);
    s->SetLabelType(ftNoFigs);
    s->SetCaption("Sync [us]");
    s->SetCaptionAnchor(c.anchor);
    s->SetCaptionAlignment(c.alignment);
    s->SetCaptionPosX(7);
    s->SetCaptionPosY(5);
    const ScaleDrawing d = DrawScale(*s);
    ASSERT_EQ(d.Texts.size(), 1u);
    const int w = QFontMetrics(s->Font().Font).horizontalAdvance("Sync [us]");
    int x = c.anchorX + 7;
    if (c.alignment == taRightJustify)
        x -= w;
    if (c.alignment == taCenter)
        x -= w / 2;
    EXPECT_EQ(d.Texts[0].Left(), x);
    EXPECT_EQ(d.Texts[0].Top(), c.anchorY + 5);
}

// 300 × 200, margins left 30, right 10, top 15, bottom 25: axis at y 174 (XB), y 15 (XT),
// x 30 (YL), x 289 (YR).
INSTANTIATE_TEST_SUITE_P(
    Anchors, CaptionTest,
    ::testing::Values(CaptionCase{"xb_topleft", sctXB, uaSclTopLft, taLeftJustify, 30, 174},
                      CaptionCase{"xb_center", sctXB, uaSclCenter, taCenter, 30 + 260 / 2, 174},
                      CaptionCase{"xt_botright", sctXT, uaSclBotRgt, taRightJustify, 290, 15},
                      CaptionCase{"yl_topleft", sctYL, uaSclTopLft, taCenter, 30, 15},
                      CaptionCase{"yr_center", sctYR, uaSclCenter, taLeftJustify, 289, 15 + 160 / 2},
                      CaptionCase{"yr_botright", sctYR, uaSclBotRgt, taRightJustify, 289, 175}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
