#include "app/TSaveDialog.h"

namespace app {

TSaveDialog::TSaveDialog(Dialogs& dialogs, QObject* owner) : QObject(owner), dialogs_(dialogs) {}

SaveDialogRequest TSaveDialog::Request() const
{
    SaveDialogRequest r;
    r.title = title_;
    r.filter = filter_;
    r.defaultExt = defaultExt_;
    r.initialFileName = fileName_;
    r.overwritePrompt = (options_ & ofOverwritePrompt) != 0;
    return r;
}

bool TSaveDialog::Execute()
{
    const std::optional<QString> chosen = dialogs_.SaveFileName(Request());
    if (!chosen) return false;
    fileName_ = *chosen;
    return true;
}

} // namespace app
