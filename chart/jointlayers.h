#pragma once
// TJointLayers: which layer controls the X axis and which the Y axis of each of the chart's 16
// layers. A layer is either a root (controlled by itself) or controlled directly by a root; the
// setters keep it so, so chains and cycles never arise.

#include "chart/chartbase.h"

#include <array>
#include <functional>
#include <string>

namespace chart {

// Configuration errors of the layer chart (coupling of layers).
class ELayerChartError : public EChartBaseError {
public:
    explicit ELayerChartError(const std::string& message) : EChartBaseError(message) {}
};

enum class TJointAxis { X, Y };

class TJointLayers {
public:
    static constexpr int LayerCount = 16;

    TJointLayers(); // every layer controls itself

    // The layer 1..16 that controls `layer`'s axis; `layer` must be 1..16 (std::out_of_range
    // otherwise).
    int XControlledBy(int layer) const { return FX[Index(layer)]; }
    int YControlledBy(int layer) const { return FY[Index(layer)]; }
    int ControlledBy(TJointAxis axis, int layer) const;

    // Lets `controller` control `layer`'s axis. `controller` == `layer` makes the layer a root
    // again and does nothing more. Otherwise the layer takes over the controller's range
    // (OnTakeOver) and OnChange fires. Throws ELayerChartError, leaving the table unchanged,
    // when the controller is outside 1..16, is itself controlled, or `layer` controls others.
    void SetXControlledBy(int layer, int controller) { SetControlledBy(TJointAxis::X, layer, controller); }
    void SetYControlledBy(int layer, int controller) { SetControlledBy(TJointAxis::Y, layer, controller); }
    void SetControlledBy(TJointAxis axis, int layer, int controller);

    // Copies both tables without checks; every controlled axis then takes over its controller's
    // range and OnChange fires once.
    void Assign(const TJointLayers& source);

    bool operator==(const TJointLayers& other) const { return FX == other.FX && FY == other.FY; }

    // The published form: L01xControlledBy ... L16yControlledBy.
#define DUOCLAVE_JOINT_LAYER(NN, n)                                                                  \
    int L##NN##xControlledBy() const { return XControlledBy(n); }                                    \
    void SetL##NN##xControlledBy(int v) { SetXControlledBy(n, v); }                                  \
    int L##NN##yControlledBy() const { return YControlledBy(n); }                                    \
    void SetL##NN##yControlledBy(int v) { SetYControlledBy(n, v); }
    DUOCLAVE_JOINT_LAYER(01, 1)
    DUOCLAVE_JOINT_LAYER(02, 2)
    DUOCLAVE_JOINT_LAYER(03, 3)
    DUOCLAVE_JOINT_LAYER(04, 4)
    DUOCLAVE_JOINT_LAYER(05, 5)
    DUOCLAVE_JOINT_LAYER(06, 6)
    DUOCLAVE_JOINT_LAYER(07, 7)
    DUOCLAVE_JOINT_LAYER(08, 8)
    DUOCLAVE_JOINT_LAYER(09, 9)
    DUOCLAVE_JOINT_LAYER(10, 10)
    DUOCLAVE_JOINT_LAYER(11, 11)
    DUOCLAVE_JOINT_LAYER(12, 12)
    DUOCLAVE_JOINT_LAYER(13, 13)
    DUOCLAVE_JOINT_LAYER(14, 14)
    DUOCLAVE_JOINT_LAYER(15, 15)
    DUOCLAVE_JOINT_LAYER(16, 16)
#undef DUOCLAVE_JOINT_LAYER

    // Called when `layer`'s axis has just been put under `controller`: the owner gives the layer
    // the controller's range on that axis at once.
    std::function<void(TJointAxis axis, int layer, int controller)> OnTakeOver;
    // The change notification, bound to the owner's sub-object change handler.
    std::function<void()> OnChange;

private:
    using Table = std::array<int, LayerCount>;

    static size_t Index(int layer);
    Table& TableOf(TJointAxis axis) { return axis == TJointAxis::X ? FX : FY; }
    const Table& TableOf(TJointAxis axis) const { return axis == TJointAxis::X ? FX : FY; }

    Table FX{};
    Table FY{};
};

} // namespace chart
