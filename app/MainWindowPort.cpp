// The serial port of the window: the start-up pass through the driver, the open of PortHandle
// with its line settings, the change of port, and the release when the window closes.

#include "core/PortChoice.h"
#include "core/PortConnection.h"
#include "core/PortOpening.h"
#include "core/PortState.h"
#include "app/TRadioGroup.h"
#include "app/MainWindow.h"
#include "chart/layerchart.h"
#include "platform/SerialDevices.h"
#include "platform/SerialPort.h"
#include "serial/SerialPortDriver.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr uint32_t LineBaudRate = 9600;
constexpr uint8_t LineByteSize = 8;

// PortDeviceName of each radio item.
std::string DeviceNameForItem(int itemIndex) { return itemIndex == 1 ? "Com2" : "Com1"; }

QString ItemCaption(int itemIndex) { return itemIndex == 1 ? QStringLiteral("COM 2") : QStringLiteral("COM 1"); }

app::PortDeviceList SerialDevicesPresent()
{
    const platform::Outcome<std::vector<platform::SerialDevice>> listed = platform::ListSerialDevices();
    app::PortDeviceList list;
    for (const platform::SerialDevice& device : listed.value)
        list.entries.push_back({QString::fromStdString(device.path), QString::fromStdString(platform::DescribeSerialDevice(device))});
    if (!listed) list.error = QStringLiteral("The list is incomplete: %1").arg(QString::fromStdString(listed.result.Message()));
    return list;
}


} // namespace

std::string TForm1::PortPath() const
{
    return core::PortDevicePath(PortDeviceName);
}

void TForm1::CreatePortMenu()
{
    PopupMenu_Port = new QMenu(this);
    PopupMenu_Port->setObjectName(QStringLiteral("PopupMenu_Port"));
    for (int item = 0; item < 2; ++item) {
        QAction* action = PopupMenu_Port->addAction(QStringLiteral("Device for %1...").arg(ItemCaption(item)));
        action->setObjectName(QStringLiteral("Action_DeviceCom%1").arg(item + 1));
        connect(action, &QAction::triggered, this, [this, item] { RunHandler([this, item] { RadioGroup1ChooseDevice(item); }); });
    }
    // The radio buttons leave the context menu to their group, wherever the user clicks.
    RadioGroup1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RadioGroup1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu_Port->popup(RadioGroup1->mapToGlobal(at)); });
    RadioGroup1->setToolTip(QStringLiteral("Right-click to choose the devices that COM 1 and COM 2 stand for."));
}

void TForm1::RadioGroup1ChooseDevice(int item)
{
    const int portNumber = item + 1;
    const core::ResolvedPort current = core::ResolvePort(DeviceNameForItem(item));
    app::PortDeviceRequest request;
    request.port = ItemCaption(item);
    request.currentPath = QString::fromStdString(current.path);
    request.currentSource = QString::fromStdString(core::DescribePortSource(current.source, portNumber));
    request.listDevices = SerialDevicesPresent;
    const std::optional<QString> chosen = dialogs_.ChoosePortDevice(request);
    if (!chosen) return;
    if (!core::ChoosePortPath(portNumber, chosen->trimmed().toStdString()))
        dialogs_.ShowMessage(QStringLiteral("%1 uses the device now, but it could not be remembered for the next start.").arg(request.port));
    // The selected port changes device at once, as a change of port does.
    if (item == RadioGroup1->ItemIndex()) RadioGroup1Click(RadioGroup1);
}

void TForm1::ShowPortStatus()
{
    Label1->setText(QString::fromStdString(port_->StatusText()));
    Label1->setToolTip(QStringLiteral("%1: %2").arg(RadioGroup1->ItemIndex() == 1 ? QStringLiteral("COM 2") : QStringLiteral("COM 1"),
                                                    QString::fromStdString(port_->Path())));
    FitPortStatus();
}

void TForm1::WatchPort()
{
    if (port_->Watch()) ShowPortStatus();
}

void TForm1::FormCreate(QObject*)
{
    PortDeviceName = DeviceNameForItem(RadioGroup1->ItemIndex());

    // The driver applies its line settings, queue sizes and time-outs to the port once; its
    // result does not matter, the open of PortHandle alone decides the status.
    if (SerialPortDriver1) {
        if (SerialPortDriver1->IsOpen()) SerialPortDriver1->ClosePort();
        // By path: the driver-style name would not know the device the user chose.
        SerialPortDriver1->SetPortName(PortPath());
        SerialPortDriver1->OpenPort();
        SerialPortDriver1->ClosePort();
        delete SerialPortDriver1;
        SerialPortDriver1 = nullptr;
    }

    // A reopen after the device came back gets the settings of the start-up open.
    port_->SetLineSetup([] { core::ApplyStartupLineSettings(); });
    const bool opened = port_->Open(PortPath());
    ShowPortStatus();
    if (opened) core::ApplyStartupLineSettings();

    // Whatever the port did, the window starts with no measurement and an empty chart.
    MeasurementCount = 0;
    Measuring = false;
    LayerChart1->ClearItems();
    Timer1->stop();
}

void TForm1::RadioGroup1Click(QObject*)
{
    if (PortIsOpen) port_->Close();
    PortDeviceName = DeviceNameForItem(RadioGroup1->ItemIndex());
    const bool opened = port_->Open(PortPath());
    ShowPortStatus();
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
    // Nothing is reopened behind a closed window, not even a port that never opened.
    Timer_PortWatch->stop();
    port_->Close();
    if (!PortIsOpen) return;
    port_->Close();
    MeasurementLog.reset();
}
