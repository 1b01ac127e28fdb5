// The coupling tables and the rules that keep every layer a root or a direct child of one.

#include "chart/jointlayers.h"

#include <stdexcept>

namespace chart {

TJointLayers::TJointLayers()
{
    for (int n = 1; n <= LayerCount; ++n) {
        FX[size_t(n - 1)] = n;
        FY[size_t(n - 1)] = n;
    }
}

size_t TJointLayers::Index(int layer)
{
    if (layer < 1 || layer > LayerCount)
        throw std::out_of_range("TJointLayers: layer " + std::to_string(layer) + " is not 1..16");
    return size_t(layer - 1);
}

int TJointLayers::ControlledBy(TJointAxis axis, int layer) const
{
    return TableOf(axis)[Index(layer)];
}

void TJointLayers::SetControlledBy(TJointAxis axis, int layer, int controller)
{
    Table& t = TableOf(axis);
    const size_t self = Index(layer);
    if (controller < 1 || controller > LayerCount)
        throw ELayerChartError("Destination layer " + std::to_string(controller) + " is out of range");
    if (controller == layer) {
        t[self] = layer;
        return;
    }
    // Only roots may control: a chain would make the follower's range depend on the order in
    // which ranges are applied.
    if (t[size_t(controller - 1)] != controller)
        throw ELayerChartError("Destination layer " + std::to_string(controller) + " is already joined");
    std::string followers;
    for (int i = 1; i <= LayerCount; ++i) {
        if (i != layer && t[size_t(i - 1)] == layer)
            followers += std::to_string(i) + ", ";
    }
    if (!followers.empty()) {
        followers.resize(followers.size() - 2);
        throw ELayerChartError("Layer " + std::to_string(layer) + " is joined by other layers (" + followers + ")");
    }
    t[self] = controller;
    if (OnTakeOver)
        OnTakeOver(axis, layer, controller);
    if (OnChange)
        OnChange();
}

void TJointLayers::Assign(const TJointLayers& source)
{
    if (&source == this)
        return;
    FX = source.FX;
    FY = source.FY;
    // A coupled axis shows its controller's range from the moment it is coupled, however the
    // coupling arrived.
    if (OnTakeOver) {
        for (int n = 1; n <= LayerCount; ++n) {
            if (FX[size_t(n - 1)] != n)
                OnTakeOver(TJointAxis::X, n, FX[size_t(n - 1)]);
            if (FY[size_t(n - 1)] != n)
                OnTakeOver(TJointAxis::Y, n, FY[size_t(n - 1)]);
        }
    }
    if (OnChange)
        OnChange();
}

} // namespace chart
