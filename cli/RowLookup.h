#pragma once
// Which E2PROM variable a ROW operand names.

#include <QString>

namespace cli {

struct RowMatch {
    int index = -1;   // 0 .. 19; -1 when none
    QString error;    // why none, for the user
};

// ROW is the variable's number (1 to 20, as listed), or the beginning of its name in any case,
// long enough to fit one variable only; a whole name fits its variable even where it begins
// another.
RowMatch FindRow(const QString& row);

} // namespace cli
