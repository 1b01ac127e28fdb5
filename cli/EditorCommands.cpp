#include "cli/EditorCommands.h"

#include "cli/ExitCodes.h"
#include "core/E2PROMEditor.h"
#include "core/EConvertError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

// Scripts get the same text wherever they run: "." as the decimal separator, no grouping.
QLocale ScriptLocale() { return QLocale::c(); }

QString ItemText(const core::E2PROMVariable& row) { return QString::fromLatin1(row.itemText); }

QJsonObject RowJson(int index, const core::E2PROMVariable& row, const core::E2PROMReading& reading)
{
    QJsonObject object{{QStringLiteral("row"), index + 1}, {QStringLiteral("text"), ItemText(row)}};
    if (reading.ok) {
        object.insert(QStringLiteral("value"), reading.text);
    } else {
        object.insert(QStringLiteral("value"), QJsonValue::Null);
        object.insert(QStringLiteral("error"), reading.text);
    }
    if (row.readNote) object.insert(QStringLiteral("note"), QString::fromLatin1(row.readNote));
    return object;
}

QString JsonLine(const QJsonDocument& document) { return QString::fromUtf8(document.toJson(QJsonDocument::Compact)); }

QString RowName(int index, const core::E2PROMVariable& row)
{
    return QStringLiteral("row %1 \"%2\"").arg(index + 1).arg(ItemText(row));
}

} // namespace

int ListCommand(const Invocation& invocation, Console& console)
{
    const bool json = invocation.Has("--json");
    QJsonArray rows;
    int status = ExitSuccess;
    for (int index = 0; index < core::E2PROMVariableCount; ++index) {
        const core::E2PROMVariable& row = *core::E2PROMRow(index);
        const core::E2PROMReading reading = core::ReadE2PROMVariable(row, ScriptLocale());
        if (!reading.ok) {
            console.Err(QStringLiteral("%1: %2").arg(RowName(index, row), reading.text));
            status = ExitDevice;
        }
        if (json)
            rows.append(RowJson(index, row, reading));
        else
            console.Out(QStringLiteral("%1\t%2\t%3").arg(index + 1).arg(ItemText(row), reading.text));
    }
    if (json) console.Out(JsonLine(QJsonDocument(rows)));
    return status;
}

int ReadCommand(const Invocation& invocation, Console& console, int index)
{
    const core::E2PROMVariable& row = *core::E2PROMRow(index);
    const core::E2PROMReading reading = core::ReadE2PROMVariable(row, ScriptLocale());
    if (row.readNote) console.Err(QString::fromLatin1(row.readNote));
    if (!reading.ok) console.Err(reading.text);
    if (invocation.Has("--json"))
        console.Out(JsonLine(QJsonDocument(RowJson(index, row, reading))));
    else if (reading.ok)
        console.Out(reading.text);
    return reading.ok ? ExitSuccess : ExitDevice;
}

int WriteCommand(const Invocation& invocation, Console& console, int index)
{
    const core::E2PROMVariable& row = *core::E2PROMRow(index);
    const bool confirmed = invocation.Has("--yes");
    QString question;
    core::E2PROMWriteOutcome outcome;
    try {
        outcome = core::WriteE2PROMVariable(row, invocation.operands[1], ScriptLocale(), [&](const QString& asked) {
            question = asked;
            return confirmed;
        });
    } catch (const core::EConvertError& e) {
        console.Err(e.Message());
        return ExitBadInput;
    }
    switch (outcome) {
    case core::E2PROMWriteOutcome::Declined:
        console.Err(QStringLiteral("%1 is written only with --yes (the window asks: \"%2\"); nothing written")
                        .arg(RowName(index, row), question));
        return ExitBadInput;
    case core::E2PROMWriteOutcome::Rejected:
        // The window marks some rows' edit field with a bare "ERROR"; here it needs its reason.
        if (row.report == core::RejectReport::MessageBox)
            console.Err(core::RejectText(row));
        else
            console.Err(QStringLiteral("%1: value out of range; nothing written").arg(core::RejectText(row)));
        return ExitBadInput;
    case core::E2PROMWriteOutcome::NotStored:
        console.Err(core::WriteStatusText(outcome));
        return ExitDevice;
    case core::E2PROMWriteOutcome::Stored:
        break;
    }
    console.Out(core::WriteStatusText(outcome));
    return ExitSuccess;
}

int WorkingCommand(Console& console)
{
    const bool copied = core::CopyE2PROMToWorking();
    if (!copied) {
        console.Err(core::CopyStatusText(copied));
        return ExitDevice;
    }
    console.Out(core::CopyStatusText(copied));
    return ExitSuccess;
}

} // namespace cli
