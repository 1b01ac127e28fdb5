// The sync measurement, its recording and the two save actions.

#include "core/MeasurementFile.h"
#include "core/PortConnection.h"
#include "core/SyncChart.h"
#include "core/SyncMeasurement.h"
#include "app/TSaveDialog.h"
#include "app/MainWindow.h"
#include "chart/chartbase.h"
#include "chart/layerchart.h"

#include <QDateTime>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

const char* StartCaption = "Start Measurement";
const char* StopCaption = "Stop Measurement";

// The missed-readings line sits below the save buttons, as wide as the switch button.
constexpr int MissedLabelLeft = 24;
constexpr int MissedLabelWidth = 193;
constexpr int MissedLabelGap = 4;
constexpr int GroupBottomPadding = 8;

// Room for the longest alarm text the line is expected to show.
const char* WidestMissedText = "Missed readings: 999999, last at 00:00:00";

} // namespace

void TForm1::CreateMeasurement()
{
    measurement_ = std::make_unique<core::SyncMeasurement>(*LayerChart1, MeasurementCount, MeasurementLog);
    LayerChart1->OnDblClick = [this](chart::TCustomLayerChart*) { RunHandler([this] { LayerChart1DblClick(LayerChart1); }); };

    Label_Missed = new QLabel(GroupBox1);
    Label_Missed->setObjectName(QStringLiteral("Label_Missed"));
    QPalette alarm = Label_Missed->palette();
    alarm.setColor(QPalette::WindowText, chart::ToQColor(chart::clRed));
    Label_Missed->setPalette(alarm);
    // Wrapped if need be, so that the group keeps its width beside the chart.
    const QFontMetrics metrics(Label_Missed->font());
    const QRect needed = metrics.boundingRect(QRect(0, 0, MissedLabelWidth, 0), Qt::TextWordWrap,
                                              QString::fromLatin1(WidestMissedText));
    Label_Missed->setWordWrap(true);
    Label_Missed->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_Missed->setGeometry(MissedLabelLeft, Button1->geometry().bottom() + 1 + MissedLabelGap, MissedLabelWidth,
                              std::max(metrics.height(), needed.height()));
    // The group and the window grow by the line.
    const int groupHeight = Label_Missed->geometry().bottom() + 1 + GroupBottomPadding;
    const int growth = std::max(0, groupHeight - GroupBox1->height());
    GroupBox1->resize(GroupBox1->width(), GroupBox1->height() + growth);
    resize(width(), height() + growth);
}

void TForm1::ShowMissedReadings()
{
    Label_Missed->setText(measurement_->MissedReadingText());
}

void TForm1::Button_SwitchClick(QObject*)
{
    if (Measuring) {
        // The chart and the log stay as they are, ready to be saved.
        Timer1->stop();
        Measuring = false;
        Button_Switch->setText(QString::fromLatin1(StartCaption));
        return;
    }
    Measuring = true;
    Button_Switch->setText(QString::fromLatin1(StopCaption));
    measurement_->Start();
    ShowMissedReadings();
    Timer1->start();
}

void TForm1::Timer1Timer(QObject*)
{
    // The tick notices a device that went away and reopens one that came back; while it is
    // missing the tick is a missed reading that waits for nothing.
    if (measurement_->Tick(QDateTime::currentDateTime(), *port_).portChanged) ShowPortStatus();
    ShowMissedReadings();
}

void TForm1::FitChartRange(double centre)
{
    measurement_->FitChartRange(centre);
}

void TForm1::LayerChart1DblClick(QObject*)
{
    FitChartRange(0);
    LayerChart1->Redraw();
}

void TForm1::Button1Click(QObject*)
{
    if (!SaveDialog1->Execute())
        return;
    // Before the first start there is no log: the file is written empty.
    core::SaveMeasurementFile(SaveDialog1->FileName(), MeasurementLog ? *MeasurementLog : QStringList());
}

void TForm1::Button2Click(QObject*)
{
    if (!SaveDialogPicture->Execute())
        return;
    // The selected filter, or a typed extension of the four, picks the format; the metafile keeps
    // its rule of replacing the extension. A file that cannot be written raises, and RunHandler
    // shows that in the standard error box.
    core::SaveSyncPicture(*LayerChart1, SaveDialogPicture->FileName(),
                          chart::PictureFormatOfPattern(SaveDialogPicture->FilterPattern()));
}
