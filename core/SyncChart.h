#pragma once
// The sync chart as the window stores it, and its picture: shared by the window and
// duoclave-cli, so that both draw and save the same chart.

#include <QSize>
#include <QString>

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

// "Save picture": the chart as it would be painted now, in its screen colours, as a placeable
// metafile (the chart replaces the extension of `fileName` by ".wmf"). Throws the chart's file
// error when the file cannot be written.
void SaveSyncPicture(chart::TLayerChart& chart, const QString& fileName);

} // namespace core
