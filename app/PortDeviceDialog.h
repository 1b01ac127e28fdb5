#pragma once
// The device choice of one port: the serial devices present (by-id names first), a path typed by
// hand, Refresh for a device plugged in meanwhile.

#include "app/Dialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace app {

class PortDeviceDialog : public QDialog {
    Q_OBJECT
public:
    PortDeviceDialog(PortDeviceRequest request, QWidget* parent = nullptr);

    // The path in the path field, trimmed: the chosen entry's, or what the user typed.
    QString ChosenPath() const;

    // Lists the devices present again; the path field keeps what it holds.
    void Refresh();

private:
    PortDeviceRequest request_;
    QListWidget* list_ = nullptr;
    QLineEdit* path_ = nullptr;
    QLabel* listError_ = nullptr;
};

} // namespace app
