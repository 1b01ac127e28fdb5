// Data sharing between real charts: joining and leaving groups, the refusals, propagation of
// every list change, the group repaint after Redraw, and destruction in any order.

#include "chart/layerchart.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <vector>

using namespace chart;

namespace {

const std::string SelfRefusal = "LayerChart: Cannot share data with myself";
const std::string OwnerRefusal = "LayerChart: Cannot use foreign data. Other LayerCharts are using my own data.";
const std::string FullRefusal = "LayerChart: Max. number of data shares exceeded";

// Answers the information box and remembers what it was asked to show.
class DataSharing : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = TCustomLayerChart::ShowInformation;
        TCustomLayerChart::ShowInformation = [this](TCustomLayerChart* sender, const QString& text) {
            shown.push_back(text.toStdString());
            senders.push_back(sender);
        };
    }
    void TearDown() override { TCustomLayerChart::ShowInformation = saved; }

    std::vector<std::string> shown;
    std::vector<TCustomLayerChart*> senders;

private:
    std::function<void(TCustomLayerChart*, const QString&)> saved;
};

std::vector<TCustomLayerChart*> SharersOf(const TCustomLayerChart& c)
{
    std::vector<TCustomLayerChart*> out;
    for (int i = 0; i < c.DataSharerCount(); ++i)
        out.push_back(c.DataSharer(i));
    return out;
}

std::vector<double> YValues(const TCustomLayerChart& c)
{
    std::vector<double> out;
    for (int i = 0; i < c.ItemCount(); ++i)
        out.push_back(c.Item(i).Y);
    return out;
}

void AppendPolyline(TCustomLayerChart& c, std::initializer_list<double> ys)
{
    double x = 0;
    for (double y : ys) {
        if (x == 0)
            c.BeginPolyline(x, y);
        else
            c.ExtendPolyline(x, y);
        x += 1;
    }
}

int CountPixels(const QImage& picture, QRgb rgb)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n += (picture.pixel(x, y) | 0xFF000000u) == rgb;
    return n;
}

TEST_F(DataSharing, ASharerShowsTheOwnersListAndEveryChangeReachesTheWholeGroup)
{
    TLayerChart owner, b, c;
    AppendPolyline(owner, {1, 2, 3});
    b.SetUseDataOf(&owner);
    c.SetUseDataOf(&owner);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(b.UseDataOf(), &owner);
    EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&b, &c}));
    // The same storage, not a copy.
    EXPECT_EQ(b.ItemStore(), owner.ItemStore());
    EXPECT_EQ(YValues(b), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(b.KindCount(ikMoveTo), 1);
    EXPECT_EQ(b.KindCount(ikLineTo), 2);

    // A change through a sharer reaches the owner and the other sharer.
    b.ExtendPolyline(3, 4);
    for (TCustomLayerChart* k : {(TCustomLayerChart*)&owner, (TCustomLayerChart*)&b, (TCustomLayerChart*)&c}) {
        EXPECT_EQ(YValues(*k), (std::vector<double>{1, 2, 3, 4}));
        EXPECT_EQ(k->KindCount(ikLineTo), 3);
    }
    // ... and through the owner to every sharer, for each kind of change.
    owner.RemoveFirstItem();
    EXPECT_EQ(YValues(c), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(c.KindCount(ikMoveTo), 0);
    c.RemoveItem(1);
    EXPECT_EQ(YValues(owner), (std::vector<double>{2, 4}));
    EXPECT_EQ(YValues(b), (std::vector<double>{2, 4}));
    c.Redraw();
    EXPECT_EQ(owner.LastDrawnIndex(), 1);
    EXPECT_EQ(b.LastDrawnIndex(), 1);
    b.ClearItems();
    EXPECT_EQ(owner.ItemCount(), 0);
    EXPECT_EQ(c.ItemCount(), 0);
    EXPECT_EQ(c.Capacity(), 0);
    EXPECT_EQ(c.LastDrawnIndex(), 0);
}

TEST_F(DataSharing, GrowingTheSharedListKeepsEveryChartOnTheSameItems)
{
    TLayerChart owner, b;
    owner.SetAllocSize(2);
    b.SetUseDataOf(&owner);
    for (int i = 0; i < 9; ++i)
        (i % 2 ? owner : b).ExtendPolyline(i, i * 10);
    EXPECT_EQ(owner.ItemCount(), 9);
    EXPECT_EQ(b.ItemCount(), 9);
    EXPECT_EQ(b.Capacity(), owner.Capacity());
    EXPECT_EQ(YValues(b), YValues(owner));
    EXPECT_DOUBLE_EQ(b.Item(8).Y, 80);
}

TEST_F(DataSharing, NamingASharerJoinsItsOwner)
{
    TLayerChart owner, b, c;
    b.SetUseDataOf(&owner);
    c.SetUseDataOf(&b);
    EXPECT_EQ(c.UseDataOf(), &owner);
    EXPECT_EQ(b.DataSharerCount(), 0);
    EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&b, &c}));
    // Naming the own owner again, or another sharer of the own group, changes nothing.
    c.SetUseDataOf(&owner);
    c.SetUseDataOf(&b);
    EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&b, &c}));
    EXPECT_TRUE(shown.empty());
}

