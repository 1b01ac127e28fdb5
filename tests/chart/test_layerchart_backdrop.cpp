// The chart keeps the background and grid of its area picture between redraws. Whatever they
// depend on may change between two redraws, and the picture must show the change.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"
#include "support_layerchart.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace chart;
using namespace charttest;

namespace {

QImage ExactArea(TLayerChart& c)
{
    QImage img(c.AreaPictureSize(), QImage::Format_RGB32);
    QPainter p(&img);
    c.DrawChartBackground(p, 0, 0);
    c.RenderItems(p, 0, 0, false, false);
    return img;
}

struct BackdropChange {
    const char* Name;
    std::function<void(TLayerChart&)> Apply;
};

class KeptBackdrop : public ::testing::TestWithParam<BackdropChange> {};

TEST_P(KeptBackdrop, FollowsTheChange)
{
    auto c = std::make_unique<TLayerChart>();
    ApplyProgramChartSettingsForTest(*c);
    c->show();
    c->SetZoomRange(0, 0, 0, 100, 50);
    c->Redraw();
    c->Redraw(); // the second one draws from the kept backdrop
    ASSERT_EQ(c->AreaPicture(), ExactArea(*c));

    c->SetAutoRedraw(false); // no repaint of their own: only the next Redraw shows the change
    GetParam().Apply(*c);
    c->SetAutoRedraw(true);
    c->Redraw();
    EXPECT_EQ(c->AreaPicture(), ExactArea(*c));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, KeptBackdrop,
    ::testing::Values(
        BackdropChange{"Range", [](TLayerChart& c) { c.SetLayerRange(1, false, 3, 7, 80, 61, false); }},
        BackdropChange{"GridStyle", [](TLayerChart& c) { c.SetGridStyle(gsLines); }},
        BackdropChange{"GridPoints", [](TLayerChart& c) { c.SetGridStyle(gsPoints); }},
        BackdropChange{"NoGrid", [](TLayerChart& c) { c.SetGridStyle(gsNone); }},
        BackdropChange{"GridColour", [](TLayerChart& c) { c.SetGridColor(clRed); }},
        BackdropChange{"GridStep", [](TLayerChart& c) { c.SetGridDx(7); }},
        BackdropChange{"ChartColour", [](TLayerChart& c) { c.SetChartColor(clYellow); }},
        BackdropChange{"FrameColour", [](TLayerChart& c) { c.SetChartFrameColor(clBlue); }},
        BackdropChange{"Palette",
                       [](TLayerChart& c) {
                           c.SetChartColor(clBtnFace);
                           c.Redraw();
                           QPalette p = c.palette();
                           p.setColor(QPalette::Button, QColor(12, 200, 90));
                           c.setPalette(p);
                       }},
        BackdropChange{"Size", [](TLayerChart& c) { c.resize(500, 300); }},
        BackdropChange{"Rims", [](TLayerChart& c) { c.SetBRim(60); }}),
    [](const auto& info) { return std::string(info.param.Name); });

// A render event draws between background and grid, at every drawing.
TEST(KeptBackdrop, NotKeptUnderARenderEvent)
{
    auto c = std::make_unique<TLayerChart>();
    ApplyProgramChartSettingsForTest(*c);
    c->show();
    c->Redraw();
    int calls = 0;
    c->OnBeforeRenderData = [&calls](TCustomLayerChart*, QPainter*& canvas, int, int) {
        canvas->fillRect(QRect(5, 5, 20 + calls, 10), Qt::red);
        ++calls;
    };
    c->Redraw();
    c->Redraw();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(c->AreaPicture().pixel(25, 10) | 0xFF000000u, QColor(Qt::red).rgb());
}

} // namespace
