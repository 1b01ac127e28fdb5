#pragma once
// The metafile export's file error is the file error of every picture export.

#include "chart/picturefileerror.h"

namespace chart {

using EWmfFileError = EPictureFileError;

} // namespace chart
