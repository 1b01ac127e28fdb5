#pragma once
// A save-file dialog as the window keeps it: its settings, the last chosen file name, and
// Execute, which runs the dialog through the window's Dialogs.

#include "app/Dialogs.h"

#include <QObject>
#include <QString>
#include <cstdint>

namespace app {

enum TOpenOption : uint32_t {
    ofOverwritePrompt = 1u << 0,
    ofHideReadOnly = 1u << 1,
    ofEnableSizing = 1u << 2,
};
using TOpenOptions = uint32_t; // a set of TOpenOption bits

class TSaveDialog : public QObject {
    Q_OBJECT
public:
    TSaveDialog(Dialogs& dialogs, QObject* owner);

    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& v) { defaultExt_ = v; }
    QString Filter() const { return filter_; }
    void SetFilter(const QString& v) { filter_ = v; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions v) { options_ = v; }
    QString Title() const { return title_; }
    void SetTitle(const QString& v) { title_ = v; }
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& v) { fileName_ = v; }
    // The selected filter, counted from 1 as the toolkit counts.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int v) { filterIndex_ = v; }
    // The pattern of the selected filter ("*.wmf"); empty when the index names no filter.
    QString FilterPattern() const;

    // Shows the dialog; true, FileName() and FilterIndex() set when the user confirms a name,
    // false on cancel.
    bool Execute();

    // The request that Execute passes to the dialogs.
    SaveDialogRequest Request() const;

private:
    Dialogs& dialogs_;
    QString defaultExt_;
    QString filter_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
    QString title_;
    QString fileName_;
    int filterIndex_ = 1;
};

} // namespace app
