#include "app/TSaveDialog.h"

#include <QStringList>

namespace app {

TSaveDialog::TSaveDialog(Dialogs& dialogs, QObject* owner) : QObject(owner), dialogs_(dialogs) {}

SaveDialogRequest TSaveDialog::Request() const
{
    SaveDialogRequest r;
    r.title = title_;
    r.filter = filter_;
    r.defaultExt = defaultExt_;
    r.initialFileName = fileName_;
    r.filterIndex = filterIndex_;
    r.overwritePrompt = (options_ & ofOverwritePrompt) != 0;
    return r;
}

bool TSaveDialog::Execute()
{
    const std::optional<SaveDialogChoice> chosen = dialogs_.SaveFileName(Request());
    if (!chosen) return false;
    fileName_ = chosen->fileName;
    filterIndex_ = chosen->filterIndex;
    return true;
}

QString TSaveDialog::FilterPattern() const
{
    // "Name|pattern|Name|pattern": filter n's pattern is part 2n - 1.
    const QStringList parts = filter_.split(QLatin1Char('|'));
    const qsizetype at = 2 * qsizetype(filterIndex_) - 1;
    return filterIndex_ >= 1 && at < parts.size() ? parts[at] : QString();
}

} // namespace app
