#include "core/SyncMeasurement.h"

#include "core/DeviceLink.h"
#include "core/MeasurementFile.h"
#include "core/PortConnection.h"
#include "chart/layerchart.h"

namespace core {

namespace {

constexpr double SignedWordRange = 65536.0;
constexpr std::uint16_t FirstNegativeWord = 0x8000;

} // namespace

double SyncSampleValue(std::uint16_t raw)
{
    return raw >= FirstNegativeWord ? double(raw) - SignedWordRange : double(raw);
}

SyncMeasurement::SyncMeasurement(chart::TCustomLayerChart& chart, std::int32_t& count,
                                 std::unique_ptr<QStringList>& log)
    : chart_(chart), count_(count), log_(log)
{
}

void SyncMeasurement::Start()
{
    count_ = 0;
    log_ = std::make_unique<QStringList>();
    chart_.ClearItems();
    missedReadings_ = 0;
    alarm_ = false;
    lastMissed_ = QDateTime();
}

SyncTick SyncMeasurement::Tick(const QDateTime& now)
{
    // A late reply byte of an earlier exchange would otherwise be taken for this one's.
    for (int i = 0; i < StrayBytesDropped; ++i) {
        std::uint8_t stray = 0;
        std::uint32_t count = 0;
        ReceiveByte(stray, count);
    }
    bool ok = false;
    const std::uint16_t raw = ReadWord(SyncRegister, ok);
    SyncTick tick;
    tick.number = count_;
    // A failed read is no sample: a 0 in the data would look like a real offset of 0.
    if (!ok) {
        RecordMissedReading(now);
        return tick;
    }
    tick.taken = true;
    tick.value = SyncSampleValue(raw);
    RecordSample(tick.value);
    return tick;
}

SyncTick SyncMeasurement::Tick(const QDateTime& now, PortConnection& port)
{
    const bool changedBefore = port.Watch();
    if (port.IsWaitingForDevice()) {
        RecordMissedReading(now);
        SyncTick tick;
        tick.number = count_;
        tick.portChanged = changedBefore;
        return tick;
    }
    SyncTick tick = Tick(now);
    tick.portChanged = changedBefore;
    if (!tick.taken && port.Watch())
        tick.portChanged = true;
    return tick;
}

void SyncMeasurement::RecordSample(double value)
{
    alarm_ = false;
    if (count_ == 0)
        chart_.BeginPolyline(0, value);
    chart_.ExtendPolyline(count_, value);
    if (count_ >= ChartSampleWindow)
        chart_.RemoveFirstItem();
    if (count_ <= LastRecordedSample && log_)
        log_->append(SampleLine(count_, value));
    FitChartRange(value);
    chart_.Redraw();
    ++count_;
}

void SyncMeasurement::RecordMissedReading(const QDateTime& when)
{
    ++missedReadings_;
    alarm_ = true;
    lastMissed_ = when;
}

void SyncMeasurement::FitChartRange(double centre)
{
    double xMin = EmptyViewXLow;
    double xMax = EmptyViewXHigh;
    double yMin = centre - EmptyViewHalfHeight;
    double yMax = centre + EmptyViewHalfHeight;
    double span = 2 * EmptyViewHalfHeight;
    if (count_ > 0) {
        chart_.GetDataExtent(AllLayers, ExtentWindowXLow, ExtentWindowYLow, ExtentWindowXHigh, ExtentWindowYHigh,
                             xMin, yMin, xMax, yMax);
        span = yMax - yMin;
    }
    const double margin = FitMarginFraction * span;
    // Every one of the 16 layers would repaint the whole chart on its own; held back, the view
    // is painted once when the last layer has its range.
    const bool wasSuspended = chart_.PaintSuspended();
    chart_.SetPaintSuspended(true);
    chart_.SetZoomRange(AllLayers, xMin, yMin - margin, xMax, yMax + margin);
    chart_.SetPaintSuspended(wasSuspended);
}

QString SyncMeasurement::MissedReadingText() const
{
    if (!alarm_)
        return {};
    return QStringLiteral("Missed readings: %1, last at %2")
        .arg(missedReadings_)
        .arg(lastMissed_.toString(QStringLiteral("HH:mm:ss")));
}

} // namespace core
