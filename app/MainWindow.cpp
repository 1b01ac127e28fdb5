#include "app/MainWindow.h"

#include "core/E2PROMMessages.h"
#include "core/E2PROMVariables.h"
#include "core/PortConnection.h"
#include "core/PortMessages.h"
#include "core/SyncChart.h"
#include "core/SyncMeasurement.h"
#include "app/TEditMaxLength.h"
#include "app/TRadioGroup.h"
#include "app/TSaveDialog.h"
#include "chart/chartbase.h"
#include "chart/layerchart.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTimer>

namespace {

// The stored layout, in pixels at 96 pixels per inch, relative to each control's parent.
constexpr QPoint FormPosition{200, 191};
constexpr QSize FormClientSize{940, 301};
constexpr QRect RadioGroup1Bounds{8, 8, 241, 49};
constexpr QPoint Label1Position{8, 64};
constexpr int Label1Height = 13;
constexpr int Label1Width = 241;          // the left column's width: reasons wrap within it
constexpr QRect GroupBox4Bounds{8, 88, 241, 113};
constexpr QRect ComboBoxBounds{16, 24, 209, 21};
constexpr QPoint Label18Position{16, 56};
constexpr QRect EditBounds{56, 48, 49, 21};
constexpr QRect ButtonE2PROMBounds{112, 48, 113, 25};
constexpr QRect ButtonWorkingBounds{112, 80, 113, 25};
constexpr int LabelE2PROMLeft = 16;
constexpr int LabelE2PROMWidth = 209;   // as wide as the combo box above it
constexpr int LabelE2PROMGap = 4;       // below Button_Working
constexpr int GroupBottomPadding = 8;
constexpr QRect GroupBox1Bounds{8, 208, 241, 89};
constexpr QRect ButtonSwitchBounds{24, 24, 193, 25};
constexpr QRect Button1Bounds{24, 56, 113, 25};
constexpr QRect Button2Bounds{144, 56, 75, 25};
constexpr QRect LayerChart1Bounds{QPoint{256, 16}, core::SyncChartSize};

// Beyond the widest item, so that its last letter never touches the list's edge.
constexpr int ComboListSlack = 8;
constexpr int FormFontPixels = 11; // "MS Sans Serif", height -11: 8 point at 96 dpi
constexpr int EditMaxLength = 8;
constexpr int RadioColumns = 2;
constexpr int MeasurementTickMs = 1000;
constexpr int PortWatchMs = 1000;

QLabel* NewLabel(const QString& name, const QString& text, QWidget* parent, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

QPushButton* NewButton(const QString& name, const QString& text, QWidget* parent, const QRect& bounds)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(bounds);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* NewGroup(const QString& name, const QString& caption, QWidget* parent, const QRect& bounds)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    group->setGeometry(bounds);
    return group;
}

} // namespace

