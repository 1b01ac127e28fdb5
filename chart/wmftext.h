#pragma once
// Text for metafile records: the 8-bit Windows ANSI code page (1252) that ANSI_CHARSET fonts use.

#include <QByteArray>
#include <QString>

namespace chart {

// One byte per UTF-16 code unit, so per-character advances stay aligned with the text.
// Characters the code page lacks become '?'; the minus sign U+2212 becomes '-'.
QByteArray WmfAnsiText(const QString& text);

} // namespace chart
