#pragma once
// The program's modal boxes and file dialogs, shown with Qt.

#include "app/Dialogs.h"

#include <QStringList>

class QWidget;

namespace app {

// "Dat files|*.dat|All files|*.*" as the toolkit's name filters: "Dat files (*.dat)", ...
QStringList FilterToNameFilters(const QString& filter);

// ".dat", "dat" and "*.bmp" all name the suffix to append: "dat", "bmp".
QString DefaultSuffix(const QString& defaultExt);

// The suffix a name typed without one gets while the filter with `pattern` is selected: the
// filter's own extension when it names exactly one ("*.svg" gives "svg"), so the overwrite
// prompt asks about the file that will be written; otherwise the default extension's.
QString SuffixForFilter(const QString& pattern, const QString& defaultExt);

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const QString& text) override;
    bool ConfirmYesNo(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<SaveDialogChoice> SaveFileName(const SaveDialogRequest& request) override;
    std::optional<QString> ChoosePortDevice(const PortDeviceRequest& request) override;

private:
    QWidget* parent_;
};

} // namespace app
