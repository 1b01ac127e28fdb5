#pragma once
// The modal boxes and file dialogs of the program behind one small interface: the program uses
// QtDialogs, tests a scripted double that answers and records.

#include <QString>
#include <optional>

namespace app {

// What a save dialog is asked to show; the settings of a TSaveDialog.
struct SaveDialogRequest {
    QString title;          // empty: the toolkit's own title
    QString filter;         // "Name|pattern|Name|pattern"
    QString defaultExt;     // appended to a name typed without extension
    QString initialFileName;
    bool overwritePrompt = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;

    // A question box with the buttons Yes and No; true only when the user answers Yes.
    virtual bool ConfirmYesNo(const QString& text) = 0;

    // The standard error box that reports an error raised by a handler.
    virtual void ShowError(const QString& text) = 0;

    // A file-save dialog; the chosen path, or nothing when the user cancels.
    virtual std::optional<QString> SaveFileName(const SaveDialogRequest& request) = 0;
};

} // namespace app
