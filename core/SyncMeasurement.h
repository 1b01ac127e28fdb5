#pragma once
// The sync measurement: every reading of the device's sync offset becomes one point of a
// scrolling line on the chart (the last hour of samples) and one line of the sample log, and the
// chart's view is fitted to the data held. The window owns the state (sample count and log);
// this class works on it.

#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace chart {
class TCustomLayerChart;
}

namespace core {

class PortConnection;

// From this sample number on every sample drops the chart's oldest item, so the chart holds
// 3601 items: one hour of samples at one per second.
inline constexpr std::int32_t ChartSampleWindow = 3600;
// The last sample number that is recorded in the log; later samples are drawn only.
inline constexpr std::int32_t LastRecordedSample = 100000;
// Share of the data's vertical span added above and below the fitted view.
inline constexpr double FitMarginFraction = 0.05;
// Half the height of the view around a lone value, when there is no data to fit.
inline constexpr double EmptyViewHalfHeight = 0.1;
// The x range of the view when there is no data to fit.
inline constexpr double EmptyViewXLow = 0.0;
inline constexpr double EmptyViewXHigh = 1.0;
// Only points strictly inside this window count for the fitted view.
inline constexpr double ExtentWindowXLow = -1.0;
inline constexpr double ExtentWindowXHigh = 1e10;
inline constexpr double ExtentWindowYLow = -1e10;
inline constexpr double ExtentWindowYHigh = 1e10;
// Range operations on layer 0 apply to every layer.
inline constexpr int AllLayers = 0;
// Bytes that a reply cut short may have left behind; a tick drops at most this many.
inline constexpr int StrayBytesDropped = 2;

// The register's 16 bits as the signed number of microseconds they carry (0x8000 and above are
// negative).
double SyncSampleValue(std::uint16_t raw);

// What one tick did: a sample with its number, or a missed reading.
struct SyncTick {
    bool taken = false;
    std::int32_t number = 0;   // the sample's number; for a miss, the number the next sample gets
    double value = 0;
    bool portChanged = false;  // the port's status changed: its device went away or came back
};

class SyncMeasurement {
public:
    // `count` and `log` are the window's sample count and sample log; both, and the chart, must
    // outlive this object.
    SyncMeasurement(chart::TCustomLayerChart& chart, std::int32_t& count, std::unique_ptr<QStringList>& log);

    // A new run: count 0, a new empty log in place of the old one, an empty chart, no missed
    // readings.
    void Start();

    // One tick of the measurement: drops up to StrayBytesDropped waiting bytes, reads
    // SyncRegister, and records the sample, or a missed reading at `now`.
    SyncTick Tick(const QDateTime& now);

    // Tick on a port whose device may vanish: first `port` notices a device that went away or
    // reopens one that came back (PortConnection::Watch); while the device is missing the tick is
    // a missed reading that sends nothing and waits for nothing; a read that fails has the port
    // looked at again, so that a device lost during the tick is noticed in it.
    SyncTick Tick(const QDateTime& now, PortConnection& port);

    // One good reading: appended to the chart (the oldest item dropped from sample number
    // ChartSampleWindow on), recorded up to LastRecordedSample, view fitted, chart redrawn; then
    // the count advances. Clears the missed-readings alarm.
    void RecordSample(double value);

    // A reading that failed: no sample is taken, the count stays, the alarm counts it.
    void RecordMissedReading(const QDateTime& when);

    // Sets the visible range of every layer to the data held plus FitMarginFraction of its
    // vertical span above and below; with no sample in this run, x 0..1 and y centre +- 0.1
    // (plus the margin). Does not redraw the items.
    void FitChartRange(double centre);

    // Readings missed in this run, and whether the alarm stands (a miss since the last good
    // reading).
    int MissedReadings() const { return missedReadings_; }
    bool MissedReadingAlarm() const { return alarm_; }
    QDateTime LastMissedReading() const { return lastMissed_; }
    // The alarm's line for the window: empty when no alarm stands.
    QString MissedReadingText() const;

private:
    chart::TCustomLayerChart& chart_;
    std::int32_t& count_;
    std::unique_ptr<QStringList>& log_;
    int missedReadings_ = 0;
    bool alarm_ = false;
    QDateTime lastMissed_;
};

} // namespace core