TEST_F(DataSharing, LeavingKeepsTheItemsAsAListOfItsOwn)
{
    TLayerChart owner, b, c;
    AppendPolyline(owner, {5, 6});
    b.SetUseDataOf(&owner);
    c.SetUseDataOf(&owner);
    b.SetUseDataOf(nullptr);

    EXPECT_EQ(b.UseDataOf(), nullptr);
    EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&c}));
    EXPECT_EQ(owner.DataSharer(1), nullptr);
    EXPECT_NE(b.ItemStore(), owner.ItemStore());
    EXPECT_EQ(YValues(b), (std::vector<double>{5, 6}));
    // The former group and the chart no longer reach each other.
    c.ExtendPolyline(2, 7);
    EXPECT_EQ(YValues(b), (std::vector<double>{5, 6}));
    b.ClearItems();
    EXPECT_EQ(YValues(owner), (std::vector<double>{5, 6, 7}));
    // Nothing to leave: no change, no box (also for an owner).
    b.SetUseDataOf(nullptr);
    owner.SetUseDataOf(nullptr);
    EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&c}));
    EXPECT_TRUE(shown.empty());
}

TEST_F(DataSharing, MovingToAnotherGroupClosesTheGapInTheFirstOwnersList)
{
    TLayerChart first, second, a, b, c;
    AppendPolyline(first, {1});
    AppendPolyline(second, {2, 2});
    a.SetUseDataOf(&first);
    b.SetUseDataOf(&first);
    c.SetUseDataOf(&first);

    b.SetUseDataOf(&second);
    EXPECT_EQ(SharersOf(first), (std::vector<TCustomLayerChart*>{&a, &c}));
    EXPECT_EQ(first.DataSharer(2), nullptr);
    EXPECT_EQ(SharersOf(second), (std::vector<TCustomLayerChart*>{&b}));
    EXPECT_EQ(b.UseDataOf(), &second);
    EXPECT_EQ(YValues(b), (std::vector<double>{2, 2}));
    // Changes in the first group no longer reach b, and b's reach only the second.
    a.ExtendPolyline(1, 9);
    EXPECT_EQ(b.ItemCount(), 2);
    b.ExtendPolyline(2, 3);
    EXPECT_EQ(second.ItemCount(), 3);
    EXPECT_EQ(first.ItemCount(), 2);
    // The first owner's list takes new sharers at the end again.
    b.SetUseDataOf(&first);
    EXPECT_EQ(SharersOf(first), (std::vector<TCustomLayerChart*>{&a, &c, &b}));
    EXPECT_EQ(second.DataSharerCount(), 0);
}

