#include "cli/RowLookup.h"

#include "core/E2PROMVariables.h"

#include <QStringList>

namespace cli {

namespace {

bool AllDigits(const QString& text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return !text.isEmpty();
}

QString ItemText(int index) { return QString::fromLatin1(core::E2PROMVariables[std::size_t(index)].itemText); }

} // namespace

RowMatch FindRow(const QString& row)
{
    RowMatch match;
    const QString wanted = row.trimmed();
    if (AllDigits(wanted)) {
        bool ok = false;
        const int number = wanted.toInt(&ok);
        if (ok && number >= 1 && number <= core::E2PROMVariableCount)
            match.index = number - 1;
        else
            match.error = QStringLiteral("no row %1 (the rows are 1 to %2)").arg(wanted).arg(core::E2PROMVariableCount);
        return match;
    }
    if (wanted.isEmpty()) {
        match.error = QStringLiteral("no row named \"\"");
        return match;
    }
    QList<int> candidates;
    for (int i = 0; i < core::E2PROMVariableCount; ++i) {
        if (ItemText(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            match.index = i;
            return match;
        }
        if (ItemText(i).startsWith(wanted, Qt::CaseInsensitive)) candidates << i;
    }
    if (candidates.size() == 1) {
        match.index = candidates.front();
        return match;
    }
    if (candidates.isEmpty()) {
        match.error = QStringLiteral("no row named \"%1\" (see the list command)").arg(wanted);
        return match;
    }
    QStringList names;
    for (int i : candidates) names << QStringLiteral("%1 \"%2\"").arg(i + 1).arg(ItemText(i));
    match.error = QStringLiteral("\"%1\" fits more than one row: %2").arg(wanted, names.join(QStringLiteral(", ")));
    return match;
}

} // namespace cli
