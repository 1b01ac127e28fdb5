#pragma once
// The name a picture export writes: the given name with its extension replaced by ".wmf".

#include <QString>

namespace chart {

// The directory part (up to and including the last '/', '\' or drive ':'), then the file-name
// part with everything from its first '.' on removed, then ".wmf". A dot in a directory name
// does not count: "C:\pictures\sync.bmp" -> "C:\pictures\sync.wmf", "run.2.wmf" -> "run.wmf",
// "/data/v1.0/sync" -> "/data/v1.0/sync.wmf".
QString WmfFileName(const QString& fileName);

} // namespace chart
