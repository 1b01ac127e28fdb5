#include "app/QtDialogs.h"

#include "app/PortDeviceDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

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

QString SuffixForFilter(const QString& pattern, const QString& defaultExt)
{
    static const QRegularExpression oneExtension(QStringLiteral("^\\*\\.(\\w+)$"));
    const QRegularExpressionMatch match = oneExtension.match(pattern.trimmed());
    return match.hasMatch() ? match.captured(1) : DefaultSuffix(defaultExt);
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

std::optional<SaveDialogChoice> QtDialogs::SaveFileName(const SaveDialogRequest& request)
{
    QFileDialog dialog(parent_, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList names = FilterToNameFilters(request.filter);
    const QStringList parts = request.filter.split(QLatin1Char('|'));
    const auto patternOf = [&parts](qsizetype index) { // index counted from 0
        return index >= 0 && 2 * index + 1 < parts.size() ? parts[2 * index + 1] : QString();
    };
    dialog.setNameFilters(names);
    const qsizetype first = request.filterIndex >= 1 && request.filterIndex <= names.size() ? request.filterIndex - 1 : 0;
    if (!names.isEmpty()) dialog.selectNameFilter(names[first]);
    dialog.setDefaultSuffix(SuffixForFilter(patternOf(first), request.defaultExt));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& name) {
        dialog.setDefaultSuffix(SuffixForFilter(patternOf(names.indexOf(name)), request.defaultExt));
    });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setSizeGripEnabled(true);
    if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const qsizetype selected = names.indexOf(dialog.selectedNameFilter());
    return SaveDialogChoice{dialog.selectedFiles().first(), int(selected >= 0 ? selected : first) + 1};
}

std::optional<QString> QtDialogs::ChoosePortDevice(const PortDeviceRequest& request)
{
    PortDeviceDialog dialog(request, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.ChosenPath();
}

} // namespace app
