#pragma once
// A Dialogs double for tests: answers from a script, records what each box showed.

#include "app/Dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace testing_support {

class ScriptedDialogs : public app::Dialogs {
public:
    enum class Kind { Message, Confirmation, Error, SaveFile, PortDevice };
    struct Shown {
        Kind kind;
        QString text; // message text, the save dialog's title, or the port of a device choice
        app::SaveDialogRequest request;
        app::PortDeviceRequest portRequest = {};
        app::PortDeviceList devices = {}; // what the device choice listed
    };

    // Answers for the next confirmations (Yes = true); unscripted ones answer No.
    void AnswerConfirmations(std::initializer_list<bool> answers) { confirmations_.insert(confirmations_.end(), answers); }
    // Answers for the next save dialogs (nullopt = cancel), each with the filter the dialog
    // showed first; unscripted ones cancel.
    void AnswerSaveDialogs(std::initializer_list<std::optional<QString>> answers)
    {
        for (const std::optional<QString>& a : answers) saves_.push_back({a.value_or(QString()), 0});
    }
    // The answer of a user who selected filter `filterIndex` (counted from 1) and typed `fileName`.
    void AnswerSaveDialog(const QString& fileName, int filterIndex) { saves_.push_back({fileName, filterIndex}); }

    void ShowMessage(const QString& text) override { shown.push_back({Kind::Message, text, {}}); }
    bool ConfirmYesNo(const QString& text) override
    {
        shown.push_back({Kind::Confirmation, text, {}});
        if (confirmations_.empty()) return false;
        const bool yes = confirmations_.front();
        confirmations_.pop_front();
        return yes;
    }
    void ShowError(const QString& text) override { shown.push_back({Kind::Error, text, {}}); }
    std::optional<app::SaveDialogChoice> SaveFileName(const app::SaveDialogRequest& request) override
    {
        shown.push_back({Kind::SaveFile, request.title, request});
        if (saves_.empty()) return std::nullopt;
        const Save answer = saves_.front();
        saves_.pop_front();
        if (answer.fileName.isNull()) return std::nullopt;
        return app::SaveDialogChoice{answer.fileName, answer.filterIndex > 0 ? answer.filterIndex : request.filterIndex};
    }

    // Answers for the next device choices (nullopt = cancel); unscripted ones cancel.
    void AnswerPortDevices(std::initializer_list<std::optional<QString>> answers)
    {
        for (const std::optional<QString>& a : answers) devices_.push_back(a);
    }
    std::optional<QString> ChoosePortDevice(const app::PortDeviceRequest& request) override
    {
        shown.push_back({Kind::PortDevice, request.port, {}, request, request.listDevices ? request.listDevices() : app::PortDeviceList{}});
        if (devices_.empty()) return std::nullopt;
        const std::optional<QString> answer = devices_.front();
        devices_.pop_front();
        return answer;
    }

    // The texts of the boxes of one kind, in the order shown.
    QStringList Texts(Kind kind) const
    {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == kind) texts << s.text;
        return texts;
    }
    void Clear() { shown.clear(); }

    std::vector<Shown> shown;

private:
    std::deque<bool> confirmations_;
    struct Save {
        QString fileName; // null: cancel
        int filterIndex;  // 0: the filter the dialog showed first
    };
    std::deque<Save> saves_;
    std::deque<std::optional<QString>> devices_;
};

} // namespace testing_support
