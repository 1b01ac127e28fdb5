#include "support_measurement.h"

#include "chart/scaleprops.h"
#include "platform/PortNames.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace testing_support {

namespace {

const char* NoPortPath = "/nonexistent/duoclave-com1";

} // namespace

ViewRange LayerView(const chart::TCustomLayerChart& chart, int layer)
{
    return {chart.ScaleX(layer)->RangeLow(), chart.ScaleX(layer)->RangeHigh(), chart.ScaleY(layer)->RangeLow(),
            chart.ScaleY(layer)->RangeHigh()};
}

void MeasurementWindow::StartWithDevice(const std::vector<std::string>& options)
{
    std::vector<std::string> all = options;
    all.push_back("--no-byte-time");
    sim = std::make_unique<SimProcess>(all);
    ASSERT_TRUE(sim->Running()) << sim->Error();
    platform::SetComPortPath(1, sim->LinkPath());
    form = std::make_unique<TForm1>(dialogs);
    ASSERT_EQ(form->Label1->text(), QStringLiteral("Status: OK"));
}

void MeasurementWindow::StartWithoutPort()
{
    platform::SetComPortPath(1, NoPortPath);
    form = std::make_unique<TForm1>(dialogs);
    ASSERT_TRUE(form->Label1->text().startsWith(QStringLiteral("Status: Error")));
}

void MeasurementWindow::TearDown()
{
    if (form) {
        form->close();
        form.reset();
    }
    platform::SetComPortPath(1, "");
    sim.reset();
}

void MeasurementWindow::Switch()
{
    form->Button_Switch->click();
    form->Timer1->stop();
}

void MeasurementWindow::Tick()
{
    form->RunHandler([this] { form->Timer1Timer(form->Timer1); });
}

} // namespace testing_support