TEST_F(DataSharing, RefusalsAreShownAndLeaveEverythingAsItWas)
{
    TLayerChart owner, s1, s2, s3, s4, other, fifth;
    AppendPolyline(fifth, {8});
    for (TCustomLayerChart* s : {&s1, &s2, &s3, &s4})
        s->SetUseDataOf(&owner);
    other.SetUseDataOf(&fifth); // fifth is now an owner too

    struct Attempt {
        const char* Name;
        TCustomLayerChart* Chart;
        TCustomLayerChart* Target;
        const std::string& Message;
    };
    const Attempt attempts[] = {
        {"self", &owner, &owner, SelfRefusal},
        {"sharer names itself", &s2, &s2, SelfRefusal},
        {"owner with sharers", &owner, &other, OwnerRefusal},
        {"owner with sharers names a full group", &fifth, &owner, OwnerRefusal},
        {"fifth sharer", &other, &owner, FullRefusal},
        {"fifth sharer through a sharer", &other, &s3, FullRefusal},
    };
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(a.Name);
        shown.clear();
        senders.clear();
        TCustomLayerChart* before = a.Chart->UseDataOf();
        a.Chart->SetUseDataOf(a.Target);
        EXPECT_EQ(shown, std::vector<std::string>{a.Message});
        EXPECT_EQ(senders, std::vector<TCustomLayerChart*>{a.Chart});
        EXPECT_EQ(a.Chart->UseDataOf(), before);
        EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&s1, &s2, &s3, &s4}));
        EXPECT_EQ(SharersOf(fifth), (std::vector<TCustomLayerChart*>{&other}));
        EXPECT_EQ(other.ItemCount(), 1);
    }
}

TEST_F(DataSharing, ARedrawRepaintsTheOtherChartsOfTheGroup)
{
    auto owner = charttest::MakeShownChart(300, 200);
    auto b = charttest::MakeShownChart(300, 200);
    auto c = charttest::MakeShownChart(300, 200);
    auto d = charttest::MakeShownChart(300, 200);
    b->SetUseDataOf(owner.get());
    c->SetUseDataOf(owner.get());
    d->SetUseDataOf(owner.get());
    c->SetAutoRedraw(false);
    for (auto* k : {owner.get(), b.get(), c.get(), d.get()})
        k->SetZoomRange(1, 0, 0, 10, 10);
    const QRgb red = charttest::Rgb(clRed);
    ASSERT_EQ(CountPixels(owner->WindowPicture(), red), 0);

    b->SetDataColor(clRed);
    b->SetLineWidth(3);
    b->BeginPolyline(1, 5);
    b->ExtendPolyline(9, 5);
    EXPECT_EQ(CountPixels(owner->WindowPicture(), red), 0) << "a data change alone repaints nothing";
    b->Redraw();
    EXPECT_GT(CountPixels(b->WindowPicture(), red), 0);
    EXPECT_GT(CountPixels(owner->WindowPicture(), red), 0) << "the owner was not repainted";
    EXPECT_GT(CountPixels(d->WindowPicture(), red), 0) << "another sharer was not repainted";
    EXPECT_EQ(CountPixels(c->WindowPicture(), red), 0) << "repainted without AutoRedraw";

    // From the owner's side: its sharers follow.
    owner->ClearItems();
    owner->Redraw();
    EXPECT_EQ(CountPixels(b->WindowPicture(), red), 0);
    EXPECT_EQ(CountPixels(d->WindowPicture(), red), 0);
}

// A sharer's Redraw repaints its whole group, itself included: its full picture (frame, scales
// and area, which the area-only Redraw leaves alone) shows the new items too.
TEST_F(DataSharing, ARedrawOfASharerRepaintsTheSharerItself)
{
    auto owner = charttest::MakeShownChart(300, 200);
    auto b = charttest::MakeShownChart(300, 200);
    b->SetUseDataOf(owner.get());
    for (auto* k : {owner.get(), b.get()})
        k->SetZoomRange(1, 0, 0, 10, 10);
    const QRgb red = charttest::Rgb(clRed);
    b->SetDataColor(clRed);
    b->SetLineWidth(3);
    b->BeginPolyline(1, 5);
    b->ExtendPolyline(9, 5);
    b->Redraw();
    EXPECT_GT(CountPixels(b->FullPicture(), red), 0) << "the sharer itself was not repainted";
    EXPECT_GT(CountPixels(owner->FullPicture(), red), 0);

    // Without AutoRedraw the group leaves it out, as it does every other chart.
    b->SetAutoRedraw(false);
    b->ClearItems();
    b->Redraw(); // its own Paint
    EXPECT_EQ(CountPixels(b->FullPicture(), red), 0);
}

