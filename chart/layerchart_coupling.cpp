// Layer coupling: the chart's coupling tables and the take-over of a controller's range.
// SetLayerRange (layerchart_layers.cpp) consults the tables on every range change.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"

namespace chart {

static_assert(TJointLayers::LayerCount == NumLayers, "one coupling entry per layer");

void TCustomLayerChart::InitJointLayers()
{
    FJointLayers->OnTakeOver = [this](TJointAxis axis, int layer, int controller) {
        TakeOverRange(axis, layer, controller);
    };
    FJointLayers->OnChange = [this] { SubObjectChanged(); };
}

void TCustomLayerChart::TakeOverRange(TJointAxis axis, int layer, int controller)
{
    const int xFrom = axis == TJointAxis::X ? controller : layer;
    const int yFrom = axis == TJointAxis::Y ? controller : layer;
    // Joining is not a zoom: no history, and the controller's range is taken as it stands.
    SetOneLayer(layer, false, false, ScaleX(xFrom)->RangeLow(), ScaleY(yFrom)->RangeLow(),
                ScaleX(xFrom)->RangeHigh(), ScaleY(yFrom)->RangeHigh());
}

} // namespace chart
