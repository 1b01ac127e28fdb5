#include "chart/wmfdevice.h"

#include "chart/wmfpaintengine.h"
#include "chart/wmfrecords.h"
#include "chart/wholefile.h"

#include <QGuiApplication>
#include <QScreen>
#include <climits>
#include <cmath>

namespace chart {

namespace {

constexpr double FallbackDpi = 96.0;
constexpr double MillimetresPerInch = 25.4;
constexpr int ColourDepth = 24;

double ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : FallbackDpi;
}

} // namespace

WmfDevice::WmfDevice(QSize size, double dpi)
    : size_(size.expandedTo(QSize(1, 1))), dpi_(dpi > 0 ? dpi : ScreenDpi()),
      engine_(std::make_unique<WmfPaintEngine>(dpi_))
{
}

WmfDevice::~WmfDevice() = default;

QPaintEngine* WmfDevice::paintEngine() const { return engine_.get(); }

QRect WmfDevice::Frame() const { return engine_->LogicalFrame(); }

QSize WmfDevice::FrameUnits() const
{
    // Pixels of this screen to 0.01 mm and on to the header's 96 units per inch: px × 96 / dpi.
    const QRect frame = Frame();
    const auto units = [this](int px) { return int(std::lround(px * wmf::PlaceableUnitsPerInch / dpi_)); };
    return {units(frame.width()), units(frame.height())};
}

QByteArray WmfDevice::Bytes() const { return engine_->Writer().Finish(Frame(), FrameUnits()); }

bool WmfDevice::Save(const QString& path, QString* error) const
{
    const WholeFileResult written = WriteWholeFile(path, Bytes());
    if (!written && error)
        *error = written.reason;
    return bool(written);
}

int WmfDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return int(std::lround(size_.width() * MillimetresPerInch / dpi_));
    case PdmHeightMM: return int(std::lround(size_.height() * MillimetresPerInch / dpi_));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return ColourDepth;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return int(std::lround(dpi_));
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

} // namespace chart
