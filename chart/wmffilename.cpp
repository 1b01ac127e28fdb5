#include "chart/wmffilename.h"

#include "chart/picturefile.h"

namespace chart {

QString WmfFileName(const QString& fileName) { return WithExtensionReplaced(fileName, QStringLiteral("wmf")); }

} // namespace chart
