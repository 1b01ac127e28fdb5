#pragma once
// The real window for measurement stories: started against duoclave-sim on a pty (or with no
// port), with its handlers called as the timer and the operator call them.

#include "core/SyncMeasurement.h"
#include "app/MainWindow.h"
#include "chart/layerchart.h"
#include "support/SimProcess.h"
#include "tests/app/support_scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// The visible range of one chart layer.
struct ViewRange {
    double xLow, xHigh, yLow, yHigh;
};
ViewRange LayerView(const chart::TCustomLayerChart& chart, int layer);

class MeasurementWindow : public ::testing::Test {
protected:
    // Starts the simulator with `options` (plus no byte time: the stories are about samples,
    // not line speed) and the window on it; the port must open.
    void StartWithDevice(const std::vector<std::string>& options);
    // The window with no port at all ("Status: Error").
    void StartWithoutPort();
    void TearDown() override;

    chart::TLayerChart& Chart() { return *form->LayerChart1; }
    // Presses "Start measurement"/"Stop Measurement"; the real timer is stopped again after a
    // start so that only the test calls the tick.
    void Switch();
    // One tick of Timer1, as the timer runs it.
    void Tick();
    // Samples taken without the device: what a tick does with a good reading.
    void Record(double value) { form->Measurement().RecordSample(value); }
    QStringList Log() const { return form->MeasurementLog ? *form->MeasurementLog : QStringList(); }

    ScriptedDialogs dialogs;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TForm1> form;
};

} // namespace testing_support
