// The serial port of the window: the start-up pass through the driver, the open of PortHandle
// with its line settings, the change of port, and the release when the window closes.

#include "core/PortOpening.h"
#include "core/PortState.h"
#include "app/TRadioGroup.h"
#include "app/MainWindow.h"
#include "chart/layerchart.h"
#include "platform/SerialPort.h"
#include "serial/SPDrv.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr uint32_t LineBaudRate = 9600;
constexpr uint8_t LineByteSize = 8;

const char* StatusOkText = "Status: OK";
const char* StatusErrorText = "Status: Error";

struct PortNames {
    std::string device;      // "Com1"
    std::string driverStyle; // "\\.\COM1"
};

PortNames NamesForItem(int itemIndex)
{
    if (itemIndex == 1) return {"Com2", "\\\\.\\COM2"};
    return {"Com1", "\\\\.\\COM1"};
}

void ShowStatus(QLabel* label, bool ok)
{
    label->setText(QString::fromLatin1(ok ? StatusOkText : StatusErrorText));
    label->adjustSize();
}

} // namespace

void TForm1::FormCreate(QObject*)
{
    const PortNames names = NamesForItem(RadioGroup1->ItemIndex());
    PortDeviceName = names.device;

    // The driver applies its line settings, queue sizes and time-outs to the port once; its
    // result does not matter, the open of PortHandle alone decides the status.
    if (SerialPortDriver1) {
        if (SerialPortDriver1->IsOpen()) SerialPortDriver1->ClosePort();
        SerialPortDriver1->SetPortName(names.driverStyle);
        SerialPortDriver1->OpenPort();
        SerialPortDriver1->ClosePort();
        delete SerialPortDriver1;
        SerialPortDriver1 = nullptr;
    }

    const bool opened = core::OpenPortHandle().Ok();
    ShowStatus(Label1, opened);
    if (opened) core::ApplyStartupLineSettings();

    // Whatever the port did, the window starts with no measurement and an empty chart.
    MeasurementCount = 0;
    Measuring = false;
    LayerChart1->ClearItems();
    Timer1->stop();
}

void TForm1::RadioGroup1Click(QObject*)
{
    if (PortIsOpen) {
        platform::ClosePort(PortHandle);
        PortHandle = platform::InvalidPortHandle;
    }
    PortDeviceName = NamesForItem(RadioGroup1->ItemIndex()).device;
    const bool opened = core::OpenPortHandle().Ok();
    ShowStatus(Label1, opened);
    if (!opened) return;
    // The default configuration's flags stay; only speed and framing are set.
    PortConfig.dcb.BaudRate = LineBaudRate;
    PortConfig.dcb.ByteSize = LineByteSize;
    PortConfig.dcb.Parity = platform::ParityNone;
    PortConfig.dcb.StopBits = platform::StopBitsOne;
    platform::SetLineSettings(PortHandle, PortConfig.dcb);
}

void TForm1::FormClose(QObject*, TCloseAction&)
{
    if (!PortIsOpen) return;
    platform::ClosePort(PortHandle);
    PortHandle = platform::InvalidPortHandle;
    MeasurementLog.reset();
}
