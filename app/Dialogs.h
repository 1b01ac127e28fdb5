#pragma once
// The modal boxes and file dialogs of the program behind one small interface: the program uses
// QtDialogs, tests a scripted double that answers and records.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace app {

// What a save dialog is asked to show; the settings of a TSaveDialog.
struct SaveDialogRequest {
    QString title;          // empty: the toolkit's own title
    QString filter;         // "Name|pattern|Name|pattern"
    QString defaultExt;     // appended to a name typed without extension
    QString initialFileName;
    int filterIndex = 1;    // the filter shown first, counted from 1
    bool overwritePrompt = false;
};

// One serial device present, as the device choice lists it.
struct PortDeviceEntry {
    QString path;         // what the port will open
    QString description;  // vendor, product, serial number, node; may be empty
};

struct PortDeviceList {
    std::vector<PortDeviceEntry> entries;
    QString error;        // why the list is incomplete; empty when it is not
};

// What the device choice for one port is asked to show.
struct PortDeviceRequest {
    QString port;                              // "COM 1"
    QString currentPath;                       // what the port stands for now
    QString currentSource;                     // where that comes from: "remembered", "default" ...
    std::function<PortDeviceList()> listDevices; // the devices present, asked again on Refresh
};

// What the user confirmed in a save dialog.
struct SaveDialogChoice {
    QString fileName;
    int filterIndex = 1; // the filter selected when the user confirmed, counted from 1
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

    // A file-save dialog; the chosen path and filter, or nothing when the user cancels.
    virtual std::optional<SaveDialogChoice> SaveFileName(const SaveDialogRequest& request) = 0;

    // The device that a port stands for: one of the devices listed or a path typed by hand; an
    // empty path for the default; nothing when the user cancels. Dialogs that offer no choice
    // (a benchmark's) cancel.
    virtual std::optional<QString> ChoosePortDevice(const PortDeviceRequest&) { return std::nullopt; }
};

} // namespace app