TForm1::TForm1(app::Dialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Duoclave V 0.21"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(FormFontPixels);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    QPalette face = palette();
    face.setColor(QPalette::Window, chart::ToQColor(chart::clBtnFace, palette()));
    face.setColor(QPalette::WindowText, chart::ToQColor(chart::clWindowText, palette()));
    setPalette(face);
    setAutoFillBackground(true);
    move(FormPosition);
    resize(FormClientSize);

    port_ = std::make_unique<core::PortConnection>();
    CreateControls();
    CreateComponents();
    CreatePortMenu();
    ArrangePortStatus();
    ArrangeEditorStatus();
    CreateMeasurement();
    ConnectHandlers();
    KeepStoredSizeAsMinimum();
    RunHandler([this] { FormCreate(this); });
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
    RadioGroup1 = new app::TRadioGroup(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setTitle(QStringLiteral("Choose COM PORT"));
    RadioGroup1->setGeometry(RadioGroup1Bounds);
    RadioGroup1->SetColumns(RadioColumns);
    RadioGroup1->SetItems({QStringLiteral("COM 1"), QStringLiteral("COM 2")});
    {
        // The stored selection is loaded before any handler is attached.
        const QSignalBlocker quiet(RadioGroup1);
        RadioGroup1->SetItemIndex(0);
    }

    Label1 = NewLabel(QStringLiteral("Label1"), QStringLiteral("Status: "), this, Label1Position);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    QPalette status = Label1->palette();
    status.setColor(QPalette::Window, chart::ToQColor(chart::clMenu, palette()));
    status.setColor(QPalette::WindowText, chart::ToQColor(chart::clBlack));
    Label1->setPalette(status);
    Label1->setAutoFillBackground(true);
    Label1->adjustSize();
    Label1->resize(Label1->width(), std::max(Label1->height(), Label1Height));

    GroupBox4 = NewGroup(QStringLiteral("GroupBox4"), QStringLiteral("Read/Write to E2PROM"), this, GroupBox4Bounds);
    ComboBox_E2PROM = new QComboBox(GroupBox4);
    ComboBox_E2PROM->setObjectName(QStringLiteral("ComboBox_E2PROM"));
    ComboBox_E2PROM->setGeometry(ComboBoxBounds);
    ComboBox_E2PROM->setEditable(true);
    ComboBox_E2PROM->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_E2PROM->setCompleter(nullptr);
    ComboBox_E2PROM->setMaxVisibleItems(core::E2PROMVariableCount);
    for (const core::E2PROMVariable& row : core::E2PROMVariables) ComboBox_E2PROM->addItem(QString::fromLatin1(row.itemText));
    ComboBox_E2PROM->setCurrentIndex(-1);
    ComboBox_E2PROM->setEditText(QStringLiteral("Select Variable"));
    FitComboBoxList();

    Label18 = NewLabel(QStringLiteral("Label18"), QStringLiteral("Value:"), GroupBox4, Label18Position);
    Edit_E2PROM = new QLineEdit(QStringLiteral("0"), GroupBox4);
    Edit_E2PROM->setObjectName(QStringLiteral("Edit_E2PROM"));
    Edit_E2PROM->setGeometry(EditBounds);
    Edit_E2PROM->setValidator(new app::TEditMaxLength(Edit_E2PROM, EditMaxLength));
    Button_E2PROM = NewButton(QStringLiteral("Button_E2PROM"), QStringLiteral("Write to E2PROM"), GroupBox4, ButtonE2PROMBounds);
    Button_Working = NewButton(QStringLiteral("Button_Working"), QStringLiteral("E2PROM -> working"), GroupBox4, ButtonWorkingBounds);
    Label_E2PROM = NewLabel(QStringLiteral("Label_E2PROM"), QString(), GroupBox4,
                            {LabelE2PROMLeft, ButtonWorkingBounds.bottom() + 1 + LabelE2PROMGap});
    Label_E2PROM->setWordWrap(true);
    Label_E2PROM->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    GroupBox1 = NewGroup(QStringLiteral("GroupBox1"), QStringLiteral("Sync Graph"), this, GroupBox1Bounds);
    Button_Switch = NewButton(QStringLiteral("Button_Switch"), QStringLiteral("Start measurement"), GroupBox1, ButtonSwitchBounds);
    Button1 = NewButton(QStringLiteral("Button1"), QStringLiteral("Save measurements"), GroupBox1, Button1Bounds);
    Button2 = NewButton(QStringLiteral("Button2"), QStringLiteral("Save picture"), GroupBox1, Button2Bounds);

    LayerChart1 = new chart::TLayerChart(this);
    LayerChart1->setObjectName(QStringLiteral("LayerChart1"));
    LayerChart1->setGeometry(LayerChart1Bounds);

    // Tab order within each parent: the radio group, then GroupBox4 (edit, write button, combo
    // box, copy button), then GroupBox1.
    QWidget* chain[] = {RadioGroup1->Button(0), RadioGroup1->Button(1), Edit_E2PROM, Button_E2PROM,
                        ComboBox_E2PROM, Button_Working, Button_Switch, Button1, Button2};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) setTabOrder(chain[i], chain[i + 1]);
}

void TForm1::CreateComponents()
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(MeasurementTickMs);
    Timer1->stop();
    Timer_PortWatch = new QTimer(this);
    Timer_PortWatch->setObjectName(QStringLiteral("Timer_PortWatch"));
    Timer_PortWatch->setInterval(PortWatchMs);
    SaveDialog1 = new app::TSaveDialog(dialogs_, this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialogPicture = new app::TSaveDialog(dialogs_, this);
    SaveDialogPicture->setObjectName(QStringLiteral("SaveDialogPicture"));
    ApplyDriverSettings();
    ApplyDialogSettings();
    ApplyChartSettings();
}

void TForm1::ArrangePortStatus()
{
    // Room for the longest status the line can show, wrapped within the left column; what lies
    // below it moves down by what that takes.
    const QFontMetrics metrics(Label1->font());
    portStatusHeight_ = Label1Height;
    for (platform::PortFailure failure : core::AdvisedFailures) {
        const QString text = QString::fromStdString(core::PortStatusText(failure, {}));
        portStatusHeight_ = std::max(portStatusHeight_, metrics.boundingRect(QRect(0, 0, Label1Width, 0), Qt::TextWordWrap, text).height());
    }
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int growth = portStatusHeight_ - Label1Height;
    GroupBox4->move(GroupBox4->pos() + QPoint(0, growth));
    GroupBox1->move(GroupBox1->pos() + QPoint(0, growth));
    resize(size() + QSize(0, growth));
}

