// Data sharing: charts of a group show one display list, held by its owner and shared by
// reference with up to four other charts.

#include "chart/layerchart.h"

#include <QMessageBox>

namespace chart {

namespace {
const QString SelfShareRefusal = QStringLiteral("LayerChart: Cannot share data with myself");
const QString OwnerShareRefusal =
    QStringLiteral("LayerChart: Cannot use foreign data. Other LayerCharts are using my own data.");
const QString TooManySharersRefusal = QStringLiteral("LayerChart: Max. number of data shares exceeded");

void ShowInformationBox(TCustomLayerChart* sender, const QString& text)
{
    QMessageBox::information(sender, QStringLiteral("Information"), text, QMessageBox::Ok);
}
} // namespace

std::function<void(TCustomLayerChart* sender, const QString& text)> TCustomLayerChart::ShowInformation =
    ShowInformationBox;

TCustomLayerChart* TCustomLayerChart::DataSharer(int index) const
{
    if (index < 0 || index >= MaxDataSharers)
        return nullptr;
    return FSharers[size_t(index)];
}

void TCustomLayerChart::SetUseDataOf(TCustomLayerChart* c)
{
    auto refuse = [this](const QString& text) {
        if (ShowInformation)
            ShowInformation(this, text);
    };
    if (c == this) {
        refuse(SelfShareRefusal);
        return;
    }
    if (c == nullptr) {
        // An owner uses no foreign list, so there is nothing to leave and nothing to refuse.
        if (!FDataOwner)
            return;
        LeaveDataOwner(true);
        if (FAutoRedraw)
            Paint();
        return;
    }
    // Groups are one level deep: an owner cannot become a sharer.
    if (FSharerCount > 0) {
        refuse(OwnerShareRefusal);
        return;
    }
    if (c->FDataOwner)
        c = c->FDataOwner;
    // Checked after resolving, so that naming another sharer of the own group changes nothing
    // (and a full group does not refuse a chart that is already in it).
    if (c == FDataOwner)
        return;
    if (c->FSharerCount >= MaxDataSharers) {
        refuse(TooManySharersRefusal);
        return;
    }
    LeaveDataOwner(false);
    c->CopyListStateTo(*this);
    c->FSharers[size_t(c->FSharerCount++)] = this;
    FDataOwner = c;
    if (FAutoRedraw)
        Paint();
}

void TCustomLayerChart::LeaveDataOwner(bool keepItems)
{
    TCustomLayerChart* owner = FDataOwner;
    if (!owner)
        return;
    auto& list = owner->FSharers;
    int at = 0;
    while (at < owner->FSharerCount && list[size_t(at)] != this)
        ++at;
    if (at < owner->FSharerCount) {
        for (int i = at; i + 1 < owner->FSharerCount; ++i)
            list[size_t(i)] = list[size_t(i + 1)];
        list[size_t(owner->FSharerCount - 1)] = nullptr;
        --owner->FSharerCount;
    }
    FDataOwner = nullptr;
    // The items stay as they were, in storage the former group no longer reaches.
    if (keepItems)
        FStore = std::make_shared<DisplayItemStore>(*FStore);
    else
        FStore = std::make_shared<DisplayItemStore>();
}

void TCustomLayerChart::ReleaseSharingGroup()
{
    LeaveDataOwner(false);
    // A destroyed owner leaves each sharer with a copy of the items of its own.
    for (int i = 0; i < FSharerCount; ++i) {
        TCustomLayerChart* sharer = FSharers[size_t(i)];
        FSharers[size_t(i)] = nullptr;
        sharer->FDataOwner = nullptr;
        sharer->FStore = std::make_shared<DisplayItemStore>(*sharer->FStore);
    }
    FSharerCount = 0;
}

void TCustomLayerChart::CopyListStateTo(TCustomLayerChart& target) const
{
    if (&target == this)
        return;
    target.FStore = FStore;
    target.FItemCount = FItemCount;
    target.FLastDrawnIndex = FLastDrawnIndex;
    target.FKindCounts = FKindCounts;
}

void TCustomLayerChart::PropagateSharedData()
{
    if (FDataOwner) {
        CopyListStateTo(*FDataOwner);
        for (int i = 0; i < FDataOwner->FSharerCount; ++i)
            CopyListStateTo(*FDataOwner->FSharers[size_t(i)]);
    }
    for (int i = 0; i < FSharerCount; ++i)
        CopyListStateTo(*FSharers[size_t(i)]);
}

void TCustomLayerChart::RepaintSharingCharts()
{
    auto repaint = [](TCustomLayerChart* c) {
        if (c->FAutoRedraw)
            c->Paint();
    };
    // A sharer's group is its owner and every chart using the owner's list, this one included.
    if (FDataOwner) {
        repaint(FDataOwner);
        for (int i = 0; i < FDataOwner->FSharerCount; ++i)
            repaint(FDataOwner->FSharers[size_t(i)]);
    }
    for (int i = 0; i < FSharerCount; ++i)
        repaint(FSharers[size_t(i)]);
}

} // namespace chart
