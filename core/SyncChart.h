#pragma once
// The sync chart as the window stores it, and its picture: shared by the window and
// duoclave-cli, so that both draw and save the same chart.

#include "chart/picturefile.h"

#include <QSize>
#include <QString>
#include <optional>

namespace chart {
class TCustomLayerChart;
class TLayerChart;
} // namespace chart

namespace core {

// The chart's stored size, in pixels at 96 pixels per inch.
inline constexpr QSize SyncChartSize{681, 281};

// Applies the chart's stored settings through its setters in the stored order, between
// BeginLoading and Loaded.
void ApplySyncChartSettings(chart::TLayerChart& chart);

// "Save picture": the chart as it would be painted now, in its screen colours. The format and the
// file follow chart::PictureTargetFor: `filterFormat` is the format of the filter chosen in a
// save dialog, nothing for "All files" and for the command line, where the name's extension
// decides (a metafile, with its extension replaced by ".wmf", unless it is .svg, .pdf or .png).
// Returns the file written. Throws chart::EPictureFileError when it cannot be written.
QString SaveSyncPicture(chart::TLayerChart& chart, const QString& fileName,
                        std::optional<chart::TPictureFormat> filterFormat = std::nullopt);

} // namespace core