void TForm1::FitPortStatus()
{
    // As wide as the text needs, so that the status colour covers the words only.
    const QFontMetrics metrics(Label1->font());
    const QRect needed = metrics.boundingRect(QRect(0, 0, Label1Width, 0), Qt::TextWordWrap, Label1->text());
    Label1->resize(std::min(needed.width() + 1, Label1Width), std::max(needed.height(), Label1Height));
}

void TForm1::ArrangeEditorStatus()
{
    // The status line sits below Button_Working and shows each of its texts in full, wrapped
    // if need be; the group, the group below it and the window grow by what that takes.
    const QFontMetrics metrics(Label_E2PROM->font());
    int textHeight = metrics.height();
    for (const char* text : core::EditorStatusTexts) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, LabelE2PROMWidth, 0), Qt::TextWordWrap, QString::fromLatin1(text));
        textHeight = std::max(textHeight, needed.height());
    }
    Label_E2PROM->resize(LabelE2PROMWidth, textHeight);
    const int groupHeight = Label_E2PROM->geometry().bottom() + 1 + GroupBottomPadding;
    const int growth = std::max(0, groupHeight - GroupBox4Bounds.height());
    GroupBox4->resize(GroupBox4Bounds.width(), GroupBox4Bounds.height() + growth);
    GroupBox1->move(GroupBox1->pos() + QPoint(0, growth));
    resize(size() + QSize(0, growth));
}

void TForm1::FitComboBoxList()
{
    // The field keeps its stored width; the list that drops down is as wide as its longest item,
    // so that every variable reads in full.
    QAbstractItemView* list = ComboBox_E2PROM->view();
    int widest = 0;
    for (int i = 0; i < ComboBox_E2PROM->count(); ++i)
        widest = std::max(widest, list->sizeHintForIndex(ComboBox_E2PROM->model()->index(i, 0)).width());
    const auto* frame = qobject_cast<QFrame*>(list);
    list->setMinimumWidth(widest + 2 * (frame ? frame->frameWidth() : 0) + ComboListSlack);
}

void TForm1::ConnectHandlers()
{
    connect(RadioGroup1, &app::TRadioGroup::Click, this, [this] { RunHandler([this] { RadioGroup1Click(RadioGroup1); }); });
    connect(ComboBox_E2PROM, qOverload<int>(&QComboBox::activated), this,
            [this](int) { RunHandler([this] { ComboBox_E2PROMChange(ComboBox_E2PROM); }); });
    connect(ComboBox_E2PROM->lineEdit(), &QLineEdit::textEdited, this, &TForm1::OnComboBoxTextEdited);
    // The chosen item's text starts at the field's left edge, as its beginning names the
    // variable; it is selected with the cursor at its start, so typing replaces it whole.
    connect(ComboBox_E2PROM, &QComboBox::currentIndexChanged, this, [this](int index) {
        QLineEdit* field = ComboBox_E2PROM->lineEdit();
        if (index >= 0) field->setSelection(int(field->text().size()), -int(field->text().size()));
    });
    connect(Button_E2PROM, &QPushButton::clicked, this, [this] { RunHandler([this] { Button_E2PROMClick(Button_E2PROM); }); });
    connect(Button_Working, &QPushButton::clicked, this, [this] { RunHandler([this] { Button_WorkingClick(Button_Working); }); });
    connect(Button_Switch, &QPushButton::clicked, this, [this] { RunHandler([this] { Button_SwitchClick(Button_Switch); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { RunHandler([this] { Button1Click(Button1); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { RunHandler([this] { Button2Click(Button2); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { RunHandler([this] { Timer1Timer(Timer1); }); });
    connect(Timer_PortWatch, &QTimer::timeout, this, [this] { RunHandler([this] { WatchPort(); }); });
    Timer_PortWatch->start();
}

void TForm1::RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        dialogs_.ShowError(QString::fromUtf8(e.what()));
    }
}

void TForm1::KeepStoredSizeAsMinimum()
{
    // The stored layout is the default and the least the window shows: the left column keeps
    // its place and size, and the chart takes whatever the window gains beyond it.
    const QRect chartBounds = LayerChart1->geometry();
    chartMargin_ = QSize(width() - chartBounds.right() - 1, height() - chartBounds.bottom() - 1);
    LayerChart1->setMinimumSize(chartBounds.size());
    setMinimumSize(size());
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QPoint at = LayerChart1->pos();
    const QSize room(width() - at.x() - chartMargin_.width(), height() - at.y() - chartMargin_.height());
    LayerChart1->setGeometry(QRect(at, room.expandedTo(LayerChart1->minimumSize())));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    TCloseAction action = caFree;
    RunHandler([&] { FormClose(this, action); });
    if (action == caNone)
        event->ignore();
    else
        event->accept();
}
