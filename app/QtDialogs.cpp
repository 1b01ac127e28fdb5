#include "app/QtDialogs.h"

#include "app/PortDeviceDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace app {

namespace {

QString ApplicationTitle() { return QApplication::applicationName(); }

} // namespace

QStringList FilterToNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

QString DefaultSuffix(const QString& defaultExt)
{
    QString suffix = defaultExt;
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    return suffix;
}

void QtDialogs::ShowMessage(const QString& text)
{
    QMessageBox::information(parent_, ApplicationTitle(), text);
}

bool QtDialogs::ConfirmYesNo(const QString& text)
{
    return QMessageBox::question(parent_, QObject::tr("Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

void QtDialogs::ShowError(const QString& text)
{
    QMessageBox::critical(parent_, ApplicationTitle(), text);
}

std::optional<QString> QtDialogs::SaveFileName(const SaveDialogRequest& request)
{
    QFileDialog dialog(parent_, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(FilterToNameFilters(request.filter));
    dialog.setDefaultSuffix(DefaultSuffix(request.defaultExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setSizeGripEnabled(true);
    if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtDialogs::ChoosePortDevice(const PortDeviceRequest& request)
{
    PortDeviceDialog dialog(request, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.ChosenPath();
}

} // namespace app