TEST_F(DataSharing, JoiningRepaintsUnderAutoRedraw)
{
    auto owner = charttest::MakeShownChart(300, 200);
    auto b = charttest::MakeShownChart(300, 200);
    owner->SetDataColor(clRed);
    owner->SetLineWidth(3);
    for (auto* k : {owner.get(), b.get()})
        k->SetZoomRange(1, 0, 0, 10, 10);
    AppendPolyline(*owner, {5, 5, 5, 5});
    const QRgb red = charttest::Rgb(clRed);

    b->SetUseDataOf(owner.get());
    EXPECT_GT(CountPixels(b->WindowPicture(), red), 0);
    b->SetUseDataOf(nullptr); // keeps its items: still the same picture
    EXPECT_GT(CountPixels(b->WindowPicture(), red), 0);
    b->ClearItems();
    b->Redraw();
    EXPECT_EQ(CountPixels(b->WindowPicture(), red), 0);
}

// Every order of destroying an owner and its three sharers: after each destruction no chart
// refers to a destroyed one, and the survivors still hold and change their items.
TEST_F(DataSharing, AnyOrderOfDestroyingTheChartsOfAGroup)
{
    std::vector<int> order(4);
    std::iota(order.begin(), order.end(), 0);
    do {
        std::vector<std::unique_ptr<TLayerChart>> charts;
        for (int i = 0; i < 4; ++i)
            charts.push_back(std::make_unique<TLayerChart>());
        AppendPolyline(*charts[0], {1, 2, 3});
        for (int i = 1; i < 4; ++i)
            charts[size_t(i)]->SetUseDataOf(charts[0].get());

        std::string trace = "order";
        for (int victim : order) {
            trace += " " + std::to_string(victim);
            SCOPED_TRACE(trace);
            charts[size_t(victim)].reset();
            std::set<TCustomLayerChart*> alive;
            for (auto& c : charts)
                if (c)
                    alive.insert(c.get());
            for (TCustomLayerChart* c : alive) {
                if (c->UseDataOf()) {
                    EXPECT_TRUE(alive.count(c->UseDataOf()));
                }
                for (TCustomLayerChart* s : SharersOf(*c))
                    EXPECT_TRUE(alive.count(s));
                EXPECT_EQ(YValues(*c), (std::vector<double>{1, 2, 3}));
            }
            // Each survivor can still change its list; changes propagate only among survivors.
            for (TCustomLayerChart* c : alive) {
                c->ExtendPolyline(9, 9);
                c->RemoveItem(c->ItemCount() - 1);
                c->Redraw();
            }
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(DataSharing, ADestroyedOwnerLeavesEachSharerAListOfItsOwn)
{
    TLayerChart b, c;
    {
        TLayerChart owner;
        AppendPolyline(owner, {4, 5});
        b.SetUseDataOf(&owner);
        c.SetUseDataOf(&owner);
    }
    EXPECT_EQ(b.UseDataOf(), nullptr);
    EXPECT_EQ(c.UseDataOf(), nullptr);
    EXPECT_NE(b.ItemStore(), c.ItemStore());
    b.ExtendPolyline(2, 6);
    EXPECT_EQ(YValues(b), (std::vector<double>{4, 5, 6}));
    EXPECT_EQ(YValues(c), (std::vector<double>{4, 5}));
    // Both are free to form a new group.
    c.SetUseDataOf(&b);
    EXPECT_EQ(YValues(c), (std::vector<double>{4, 5, 6}));
    EXPECT_TRUE(shown.empty());
}

TEST_F(DataSharing, ADestroyedSharerLeavesItsOwnersList)
{
    TLayerChart owner, a, c;
    {
        TLayerChart b;
        a.SetUseDataOf(&owner);
        b.SetUseDataOf(&owner);
        c.SetUseDataOf(&owner);
    }
    EXPECT_EQ(SharersOf(owner), (std::vector<TCustomLayerChart*>{&a, &c}));
    EXPECT_EQ(owner.DataSharer(2), nullptr);
    owner.ExtendPolyline(1, 1);
    EXPECT_EQ(c.ItemCount(), 1);
}

TEST_F(DataSharing, AChildChartDestroyedWithItsParentWidgetLeavesTheGroup)
{
    TLayerChart owner;
    {
        QWidget parent;
        auto* child = new TLayerChart(&parent);
        child->SetUseDataOf(&owner);
        EXPECT_EQ(owner.DataSharerCount(), 1);
    }
    EXPECT_EQ(owner.DataSharerCount(), 0);
    owner.ExtendPolyline(0, 0);
}

} // namespace
