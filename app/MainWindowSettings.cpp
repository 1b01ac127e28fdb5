// The settings stored with the window, applied through each component's setters in the
// stored order.

#include "app/TSaveDialog.h"
#include "app/MainWindow.h"
#include "core/SyncChart.h"
#include "serial/SerialPortDriver.h"

namespace {

constexpr uint32_t DriverInputTimeoutMs = 100;

} // namespace

void TForm1::ApplyDriverSettings()
{
    SerialPortDriver1 = new serial::TSerialPortDriver(this);
    SerialPortDriver1->setObjectName(QStringLiteral("SerialPortDriver1"));
    SerialPortDriver1->SetPort(serial::pnCustom);
    SerialPortDriver1->SetPortName("\\\\.\\COM1");
    SerialPortDriver1->SetHwFlow(serial::hfNONE);
    SerialPortDriver1->SetEnableDTROnOpen(false);
    SerialPortDriver1->SetInputTimeout(DriverInputTimeoutMs);
}

void TForm1::ApplyDialogSettings()
{
    const app::TOpenOptions options = app::ofOverwritePrompt | app::ofHideReadOnly | app::ofEnableSizing;
    SaveDialog1->SetDefaultExt(QStringLiteral(".dat"));
    SaveDialog1->SetFilter(QStringLiteral("Dat files|*.dat|All files|*.*"));
    SaveDialog1->SetOptions(options);

    SaveDialogPicture->SetDefaultExt(QStringLiteral("*.bmp"));
    SaveDialogPicture->SetFilter(
        QStringLiteral("WMF files|*.wmf|SVG files|*.svg|PDF files|*.pdf|PNG files|*.png|All files|*.*"));
    SaveDialogPicture->SetOptions(options);
    SaveDialogPicture->SetTitle(QStringLiteral("Select file name"));
}

void TForm1::ApplyChartSettings()
{
    core::ApplySyncChartSettings(*LayerChart1);
}
