#include "app/PortDeviceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int ListMinimumWidth = 640;
constexpr int ListMinimumHeight = 160;

} // namespace

PortDeviceDialog::PortDeviceDialog(PortDeviceRequest request, QWidget* parent) : QDialog(parent), request_(std::move(request))
{
    setObjectName(QStringLiteral("PortDeviceDialog"));
    setWindowTitle(QStringLiteral("Device for %1").arg(request_.port));

    auto* current = new QLabel(QStringLiteral("%1 now stands for %2 (%3).").arg(request_.port, request_.currentPath, request_.currentSource), this);
    current->setObjectName(QStringLiteral("Label_CurrentDevice"));
    current->setWordWrap(true);

    auto* listCaption = new QLabel(QStringLiteral("Serial devices present:"), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListWidget_Devices"));
    list_->setMinimumSize(ListMinimumWidth, ListMinimumHeight);
    listCaption->setBuddy(list_);
    listError_ = new QLabel(this);
    listError_->setObjectName(QStringLiteral("Label_ListError"));
    listError_->setWordWrap(true);

    auto* pathCaption = new QLabel(QStringLiteral("&Path (empty for the default):"), this);
    path_ = new QLineEdit(request_.currentPath, this);
    path_->setObjectName(QStringLiteral("Edit_DevicePath"));
    pathCaption->setBuddy(path_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* refresh = buttons->addButton(QStringLiteral("&Refresh"), QDialogButtonBox::ActionRole);
    refresh->setObjectName(QStringLiteral("Button_Refresh"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(current);
    layout->addWidget(listCaption);
    layout->addWidget(list_);
    layout->addWidget(listError_);
    layout->addWidget(pathCaption);
    layout->addWidget(path_);
    layout->addWidget(buttons);

    connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) path_->setText(item->data(Qt::UserRole).toString());
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { accept(); });
    connect(refresh, &QPushButton::clicked, this, &PortDeviceDialog::Refresh);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Refresh();
}

void PortDeviceDialog::Refresh()
{
    const QString kept = path_->text();
    const PortDeviceList devices = request_.listDevices ? request_.listDevices() : PortDeviceList{};
    list_->clear();
    for (const PortDeviceEntry& entry : devices.entries) {
        // The path to open on the first line, what is known about the device below it.
        QString text = entry.path;
        if (!entry.description.isEmpty() && entry.description != entry.path) text += QLatin1Char('\n') + QStringLiteral("    ") + entry.description;
        auto* item = new QListWidgetItem(text, list_);
        item->setData(Qt::UserRole, entry.path);
        item->setToolTip(entry.path);
        if (entry.path == kept) list_->setCurrentItem(item);
    }
    listError_->setText(devices.error);
    listError_->setVisible(!devices.error.isEmpty());
    if (devices.entries.empty() && devices.error.isEmpty()) {
        listError_->setText(QStringLiteral("No serial device found. Plug the adapter in and press Refresh, or type a path."));
        listError_->setVisible(true);
    }
    path_->setText(kept);
}

QString PortDeviceDialog::ChosenPath() const
{
    return path_->text().trimmed();
}

} // namespace app
