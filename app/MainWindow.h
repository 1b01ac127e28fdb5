#pragma once
// The program's one window: the port choice and status, the E2PROM variable editor, the sync
// measurement with its chart, and the save actions. Controls carry their names as objectName.

#include "app/Dialogs.h"

#include <QSize>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace core {
class PortConnection;
class SyncMeasurement;
}

namespace app {
class TRadioGroup;
class TSaveDialog;
} // namespace app

namespace serial {
class TSerialPortDriver;
}

namespace chart {
class TLayerChart;
}

// What the window does after FormClose; the program ends unless caNone keeps it open.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Creates the window from its stored settings and runs FormCreate (which opens the port).
    // `dialogs` shows every modal box and file dialog and must outlive the window.
    explicit TForm1(app::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls and components, under the names the window stores them with.
    app::TRadioGroup* RadioGroup1 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QComboBox* ComboBox_E2PROM = nullptr;
    QLabel* Label18 = nullptr;
    QLineEdit* Edit_E2PROM = nullptr;
    QPushButton* Button_E2PROM = nullptr;
    QPushButton* Button_Working = nullptr;
    QLabel* Label_E2PROM = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QPushButton* Button_Switch = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    // Below the buttons of GroupBox1: empty, or how many readings of the running measurement
    // failed and when the last one did, until a good reading comes.
    QLabel* Label_Missed = nullptr;
    chart::TLayerChart* LayerChart1 = nullptr;
    // The context menu of RadioGroup1: which device "COM 1" and "COM 2" stand for.
    QMenu* PopupMenu_Port = nullptr;
    QTimer* Timer1 = nullptr;
    // Once a second: notices a device that went away and reopens it when it returns, also
    // while no measurement runs.
    QTimer* Timer_PortWatch = nullptr;
    app::TSaveDialog* SaveDialog1 = nullptr;
    app::TSaveDialog* SaveDialogPicture = nullptr;
    // Exists only during creation: FormCreate uses it once and destroys it.
    serial::TSerialPortDriver* SerialPortDriver1 = nullptr;

    // Measurement state.
    int32_t MeasurementCount = 0;
    bool Measuring = false;
    std::unique_ptr<QStringList> MeasurementLog; // none until the first start
    // Takes the samples into the chart and the log.
    core::SyncMeasurement& Measurement() { return *measurement_; }
    // PortHandle's connection: why it failed, whether its device is gone.
    core::PortConnection& Port() { return *port_; }
    // The device path that the selected port stands for.
    std::string PortPath() const;

    // Handlers, one per user action. Each runs through RunHandler when the control fires it.
    void FormCreate(QObject* Sender);
    void RadioGroup1Click(QObject* Sender);
    // Asks which device radio item `item` stands for, remembers the answer and, for the
    // selected item, opens it at once.
    void RadioGroup1ChooseDevice(int item);
    void FormClose(QObject* Sender, TCloseAction& Action);
    void ComboBox_E2PROMChange(QObject* Sender);
    void Button_E2PROMClick(QObject* Sender);
    void Button_WorkingClick(QObject* Sender);
    void Button_SwitchClick(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void LayerChart1DblClick(QObject* Sender);

    // Fits the chart's view to the samples of the current run; `centre` is the middle of the
    // view when there are none.
    void FitChartRange(double centre);

    // The selected row of the editor: the combo box's index, -1 when none is selected (at
    // start, and after the user edits the combo box's text).
    int E2PROMItemIndex() const;

    // Runs a handler; an exception it raises is shown in the standard error box, as the
    // runtime does for every handler.
    void RunHandler(const std::function<void()>& handler);

    app::Dialogs& WindowDialogs() { return dialogs_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The chart grows and shrinks with the window, never below its stored size.
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateComponents();
    void ConnectHandlers();
    void ArrangeEditorStatus();
    void FitComboBoxList();
    void KeepStoredSizeAsMinimum();
    void CreateMeasurement();
    void ShowMissedReadings();
    void CreatePortMenu();
    void ArrangePortStatus();
    void FitPortStatus();
    void ShowPortStatus();
    void WatchPort();
    void ApplyDriverSettings();
    void ApplyDialogSettings();
    void ApplyChartSettings();
    void OnComboBoxTextEdited(const QString& text);

    app::Dialogs& dialogs_;
    std::unique_ptr<core::SyncMeasurement> measurement_;
    std::unique_ptr<core::PortConnection> port_;
    int portStatusHeight_ = 0;
    QSize chartMargin_; // from the chart's right and bottom edges to the window's
};
